#include "hosts/testorvalen/application_error.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

namespace orvalen::hosts {

namespace {

// The class name without its namespaces: "orvalen::EFCreateError" reads "EFCreateError".
std::string ClassName(const std::exception& error) {
  const char* mangled = typeid(error).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  const auto colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

}  // namespace

QString ApplicationErrorText(const std::exception& error) {
  return QString::fromStdString(ClassName(error) + ": " + error.what());
}

void ShowApplicationError(platform::MessageBoxes& boxes, const std::exception& error) {
  boxes.Show(nullptr, QMessageBox::Critical, QStringLiteral("Application Error"),
             ApplicationErrorText(error), QMessageBox::Ok);
}

}  // namespace orvalen::hosts
