// Joins the numbered snippet files into the one template text the generator
// loads: snippet 0, "|", snippet 1, "|", ... snippet 59, "|", then two more
// separators with their line ends. Refuses anything that would shift the
// numbering: a missing or extra number, a "|" inside a snippet, a bare LF.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tool_support.h"

namespace {

using tools::ReadFile;

constexpr int kSnippetCount = 60;

std::string BaseName(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Every line of a snippet ends in CR LF; a snippet may be empty.
bool CheckSnippet(const std::string& name, const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '|') {
      std::cerr << name << ": a '|' inside a snippet would end it early (offset " << i << ")\n";
      return false;
    }
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
      std::cerr << name << ": line end without CR at offset " << i << "\n";
      return false;
    }
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) {
      std::cerr << name << ": CR without LF at offset " << i << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 + kSnippetCount) {
    std::cerr << "usage: joinsnippets OUTPUT SNIPPET00 ... SNIPPET59 (got " << argc - 2
              << " snippet files)\n";
    return 2;
  }
  std::string joined;
  for (int i = 0; i < kSnippetCount; ++i) {
    std::string path = argv[2 + i];
    std::string name = BaseName(path);
    char expected[8];
    std::snprintf(expected, sizeof expected, "%02d", i);
    if (name.compare(0, 2, expected) != 0 || (name.size() > 2 && isdigit(name[2]))) {
      std::cerr << name << ": expected snippet number " << expected << " here\n";
      return 1;
    }
    std::string text;
    if (!ReadFile(path, text)) {
      std::cerr << path << ": cannot read\n";
      return 1;
    }
    if (!CheckSnippet(name, text)) return 1;
    joined += text;
    joined += '|';
  }
  joined += "|\r\n|\r\n";
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(joined.data(), static_cast<std::streamsize>(joined.size()));
  out.close();
  if (!out) {
    std::cerr << argv[1] << ": cannot write\n";
    return 1;
  }
  return 0;
}
