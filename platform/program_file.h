// The files the running code was loaded from.
#pragma once

#include <cstddef>
#include <string>

namespace orvalen::platform {

// The full path of the program file of this process (/proc/self/exe); empty
// when the system does not tell.
std::string ProgramFileName();

// The full path of the loaded module (program or shared library) that holds
// `address`, cut to at most `maxLength` bytes (never inside a UTF-8
// character); empty when no module holds it.
std::string ModuleFileName(const void* address, std::size_t maxLength = 255);

}  // namespace orvalen::platform
