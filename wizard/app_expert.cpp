#include "wizard/app_expert.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <array>
#include <cstring>

#include "about/about_form.h"
#include "generator/command_table.h"
#include "generator/settings_check.h"
#include "generator/string_ids.h"
#include "platform/qt/bitmap_colours.h"
#include "platform/qt/desktop_shell.h"
#include "platform/qt/dialog_font.h"
#include "platform/qt/focus_frame.h"
#include "platform/qt/legible_colours.h"
#include "platform/resources.h"
#include "run/generation_run.h"
#include "ui_app_expert.h"
#include "wizard/core/extension_entry.h"
#include "wizard/filter_dlg.h"
#include "wizard/preview_window.h"

namespace orvalen::wizard {

namespace {

// The picture beside each page; only the four designer pages ship one.
constexpr std::array<const char*, 7> PagePictures = {
    "LICENCE", "MENUDSGN", "EXTDSGN", "SPEEDDSGN", "INFODSGN", "VERSIONDSGN", "INFODSN"};

constexpr char kMDIChildQuestion[] =
    "It is recommended that you allow the wizard to create the MDI child form\r\n"
    "which includes many management functions and inherit your custom \r\n"
    "MDI forms from this overriding the CREATENEWFILE, SAVEFILE, \r\n"
    "SAVEFILEAS methods to realize your forms as this child form has code\r\n"
    "which works with the window list and MRU file list\r\n"
    "Do you wish to include MDIChild form ?";

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

// The row of a list whose current item is also selected, or -1.
int SelectedRow(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item && item->isSelected() ? list->currentRow() : -1;
}

// The focus frame around the current row of a focused list. The rows below
// paint all of themselves, so they draw it too, in the row's text colour; it
// shows however the focus came, since a row may be current without being
// selected.
void DrawRowFocus(QPainter* painter, const QStyleOptionViewItem& option) {
  if (!(option.state & QStyle::State_HasFocus)) return;
  const bool selected = option.state & QStyle::State_Selected;
  platform::DrawFocusFrame(
      *painter, option.rect,
      option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
}

// One row of the file-type table: the description in the header's first
// section, the pattern(s) from there to the row's end.
class ExtensionDelegate : public QStyledItemDelegate {
 public:
  ExtensionDelegate(QHeaderView* header, QObject* parent)
      : QStyledItemDelegate(parent), header_(header) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    const QColor back = palette.color(selected ? QPalette::Highlight : QPalette::Base);
    const QColor fore = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    ExtensionParts parts = SplitForDrawing(index.data().toString().toStdString());
    const QRect row = option.rect;
    const int split = row.left() + header_->sectionSize(0);
    const QRect first(row.left(), row.top(), split - row.left(), row.height());
    const QRect second(split, row.top(), row.right() - split + 1, row.height());
    painter->save();
    painter->setFont(option.font);
    painter->setPen(fore);
    for (const auto& [rect, text] :
         {std::pair{first, parts.description}, std::pair{second, parts.pattern}}) {
      if (rect.width() <= 0) continue;
      painter->setClipRect(rect);
      painter->fillRect(rect, back);
      painter->drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FromUtf8(text));
    }
    painter->setClipping(false);
    DrawRowFocus(painter, option);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, 16}; }

 private:
  QHeaderView* header_;
};

// One available command: its button and glyph, then its caption with the
// access key underlined.
class MenuItemDelegate : public QStyledItemDelegate {
 public:
  MenuItemDelegate(const CommandGlyphList& glyphs, QObject* parent)
      : QStyledItemDelegate(parent), glyphs_(glyphs) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    const QRect rect = option.rect;
    painter->save();
    painter->fillRect(rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
    const int command = CommandOfGlyph(index.data(Qt::UserRole).toInt());
    if (command >= 0 && command < static_cast<int>(glyphs_.size()))
      DrawButtonGlyph(*glyphs_[static_cast<std::size_t>(command)], *painter, rect.left() + 2,
                      rect.top() + 1, SystemColours::From(palette));
    const QRect text(rect.left() + ButtonWidth + 6, rect.top(), rect.width() - ButtonWidth - 6,
                     rect.height());
    painter->setFont(option.font);
    QApplication::style()->drawItemText(
        painter, text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
        palette, true, index.data().toString(),
        selected ? QPalette::HighlightedText : QPalette::Text);
    DrawRowFocus(painter, option);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, 26}; }

 private:
  const CommandGlyphList& glyphs_;
};

// Suspends a widget's painting while a list is rebuilt, and resumes it on every path.
class UpdatesSuspended {
 public:
  explicit UpdatesSuspended(QWidget* widget) : widget_(widget) {
    widget_->setUpdatesEnabled(false);
  }
  ~UpdatesSuspended() { widget_->setUpdatesEnabled(true); }
  UpdatesSuspended(const UpdatesSuspended&) = delete;
  UpdatesSuspended& operator=(const UpdatesSuspended&) = delete;

 private:
  QWidget* widget_;
};

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
  ui_->setupUi(this);
  platform::KeepFixedColoursLegible(*this);
  Connect();
  FormCreate();
}

TAppExpert::~TAppExpert() {
  // Destroyed without having been closed: the remembered settings are saved now.
  try {
    if (formStorage_.Restored() && !formStorage_.Saved()) SaveSettings();
  } catch (...) {
    // Nothing may leave a destructor; SaveSettings has reported what it could.
  }
  FormDestroy();
}

void TAppExpert::FormCreate() {
  // The glyph holders of the eighteen commands, the pointer and the off-screen
  // speedbar; the area paints all of itself, so nothing is erased first.
  for (int command = 0; command < kCommandCount; ++command) {
    auto holder = std::make_unique<TButtonImage>();
    holder->SetNumGlyphs(2);
    holder->SetBitmapId(static_cast<std::uint16_t>(kGlyphId + command));
    commandGlyphs_.push_back(std::move(holder));
  }
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
  ui_->Sample->SetOnPaint([this](QPainter& painter) { SamplePaint(painter); });
  ui_->ExtListBox->setItemDelegate(new ExtensionDelegate(ui_->ExtHeader, ui_->ExtListBox));
  ui_->ScrollBox1->horizontalScrollBar()->setValue(34);
  ui_->PageControl->setCurrentIndex(kTabLicence);
  LoadPagePicture(kTabLicence);
  UpdateButtons();
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TAppExpert::FormDestroy() {
  // The glyph holders, the speedbar list, the pointer, the off-screen speedbar,
  // the page picture and the controls all go with the dialog.
}

void TAppExpert::Connect() {
  auto on = [this](QAbstractButton* button, void (TAppExpert::*handler)()) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
  };
  on(ui_->PrevButton, &TAppExpert::NextPrevClick);
  on(ui_->NextButton, &TAppExpert::NextPrevClick);
  on(ui_->Button4, &TAppExpert::AboutClick);
  on(ui_->PreviewButton, &TAppExpert::PreviewClick);
  on(ui_->CancelBtn, &TAppExpert::reject);
  on(ui_->cbMDIApp, &TAppExpert::cbMDIAppClick);
  on(ui_->cbMDIform, &TAppExpert::cbMDIformClick);
  on(ui_->SingleInstanceApp, &TAppExpert::SingleInstanceAppClick);
  on(ui_->cbMRU, &TAppExpert::cbMRUClick);
  on(ui_->PathBrowse, &TAppExpert::BrowseClick);
  for (QCheckBox* box : {ui_->cbFileMenu, ui_->cbEditMenu, ui_->cbWindowMenu, ui_->cbHelpMenu})
    on(box, &TAppExpert::MenuClicked);
  on(ui_->Button1, &TAppExpert::InsertClick);
  on(ui_->Button2, &TAppExpert::RemoveClick);
  on(ui_->Button3, &TAppExpert::SpaceClick);
  on(ui_->AddButton, &TAppExpert::AddClick);
  on(ui_->EditButton, &TAppExpert::EditClick);
  on(ui_->DeleteButton, &TAppExpert::DeleteClick);
  on(ui_->UpButton, &TAppExpert::MoveClick);
  on(ui_->DownButton, &TAppExpert::MoveClick);
  for (ClickLabel* link :
       {ui_->Label12, ui_->Label14, ui_->MailLabel, ui_->MailtoLabel, ui_->URLLabel})
    connect(link, &ClickLabel::clicked, this, [this] { Guarded([this] { WebLinkClick(); }); });

  auto guard = [this](void (TAppExpert::*handler)()) {
    return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
  };
  // A keyboard selection in the menu list acts like a click, as in a native list box.
  connect(ui_->MenuList, &QListWidget::currentRowChanged, this, guard(&TAppExpert::MenuListClick));
  connect(ui_->MenuList, &QListWidget::itemDoubleClicked, this,
          guard(&TAppExpert::MenuListDblClick));
  connect(ui_->MenuItemList, &QListWidget::itemDoubleClicked, this,
          guard(&TAppExpert::InsertClick));
  connect(ui_->ExtHeader, &QHeaderView::sectionResized, this, guard(&TAppExpert::HeaderSized));
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
  QString title = QGuiApplication::applicationDisplayName();
  services_.messageBoxes->Show(this, QMessageBox::Critical, title, QString::fromUtf8(error.what()),
                               QMessageBox::Ok);
}

// Navigation

bool TAppExpert::AnyMenuChecked() const {
  return ui_->cbFileMenu->isChecked() || ui_->cbEditMenu->isChecked() ||
         ui_->cbWindowMenu->isChecked() || ui_->cbHelpMenu->isChecked();
}

int TAppExpert::GetNextPage(int direction) const {
  const bool file = ui_->cbFileMenu->isChecked();
  const bool any = AnyMenuChecked();
  const int page = ui_->PageControl->currentIndex();
  switch (direction) {
    case 0:  // Back
      switch (page) {
        case kTabLicence:
          return -2;
        case kMenus:
          return kTabLicence;
        case kExtensions:
          return kMenus;
        case kSpeedbtns:
          return file ? kExtensions : kMenus;
        case kAppInfo:
          return any ? kSpeedbtns : kMenus;
        case kExtrasTab:
          return kAppInfo;
        case kHintTab:
          return kExtrasTab;
      }
      return -2;
    case 1:  // Next
      switch (page) {
        case kTabLicence:
          return kMenus;
        case kMenus:
          return file ? kExtensions : any ? kSpeedbtns : kAppInfo;
        case kExtensions:
          return kSpeedbtns;
        case kSpeedbtns:
          return kAppInfo;
        case kAppInfo:
          return kExtrasTab;
        case kExtrasTab:
          return kHintTab;
        case kHintTab:
          return -1;
      }
      return -2;
    case 2:  // is this the last page?
      return page == kHintTab ? -1 : 0;
    default:
      return -2;
  }
}

void TAppExpert::UpdateButtons() {
  const int last = GetNextPage(2);
  if (last == -1)
    ui_->NextButton->setText(FromUtf8(platform::LoadStr(ids::kFinish)));
  else if (last == 0)
    ui_->NextButton->setText(FromUtf8(platform::LoadStr(ids::kNext)));
  ui_->PrevButton->setEnabled(GetNextPage(0) != -2);
}

void TAppExpert::NextPrevClick() {
  const int direction = sender() == ui_->PrevButton ? 0 : 1;
  const int target = GetNextPage(direction);
  if (target == -1) {
    if (CheckAppInfo()) done(mrOk);
  } else if (target >= 0) {
    ShowPage(target);
  }
  UpdateButtons();
}

void TAppExpert::ShowPage(int page) {
  LoadPagePicture(page);
  ui_->Sample->update();
  ui_->PageControl->setCurrentIndex(page);
}

bool TAppExpert::CheckAppInfo() {
  WizardSettings settings = RawSettings();
  std::optional<std::string> message = CheckAppName(settings.AppName);
  if (!message) {
    const QString path = ui_->AppPath->text();
    if (path.isEmpty() || !QFileInfo(QDir::current(), path).isDir())
      message = platform::LoadStr(ids::kPathMissing);
  }
  if (!message)
    if (auto found = CheckSettings(settings)) message = found->problem.message;
  if (!message) message = EncodeTypedText(settings);
  if (!message) return true;
  ShowError(FromUtf8(*message));
  return false;
}

// The page picture

void TAppExpert::LoadPagePicture(int page) {
  pagePicture_ = QImage();
  auto bytes = platform::FindResource(PagePictures.at(static_cast<std::size_t>(page)),
                                      platform::ResourceType::Bitmap);
  if (bytes) pagePicture_.loadFromData(bytes->data(), static_cast<int>(bytes->size()), "BMP");
}

void TAppExpert::SamplePaint(QPainter& painter) {
  if (pagePicture_.isNull()) return;
  // The bottom-left pixel's colour is transparent: the dialog's face shows through.
  const QColor face = ui_->Sample->palette().color(QPalette::Window);
  painter.drawImage(0, 0,
                    platform::ReplaceColour(
                        pagePicture_, pagePicture_.pixel(0, pagePicture_.height() - 1), face));
}

// The options

void TAppExpert::SetCheckedFiring(QCheckBox* box, bool checked) {
  if (box->isChecked() == checked) return;
  box->setChecked(checked);
  emit box->clicked(checked);
}

void TAppExpert::cbMDIAppClick() {
  const bool mdi = ui_->cbMDIApp->isChecked();
  ui_->cbMDIform->setEnabled(mdi);
  if (mdi) SetCheckedFiring(ui_->cbMDIform, true);
}

void TAppExpert::cbMDIformClick() {
  if (!ui_->cbMDIApp->isChecked() || ui_->cbMDIform->isChecked()) return;
  auto answer = services_.messageBoxes->Show(this, QMessageBox::Warning, QStringLiteral("Warning"),
                                             QString::fromLatin1(kMDIChildQuestion),
                                             QMessageBox::Yes | QMessageBox::No);
  if (answer == QMessageBox::Yes) SetCheckedFiring(ui_->cbMDIform, true);
}

void TAppExpert::SingleInstanceAppClick() {
  ui_->siDDE->setEnabled(ui_->SingleInstanceApp->isChecked());
}

void TAppExpert::cbMRUClick() {
  ui_->cbMRUReg->setEnabled(ui_->cbMRU->isChecked());
}

void TAppExpert::BrowseClick() {
  if (auto chosen = services_.directoryChooser->Choose(this, ui_->AppPath->text()))
    ui_->AppPath->setText(*chosen);
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
    // To the right of the dialog, else to its left, else as far right as the
    // screen allows.
    const QRect frame = frameGeometry();
    QRect place(frame.topRight() + QPoint(8, 0), preview_->size());
    if (QScreen* screen = this->screen()) {
      const QRect available = screen->availableGeometry();
      if (!available.contains(place)) place.moveRight(frame.left() - 8);
      if (!available.contains(place)) {
        place.moveRight(available.right());
        place.moveLeft(std::max(place.left(), available.left()));
        place.moveBottom(std::min(place.bottom(), available.bottom()));
        place.moveTop(std::max(place.top(), available.top()));
      }
    }
    preview_->move(place.topLeft());
  }
  preview_->show();
  preview_->raise();
  preview_->activateWindow();
}

void TAppExpert::ApplySettings(const WizardSettings& s) {
  // The menus first: unchecking one drops its commands from the speedbar.
  for (int m = 0; m < kMenuCount; ++m) SetCheckedFiring(MenuCheckBox(m), s.MenuChecked(m));
  SetCheckedFiring(ui_->cbMRU, s.cbMRU);
  SetCheckedFiring(ui_->cbMRUReg, s.cbMRUReg);
  SetExtItems(s.ExtListBox);
  while (speedItems_.SpeedbarCount() > 0) {
    speedItems_.SetInsertIndex(0);
    speedItems_.Remove();
  }
  for (int id : s.Speedbar) {
    if (id == kSpeedbarSpace)
      speedItems_.Space();
    else
      speedItems_.Insert(id);
  }
  speedItems_.SetInsertIndex(speedItems_.SpeedbarCount());
  ui_->Speedbar->Changed();
  ui_->AppName->setText(FromUtf8(s.AppName));
  ui_->AppPath->setText(FromUtf8(s.AppPath));
  SetCheckedFiring(ui_->cbMDIApp, s.cbMDIApp);
  ui_->cbMDIform->setChecked(s.cbMDIform);  // as loaded, without the question
  ui_->cbStatusLine->setChecked(s.cbStatusLine);
  ui_->cbHints->setChecked(s.cbHints);
  SetCheckedFiring(ui_->SingleInstanceApp, s.SingleInstanceApp);
  ui_->siDDE->setChecked(s.siDDE);
  codePage_ = s.CodePage;
  (s.Lazarus() ? ui_->rbTargetLcl : ui_->rbTargetVcl)->setChecked(true);
}

// The menus and the speedbar list

QCheckBox* TAppExpert::MenuCheckBox(int menu) const {
  std::array<QCheckBox*, kMenuCount> boxes = {ui_->cbFileMenu, ui_->cbEditMenu, ui_->cbWindowMenu,
                                              ui_->cbHelpMenu};
  return boxes.at(static_cast<std::size_t>(menu));
}

void TAppExpert::MenuClicked() {
  for (int m = 0; m < kMenuCount; ++m) {
    const bool checked = MenuCheckBox(m)->isChecked();
    if (m == kFileMenu) ui_->cbMRU->setEnabled(ui_->cbFileMenu->isChecked());
    if (!checked) {
      speedItems_.RemoveMenuCommands(m);
      speedItems_.SetInsertIndex(0);
    }
    if (m == ui_->MenuList->currentRow()) MenuListClick();
  }
  ui_->Speedbar->Changed();
}

void TAppExpert::MenuListClick() {
  const int m = ui_->MenuList->currentRow();
  if (m < 0 || m >= kMenuCount) return;
  UpdatesSuspended suspended(ui_->MenuItemList);
  ui_->MenuItemList->clear();
  if (!MenuCheckBox(m)->isChecked()) return;
  for (int j = 0; j < MenuCount[static_cast<std::size_t>(m)]; ++j) {
    const int id = kCaptionId + MenuFirst[static_cast<std::size_t>(m)] + j;
    auto* item = new QListWidgetItem(FromUtf8(platform::LoadStr(id)), ui_->MenuItemList);
    item->setData(Qt::UserRole, id);
  }
}

void TAppExpert::MenuListDblClick() {
  for (int i = 0; i < ui_->MenuItemList->count(); ++i) {
    ui_->MenuItemList->setCurrentRow(i);
    InsertClick();
  }
}

void TAppExpert::InsertClick() {
  const int row = SelectedRow(ui_->MenuItemList);
  if (row < 0) return;
  speedItems_.Insert(ui_->MenuItemList->item(row)->data(Qt::UserRole).toInt());
  ui_->Speedbar->Changed();
}

void TAppExpert::SpaceClick() {
  speedItems_.Space();
  ui_->Speedbar->Changed();
}

void TAppExpert::RemoveClick() {
  if (speedItems_.Remove()) ui_->Speedbar->Changed();
}

void TAppExpert::SpeedMouseDown(QMouseEvent& event) {
  if (event.button() == Qt::RightButton) RemoveClick();
  const QPoint at = event.position().toPoint();
  const int slot = speedItems_.SlotAtPoint(at.x(), at.y());
  speedItems_.SetInsertIndex(slot < 0 ? speedItems_.SpeedbarCount() : slot);
  ui_->Speedbar->Changed();
}

void TAppExpert::SpeedbarPaint(QPainter& painter) {
  PaintSpeedbar(speedBuffer_, speedItems_, commandGlyphs_, pointerGlyph_,
                SystemColours::From(ui_->Speedbar->palette()),
                ui_->Speedbar->palette().color(QPalette::Window));
  painter.drawImage(0, 0, speedBuffer_);
}

void TAppExpert::MoveInsertIndex(int index) {
  speedItems_.SetInsertIndex(index);
  const Slot slot = speedItems_.SlotRect(speedItems_.InsertIndex());
  ui_->ScrollBox1->ensureVisible(slot.left, slot.bottom, ButtonWidth * 2, 4);
  ui_->Speedbar->Changed();
}

// The page without a mouse: Enter in a list does what a double click does,
// and with the speedbar focused the arrow keys, Home and End move the
// insertion point and Delete removes the entry there.
bool TAppExpert::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  bool handled = true;
  if (watched == ui_->MenuList && enter)
    Guarded([this] { MenuListDblClick(); });
  else if (watched == ui_->MenuItemList && enter)
    Guarded([this] { InsertClick(); });
  else if (watched == ui_->ScrollBox1 && key == Qt::Key_Left)
    MoveInsertIndex(speedItems_.InsertIndex() - 1);
  else if (watched == ui_->ScrollBox1 && key == Qt::Key_Right)
    MoveInsertIndex(speedItems_.InsertIndex() + 1);
  else if (watched == ui_->ScrollBox1 && key == Qt::Key_Home)
    MoveInsertIndex(0);
  else if (watched == ui_->ScrollBox1 && key == Qt::Key_End)
    MoveInsertIndex(speedItems_.SpeedbarCount());
  else if (watched == ui_->ScrollBox1 && key == Qt::Key_Delete)
    Guarded([this] { RemoveClick(); });
  else
    handled = false;
  return handled || QDialog::eventFilter(watched, event);
}

// The document file types

void TAppExpert::AddClick() {
  QString entry;
  if (EditFilter(this, entry, services_.messageBoxes)) ui_->ExtListBox->addItem(entry);
}

void TAppExpert::EditClick() {
  const int row = SelectedRow(ui_->ExtListBox);
  if (row < 0) return;
  QListWidgetItem* item = ui_->ExtListBox->item(row);
  QString entry = item->text();
  if (EditFilter(this, entry, services_.messageBoxes)) item->setText(entry);
}

void TAppExpert::DeleteClick() {
  const int row = SelectedRow(ui_->ExtListBox);
  if (row < 0) return;
  delete ui_->ExtListBox->takeItem(row);
  ui_->ExtListBox->setCurrentRow(-1);
  ui_->ExtListBox->clearSelection();
}

void TAppExpert::MoveClick() {
  const int row = SelectedRow(ui_->ExtListBox);
  if (row < 0) return;
  int step = 0;
  if (sender() == ui_->UpButton) step = -1;
  if (sender() == ui_->DownButton) step = 1;
  const int target = row + step;
  if (step == 0 || target < 0 || target >= ui_->ExtListBox->count()) return;
  QListWidgetItem* item = ui_->ExtListBox->takeItem(row);
  ui_->ExtListBox->insertItem(target, item);
  ui_->ExtListBox->setCurrentRow(target);
}

void TAppExpert::HeaderSized() {
  ui_->ExtListBox->viewport()->update();
}

// Showing and closing

void TAppExpert::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  Guarded([this] {
    WizardSettings restored = RawSettings();
    formStorage_.Restore(restored, [&](const SettingDescription& setting) {
      ApplyRestored(setting, restored);
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
    formStorage_.Save(RawSettings());
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

// The settings

WizardSettings TAppExpert::RawSettings() const {
  WizardSettings s;
  s.cbFileMenu = ui_->cbFileMenu->isChecked();
  s.cbEditMenu = ui_->cbEditMenu->isChecked();
  s.cbWindowMenu = ui_->cbWindowMenu->isChecked();
  s.cbHelpMenu = ui_->cbHelpMenu->isChecked();
  s.cbMRU = ui_->cbMRU->isChecked();
  s.cbMRUReg = ui_->cbMRUReg->isChecked();
  s.ExtListBox = ExtItems();
  s.Speedbar = speedItems_.Entries();
  s.AppName = ui_->AppName->text().toStdString();
  s.AppPath = ui_->AppPath->text().toStdString();
  s.cbMDIApp = ui_->cbMDIApp->isChecked();
  s.cbStatusLine = ui_->cbStatusLine->isChecked();
  s.cbHints = ui_->cbHints->isChecked();
  s.cbMDIform = ui_->cbMDIform->isChecked();
  s.SingleInstanceApp = ui_->SingleInstanceApp->isChecked();
  s.siDDE = ui_->siDDE->isChecked();
  s.CodePage = codePage_;
  s.Target =
      ui_->rbTargetLcl->isChecked() ? WizardSettings::kTargetLcl : WizardSettings::kTargetVcl;
  return s;
}

WizardSettings TAppExpert::Settings() const {
  WizardSettings settings = RawSettings();
  if (auto message = EncodeTypedText(settings)) throw ESettingsError(*message);
  return settings;
}

// The controls as the remembered settings see them

QCheckBox* TAppExpert::FlagBox(const SettingDescription& setting) const {
  const std::pair<bool WizardSettings::*, QCheckBox*> boxes[] = {
      {&WizardSettings::cbFileMenu, ui_->cbFileMenu},
      {&WizardSettings::cbEditMenu, ui_->cbEditMenu},
      {&WizardSettings::cbWindowMenu, ui_->cbWindowMenu},
      {&WizardSettings::cbHelpMenu, ui_->cbHelpMenu},
      {&WizardSettings::cbMRU, ui_->cbMRU},
      {&WizardSettings::cbMRUReg, ui_->cbMRUReg},
      {&WizardSettings::cbMDIApp, ui_->cbMDIApp},
      {&WizardSettings::cbMDIform, ui_->cbMDIform},
      {&WizardSettings::cbStatusLine, ui_->cbStatusLine},
      {&WizardSettings::cbHints, ui_->cbHints},
      {&WizardSettings::SingleInstanceApp, ui_->SingleInstanceApp},
      {&WizardSettings::siDDE, ui_->siDDE}};
  for (const auto& [flag, box] : boxes)
    if (flag == setting.flag) return box;
  return nullptr;
}

void TAppExpert::ApplyRestored(const SettingDescription& setting, const WizardSettings& s) {
  if (QCheckBox* box = FlagBox(setting))
    SetCheckedFiring(box, s.*setting.flag);
  else if (setting.text == &WizardSettings::AppPath)
    ui_->AppPath->setText(FromUtf8(s.AppPath));
  else if (setting.list == &WizardSettings::ExtListBox)
    SetExtItems(s.ExtListBox);
  else if (setting.text == &WizardSettings::Target)
    (s.Lazarus() ? ui_->rbTargetLcl : ui_->rbTargetVcl)->setChecked(true);
}

std::vector<std::string> TAppExpert::ExtItems() const {
  std::vector<std::string> items;
  for (int i = 0; i < ui_->ExtListBox->count(); ++i)
    items.push_back(ui_->ExtListBox->item(i)->text().toStdString());
  return items;
}

void TAppExpert::SetExtItems(const std::vector<std::string>& items) {
  ui_->ExtListBox->clear();
  for (const auto& item : items) ui_->ExtListBox->addItem(FromUtf8(item));
}

}  // namespace orvalen::wizard
