// What the about box shows: the lines of its text panel and the captions of
// its labels, worked out without a window so that the rules can be checked
// on their own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "about/system_facts.h"

namespace orvalen::about {

inline constexpr char kLanguageBlock[] = "040904E4";

// The labels' captions; a label that receives nothing keeps its design caption.
struct AboutLabels {
  std::string productName = "Product Name";
  std::string copyright = "CopyrightLabel";
  std::string version = "VersionLabel";
  std::string email = "Emailurl";
  std::string url = "UrlLabel";
};

struct AboutContent {
  std::vector<std::string> lines;
  AboutLabels labels;
};

struct AboutSources : SystemSources {
  std::string applicationTitle;
  std::string programFile;  // the full path of the program file
  // Inside the expert library: the library's own file, listed after the program's.
  std::optional<std::string> libraryFile;
};

// Appends one module's version information to the panel and fills the labels
// whose keys it finds.
void AddVersionInfo(AboutContent& content, const std::string& fileName,
                    std::string_view languageBlock, const std::string& applicationTitle);

// Everything the about box shows when it is created.
AboutContent CollectAboutContent(const AboutSources& sources);

}  // namespace orvalen::about
