// What the module tells Qt before it makes its own application inside a host
// of another toolkit, for the environments a person's desktop gives.
#include "hosts/expert/foreign_host.h"

#include <gtest/gtest.h>

#include <map>

namespace orvalen::hosts {
namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

Settings ChoicesIn(const std::map<std::string, std::string>& environment) {
  return ForeignHostQtEnvironment([&](const char* name) -> const char* {
    auto it = environment.find(name);
    return it == environment.end() ? nullptr : it->second.c_str();
  });
}

TEST(ForeignHost, QtGetsAThemeWithoutGtkAndTheHostsDisplayUnlessThePersonChose) {
  struct Row {
    const char* name;
    std::map<std::string, std::string> environment;
    Settings expected;
  };
  const Row rows[] = {
      {"GNOME on X",
       {{"XDG_CURRENT_DESKTOP", "GNOME"}, {"DISPLAY", ":0"}},
       {{"QT_QPA_PLATFORMTHEME", "gnome"}, {"QT_QPA_PLATFORM", "xcb"}}},
      {"GNOME Classic, lower case",
       {{"XDG_CURRENT_DESKTOP", "gnome-classic:gnome"}, {"DISPLAY", ":0"}},
       {{"QT_QPA_PLATFORMTHEME", "gnome"}, {"QT_QPA_PLATFORM", "xcb"}}},
      {"Cinnamon",
       {{"XDG_CURRENT_DESKTOP", "X-Cinnamon"}, {"DISPLAY", ":1"}},
       {{"QT_QPA_PLATFORMTHEME", "gnome"}, {"QT_QPA_PLATFORM", "xcb"}}},
      {"XFCE from the session name only",
       {{"DESKTOP_SESSION", "xfce"}, {"DISPLAY", ":0"}},
       {{"QT_QPA_PLATFORMTHEME", "gnome"}, {"QT_QPA_PLATFORM", "xcb"}}},
      {"KDE",
       {{"XDG_CURRENT_DESKTOP", "KDE"}, {"DISPLAY", ":0"}},
       {{"QT_QPA_PLATFORMTHEME", "kde"}, {"QT_QPA_PLATFORM", "xcb"}}},
      {"no desktop (a bare X server)",
       {{"DISPLAY", ":5"}},
       {{"QT_QPA_PLATFORMTHEME", "generic"}, {"QT_QPA_PLATFORM", "xcb"}}},
      {"Wayland session with XWayland",
       {{"XDG_CURRENT_DESKTOP", "GNOME"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}},
       {{"QT_QPA_PLATFORMTHEME", "gnome"}, {"QT_QPA_PLATFORM", "xcb"}}},
      {"Wayland only: the platform left to Qt",
       {{"XDG_CURRENT_DESKTOP", "GNOME"}, {"WAYLAND_DISPLAY", "wayland-0"}},
       {{"QT_QPA_PLATFORMTHEME", "gnome"}}},
      {"the person's theme and platform kept",
       {{"XDG_CURRENT_DESKTOP", "GNOME"},
        {"DISPLAY", ":0"},
        {"QT_QPA_PLATFORMTHEME", "gtk3"},
        {"QT_QPA_PLATFORM", "offscreen"}},
       {}},
      {"an empty theme is no choice",
       {{"XDG_CURRENT_DESKTOP", "MATE"}, {"QT_QPA_PLATFORMTHEME", ""}},
       {{"QT_QPA_PLATFORMTHEME", "gnome"}}},
  };
  for (const Row& row : rows) EXPECT_EQ(ChoicesIn(row.environment), row.expected) << row.name;
}

}  // namespace
}  // namespace orvalen::hosts
