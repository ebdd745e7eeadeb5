// The version block we compile against windres's: runs windres on the
// script, takes the data of the one RT_VERSION resource out of the .res file
// it writes, and compares the two byte for byte.
//
//   versionres_check WINDRES SCRIPT.rc BLOCK WORK.res
//
// A .res file is a run of entries, each on a 32-bit boundary: DataSize and
// HeaderSize (32 bits each), the type and the name (0xFFFF and a 16-bit
// number, or a NUL-terminated UTF-16 string), more header fields up to
// HeaderSize, then DataSize bytes of data.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

namespace {

constexpr unsigned kRtVersion = 16;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Get(const std::string& s, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int k = width - 1; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(s[at + k]);
  return v;
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// The data of the RT_VERSION resource; nothing, and the reason, otherwise.
std::optional<std::string> VersionResource(const std::string& res, std::string& why) {
  auto fail = [&why](std::string reason) {
    why = std::move(reason);
    return std::optional<std::string>();
  };
  std::optional<std::string> found;
  for (std::size_t at = 0; at < res.size(); at = (at + 3) & ~std::size_t{3}) {
    if (res.size() - at < 12) return fail("entry header cut at " + std::to_string(at));
    std::uint32_t dataSize = Get(res, at, 4), headerSize = Get(res, at + 4, 4);
    if (headerSize < 12 || headerSize > res.size() - at || dataSize > res.size() - at - headerSize)
      return fail("entry at " + std::to_string(at) + " runs past the file");
    bool numbered = Get(res, at + 8, 2) == 0xFFFF;
    if (numbered && Get(res, at + 10, 2) == kRtVersion) {
      if (found) return fail("more than one RT_VERSION resource");
      found = res.substr(at + headerSize, dataSize);
    }
    at += headerSize + dataSize;
  }
  return found ? found : fail("no RT_VERSION resource");
}

std::string Hex(const std::string& s, std::size_t from) {
  std::string out;
  char buf[4];
  for (std::size_t i = from; i < s.size() && i < from + 16; ++i) {
    std::snprintf(buf, sizeof buf, " %02X", static_cast<unsigned char>(s[i]));
    out += buf;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: versionres_check WINDRES SCRIPT.rc BLOCK WORK.res\n");
    return 2;
  }
  const std::string windres = argv[1], script = argv[2], block = argv[3], res = argv[4];
  std::filesystem::create_directories(std::filesystem::path(res).parent_path());
  std::filesystem::remove(res);
  std::string command =
      Quote(windres) + " --preprocessor=cpp -O res " + Quote(script) + " " + Quote(res);
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "windres failed: %s\n", command.c_str());
    return 1;
  }
  std::string why;
  std::optional<std::string> theirs = VersionResource(ReadFile(res), why);
  if (!theirs) {
    std::fprintf(stderr, "%s: %s\n", res.c_str(), why.c_str());
    return 1;
  }
  const std::string ours = ReadFile(block);
  if (ours == *theirs) {
    std::printf("%s: %zu bytes, the same as windres's\n", block.c_str(), ours.size());
    return 0;
  }
  std::size_t at = 0;
  while (at < ours.size() && at < theirs->size() && ours[at] == (*theirs)[at]) ++at;
  std::size_t row = at & ~std::size_t{15};
  std::fprintf(stderr,
               "%s differs from windres's version resource: %zu bytes against %zu; first "
               "difference at byte %zu (0x%zX)\n  ours    at 0x%zX:%s\n  windres at 0x%zX:%s\n",
               block.c_str(), ours.size(), theirs->size(), at, at, row, Hex(ours, row).c_str(), row,
               Hex(*theirs, row).c_str());
  return 1;
}
