#include "generator/document_type.h"

namespace orvalen {

namespace {

// Characters, not bytes: a continuation byte does not start one.
std::size_t Characters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// The entry as a message quotes it: a long one cut, at a character's start.
std::string Quoted(std::string_view entry) {
  constexpr std::size_t kShown = 60;
  if (entry.size() <= kShown) return "\"" + std::string(entry) + "\"";
  std::size_t cut = kShown - 3;
  while (cut > 0 && (static_cast<unsigned char>(entry[cut]) & 0xC0) == 0x80) --cut;
  return "\"" + std::string(entry.substr(0, cut)) + "...\"";
}

}  // namespace

std::optional<std::string> CheckDocumentType(std::string_view entry) {
  const std::string quoted = Quoted(entry);
  const std::size_t bar = entry.find('|');
  if (bar == std::string_view::npos)
    return "The document type " + quoted +
           " needs a \"|\" between its description and its extension pattern(s).";
  const std::string limit = std::to_string(kDocumentTypePartLength);
  if (Characters(entry.substr(0, bar)) > kDocumentTypePartLength)
    return "The description of the document type " + quoted + " is longer than " + limit +
           " characters.";
  if (Characters(entry.substr(bar + 1)) > kDocumentTypePartLength)
    return "The extension pattern(s) of the document type " + quoted + " are longer than " + limit +
           " characters.";
  return std::nullopt;
}

}  // namespace orvalen
