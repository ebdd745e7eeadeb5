// The settings as one value: read from the controls, put back into them, and
// the controls as the remembered settings see them.
#include <QCheckBox>

#include "generator/command_table.h"
#include "generator/settings_check.h"
#include "run/generation_run.h"
#include "ui_app_expert.h"
#include "wizard/app_expert.h"

namespace orvalen::wizard {

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
  ui_->AppName->setText(QString::fromStdString(s.AppName));
  ui_->AppPath->setText(QString::fromStdString(s.AppPath));
  SetCheckedFiring(ui_->cbMDIApp, s.cbMDIApp);
  ui_->cbMDIform->setChecked(s.cbMDIform);  // as loaded, without the question
  ui_->cbStatusLine->setChecked(s.cbStatusLine);
  ui_->cbHints->setChecked(s.cbHints);
  SetCheckedFiring(ui_->SingleInstanceApp, s.SingleInstanceApp);
  ui_->siDDE->setChecked(s.siDDE);
  if (codePage_ != s.CodePage) {
    codePage_ = s.CodePage;
    emit SettingsChanged();
  }
}
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
    ui_->AppPath->setText(QString::fromStdString(s.AppPath));
  else if (setting.list == &WizardSettings::ExtListBox)
    SetExtItems(s.ExtListBox);
}

std::vector<std::string> TAppExpert::ExtItems() const {
  std::vector<std::string> items;
  for (int i = 0; i < ui_->ExtListBox->count(); ++i)
    items.push_back(ui_->ExtListBox->item(i)->text().toStdString());
  return items;
}

void TAppExpert::SetExtItems(const std::vector<std::string>& items) {
  ui_->ExtListBox->clear();
  for (const auto& item : items) ui_->ExtListBox->addItem(QString::fromStdString(item));
}

}  // namespace orvalen::wizard
