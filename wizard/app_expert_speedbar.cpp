// The Menus and Speedbtns pages: the menu check boxes, the available
// commands and the speedbar list composed from them.
#include <QKeyEvent>
#include <QScrollBar>
#include <array>

#include "generator/command_table.h"
#include "platform/resources.h"
#include "wizard/app_expert.h"
#include "wizard/app_expert_controls.h"
#include "wizard/list_rows.h"

namespace orvalen::wizard {

namespace {

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

namespace {

// The four menus' settings, in the command table's order.
bool WizardSettings::*MenuFlag(int menu) {
  const std::array<bool WizardSettings::*, kMenuCount> flags = {
      &WizardSettings::cbFileMenu, &WizardSettings::cbEditMenu, &WizardSettings::cbWindowMenu,
      &WizardSettings::cbHelpMenu};
  return flags.at(static_cast<std::size_t>(menu));
}

}  // namespace

void TAppExpert::MenuClicked() {
  for (int m = 0; m < kMenuCount; ++m) {
    const bool checked = Flag(MenuFlag(m));
    if (m == kFileMenu && ui_->cbMRU) ui_->cbMRU->setEnabled(checked);
    if (!checked) {
      speedItems_.RemoveMenuCommands(m);
      speedItems_.SetInsertIndex(0);
    }
    if (ui_->MenuList && m == ui_->MenuList->currentRow()) MenuListClick();
  }
  SpeedbarChanged();
}

void TAppExpert::SpeedbarChanged() {
  if (ui_->Speedbar) {
    ui_->Speedbar->Changed();
  } else if (speedItems_.Entries() != settings_.Speedbar) {
    // Until the page is made, the value keeps the entries last told on.
    settings_.Speedbar = speedItems_.Entries();
    emit SettingsChanged();
  }
}

void TAppExpert::MenuListClick() {
  const int m = ui_->MenuList->currentRow();
  if (m < 0 || m >= kMenuCount) return;
  UpdatesSuspended suspended(ui_->MenuItemList);
  ui_->MenuItemList->clear();
  if (!Flag(MenuFlag(m))) return;
  for (int j = 0; j < MenuCount[static_cast<std::size_t>(m)]; ++j) {
    const int id = kCaptionId + MenuFirst[static_cast<std::size_t>(m)] + j;
    auto* item =
        new QListWidgetItem(QString::fromStdString(platform::LoadStr(id)), ui_->MenuItemList);
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
  SpeedbarChanged();
}

void TAppExpert::RemoveClick() {
  if (speedItems_.Remove()) SpeedbarChanged();
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

}  // namespace orvalen::wizard
