// The IDE's shared memory manager: every IdeString block that crosses between
// an IDE and an expert module is allocated and freed here, so each side may
// release what the other made.
#include <cstdlib>

#include "hosts/expert/expert_api.h"

extern "C" {

__attribute__((visibility("default"))) void* SysGetMem(std::size_t size) {
  return std::malloc(size == 0 ? 1 : size);
}

__attribute__((visibility("default"))) int SysFreeMem(void* block) {
  std::free(block);
  return 0;
}

__attribute__((visibility("default"))) void* SysReallocMem(void* block, std::size_t size) {
  return std::realloc(block, size == 0 ? 1 : size);
}

}  // extern "C"
