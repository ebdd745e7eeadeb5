#include "about/about_content.h"

#include <cstdint>
#include <utility>

#include "generator/format.h"
#include "platform/version_info.h"

namespace orvalen::about {

namespace {

// The keys the panel lists, in its order.
constexpr const char* kListedKeys[] = {
    "CompanyName",     "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTradeMarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments",
};

// "%15s = %s": the key right-aligned in 15 characters.
std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line;
  if (key.size() < 15) line.assign(15 - key.size(), ' ');
  line += key;
  line += " = ";
  line += value;
  return line;
}

}  // namespace

void AddVersionInfo(AboutContent& content, const std::string& fileName,
                    std::string_view languageBlock, const std::string& applicationTitle) {
  const std::uint32_t size = platform::GetFileVersionInfoSize(fileName);
  if (size == 0) {
    content.lines.emplace_back("No FileVersionInfo found");
    return;
  }
  std::vector<std::uint8_t> block(size, 0);
  content.lines.push_back("FileVersionInfoSize=" + std::to_string(size));
  platform::GetFileVersionInfo(fileName, size, block.data());

  const std::string prefix = "StringFileInfo\\" + std::string(languageBlock) + "\\";
  auto query = [&](std::string_view key) {
    return platform::VerQueryString(block.data(), size, prefix + std::string(key));
  };
  for (const char* key : kListedKeys) {
    if (auto value = query(key)) content.lines.push_back(KeyLine(key, *value));
  }
  AboutLabels& labels = content.labels;
  if (auto v = query("ProductName")) labels.productName = *v;
  if (auto v = query("LegalCopyright")) labels.copyright = *v;
  if (auto v = query("ProductVersion")) labels.version = *v;
  if (auto v = query("Email")) labels.email = "mailto:" + *v + "?subject=" + applicationTitle;
  if (auto v = query("URL")) labels.url = *v;
}

AboutContent CollectAboutContent(const AboutSources& sources) {
  AboutContent content;
  auto registry = sources.OpenMachine();
  std::string workgroup, computerName, comment;
  if (registry->OpenKeyReadOnly(std::string("\\") + kNetworkKey)) {
    workgroup = ReadStringOrEmpty(*registry, "Workgroup");
    computerName = ReadStringOrEmpty(*registry, "ComputerName");
    comment = ReadStringOrEmpty(*registry, "Comment");
    registry->CloseKey();
  }
  const bool windowsKey = registry->OpenKeyReadOnly(std::string("\\") + kWindowsKey);
  const std::string userName = ReadUserName(sources.userName);
  content.lines.push_back(
      Format("User: %s on %s (%s) in domain:%s", {userName, computerName, comment, workgroup}));
  std::string productName, versionNumber, owner, organization;
  if (windowsKey) {
    productName = ReadStringOrEmpty(*registry, "ProductName");
    versionNumber = ReadStringOrEmpty(*registry, "VersionNumber");
    owner = ReadStringOrEmpty(*registry, "RegisteredOwner");
    organization = ReadStringOrEmpty(*registry, "RegisteredOrganization");
    registry->CloseKey();
  }
  content.lines.push_back(Format("Running %s Version %s Registered to %s of %s",
                                 {productName, versionNumber, owner, organization}));
  content.lines.emplace_back();
  content.lines.push_back(Format("-- Version Information for %s in %s--",
                                 {sources.applicationTitle, sources.programFile}));
  content.lines.emplace_back();
  AddVersionInfo(content, sources.programFile, kLanguageBlock, sources.applicationTitle);
  if (sources.libraryFile)
    AddVersionInfo(content, *sources.libraryFile, kLanguageBlock, sources.applicationTitle);
  return content;
}

}  // namespace orvalen::about
