// A form description on disk: its text form, then the binary form file
// converted from the whole of that text.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orvalen {

class Emitter;
class SnippetLibrary;

// Creates the text form file and lets `writeText` write it completely; then
// creates the binary form file and converts the whole text into it. The
// binary file is closed first, then the text file. A text that does not parse
// leaves the binary file empty and raises EParserError; the text file stays
// as written. Each path is added to `created` once its file exists.
void WriteFormFiles(const std::string& textPath, const std::string& binaryPath,
                    SnippetLibrary& library, const std::function<void(Emitter&)>& writeText,
                    std::vector<std::string>& created);

}  // namespace orvalen
