// The formatting the generator uses: "%s" takes a text argument, "%d" an
// integer, in order; "%%" is one "%". Format texts are always ours; whatever
// a user typed travels as an argument, never as the format.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace orvalen {

using FormatArg = std::variant<std::string_view, long long>;

// The whole formatted text. A directive without its argument, an argument of
// the wrong kind or another directive raises std::logic_error: a fault of ours.
std::string Format(std::string_view format, std::span<const FormatArg> args);
inline std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
  return Format(format, std::span<const FormatArg>(args.begin(), args.size()));
}

}  // namespace orvalen
