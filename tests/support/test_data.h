// The tables of inputs and expected outputs kept in tests/data.
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cases.h"

namespace codetal::test {

// A field of a table: \n \r \t \f, \xHH for any byte, c\{N} for N times the
// character c; a backslash before any other character stands for that one.
inline std::string unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      c = text[++i];
      if (c == 'x') {
        out +=
            static_cast<char>(std::strtol(std::string(text.substr(i + 1, 2)).c_str(), nullptr, 16));
        i += 2;
        continue;
      }
      if (c == '{' && !out.empty()) {
        std::size_t end = text.find('}', i);
        out.append(std::stoul(std::string(text.substr(i + 1, end - i - 1))) - 1, out.back());
        i = end;
        continue;
      }
      c = c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == 'f' ? '\f' : c;
    }
    out += c;
  }
  return out;
}

// The rows of a table file of tests/data: a row a line, its fields apart by
// tabs and unescaped; empty lines and lines starting with '#' are comments.
inline std::vector<std::vector<std::string>> read_table(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(read_file(data_path(name)));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string>& row = rows.emplace_back();
    std::istringstream fields(line + "\t");
    for (std::string field; std::getline(fields, field, '\t');) row.push_back(unescaped(field));
  }
  return rows;
}

// The lines of a text, one after the other, each but the last with its line
// feed.
inline std::vector<std::string> lines_in(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(in.eof() ? line : line + "\n");
  return lines;
}

}  // namespace codetal::test
