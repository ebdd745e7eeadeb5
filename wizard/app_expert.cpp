#include "wizard/app_expert.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <array>

#include "about/about_form.h"
#include "generator/command_table.h"
#include "generator/settings_check.h"
#include "generator/string_ids.h"
#include "platform/qt/application_title.h"
#include "platform/qt/bitmap_colours.h"
#include "platform/qt/desktop_shell.h"
#include "platform/qt/dialog_font.h"
#include "platform/qt/legible_colours.h"
#include "platform/resources.h"
#include "wizard/app_expert_controls.h"
#include "wizard/extension_delegate.h"
#include "wizard/menu_item_delegate.h"
#include "wizard/preview_placement.h"
#include "wizard/preview_window.h"

namespace orvalen::wizard {

namespace {

// The picture beside each page; only the four designer pages ship one.
constexpr std::array<const char*, 7> PagePictures = {
    "LICENCE", "MENUDSGN", "EXTDSGN", "SPEEDDSGN", "INFODSGN", "VERSIONDSGN", "INFODSN"};

}  // namespace

WizardServices DefaultWizardServices() {
  static QtDirectoryChooser chooser(platform::DefaultMessageBoxes());
  WizardServices services;
  services.messageBoxes = &platform::DefaultMessageBoxes();
  services.shell = &platform::DefaultShell();
  services.directoryChooser = &chooser;
  services.showAbout = [](QWidget* parent) { about::ShowAboutBox(parent); };
  services.openRegistry = FormStorage::DefaultRegistry();
  services.settingsKey = FormStorage::DefaultKeyPath();
  return services;
}

TAppExpert::TAppExpert(QWidget* parent, WizardServices services)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowContextHelpButtonHint),
      ui_(std::make_unique<Ui::TAppExpert>()),
      services_(std::move(services)),
      formStorage_(services_.openRegistry, services_.settingsKey) {
  platform::UseClassicDialogFont();
  ui_->AppExpertFrame::setupUi(this);
  platform::KeepFixedColoursLegible(*this);
  Connect();
  FormCreate();
  if (services_.lazarusOnly) settings_.Target = WizardSettings::kTargetLcl;
}

void TAppExpert::KeepLazarusTarget() {
  ui_->rbTargetVcl->setEnabled(false);
  ui_->rbTargetVcl->setToolTip(tr("This IDE opens Lazarus projects only"));
}

TAppExpert::~TAppExpert() {
  // QWidget's destructor deletes the controls after this one has run, and
  // some tell of it (the file-type list's model resets as it goes): nothing
  // they send then may reach this part of the object, which is gone.
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

void TAppExpert::FormCreate() {
  // The glyph holders of the eighteen commands; each decodes its bitmap when
  // first drawn.
  for (int command = 0; command < kCommandCount; ++command) {
    auto holder = std::make_unique<TButtonImage>();
    holder->SetNumGlyphs(2);
    holder->SetBitmapId(static_cast<std::uint16_t>(kGlyphId + command));
    commandGlyphs_.push_back(std::move(holder));
  }
  ui_->Sample->SetOnPaint([this](QPainter& painter) { SamplePaint(painter); });
  ui_->PageControl->setCurrentIndex(kTabLicence);
  built_[kTabLicence] = true;
  LoadPagePicture(kTabLicence);
  UpdateButtons();
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

Ui::TAppExpert& TAppExpert::Controls() {
  for (int page = kTabLicence; page < kPageCount; ++page) BuildPage(page);
  return *ui_;
}

void TAppExpert::BuildPage(int page) {
  if (PageBuilt(page)) return;
  built_.at(static_cast<std::size_t>(page)) = true;
  QWidget* widget = ui_->PageControl->widget(page);
  switch (static_cast<Page>(page)) {
    case kMenus:
      ui_->MenusPage::setupUi(widget);
      BuildMenus();
      break;
    case kExtensions:
      ui_->ExtensionsPage::setupUi(widget);
      BuildExtensions();
      break;
    case kSpeedbtns:
      ui_->SpeedbtnsPage::setupUi(widget);
      BuildSpeedbtns();
      break;
    case kAppInfo:
      ui_->AppInfoPage::setupUi(widget);
      BuildAppInfo();
      break;
    case kExtrasTab:
      ui_->ExtrasPage::setupUi(widget);
      BuildExtras();
      break;
    case kHintTab:
      ui_->HintPage::setupUi(widget);
      BuildHint();
      break;
    case kTabLicence:
      break;
  }
  FillPage(page);
  ConnectChanges(*widget);
  // Tab leads from the page's last control to the buttons, as the dialog's
  // own controls are ordered: the page's controls came into the focus chain
  // after them.
  QWidget* last = nullptr;
  for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
    if (widget->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus)) last = w;
  if (last) setTabOrder(last, ui_->PreviewButton);
  platform::KeepFixedColoursLegible(*this);
}

void TAppExpert::BuildMenus() {
  for (QCheckBox* box : {ui_->cbFileMenu, ui_->cbEditMenu, ui_->cbWindowMenu, ui_->cbHelpMenu})
    On(box, &TAppExpert::MenuClicked);
  On(ui_->cbMRU, &TAppExpert::cbMRUClick);
}

void TAppExpert::BuildExtensions() {
  ui_->ExtListBox->setItemDelegate(new ExtensionDelegate(ui_->ExtHeader, ui_->ExtListBox));
  On(ui_->AddButton, &TAppExpert::AddClick);
  On(ui_->EditButton, &TAppExpert::EditClick);
  On(ui_->DeleteButton, &TAppExpert::DeleteClick);
  On(ui_->UpButton, &TAppExpert::MoveClick);
  On(ui_->DownButton, &TAppExpert::MoveClick);
  connect(ui_->ExtHeader, &QHeaderView::sectionResized, this, Guard(&TAppExpert::HeaderSized));
}

void TAppExpert::BuildSpeedbtns() {
  // The pointer and the off-screen speedbar; the area paints all of itself,
  // so nothing is erased first.
  pointerGlyph_ = LoadBitmapResource("SPEEDPOINTER");
  speedBuffer_ = QImage(ui_->Speedbar->size(), QImage::Format_RGB32);
  speedBuffer_.fill(ui_->Speedbar->palette().color(QPalette::Window));
  ui_->Speedbar->setAttribute(Qt::WA_OpaquePaintEvent);
  ui_->Speedbar->setAttribute(Qt::WA_NoSystemBackground);
  ui_->Speedbar->Attach(&speedItems_, ui_->ScrollBox1);
  ui_->Speedbar->SetOnPaint([this](QPainter& painter) { SpeedbarPaint(painter); });
  ui_->Speedbar->SetOnMouseDown(
      [this](QMouseEvent& event) { Guarded([&] { SpeedMouseDown(event); }); });
  ui_->MenuItemList->setItemDelegate(new MenuItemDelegate(commandGlyphs_, ui_->MenuItemList));
  for (QWidget* watched :
       {static_cast<QWidget*>(ui_->MenuList), static_cast<QWidget*>(ui_->MenuItemList),
        static_cast<QWidget*>(ui_->ScrollBox1)})
    watched->installEventFilter(this);
  ui_->ScrollBox1->horizontalScrollBar()->setValue(34);
  On(ui_->Button1, &TAppExpert::InsertClick);
  On(ui_->Button2, &TAppExpert::RemoveClick);
  On(ui_->Button3, &TAppExpert::SpaceClick);
  // A keyboard selection in the menu list acts like a click, as in a native list box.
  connect(ui_->MenuList, &QListWidget::currentRowChanged, this, Guard(&TAppExpert::MenuListClick));
  connect(ui_->MenuList, &QListWidget::itemDoubleClicked, this,
          Guard(&TAppExpert::MenuListDblClick));
  connect(ui_->MenuItemList, &QListWidget::itemDoubleClicked, this,
          Guard(&TAppExpert::InsertClick));
}

void TAppExpert::BuildAppInfo() {
  On(ui_->cbMDIApp, &TAppExpert::cbMDIAppClick);
  On(ui_->cbMDIform, &TAppExpert::cbMDIformClick);
  On(ui_->SingleInstanceApp, &TAppExpert::SingleInstanceAppClick);
  On(ui_->PathBrowse, &TAppExpert::BrowseClick);
}

void TAppExpert::BuildExtras() {
  OnLink(ui_->MailLabel);
  if (services_.lazarusOnly) KeepLazarusTarget();
}

void TAppExpert::BuildHint() {
  for (ClickLabel* link : {ui_->MailtoLabel, ui_->URLLabel}) OnLink(link);
}

void TAppExpert::Connect() {
  On(ui_->PrevButton, &TAppExpert::NextPrevClick);
  On(ui_->NextButton, &TAppExpert::NextPrevClick);
  On(ui_->Button4, &TAppExpert::AboutClick);
  On(ui_->PreviewButton, &TAppExpert::PreviewClick);
  On(ui_->CancelBtn, &TAppExpert::reject);
  for (ClickLabel* link : {ui_->Label12, ui_->Label14}) OnLink(link);
}

void TAppExpert::On(QAbstractButton* button, void (TAppExpert::*handler)()) {
  connect(button, &QAbstractButton::clicked, this, Guard(handler));
}

void TAppExpert::OnLink(about::ClickLabel* link) {
  connect(link, &ClickLabel::clicked, this, Guard(&TAppExpert::WebLinkClick));
}

std::function<void()> TAppExpert::Guard(void (TAppExpert::*handler)()) {
  return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
}

// Every change of a setting, for the Preview.
void TAppExpert::ConnectChanges(QWidget& page) {
  for (QCheckBox* box : page.findChildren<QCheckBox*>())
    connect(box, &QCheckBox::toggled, this, &TAppExpert::SettingsChanged);
  for (QRadioButton* choice : page.findChildren<QRadioButton*>())
    connect(choice, &QRadioButton::toggled, this, &TAppExpert::SettingsChanged);
  for (QLineEdit* edit : page.findChildren<QLineEdit*>())
    connect(edit, &QLineEdit::textChanged, this, &TAppExpert::SettingsChanged);
  if (page.isAncestorOf(ui_->ExtListBox)) {
    QAbstractItemModel* types = ui_->ExtListBox->model();
    connect(types, &QAbstractItemModel::rowsInserted, this, &TAppExpert::SettingsChanged);
    connect(types, &QAbstractItemModel::rowsRemoved, this, &TAppExpert::SettingsChanged);
    connect(types, &QAbstractItemModel::rowsMoved, this, &TAppExpert::SettingsChanged);
    connect(types, &QAbstractItemModel::dataChanged, this, &TAppExpert::SettingsChanged);
    connect(types, &QAbstractItemModel::modelReset, this, &TAppExpert::SettingsChanged);
  }
  if (page.isAncestorOf(ui_->Speedbar))
    connect(ui_->Speedbar, &SpeedbarArea::EntriesChanged, this, &TAppExpert::SettingsChanged);
}

void TAppExpert::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

void TAppExpert::ShowError(const QString& message) {
  services_.messageBoxes->Show(this, QMessageBox::Critical, QStringLiteral("Error"), message,
                               QMessageBox::Ok);
}

void TAppExpert::ShowException(const std::exception& error) {
  QString title = platform::ApplicationTitle();
  services_.messageBoxes->Show(this, QMessageBox::Critical, title, QString::fromUtf8(error.what()),
                               QMessageBox::Ok);
}

// Navigation

bool TAppExpert::AnyMenuChecked() const {
  return Flag(&WizardSettings::cbFileMenu) || Flag(&WizardSettings::cbEditMenu) ||
         Flag(&WizardSettings::cbWindowMenu) || Flag(&WizardSettings::cbHelpMenu);
}

StepTarget TAppExpert::GetNextPage(Step step) const {
  return NextPage(static_cast<Page>(ui_->PageControl->currentIndex()), step,
                  {Flag(&WizardSettings::cbFileMenu), AnyMenuChecked()});
}

void TAppExpert::UpdateButtons() {
  const bool last = IsLastPage(static_cast<Page>(ui_->PageControl->currentIndex()));
  ui_->NextButton->setText(
      QString::fromStdString(platform::LoadStr(last ? ids::kFinish : ids::kNext)));
  ui_->PrevButton->setEnabled(GetNextPage(Step::Back).kind != StepTarget::Kind::None);
}

void TAppExpert::NextPrevClick() {
  const StepTarget target = GetNextPage(sender() == ui_->PrevButton ? Step::Back : Step::Next);
  if (target.kind == StepTarget::Kind::Finish) {
    if (CheckAppInfo()) done(mrOk);
  } else if (target.kind == StepTarget::Kind::Page) {
    ShowPage(target.page);
  }
  UpdateButtons();
}

void TAppExpert::ShowPage(int page) {
  BuildPage(page);
  LoadPagePicture(page);
  ui_->Sample->update();
  ui_->PageControl->setCurrentIndex(page);
}

bool TAppExpert::CheckAppInfo() {
  WizardSettings settings = RawSettings();
  std::optional<std::string> message = CheckAppName(settings.AppName);
  if (!message) {
    const QString path =
        ui_->AppPath ? ui_->AppPath->text() : QString::fromStdString(settings.AppPath);
    if (path.isEmpty() || !QFileInfo(QDir::current(), path).isDir())
      message = platform::LoadStr(ids::kPathMissing);
  }
  if (!message)
    if (auto found = CheckSettings(settings)) message = found->problem.message;
  if (!message) message = EncodeTypedText(settings);
  if (!message) return true;
  ShowError(QString::fromStdString(*message));
  return false;
}

// The page picture

void TAppExpert::LoadPagePicture(int page) {
  auto bytes = platform::FindResource(PagePictures.at(static_cast<std::size_t>(page)),
                                      platform::ResourceType::Bitmap);
  pagePicture_ = bytes ? platform::DecodeBitmap(bytes->data(), bytes->size()) : QImage();
}

void TAppExpert::SamplePaint(QPainter& painter) {
  if (pagePicture_.isNull()) return;
  // The bottom-left pixel's colour is transparent: the dialog's face shows through.
  const QColor face = ui_->Sample->palette().color(QPalette::Window);
  painter.drawImage(0, 0,
                    platform::ReplaceColour(
                        pagePicture_, pagePicture_.pixel(0, pagePicture_.height() - 1), face));
}
void TAppExpert::WebLinkClick() {
  if (auto* label = qobject_cast<QLabel*>(sender()))
    services_.shell->Open(label->text().toStdString(), platform::SW_SHOW);
}

void TAppExpert::AboutClick() {
  if (services_.showAbout) services_.showAbout(this);
}
// The Preview window stands beside the dialog, to its right where the screen allows.
void TAppExpert::PreviewClick() {
  if (!preview_) {
    preview_ = new PreviewWindow(
        this,
        {[this] { return RawSettings(); }, [this](const WizardSettings& s) { ApplySettings(s); }},
        *services_.messageBoxes);
    connect(this, &TAppExpert::SettingsChanged, preview_, &PreviewWindow::ChoicesChanged);
    const QRect frame = frameGeometry();
    preview_->move(screen() ? PreviewPlace(frame, preview_->size(), screen()->availableGeometry())
                            : frame.topRight() + QPoint(8, 0));
  }
  preview_->show();
  preview_->raise();
  preview_->activateWindow();
}

// Showing and closing

void TAppExpert::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  Guarded([this] {
    WizardSettings restored = RawSettings();
    // The target a host that opens Lazarus projects only keeps chosen is not
    // the person's choice: the remembered one is noted and saved back as it was.
    if (services_.lazarusOnly) restored.Target = WizardSettings().Target;
    formStorage_.Restore(restored, [&](const SettingDescription& setting) {
      if (setting.text == &WizardSettings::Target) rememberedTarget_ = restored.Target;
      PutSetting(setting, restored, true);
      restored = RawSettings();  // the click handlers may have changed other settings
    });
  });
}

void TAppExpert::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) platform::KeepFixedColoursLegible(*this);
}

void TAppExpert::reject() {
  done(mrCancel);
}

void TAppExpert::done(int result) {
  if (formStorage_.Restored() && !formStorage_.Saved()) SaveSettings();
  QDialog::done(result);
}

void TAppExpert::SaveSettings() {
  try {
    WizardSettings settings = RawSettings();
    if (services_.lazarusOnly) settings.Target = rememberedTarget_;
    formStorage_.Save(settings);
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

}  // namespace orvalen::wizard
