#include "units/form_files.h"

#include "generator/emitter.h"
#include "platform/output_sink.h"
#include "units/form_conversion.h"

namespace orvalen {

void WriteFormFiles(platform::OutputSink& sink, const std::string& textPath,
                    const std::string& binaryPath, SnippetLibrary& library,
                    const std::function<void(Emitter&)>& writeText,
                    std::vector<std::string>& created) {
  auto text = sink.Create(textPath);
  created.push_back(textPath);
  Emitter emitter(*text, library);
  writeText(emitter);
  // The conversion reads the text back from the file, as it stands written.
  std::string source = text->ReadAll();
  {
    auto binary = sink.Create(binaryPath);
    created.push_back(binaryPath);
    // Writes nothing unless the whole text converted.
    ObjectTextToResource(source, *binary);
    binary->Close();
  }
  text->Close();
}

}  // namespace orvalen
