// What must hold for any input, however broken: each check runs the real
// code on the bytes and returns a description of the first broken rule, or
// the empty text when every rule holds. The fuzz targets abort on a broken
// rule; the regression test runs every committed corpus file through the
// same checks in the ordinary build.
#pragma once

#include <string>
#include <string_view>

namespace codetal::fuzz {

// The bytes as a module, analysed once without and once with form-header
// counting, through the module cycle into an in-memory report.
std::string check_module_bytes(std::string_view bytes);

// The bytes as "Codetal.INI", read into the option values.
std::string check_options_bytes(std::string_view bytes);

// The bytes as a project file and as a group file in a real temporary
// folder that holds modules, a project, a folder and broken links, so every
// name cut out of a line is looked up on the file system.
std::string check_listing_bytes(std::string_view bytes);

// The bytes cut into a group, a project and a module name, told to the CSV,
// JSON and HTML writers: each file reads back the names, in its format.
std::string check_exports_bytes(std::string_view bytes);

// The bytes as a plan of a folder tree (modules, projects, a group, hidden
// entries, links, loops, a FIFO, names spelt several ways), run as an
// estate: totals add up and no file counts twice in the estate totals.
std::string check_estate_bytes(std::string_view bytes);

// The bytes as a run's Codetal.json, read back and compared with itself.
std::string check_compare_bytes(std::string_view bytes);

}  // namespace codetal::fuzz
