// A form description: its text form, then the binary form file converted
// from the whole of that text, both created in the run's output sink.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orvalen {

class Emitter;
class SnippetLibrary;
namespace platform {
class OutputSink;
}

// Creates the text form file and lets `writeText` write it completely; then
// creates the binary form file and converts the whole text into it. The
// binary file is closed first, then the text file. A text that does not parse
// leaves the binary file empty and raises EParserError; the text file stays
// as written. Each path is added to `created` once its file exists.
void WriteFormFiles(platform::OutputSink& sink, const std::string& textPath,
                    const std::string& binaryPath, SnippetLibrary& library,
                    const std::function<void(Emitter&)>& writeText,
                    std::vector<std::string>& created);

}  // namespace orvalen
