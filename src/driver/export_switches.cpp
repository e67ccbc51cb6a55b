#include "driver/export_switches.h"

#include "platform/ascii.h"

namespace codetal {

ExportChoice scan_export_switches(const std::vector<std::string>& arguments) {
  ExportChoice choice;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (equal_ignoring_case(argument, "/csv")) choice.csv = true;
    if (equal_ignoring_case(argument, "/json")) choice.json = true;
    if (equal_ignoring_case(argument, "/html")) choice.html = true;
  }
  return choice;
}

bool wants_assessment(const std::vector<std::string>& arguments) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (equal_ignoring_case(arguments[i], "/assess")) return true;
  }
  return false;
}

}  // namespace codetal
