// The wizard dialog: seven pages walked with Back and Next, the Finish
// checks, the menus, the document file types, the speedbar list and the
// application's options. The settings are one value held by the dialog; a
// page's controls are made when the page is first shown, filled from the
// value, and from then on hold the settings they show. Once the dialog has
// closed, Settings() gives them to the generation run as one value.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "generator/wizard_settings.h"
#include "platform/qt/message_box.h"
#include "platform/shell.h"
#include "wizard/core/form_storage.h"
#include "wizard/core/page_sequence.h"
#include "wizard/core/speedbar_list.h"
#include "wizard/directory_chooser.h"
#include "wizard/speedbar_painter.h"

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QMouseEvent;
class QPainter;

namespace Ui {
struct TAppExpert;
}

namespace orvalen::about {
class ClickLabel;
}

namespace orvalen::wizard {

class PreviewWindow;

// What the dialog reaches outside itself, so the tests can answer for it.
struct WizardServices {
  platform::MessageBoxes* messageBoxes = nullptr;
  platform::Shell* shell = nullptr;
  DirectoryChooser* directoryChooser = nullptr;
  std::function<void(QWidget*)> showAbout;
  FormStorage::RegistryFactory openRegistry;
  std::string settingsKey;  // "Software\<program name>"
  // The host opens Lazarus projects only (an IDE that cannot open a Windows
  // project): the wizard writes the Lazarus target, whatever was remembered.
  bool lazarusOnly = false;
};

// The real message boxes, shell, chooser and about box, and the current
// user's registry under the running program's name.
WizardServices DefaultWizardServices();

// Modal results.
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

class TAppExpert : public QDialog {
  Q_OBJECT
 public:
  TAppExpert(QWidget* parent, WizardServices services);
  // Saves nothing: the remembered settings are saved when the dialog closes.
  ~TAppExpert() override;

  // The controls of every page, the pages not shown yet made first.
  Ui::TAppExpert& Controls();
  // Makes a page's controls, filled from the settings, if not made yet.
  void BuildPage(int page);
  bool PageBuilt(int page) const { return built_.at(static_cast<std::size_t>(page)); }

  // The wizard settings as the controls hold them, typed text in the target's
  // code page. Read after the dialog closed with Finish.
  WizardSettings Settings() const;
  // The same with the typed text as typed (UTF-8), as answer files hold it.
  WizardSettings RawSettings() const;
  // Puts settings (an answer file's) into the controls as a person would set
  // them, without the MDI child form's question; the speedbar is replaced.
  void ApplySettings(const WizardSettings& settings);
  // The Preview window, once opened.
  PreviewWindow* Preview() const { return preview_; }

  int SpeedbarCount() const { return speedItems_.SpeedbarCount(); }
  int SpeedbarItemId(int index) const { return speedItems_.SpeedbarItemId(index); }
  bool AnyMenuChecked() const;
  SpeedbarList& SpeedItems() { return speedItems_; }
  int InsertIndex() const { return speedItems_.InsertIndex(); }
  Slot SlotRect(int index) const { return speedItems_.SlotRect(index); }
  int SlotAtPoint(int x, int y) const { return speedItems_.SlotAtPoint(x, y); }
  const CommandGlyphList& CommandGlyphs() const { return commandGlyphs_; }
  const QImage& SpeedBuffer() const { return speedBuffer_; }
  // Decoded when the speedbar page is first made.
  const QImage& PointerGlyph() const { return pointerGlyph_; }

  // Where Back or Next leads from the page shown now.
  StepTarget GetNextPage(Step step) const;
  void UpdateButtons();
  bool CheckAppInfo();
  const QImage& PagePicture() const { return pagePicture_; }

 signals:
  // A setting has changed: a box, a text, the file types, the speedbar, or
  // settings applied all at once.
  void SettingsChanged();

 public slots:
  void NextPrevClick();
  void AboutClick();
  void PreviewClick();
  void cbMDIAppClick();
  void cbMDIformClick();
  void SingleInstanceAppClick();
  void cbMRUClick();
  void BrowseClick();
  void WebLinkClick();
  void MenuClicked();
  void MenuListClick();
  void MenuListDblClick();
  void InsertClick();
  void RemoveClick();
  void SpaceClick();
  void AddClick();
  void EditClick();
  void DeleteClick();
  void MoveClick();
  void HeaderSized();
  void SpeedMouseDown(QMouseEvent& event);
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  // Inside a host that opens Lazarus projects only: the Extras page's Windows
  // target cannot be chosen.
  void KeepLazarusTarget();
  void Connect();
  // Each page's controls: made, filled from the settings with the enabling
  // rules applied, and wired.
  void BuildMenus();
  void BuildExtensions();
  void BuildSpeedbtns();
  void BuildAppInfo();
  void BuildExtras();
  void BuildHint();
  // Every change of a setting a page's controls make is told on.
  void ConnectChanges(QWidget& page);
  // A button's or a link's click runs a handler, guarded.
  void On(QAbstractButton* button, void (TAppExpert::*handler)());
  void OnLink(about::ClickLabel* link);
  std::function<void()> Guard(void (TAppExpert::*handler)());
  void LoadPagePicture(int page);
  void SamplePaint(QPainter& painter);
  void SpeedbarPaint(QPainter& painter);
  // The insertion index moved by the keyboard, kept in view.
  void MoveInsertIndex(int index);
  void ShowPage(int page);
  void ShowError(const QString& message);
  void ShowException(const std::exception& error);
  // Runs a handler; an error it raises is shown and the dialog stays open.
  void Guarded(const std::function<void()>& handler);
  // A check box's setting, from its box when its page has been made.
  bool Flag(bool WizardSettings::*flag) const;
  // Sets a check box's setting as its owner's code would: a change fires the
  // box's click handler, whether or not its page has been made.
  void SetCheckedFiring(bool WizardSettings::*flag, bool checked);
  // The speedbar list changed: its view redrawn, or the change told on.
  void SpeedbarChanged();
  void SaveSettings();

  // One setting put into its control, or into the value while its page has
  // not been made, a box whose state changes firing its click handler as a
  // person's click would; `asked`: the MDI child form's question too. And one
  // setting read from its control where its page has been made.
  void PutSetting(const SettingDescription& setting, const WizardSettings& settings, bool asked);
  void TakeSetting(const SettingDescription& setting, WizardSettings& settings) const;
  // The controls of a setting; null while its page has not been made.
  QCheckBox* FlagBox(bool WizardSettings::*flag) const;
  QLineEdit* TextEdit(const SettingDescription& setting) const;
  // The settings' values put into the controls of a page just made.
  void FillPage(int page);
  std::vector<std::string> ExtItems() const;
  void SetExtItems(const std::vector<std::string>& items);

  std::unique_ptr<Ui::TAppExpert> ui_;
  WizardServices services_;
  FormStorage formStorage_;
  SpeedbarList speedItems_;
  CommandGlyphList commandGlyphs_;
  QImage pointerGlyph_;
  QImage speedBuffer_;
  QImage pagePicture_;
  bool shown_ = false;
  // The settings; those whose page has been made are held by its controls.
  // The code page has no control; an answer file may set it.
  WizardSettings settings_;
  std::array<bool, kPageCount> built_{};
  std::string rememberedTarget_ = WizardSettings().Target;  // saved back when lazarusOnly
  PreviewWindow* preview_ = nullptr;
};

}  // namespace orvalen::wizard
