// Answer files: every setting a generation run reads, as a small versioned
// JSON document a person can write, keep beside a project and hand to
// `orvalen-gen --answers`, and that the wizard's preview saves and loads.
// docs/answer-files.md describes the format.
#pragma once

#include <string>
#include <string_view>

#include "generator/wizard_settings.h"
#include "platform/errors.h"

namespace orvalen {

inline constexpr std::string_view kAnswersFormat = "orvalen-answers";
inline constexpr int kAnswersVersion = 1;

// A file that is not an answer file this program can use. The message names
// the file and the place: "app.json: line 3, column 7: ...",
// "app.json: menus.fiel: unknown key", "app.json: speedbar[2]: ...".
class EAnswersError : public Error {
 public:
  using Error::Error;
};

// The settings an answer file holds; what it leaves out keeps the wizard's
// defaults, and a missing "directory" leaves AppPath empty. Text is UTF-8 as
// typed (EncodeTypedText brings it into the code page later). Raises
// EAnswersError for bad syntax, an unknown key, a wrong type, or a value the
// wizard refuses at Finish (the name, a speedbar command, a character the
// code page cannot hold, a filter too long); `source` names the file.
WizardSettings ReadAnswers(std::string_view json, const std::string& source);

// The answer file for `settings` (text as typed, UTF-8), with AppPath as its
// "directory" when `withDirectory`. Raises Error for text that is not UTF-8.
std::string WriteAnswers(const WizardSettings& settings, bool withDirectory);

// ReadAnswers on a file's bytes; a file that cannot be read is an EAnswersError too.
WizardSettings LoadAnswersFile(const std::string& path);

// Writes WriteAnswers' text to `path` through a temporary file renamed into
// place, so a failure leaves any earlier file whole; raises Error on failure.
void SaveAnswersFile(const std::string& path, const WizardSettings& settings, bool withDirectory);

}  // namespace orvalen
