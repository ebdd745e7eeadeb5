#include "generator/filter_string.h"

namespace orvalen {

namespace {
bool IsControl(unsigned char c) {
  return c < 32 || c == 127;
}
}  // namespace

std::string FilterString(const std::vector<std::string>& items) {
  std::string filter;
  for (const auto& item : items) {
    filter += item;
    filter += '|';
  }
  if (!filter.empty() && filter.back() == '|') filter.pop_back();
  return filter;
}

std::string FilterFormText(std::string_view filter) {
  std::string text;
  text.reserve(filter.size());
  bool quoted = true;  // the value's opening quote stands before this text
  for (char ch : filter) {
    auto c = static_cast<unsigned char>(ch);
    if (IsControl(c)) {
      if (quoted) text += '\'';
      quoted = false;
      text += '#';
      text += std::to_string(c);
      continue;
    }
    if (!quoted) text += '\'';
    quoted = true;
    text += ch;
    if (ch == '\'') text += '\'';
  }
  // The closing quote follows this text; after a code it opens an empty string.
  if (!quoted) text += '\'';
  return text;
}

}  // namespace orvalen
