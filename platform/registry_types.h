// The registry's value kinds and its one failure, shared by the registry
// access object, its backends and the store's text format.
#pragma once

#include <cstdint>
#include <string>

#include "platform/errors.h"

namespace orvalen::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

// The value kinds, numbered as the Windows registry numbers them. A store may
// hold any other number too; it is kept as it is.
enum class RegDataType : std::uint32_t {
  None = 0,
  String = 1,
  ExpandString = 2,
  Binary = 3,
  Integer = 4,  // 32-bit little-endian
  MultiString = 7,
  QWord = 11,
};

struct RegValue {
  RegDataType type = RegDataType::None;
  // The raw bytes; a String's data holds the text without a terminating NUL.
  std::string data;

  friend bool operator==(const RegValue&, const RegValue&) = default;
};

// Any registry failure: a value of the wrong kind, a refused write, a store
// that cannot be saved.
class ERegistryException : public Error {
 public:
  using Error::Error;
};

}  // namespace orvalen::platform
