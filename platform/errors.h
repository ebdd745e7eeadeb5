// The failures the generator raises. Each carries the system's own message.
#pragma once

#include <stdexcept>
#include <string>

namespace orvalen {

// Any failure of a generation run or a conversion; the message is for the user.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be created: "Cannot create file %s".
class EFCreateError : public Error {
 public:
  using Error::Error;
};

// A write that did not take all its bytes (a full disk, an I/O error).
class EWriteError : public Error {
 public:
  using Error::Error;
};

// A template or resource that is not what the program was built with.
class EResourceError : public Error {
 public:
  using Error::Error;
};

}  // namespace orvalen
