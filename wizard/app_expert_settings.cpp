// The settings as one value: read from the controls, put back into them, and
// the controls as the remembered settings see them.
#include <QCheckBox>
#include <QLineEdit>

#include "generator/command_table.h"
#include "generator/settings_check.h"
#include "run/generation_run.h"
#include "ui_app_expert.h"
#include "wizard/app_expert.h"

namespace orvalen::wizard {

// The binding: every setting of the description and the control that shows it.

void TAppExpert::ApplySettings(const WizardSettings& s) {
  // In the description's order: the menus before the speedbar, since
  // unchecking one drops its commands from it.
  for (const SettingDescription& setting : SettingDescriptions()) PutSetting(setting, s, false);
}

WizardSettings TAppExpert::RawSettings() const {
  WizardSettings s;
  for (const SettingDescription& setting : SettingDescriptions()) TakeSetting(setting, s);
  return s;
}

void TAppExpert::PutSetting(const SettingDescription& setting, const WizardSettings& s,
                            bool asked) {
  if (QCheckBox* box = FlagBox(setting)) {
    // Settings put in whole (an answer file's) take the MDI child form as they
    // hold it, without the question a person's click or a remembered value asks.
    if (!asked && setting.flag == &WizardSettings::cbMDIform)
      box->setChecked(s.cbMDIform);
    else
      SetCheckedFiring(box, s.*setting.flag);
  } else if (QLineEdit* edit = TextEdit(setting)) {
    edit->setText(QString::fromStdString(s.*setting.text));
  } else if (setting.text == &WizardSettings::Target) {
    const bool lazarus = s.Lazarus() || services_.lazarusOnly;
    (lazarus ? ui_->rbTargetLcl : ui_->rbTargetVcl)->setChecked(true);
  } else if (setting.list == &WizardSettings::ExtListBox) {
    SetExtItems(s.ExtListBox);
  } else if (setting.entries == &WizardSettings::Speedbar) {
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
  } else if (setting.number == &WizardSettings::CodePage && codePage_ != s.CodePage) {
    codePage_ = s.CodePage;  // no control; an answer file may set it
    emit SettingsChanged();
  }
}

void TAppExpert::TakeSetting(const SettingDescription& setting, WizardSettings& s) const {
  if (QCheckBox* box = FlagBox(setting))
    s.*setting.flag = box->isChecked();
  else if (QLineEdit* edit = TextEdit(setting))
    s.*setting.text = edit->text().toStdString();
  else if (setting.text == &WizardSettings::Target)
    s.Target =
        ui_->rbTargetLcl->isChecked() ? WizardSettings::kTargetLcl : WizardSettings::kTargetVcl;
  else if (setting.list == &WizardSettings::ExtListBox)
    s.ExtListBox = ExtItems();
  else if (setting.entries == &WizardSettings::Speedbar)
    s.Speedbar = speedItems_.Entries();
  else if (setting.number == &WizardSettings::CodePage)
    s.CodePage = codePage_;
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

QLineEdit* TAppExpert::TextEdit(const SettingDescription& setting) const {
  if (setting.text == &WizardSettings::AppName) return ui_->AppName;
  if (setting.text == &WizardSettings::AppPath) return ui_->AppPath;
  return nullptr;
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
