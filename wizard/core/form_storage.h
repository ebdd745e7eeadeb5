// The wizard's remembered settings: thirteen settings read from the current
// user's registry when the dialog is shown and written back when it closes. Values live under the
// settings key in the section "AppExpert", one string per property named control "_" property
// ("cbFileMenu_Checked"); the file-type list lives in the sibling key "AppExpert.ExtListBox_Items"
// as "Count" and "Item0" onward.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "generator/settings_description.h"
#include "generator/wizard_settings.h"
#include "platform/registry.h"

namespace orvalen::wizard {

// The remembered properties, "AppPath.Text", "cbFileMenu.Checked", ..., in
// the order they are restored, as the description of the settings names them.
std::vector<std::string> StoredProps();

class FormStorage {
 public:
  using RegistryFactory = std::function<std::unique_ptr<platform::Registry>()>;

  // keyPath: "Software\\<base name of the running program>", see DefaultKeyPath.
  FormStorage(RegistryFactory openRegistry, std::string keyPath);

  // Opens the current user's default store (platform::Registry(RegistryRoot::CurrentUser)).
  static RegistryFactory DefaultRegistry();
  // "Software\\" + the base name (no directory, no extension) of the running program's file:
  // each program remembers its own settings.
  static std::string DefaultKeyPath();

  // Restore: once; marks restored. Reads the remembered values into `settings` in the stored
  // order; after each setting whose value changed, `changed` runs with it (the dialog fires
  // that box's click handler as a person's click would, and may change `settings` further).
  // A value that is absent or cannot be read leaves its setting as it is. A store that cannot
  // be opened is noted on standard error only: the settings keep their values, and the save
  // at close meets the same fault and reports it.
  void Restore(WizardSettings& settings,
               const std::function<void(const SettingDescription&)>& changed = {});
  // Save: only after a restore, at most once per storage object. All or nothing: raises
  // (platform::ERegistryException or std::exception) when the store cannot be written, and
  // then nothing of this save is kept; the caller reports it.
  void Save(const WizardSettings& settings);

  bool Restored() const { return restored_; }
  bool Saved() const { return saved_; }

 private:
  RegistryFactory openRegistry_;
  std::string keyPath_;
  bool restored_ = false;
  bool saved_ = false;
};

}  // namespace orvalen::wizard
