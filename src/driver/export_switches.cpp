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

}  // namespace codetal
