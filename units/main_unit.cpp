#include "units/main_unit.h"

#include <algorithm>
#include <string>

#include "generator/command_table.h"
#include "generator/emitter.h"
#include "generator/string_ids.h"
#include "generator/wizard_settings.h"
#include "platform/resources.h"

namespace orvalen {

namespace {

// Template snippets of the main unit.
constexpr int kMainInterface = 3;
constexpr int kMainImplementation = 4;
constexpr int kFormCreateBody = 5;
constexpr int kShowHintBody = 6;
constexpr int kFileMenuClickBody = 7;
constexpr int kOpenTheFileBody = 15;
constexpr int kCloseBody = 16;
constexpr int kCloseAllBody = 17;
constexpr int kWindowMenuClickBody = 29;
constexpr int kActivateAppBody = 30;
constexpr int kMruBody = 52;
constexpr int kOpenRecentBody = 53;
constexpr int kMruRegistryCreateBody = 58;
constexpr int kFormDestroyBody = 59;

constexpr std::size_t kSpeedButtonFormatLimit = 80;
constexpr std::size_t kSpeedButtonCaptionLimit = 30;

constexpr const char* kFileNameParam = "FileName:String";
// MRUMenu's head spells its parameter "Filename"; Pascal does not mind.
constexpr const char* kMruHeadParam = "Filename:String";

// The Lazarus program has no window to find: the running copy listens on a
// channel (InstanceChannel) that a second copy tells, and polls it.
void WriteRunningCopyDecls(Emitter& e) {
  e.WriteFormatted(
      "    procedure um_Activate(var msg: TLMessage); Message umActivate;\r\n"
      "  private\r\n"
      "    RunningCopies: TSimpleIPCServer;\r\n"
      "    procedure RunningCopyCalls(Sender: TObject);\r\n"
      "  protected\r\n"
      "    procedure DoCreate; override;\r\n");
}

void WriteRunningCopyImpl(const std::string& formClass, Emitter& e) {
  e.WriteFormatted(
      "\r\n"
      "procedure T%s.DoCreate;\r\n"
      "begin\r\n"
      "  { listens before the form shows, so that a second copy finds it }\r\n"
      "  RunningCopies := TSimpleIPCServer.Create(Self);\r\n"
      "  RunningCopies.ServerID := InstanceChannel;\r\n"
      "  RunningCopies.Global := True;\r\n"
      "  RunningCopies.StartServer;\r\n"
      "  with TTimer.Create(Self) do\r\n"
      "  begin\r\n"
      "    Interval := 200;\r\n"
      "    OnTimer := RunningCopyCalls;\r\n"
      "  end;\r\n"
      "  inherited DoCreate;\r\n"
      "end;\r\n"
      "\r\n"
      "procedure T%s.RunningCopyCalls(Sender: TObject);\r\n"
      "begin\r\n"
      "  if RunningCopies.PeekMessage(0, True) then\r\n"
      "    Perform(umactivate, 0, 0);\r\n"
      "end;\r\n"
      "\r\n",
      {formClass, formClass});
}

void WriteMenuFieldGroups(const WizardSettings& s, Emitter& e) {
  if (s.cbFileMenu) {
    e.WriteMenuFields(kFileMenu);
    // The File handlers hand Recent to every document whether or not the
    // menu carries the list; without it the field simply stays nil.
    e.WriteField(ids::kRecent, "TMenuItem");
    e.WriteField(ids::kN11, "TMenuItem");
    e.WriteField(ids::kN5, "TMenuItem");
    e.WriteField(ids::kN1, "TMenuItem");
    e.WriteField(ids::kCloseMenu, "TMenuItem");
    e.WriteField(ids::kCloseAllMenu, "TMenuItem");
    // Documents list themselves under WMenu; without a Window menu it stays nil.
    if (!s.cbWindowMenu) e.WriteField(ids::kWMenu, "TMenuItem");
  }
  if (s.cbEditMenu) e.WriteMenuFields(kEditMenu);
  if (s.cbWindowMenu) {
    e.WriteField(ids::kWMenu, "TMenuItem");
    e.WriteMenuFields(kWindowMenu);
    // WindowMenuClick shows or hides N5, which the File group declares otherwise.
    if (!s.cbFileMenu) e.WriteField(ids::kN5, "TMenuItem");
  }
  if (s.cbHelpMenu) e.WriteMenuFields(kHelpMenu);
}

void WriteSpeedbarFields(const WizardSettings& s, Emitter& e) {
  e.WriteField(ids::kSpeedBar, "TPanel");
  std::string format =
      "    " + platform::LoadStr(ids::kSpeedButton) + ": TSpeedButton;  { %s }\r\n";
  format.resize(std::min(format.size(), kSpeedButtonFormatLimit));
  long long n = 1;
  for (int i = 0; i < s.SpeedbarCount(); ++i) {
    int glyphId = s.SpeedbarItemId(i);
    if (glyphId == kSpeedbarSpace) continue;
    std::string caption = platform::LoadStr(glyphId).substr(0, kSpeedButtonCaptionLimit);
    e.WriteFormatted(format, {n, caption});
    ++n;
  }
}

void WriteInterface(const WizardSettings& s, Emitter& e) {
  const std::string& app = s.AppName;
  e.WriteFormattedSnippet(kMainInterface, {app});
  if (s.AnyMenuChecked()) {
    e.WriteField(ids::kMainMenu, "TMainMenu");
    e.WriteField(ids::kImageList, "TImageList");
    WriteMenuFieldGroups(s, e);
  }
  if (s.cbStatusLine) e.WriteField(ids::kStatusLine, "TStatusBar");
  if (s.cbFileMenu) {
    e.WriteField(ids::kOpenDialog, "TOpenDialog");
    e.WriteField(ids::kSaveDialog, "TSaveDialog");
    e.WriteField(ids::kPrintDialog, "TPrintDialog");
    e.WriteField(ids::kPrintSetupDialog, "TPrinterSetupDialog");
  }
  if (s.SpeedbarCount() > 0) WriteSpeedbarFields(s, e);

  if (s.HintLine() || s.RegistryRecentList()) e.WriteHandlerDecl(ids::kFormCreate);
  if (s.RegistryRecentList()) e.WriteHandlerDecl(ids::kFormDestroy);
  if (s.HintLine()) e.WriteHandlerDecl(ids::kShowHint);
  if (s.cbFileMenu) {
    e.WriteMenuHandlerDecls(kFileMenu);
    e.WriteHandlerDecl(ids::kCloseMenuClick);
    e.WriteHandlerDecl(ids::kCloseAllMenuClick);
    e.WriteParamDecl(ids::kOpenTheFile, kFileNameParam);
    // FileNew, OpenTheFile and FileSaveAs use OpenRecent and MRUMenu with or
    // without the recent list, so the File menu always brings both.
    e.WriteHandlerDecl(ids::kOpenRecent);
    if (s.cbMRU) e.WriteHandlerDecl(ids::kFileMenuClick);
    e.WriteParamDecl(ids::kMRUMenu, kFileNameParam);
  }
  if (s.cbEditMenu) e.WriteMenuHandlerDecls(kEditMenu);
  if (s.cbWindowMenu) {
    e.WriteMenuHandlerDecls(kWindowMenu);
    e.WriteHandlerDecl(ids::kWindowMenuClick);
  }
  if (s.cbHelpMenu) e.WriteMenuHandlerDecls(kHelpMenu);
  if (s.SingleInstanceApp && s.Lazarus())
    WriteRunningCopyDecls(e);
  else if (s.SingleInstanceApp)
    e.WriteFormatted("    procedure um_Activate(var msg: TMessage); Message umActivate;\r\n");
  if (s.RegistryRecentList()) e.WriteFormatted("    Private\r\n     Reg:TRegistry;\r\n");
  e.WriteFormattedSnippet(kMainImplementation, {app, app});
}

void WriteFileImplementation(const WizardSettings& s, Emitter& e) {
  const std::string& app = s.AppName;
  e.WriteMenuHandlers(kFileMenu, MenuFirstBodySnippet[kFileMenu], s);
  e.WriteHandlerHead(app, ids::kCloseMenuClick);
  e.WriteSnippet(kCloseBody);
  e.WriteHandlerHead(app, ids::kCloseAllMenuClick);
  e.WriteSnippet(kCloseAllBody);
  e.WriteParamHead(app, ids::kOpenTheFile, kFileNameParam);
  e.WriteSnippet(kOpenTheFileBody);
  if (s.RegistryRecentList()) {
    // The registry list's FormCreate also routes the hints when both are on,
    // so the form keeps a single FormCreate.
    e.WriteHandlerHead(app, ids::kFormCreate);
    e.WriteSnippet(kMruRegistryCreateBody);
    if (s.HintLine()) e.WriteFormatted("Application.OnHint := ShowHint;\r\n");
    e.WriteFormatted("End;\r\n");
  }
  e.WriteParamHead(app, ids::kMRUMenu, kMruHeadParam);
  e.WriteSnippet(kMruBody);
  e.WriteHandlerHead(app, ids::kOpenRecent);
  e.WriteSnippet(kOpenRecentBody);
  if (s.cbMRU) {
    e.WriteHandlerHead(app, ids::kFileMenuClick);
    e.WriteSnippet(kFileMenuClickBody);
  }
  if (s.RegistryRecentList()) {
    e.WriteHandlerHead(app, ids::kFormDestroy);
    e.WriteSnippet(kFormDestroyBody);
  }
}

void WriteImplementation(const WizardSettings& s, Emitter& e) {
  const std::string& app = s.AppName;
  if (s.HintLine()) {
    if (!s.RegistryRecentList()) {
      e.WriteHandlerHead(app, ids::kFormCreate);
      e.WriteSnippet(kFormCreateBody);
    }
    e.WriteHandlerHead(app, ids::kShowHint);
    e.WriteSnippet(kShowHintBody);
  }
  if (s.cbFileMenu) WriteFileImplementation(s, e);
  if (s.cbEditMenu) e.WriteMenuHandlers(kEditMenu, MenuFirstBodySnippet[kEditMenu], s);
  if (s.cbWindowMenu) {
    e.WriteMenuHandlers(kWindowMenu, MenuFirstBodySnippet[kWindowMenu], s);
    e.WriteHandlerHead(app, ids::kWindowMenuClick);
    e.WriteSnippet(kWindowMenuClickBody);
  }
  if (s.cbHelpMenu) e.WriteMenuHandlers(kHelpMenu, MenuFirstBodySnippet[kHelpMenu], s);
  if (s.SingleInstanceApp) {
    std::string stem = platform::LoadStr(ids::kMainForm);
    e.WriteFormatted("procedure T%s%s.um_Activate(var msg: %s);\r\n",
                     {stem, app, s.Lazarus() ? "TLMessage" : "TMessage"});
    e.WriteSnippet(kActivateAppBody);
    if (s.Lazarus()) WriteRunningCopyImpl(stem + app, e);
  }
  e.WriteFormatted("end.\r\n");
}

}  // namespace

void WriteMainUnit(const WizardSettings& settings, Emitter& emitter) {
  WriteInterface(settings, emitter);
  WriteImplementation(settings, emitter);
}

}  // namespace orvalen
