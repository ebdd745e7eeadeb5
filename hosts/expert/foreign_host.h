// What the module sets up before it makes a Qt application of its own inside
// a host of another toolkit (a gtk2 or qt5 IDE). No Qt here: the choices are
// read from the environment the host passes on, so they can be checked alone.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orvalen::hosts {

using EnvironmentReader = std::function<const char*(const char* name)>;

// The variables to set, name and value, each only where the person set none:
// - QT_QPA_PLATFORMTHEME: a theme built into Qt, never the GTK 3 one a GTK
//   desktop would otherwise get (GTK 3 inside a GTK 2 process warns from GLib
//   and fights over its types): "kde" on KDE, "gnome" on GTK desktops, else
//   "generic".
// - QT_QPA_PLATFORM: "xcb" when the host has an X display, since the host's
//   window handle is an X window id the wizard is made transient for (Qt would
//   choose Wayland in a Wayland session, where that id means nothing).
std::vector<std::pair<std::string, std::string>> ForeignHostQtEnvironment(
    const EnvironmentReader& getenv);

// Sets them in this process (before the application object exists).
void PrepareForeignHostEnvironment();

}  // namespace orvalen::hosts
