#include "hosts/form_convert_command.h"

#include <iostream>

namespace orvalen {

int RunFormConvertCommand(const std::string&, const std::string&) {
  std::cerr << "orvalen-gen: --convert is not available yet\n";
  return 2;
}

}  // namespace orvalen
