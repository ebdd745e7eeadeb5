#include "hosts/expert/foreign_host.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace orvalen::hosts {

namespace {

bool Set(const EnvironmentReader& getenv, const char* name) {
  const char* value = getenv(name);
  return value && *value;
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// The desktop's names, as Qt reads them: XDG_CURRENT_DESKTOP (a colon list),
// else DESKTOP_SESSION.
std::vector<std::string> DesktopNames(const EnvironmentReader& getenv) {
  const char* desktop = getenv("XDG_CURRENT_DESKTOP");
  if (!desktop || !*desktop) desktop = getenv("DESKTOP_SESSION");
  std::vector<std::string> names;
  std::istringstream list(desktop ? desktop : "");
  for (std::string name; std::getline(list, name, ':');)
    if (!name.empty()) names.push_back(Upper(name));
  return names;
}

// The theme Qt itself would pick, but never one that loads GTK.
std::string ThemeWithoutGtk(const EnvironmentReader& getenv) {
  static const char* const kGtkDesktops[] = {"GNOME",    "UNITY",     "MATE",   "XFCE",
                                             "XFCE4",    "LXDE",      "BUDGIE", "PANTHEON",
                                             "CINNAMON", "X-CINNAMON"};
  for (const std::string& name : DesktopNames(getenv)) {
    if (name == "KDE" || name == "PLASMA") return "kde";
    for (const char* gtk : kGtkDesktops)
      if (name == gtk || name.rfind(std::string(gtk) + "-", 0) == 0) return "gnome";
  }
  return "generic";
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ForeignHostQtEnvironment(
    const EnvironmentReader& getenv) {
  std::vector<std::pair<std::string, std::string>> settings;
  if (!Set(getenv, "QT_QPA_PLATFORMTHEME"))
    settings.emplace_back("QT_QPA_PLATFORMTHEME", ThemeWithoutGtk(getenv));
  if (!Set(getenv, "QT_QPA_PLATFORM") && Set(getenv, "DISPLAY"))
    settings.emplace_back("QT_QPA_PLATFORM", "xcb");
  return settings;
}

void PrepareForeignHostEnvironment() {
  for (const auto& [name, value] :
       ForeignHostQtEnvironment([](const char* name) { return std::getenv(name); }))
    setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace orvalen::hosts
