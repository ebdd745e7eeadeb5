// The settings as one value: read from the controls, put back into them, and
// the controls as the remembered settings see them.
#include <QCheckBox>
#include <QLineEdit>

#include "generator/command_table.h"
#include "generator/settings_check.h"
#include "run/generation_run.h"
#include "wizard/app_expert.h"
#include "wizard/app_expert_controls.h"

namespace orvalen::wizard {

// The binding: every setting of the description and the control that shows it.

void TAppExpert::ApplySettings(const WizardSettings& s) {
  // In the description's order: the menus before the speedbar, since
  // unchecking one drops its commands from it.
  for (const SettingDescription& setting : SettingDescriptions()) PutSetting(setting, s, false);
}

WizardSettings TAppExpert::RawSettings() const {
  WizardSettings s = settings_;
  for (const SettingDescription& setting : SettingDescriptions()) TakeSetting(setting, s);
  return s;
}

void TAppExpert::PutSetting(const SettingDescription& setting, const WizardSettings& s,
                            bool asked) {
  // A setting whose page has not been made changes in the value, and is told
  // on as its control's change would be.
  const auto intoValue = [&] {
    if (SameValue(setting, settings_, s)) return;
    CopyValue(setting, s, settings_);
    emit SettingsChanged();
  };
  if (setting.flag) {
    // Settings put in whole (an answer file's) take the MDI child form as they
    // hold it, without the question a person's click or a remembered value asks.
    if (!asked && setting.flag == &WizardSettings::cbMDIform) {
      if (QCheckBox* box = FlagBox(setting.flag))
        box->setChecked(s.cbMDIform);
      else
        intoValue();
    } else {
      SetCheckedFiring(setting.flag, s.*setting.flag);
    }
  } else if (QLineEdit* edit = TextEdit(setting)) {
    edit->setText(QString::fromStdString(s.*setting.text));
  } else if (setting.text == &WizardSettings::Target && services_.lazarusOnly) {
    // A host that opens Lazarus projects only keeps the Lazarus target, in
    // the value and on the page alike, whatever is put.
  } else if (setting.text == &WizardSettings::Target && ui_->rbTargetLcl) {
    (s.Lazarus() ? ui_->rbTargetLcl : ui_->rbTargetVcl)->setChecked(true);
  } else if (setting.list == &WizardSettings::ExtListBox && ui_->ExtListBox) {
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
    SpeedbarChanged();
  } else {
    intoValue();  // the code page has no control; and the pages not made yet
  }
}

void TAppExpert::TakeSetting(const SettingDescription& setting, WizardSettings& s) const {
  if (QCheckBox* box = FlagBox(setting.flag))
    s.*setting.flag = box->isChecked();
  else if (QLineEdit* edit = TextEdit(setting))
    s.*setting.text = edit->text().toStdString();
  else if (setting.text == &WizardSettings::Target && ui_->rbTargetLcl)
    s.Target =
        ui_->rbTargetLcl->isChecked() ? WizardSettings::kTargetLcl : WizardSettings::kTargetVcl;
  else if (setting.list == &WizardSettings::ExtListBox && ui_->ExtListBox)
    s.ExtListBox = ExtItems();
  else if (setting.entries == &WizardSettings::Speedbar)
    s.Speedbar = speedItems_.Entries();
}

WizardSettings TAppExpert::Settings() const {
  WizardSettings settings = RawSettings();
  if (auto message = EncodeTypedText(settings)) throw ESettingsError(*message);
  return settings;
}

bool TAppExpert::Flag(bool WizardSettings::*flag) const {
  const QCheckBox* box = FlagBox(flag);
  return box ? box->isChecked() : settings_.*flag;
}

void TAppExpert::SetCheckedFiring(bool WizardSettings::*flag, bool checked) {
  if (Flag(flag) == checked) return;
  if (QCheckBox* box = FlagBox(flag)) {
    box->setChecked(checked);
    emit box->clicked(checked);
    return;
  }
  settings_.*flag = checked;
  emit SettingsChanged();
  // The handler the box's click runs, as Connect() wires it.
  using Handler = void (TAppExpert::*)();
  const std::pair<bool WizardSettings::*, Handler> handlers[] = {
      {&WizardSettings::cbFileMenu, &TAppExpert::MenuClicked},
      {&WizardSettings::cbEditMenu, &TAppExpert::MenuClicked},
      {&WizardSettings::cbWindowMenu, &TAppExpert::MenuClicked},
      {&WizardSettings::cbHelpMenu, &TAppExpert::MenuClicked},
      {&WizardSettings::cbMRU, &TAppExpert::cbMRUClick},
      {&WizardSettings::cbMDIApp, &TAppExpert::cbMDIAppClick},
      {&WizardSettings::cbMDIform, &TAppExpert::cbMDIformClick},
      {&WizardSettings::SingleInstanceApp, &TAppExpert::SingleInstanceAppClick}};
  for (const auto& [member, handler] : handlers)
    if (member == flag) (this->*handler)();
}

// The controls as the remembered settings see them

QCheckBox* TAppExpert::FlagBox(bool WizardSettings::*flag) const {
  if (!flag) return nullptr;
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
  for (const auto& [member, box] : boxes)
    if (member == flag) return box;
  return nullptr;
}

QLineEdit* TAppExpert::TextEdit(const SettingDescription& setting) const {
  if (setting.text == &WizardSettings::AppName) return ui_->AppName;
  if (setting.text == &WizardSettings::AppPath) return ui_->AppPath;
  return nullptr;
}

void TAppExpert::FillPage(int page) {
  // Set without firing: the value already holds what the handlers did, and
  // the enabling rules are applied from it below.
  for (const SettingDescription& setting : SettingDescriptions()) {
    if (QCheckBox* box = FlagBox(setting.flag);
        box && ui_->PageControl->widget(page)->isAncestorOf(box)) {
      box->setChecked(settings_.*setting.flag);
      if (!setting.enabledBy.empty())
        if (const SettingDescription* leader = FindSetting(setting.enabledBy))
          box->setEnabled(settings_.*leader->flag);
    }
  }
  if (page == kAppInfo) {
    ui_->AppName->setText(QString::fromStdString(settings_.AppName));
    ui_->AppPath->setText(QString::fromStdString(settings_.AppPath));
  } else if (page == kExtrasTab) {
    (settings_.Lazarus() ? ui_->rbTargetLcl : ui_->rbTargetVcl)->setChecked(true);
  } else if (page == kExtensions) {
    SetExtItems(settings_.ExtListBox);
  }
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
