// The wizard's remembered settings: thirteen control properties read from the
// current user's registry when the dialog is shown and written back when it
// closes. Values live under the settings key in the section "AppExpert", one
// string per property named control "_" property ("cbFileMenu_Checked"); the
// file-type list lives in the sibling key "AppExpert.ExtListBox_Items" as
// "Count" and "Item0" onward.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace orvalen::wizard {

// The dialog's named controls as the remembered settings see them (text is UTF-8).
class StoredControls {
 public:
  virtual ~StoredControls() = default;
  virtual bool HasControl(std::string_view name) const = 0;
  virtual bool Checked(std::string_view name) const = 0;
  // As the control's normal setter: a change fires the box's click handler.
  virtual void SetChecked(std::string_view name, bool checked) = 0;
  virtual std::string Text(std::string_view name) const = 0;
  virtual void SetText(std::string_view name, const std::string& text) = 0;
  virtual std::vector<std::string> Items(std::string_view name) const = 0;
  virtual void SetItems(std::string_view name, const std::vector<std::string>& items) = 0;
};

// "AppPath.Text", "cbFileMenu.Checked", ... in the stored order.
const std::vector<std::string>& StoredProps();

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

  // Restore: once; marks restored. A property whose control the dialog lacks is skipped; a
  // value that cannot be read or applied leaves its control as it is. A store that cannot be
  // opened, or whose created key cannot be saved, is noted on standard error only: the
  // controls keep their defaults, and the save at close meets the same fault and reports it.
  void Restore(StoredControls& controls);
  // Save: only after a restore, at most once per storage object (marked saved before
  // writing, so a failing save is not retried at destruction). Raises
  // (platform::ERegistryException or std::exception) when the store cannot be written;
  // the caller reports it.
  void Save(StoredControls& controls);

  bool Restored() const { return restored_; }
  bool Saved() const { return saved_; }

 private:
  RegistryFactory openRegistry_;
  std::string keyPath_;
  bool restored_ = false;
  bool saved_ = false;
};

}  // namespace orvalen::wizard
