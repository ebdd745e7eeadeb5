#include "platform/memory_advice.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace orvalen::platform {

void AdviseLargeBuffer(void* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  constexpr std::size_t kWorthIt = std::size_t{4} << 20;
  if (!data || size < kWorthIt) return;
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  auto begin = reinterpret_cast<std::uintptr_t>(data);
  auto end = begin + size;
  begin = (begin + page - 1) / page * page;  // only whole pages of the buffer
  end = end / page * page;
  // Advice only: a kernel without transparent huge pages refuses it, and the
  // buffer works the same.
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace orvalen::platform
