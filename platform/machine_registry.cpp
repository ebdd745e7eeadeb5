#include "platform/machine_registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

namespace orvalen::platform {
namespace {

const KeyPath kBiosKey = {"Enum", "Root", "*PNP0C01", "0000"};
const KeyPath kNetworkKey = {"System", "CurrentControlSet", "Services", "VxD", "VNETSUP"};
const KeyPath kVersionKey = {"SOFTWARE", "Microsoft", "Windows", "CurrentVersion"};

// Sources are a line or a few; anything longer is not one of them.
constexpr std::size_t kMaxSourceSize = 1 << 16;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v';
}

std::string TrimEnd(std::string text) {
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
  return text;
}

// The file's bytes, or nothing when it cannot be read (missing, no
// permission, a directory, too large).
std::optional<std::string> ReadSource(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string text;
  char chunk[4096];
  bool whole = false;
  while (text.size() <= kMaxSourceSize) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      whole = n == 0;
      break;
    }
    text.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (!whole || text.size() > kMaxSourceSize) return std::nullopt;
  return text;
}

class SourceReader {
 public:
  explicit SourceReader(const std::string& rootDir) : root_(rootDir) {}

  std::string PathOf(std::string_view relative) const {
    return (root_ / relative).lexically_normal().string();
  }
  std::optional<std::string> Line(std::string_view relative) const {
    std::optional<std::string> text = ReadSource(PathOf(relative));
    if (text) *text = TrimEnd(std::move(*text));
    return text;
  }
  std::optional<std::map<std::string, std::string>> Assignments(std::string_view relative) const {
    std::optional<std::string> text = ReadSource(PathOf(relative));
    if (!text) return std::nullopt;
    return ReadShellAssignments(*text);
  }
  bool IsDirectory(std::string_view relative) const {
    std::error_code ec;
    return std::filesystem::is_directory(root_ / relative, ec);
  }

 private:
  std::filesystem::path root_;
};

void AddValue(RegistryKey& root, const KeyPath& key, const char* name,
              std::optional<std::string> text) {
  if (text) text = TrimEnd(std::move(*text));
  if (text && !text->empty()) root.Create(key).SetValue(name, {RegDataType::String, *text});
}

std::optional<std::string> Lookup(const std::map<std::string, std::string>& assignments,
                                  const char* name) {
  auto it = assignments.find(name);
  if (it == assignments.end()) return std::nullopt;
  return it->second;
}

void AddBios(RegistryKey& root, const SourceReader& sources) {
  AddValue(root, kBiosKey, "BIOSDate", sources.Line("sys/class/dmi/id/bios_date"));
  AddValue(root, kBiosKey, "BIOSName", sources.Line("sys/class/dmi/id/bios_vendor"));
  AddValue(root, kBiosKey, "BIOSVersion", sources.Line("sys/class/dmi/id/bios_version"));
}

void AddNetwork(RegistryKey& root, const SourceReader& sources) {
  AddValue(root, kNetworkKey, "ComputerName", sources.Line("proc/sys/kernel/hostname"));
  std::optional<std::string> domain = sources.Line("proc/sys/kernel/domainname");
  if (domain != "(none)") AddValue(root, kNetworkKey, "Workgroup", domain);
  if (auto machineInfo = sources.Assignments("etc/machine-info"))
    AddValue(root, kNetworkKey, "Comment", Lookup(*machineInfo, "PRETTY_HOSTNAME"));
}

void AddVersion(RegistryKey& root, const SourceReader& sources) {
  auto release = sources.Assignments("etc/os-release");
  if (!release) release = sources.Assignments("usr/lib/os-release");
  if (!release) return;
  root.Create(kVersionKey);
  AddValue(root, kVersionKey, "ProductName", Lookup(*release, "PRETTY_NAME"));
  AddValue(root, kVersionKey, "Version", Lookup(*release, "VERSION"));
  AddValue(root, kVersionKey, "VersionNumber", Lookup(*release, "VERSION_ID"));
  static const struct {
    const char* name;
    const char* dir;
  } kDirectories[] = {
      {"SystemRoot", "/"},
      {"ProgramFilesDir", "/usr"},
      {"CommonFilesDir", "/usr/share"},
      {"ConfigPath", "/etc"},
      {"DevicePath", "/dev"},
      {"MediaPath", "/usr/share/sounds"},
      {"WallPaperDir", "/usr/share/backgrounds"},
  };
  for (const auto& [name, dir] : kDirectories)
    if (sources.IsDirectory(dir + 1)) AddValue(root, kVersionKey, name, dir);
}

// One word of shell text: quotes removed, escapes resolved. Unquoted blanks
// stay inside the word (a hand-written "PRETTY_HOSTNAME=My box" means what it
// says) but trailing ones do not. Nothing when a quote is left open.
std::optional<std::string> ShellWord(std::string_view text) {
  std::string word;
  std::size_t kept = 0;  // the word's length up to its last quoted or non-blank character
  char quote = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quote == '\'') {
      if (c == '\'')
        quote = 0;
      else
        word += c;
    } else if (quote == '"') {
      if (c == '"')
        quote = 0;
      else if (c == '\\' && i + 1 < text.size() &&
               std::string_view("\"\\$`").find(text[i + 1]) != std::string_view::npos)
        word += text[++i];
      else
        word += c;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '\\' && i + 1 < text.size()) {
      word += text[++i];
    } else {
      word += c;
      if (!IsBlank(c)) kept = word.size();
      continue;
    }
    kept = word.size();
  }
  if (quote) return std::nullopt;
  word.resize(kept);
  return word;
}

bool IsShellName(std::string_view name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (char c : name)
    if (!(c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
      return false;
  return true;
}

}  // namespace

std::map<std::string, std::string> ReadShellAssignments(std::string_view text) {
  std::map<std::string, std::string> assignments;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    std::size_t eq = line.find('=');
    if (line.empty() || line.front() == '#' || eq == std::string_view::npos) continue;
    std::string_view name = line.substr(0, eq);
    std::optional<std::string> value = ShellWord(line.substr(eq + 1));
    if (IsShellName(name) && value) assignments[std::string(name)] = std::move(*value);
  }
  return assignments;
}

MachineRegistry::MachineRegistry(std::string rootDir) : rootDir_(std::move(rootDir)) {}

void MachineRegistry::Refresh() {
  SourceReader sources(rootDir_);
  RegistryKey root;
  AddBios(root, sources);
  AddNetwork(root, sources);
  AddVersion(root, sources);
  view_ = std::move(root);
  loaded_ = true;
}

const RegistryKey& MachineRegistry::Root() {
  if (!loaded_) Refresh();
  return view_;
}

void MachineRegistry::Apply(RegistryChange change) {
  std::string what =
      change.kind == RegistryChange::Kind::SetValue      ? "set data for '" + change.name + "'"
      : change.kind == RegistryChange::Kind::DeleteValue ? "delete value '" + change.name + "'"
                                                         : "change key " + JoinKeyPath(change.key);
  throw ERegistryException("Failed to " + what + ": the local machine's registry is read-only");
}

std::shared_ptr<RegistryBackend> LocalMachineView(std::string rootDir) {
  return std::make_shared<MachineRegistry>(std::move(rootDir));
}

}  // namespace orvalen::platform
