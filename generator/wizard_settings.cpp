#include "generator/wizard_settings.h"

#include <stdexcept>

namespace orvalen {

int WizardSettings::SpeedbarItemId(int index) const {
  if (index < 0 || index >= SpeedbarCount())
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return Speedbar[static_cast<std::size_t>(index)];
}

bool WizardSettings::MenuChecked(int menu) const {
  switch (menu) {
    case 0:
      return cbFileMenu;
    case 1:
      return cbEditMenu;
    case 2:
      return cbWindowMenu;
    case 3:
      return cbHelpMenu;
    default:
      return false;
  }
}

bool WizardSettings::AnyMenuChecked() const {
  return cbFileMenu || cbEditMenu || cbWindowMenu || cbHelpMenu;
}

}  // namespace orvalen
