// One table of document-type entries, each taken or refused alike by every
// front end: the answer files, orvalen-gen's -e, the file-type editor's OK and
// the wizard's Finish. A refused entry names the fault; every front end shows
// that same message.
#pragma once

#include <string>
#include <vector>

namespace orvalen::testing {

struct DocumentTypeCase {
  std::string entry;
  std::string refusal;  // a part of the message; empty: taken
};

inline std::vector<DocumentTypeCase> DocumentTypeCases() {
  std::string e255;  // 255 characters of two bytes each
  for (int i = 0; i < 255; ++i) e255 += "\u00e9";
  return {
      {"Text files (*.txt)|*.txt;*.log", ""},
      {"|*.txt", ""},
      {"Notes|", ""},
      {"|", ""},
      {"A|B|C", ""},  // the second "|" belongs to the patterns
      {e255 + "|*.e", ""},
      {"nobar", "The document type \"nobar\" needs a \"|\" between its description"},
      {std::string(256, 'd') + "|*.d", "The description of the document type \"ddd"},
      {"d||" + std::string(255, 'p'), "The extension pattern(s) of the document type \"d||ppp"},
  };
}

}  // namespace orvalen::testing
