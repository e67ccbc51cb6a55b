#include <string>
#include <vector>

#include "driver/driver.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  auto platform = codetal::make_system_platform();
  return codetal::run_codetal(*platform, arguments);
}
