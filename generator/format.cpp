#include "generator/format.h"

#include <stdexcept>

namespace orvalen {

std::string Format(std::string_view format, std::span<const FormatArg> args) {
  std::string out;
  out.reserve(format.size() + 64);
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= format.size()) throw std::logic_error("Format: '%' at the end of the format");
    char d = format[i];
    if (d == '%') {
      out += '%';
      continue;
    }
    if (next >= args.size()) throw std::logic_error("Format: too few arguments");
    const FormatArg& arg = args[next++];
    if (d == 's' && std::holds_alternative<std::string_view>(arg)) {
      out += std::get<std::string_view>(arg);
    } else if (d == 'd' && std::holds_alternative<long long>(arg)) {
      out += std::to_string(std::get<long long>(arg));
    } else {
      throw std::logic_error(std::string("Format: bad directive or argument for %") + d);
    }
  }
  return out;
}

}  // namespace orvalen
