// Everything a generation run reads from the wizard, as one value. Each field
// is named by the wizard control it comes from; defaults are those of a new
// wizard. The dialog fills it after it closes, the command-line generator from
// its arguments, tests directly; the writers never see a widget.
#pragma once

#include <string>
#include <vector>

namespace orvalen {

inline constexpr int kSpeedbarSpace = -1;

struct WizardSettings {
  // Menus page
  bool cbFileMenu = false;
  bool cbEditMenu = false;
  bool cbWindowMenu = false;
  bool cbHelpMenu = false;
  bool cbMRU = false;
  bool cbMRUReg = false;
  // Extensions page: each item is a description, "|", and the pattern(s).
  std::vector<std::string> ExtListBox;
  // Speedbtns page: the glyph id (11100 + command index) of each button, or
  // kSpeedbarSpace for a space, in order.
  std::vector<int> Speedbar;
  // AppInfo and Extras pages
  std::string AppName = "AppName";
  std::string AppPath = "AppPath";
  bool cbMDIApp = true;
  bool cbStatusLine = true;
  bool cbHints = true;
  bool cbMDIform = true;  // shown and remembered; no generation step reads it
  bool SingleInstanceApp = false;
  bool siDDE = false;  // follows SingleInstanceApp; nobody reads it
  // The target's ANSI code page: the generated files are 8-bit text in it, and
  // EncodeTypedText brings the typed text (UTF-8 as typed) into it.
  int CodePage = 1252;
  // What the files are for: "vcl" the Windows project, "lcl" a Lazarus
  // project (UTF-8 text, LF line ends, text forms only) built against the LCL.
  std::string Target = "vcl";

  bool operator==(const WizardSettings&) const = default;

  int SpeedbarCount() const { return static_cast<int>(Speedbar.size()); }
  // The glyph id of entry `index`, or -1 for a space; out of range raises std::out_of_range.
  int SpeedbarItemId(int index) const;

  bool MenuChecked(int menu) const;
  bool AnyMenuChecked() const;
  // The hint line: status line and hints both on.
  bool HintLine() const { return cbStatusLine && cbHints; }
  // The File menu's recent list.
  bool RecentList() const { return cbFileMenu && cbMRU; }
  // The recent list kept in the registry.
  bool RegistryRecentList() const { return cbFileMenu && cbMRU && cbMRUReg; }
  // The Lazarus target.
  bool Lazarus() const { return Target == kTargetLcl; }

  static constexpr const char* kTargetVcl = "vcl";
  static constexpr const char* kTargetLcl = "lcl";
};

}  // namespace orvalen
