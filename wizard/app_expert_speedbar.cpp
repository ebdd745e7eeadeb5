// The Menus and Speedbtns pages: the menu check boxes, the available
// commands and the speedbar list composed from them.
#include <QKeyEvent>
#include <QScrollBar>
#include <array>

#include "generator/command_table.h"
#include "platform/resources.h"
#include "ui_app_expert.h"
#include "wizard/app_expert.h"
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

}  // namespace orvalen::wizard
