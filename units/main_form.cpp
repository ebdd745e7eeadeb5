#include "units/main_form.h"

#include "generator/command_table.h"
#include "generator/emitter.h"
#include "generator/filter_string.h"
#include "generator/settings_check.h"
#include "generator/wizard_settings.h"
#include "platform/errors.h"
#include "platform/resources.h"

namespace orvalen {

namespace {

constexpr int kFormHead = 31;
constexpr int kMenuProperty = 32;
constexpr int kMdiFormStyle = 33;
constexpr int kShowHintProperty = 34;
constexpr int kOnCreateProperty = 35;
constexpr int kOnDestroyProperty = 36;
constexpr int kMainMenuHead = 37;
constexpr int kFileMenuItems = 38;
constexpr int kEditMenuItems = 39;
constexpr int kWindowMenuItems = 40;
constexpr int kHelpMenuItems = 41;
constexpr int kOpenDialog = 42;
constexpr int kSaveDialog = 43;
constexpr int kPrintDialog = 44;
constexpr int kPrintSetupDialog = 45;
constexpr int kStatusLineObject = 46;
constexpr int kSpeedBarHead = 47;
constexpr int kSpeedButtonHead = 48;
constexpr int kFileMenuRecentItems = 54;
constexpr int kImageListObject = 57;

// Where the speed buttons stand: the first at 8, each next one 24 further, so
// that neighbours share a pixel of border, and a space widens the gap by 4.
constexpr int kFirstButtonLeft = 8;
constexpr int kButtonStep = 24;
constexpr int kSpaceStep = 4;

void WriteMainMenu(const WizardSettings& s, Emitter& e) {
  e.WriteSnippet(kMainMenuHead);
  if (s.cbFileMenu) e.WriteSnippet(s.cbMRU ? kFileMenuRecentItems : kFileMenuItems);
  if (s.cbEditMenu) e.WriteSnippet(kEditMenuItems);
  if (s.cbWindowMenu) e.WriteSnippet(kWindowMenuItems);
  if (s.cbHelpMenu) e.WriteSnippet(kHelpMenuItems);
  e.WriteFormatted("  end\r\n");
}

// The File menu's dialogs; Open and Save offer the document types. A filter
// the format buffer would cut is refused rather than written broken.
void WriteFileDialogs(const WizardSettings& s, Emitter& e, const SnippetLibrary& library) {
  if (auto message = CheckFilter(s)) throw Error(*message);
  std::string filter = FilterFormText(FilterString(s.ExtListBox));
  e.WriteFormatted(library.Snippet(kOpenDialog), {filter});
  e.WriteFormatted(library.Snippet(kSaveDialog), {filter});
  e.WriteSnippet(kPrintDialog);
  e.WriteSnippet(kPrintSetupDialog);
}

void WriteSpeedBar(const WizardSettings& s, Emitter& e, const SnippetLibrary& library) {
  e.WriteSnippet(kSpeedBarHead);
  int x = kFirstButtonLeft;
  int n = 0;
  for (int i = 0; i < s.SpeedbarCount(); ++i) {
    int glyph = s.SpeedbarItemId(i);
    if (glyph == kSpeedbarSpace) {
      x += kSpaceStep;
      continue;
    }
    ++n;
    std::string handler = platform::LoadStr(glyph + (kHandlerId - kGlyphId));
    std::string hint = platform::LoadStr(glyph + (kHintId - kGlyphId));
    e.WriteFormatted(library.Snippet(kSpeedButtonHead), {n, x, handler, hint});
    e.WriteGlyphData(glyph);
    x += kButtonStep;
  }
  e.WriteFormatted("  end\r\n");
}

}  // namespace

void WriteMainFormText(const WizardSettings& s, Emitter& e) {
  const SnippetLibrary& library = e.Library();
  e.WriteFormattedSnippet(kFormHead, {s.AppName, s.AppName});
  if (s.cbMDIApp) e.WriteSnippet(kMdiFormStyle);
  if (s.AnyMenuChecked()) e.WriteSnippet(kMenuProperty);
  if (s.cbHints) e.WriteSnippet(kShowHintProperty);
  // Whenever the main unit declares FormCreate: the hint line or the recent list's registry.
  if (s.HintLine() || s.RegistryRecentList()) e.WriteSnippet(kOnCreateProperty);
  if (s.AnyMenuChecked()) {
    if (s.RegistryRecentList()) e.WriteSnippet(kOnDestroyProperty);
    e.WriteSnippet(kImageListObject);
    WriteMainMenu(s, e);
    if (s.cbFileMenu) WriteFileDialogs(s, e, library);
  }
  if (s.cbStatusLine) e.WriteSnippet(kStatusLineObject);
  if (s.SpeedbarCount() > 0) WriteSpeedBar(s, e, library);
  e.WriteFormatted("end\r\n");
}

}  // namespace orvalen
