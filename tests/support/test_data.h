// Files of tests/data, read whole as bytes.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace codetal::test {

inline std::string read_test_data(const std::string& name) {
  std::ifstream in(std::string(CODETAL_TEST_DATA) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace codetal::test
