// Advice to the memory manager about large buffers.
#pragma once

#include <cstddef>

namespace orvalen::platform {

// Asks for huge pages behind a large buffer that is about to be filled once
// (a whole form text, a binary form file being built): with small pages each
// 4 KiB costs a page fault, which on a virtual machine outweighs converting
// the bytes. Call it before the buffer is first written; it does nothing for
// buffers under a few megabytes or where the system has no such advice.
void AdviseLargeBuffer(void* data, std::size_t size);

}  // namespace orvalen::platform
