#include "compare/compare_outputs.h"
#include "exports/export_text.h"

namespace codetal {
namespace {

// A row per module file, project and group, and one for the whole: its
// state, its paths in each run, its files by state (lists and the whole
// only) and the change of every count, new less old.
void header(std::string& out) {
  out += "row,state,old_path,new_path";
  for (std::string_view state : kFileStateNames) {
    out += ",files_";
    out += state;
  }
  for (int counter = 0; counter < kCounterCount; ++counter) {
    out += ',';
    out += counter_name(counter);
  }
  out += ",copy_of\r\n";
}

void cells(std::string& out, std::string_view row, std::string_view state, const std::string* old,
           const std::string* now, const StateCounts* files, const CountChange& change) {
  out += row;
  out += ',';
  out += state;
  for (const std::string* path : {old, now}) {
    out += ',';
    if (path != nullptr) append_csv_field(out, *path);
  }
  for (std::size_t s = 0; s < kFileStateCount; ++s) {
    out += ',';
    if (files != nullptr) append_number(out, (*files)[s]);
  }
  for (std::int64_t value : change) {
    out += ',';
    append_number(out, value);
  }
  out += ',';
}

void lists(WrittenFile& file, std::string_view row, const std::vector<ListChange>& all) {
  for (const ListChange& l : all) {
    cells(file.text(), row, kListStateNames[static_cast<std::size_t>(l.state)],
          l.old != nullptr ? &l.old->path : nullptr, l.now != nullptr ? &l.now->path : nullptr,
          &l.files, l.change);
    file.text() += "\r\n";
    file.flush_when_large();
  }
}

}  // namespace

void write_compare_csv(WrittenFile& file, const Comparison& c) {
  if (!file.open()) return;
  header(file.text());
  for (const FileChange& f : c.files) {
    std::string& out = file.text();
    cells(out, "module", state_name(f.state), f.old != nullptr ? &f.old->path : nullptr,
          f.now != nullptr ? &f.now->path : nullptr, nullptr, f.change);
    if (f.copy_of != nullptr) append_csv_field(out, f.copy_of->path);
    out += "\r\n";
    file.flush_when_large();
  }
  lists(file, "project", c.projects);
  lists(file, "group", c.groups);
  cells(file.text(), "total", "", &c.old->input, &c.now->input, &c.files_by_state, c.total_change);
  file.text() += "\r\n";
  file.close();
}

}  // namespace codetal
