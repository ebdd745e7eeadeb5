// The Extensions page: the table of document file types and its buttons.
#include "wizard/app_expert.h"
#include "wizard/app_expert_controls.h"
#include "wizard/filter_dlg.h"
#include "wizard/list_rows.h"

namespace orvalen::wizard {

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

}  // namespace orvalen::wizard
