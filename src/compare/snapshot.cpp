#include "compare/snapshot.h"

#include <istream>
#include <nlohmann/json.hpp>
#include <streambuf>
#include <string_view>
#include <unordered_map>

#include "exports/export_text.h"
#include "platform/ascii.h"

namespace codetal {
namespace {

using Json = nlohmann::json;

// A refusal of the file, in words that follow its name.
struct Refused {
  std::string why;
};

constexpr std::string_view kNotOurs = "is not a Codetal JSON file";

// The file as a stream, read in large chunks: the parser takes its bytes
// one at a time from here.
class FileBuffer : public std::streambuf {
 public:
  explicit FileBuffer(InputFile& file) : file_(file), chunk_(1 << 20) {}
  std::int64_t bytes_read() const { return bytes_; }
  bool failed() const { return failed_; }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    const long got = file_.read(chunk_.data(), chunk_.size());
    if (got <= 0) {
      failed_ = got < 0;
      return traits_type::eof();
    }
    bytes_ += got;
    setg(chunk_.data(), chunk_.data(), chunk_.data() + got);
    return traits_type::to_int_type(*gptr());
  }

 private:
  InputFile& file_;
  std::vector<char> chunk_;
  std::int64_t bytes_ = 0;
  bool failed_ = false;
};

const Json& member(const Json& object, const char* key) {
  static const Json kNone;
  if (!object.is_object()) return kNone;
  const auto found = object.find(key);
  return found == object.end() ? kNone : *found;
}

std::string text_of(const Json& object, const char* key) {
  const Json& value = member(object, key);
  if (!value.is_string()) throw Refused{std::string(kNotOurs)};
  return value.get<std::string>();
}

std::string text_or_empty(const Json& object, const char* key) {
  const Json& value = member(object, key);
  return value.is_string() ? value.get<std::string>() : std::string();
}

std::int32_t number_of(const Json& object, const char* key) {
  const Json& value = member(object, key);
  if (!value.is_number_integer()) throw Refused{std::string(kNotOurs)};
  const std::int64_t n = value.get<std::int64_t>();
  if (n < INT32_MIN || n > INT32_MAX) throw Refused{std::string(kNotOurs)};
  return static_cast<std::int32_t>(n);
}

ModuleStats counts_of(const Json& counts) {
  ModuleStats stats;
  for (int counter = 0; counter < kCounterCount; ++counter)
    stats[static_cast<Counter>(counter)] =
        number_of(counts, std::string(counter_name(counter)).c_str());
  return stats;
}

RiskCounts risks_of(const Json& risks) {
  RiskCounts counts{};
  if (!risks.is_object()) return counts;
  for (std::size_t i = 0; i < kRiskRuleCount; ++i) {
    const Json& n = member(risks, std::string(kRiskRules[i].id).c_str());
    if (n.is_number_integer()) counts[i] = n.get<std::int32_t>();
  }
  return counts;
}

SnapModule module_of(const Json& record) {
  SnapModule m;
  m.path = text_of(record, "path");
  const Json& counts = member(record, "counts");
  m.counted = counts.is_object();
  if (m.counted) m.counts = counts_of(counts);
  m.content = text_or_empty(record, "content");
  const Json& procedures = member(record, "procedures");
  if (procedures.is_array()) {
    m.procedures.reserve(procedures.size());
    for (const Json& p : procedures)
      m.procedures.push_back({text_of(p, "kind"), text_of(p, "name"), number_of(p, "complexity"),
                              number_of(member(p, "counts"), "code")});
  }
  m.risks = risks_of(member(record, "risks"));
  return m;
}

// Reads the document's structure as the parser goes: each module record,
// project and group is taken out of the tree as it ends, and the parser
// keeps only what is left of it.
class Reader {
 public:
  bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed) {
    using Event = Json::parse_event_t;
    switch (event) {
      case Event::key:
        key_ = parsed.get<std::string>();
        return true;
      case Event::object_start:
      case Event::array_start:
        open(event == Event::array_start);
        return true;
      case Event::object_end:
      case Event::array_end:
        return close(event == Event::object_end, parsed);
      case Event::value:
        if (path_.size() == 1 && key_ == "format" && parsed.is_number_integer() &&
            parsed.get<std::int64_t>() > kJsonFormat)
          throw Refused{"was written by a later Codetal (format " + parsed.dump() +
                        "): this one reads format " + std::to_string(kJsonFormat)};
        return true;
    }
    return true;
  }

  // Raw module records, each as often as the run listed it.
  std::vector<SnapModule> modules;
  // Per project and group, the raw records it holds.
  struct RawList {
    std::string path;
    std::optional<ModuleStats> totals;
    std::vector<std::size_t> raw;
  };
  std::vector<RawList> projects, groups;

 private:
  struct Open {
    std::string name;  // the key it is the value of, or "[]" for an item
    bool array;
    std::size_t modules_at, projects_at;
  };

  void open(bool array) {
    const bool item = !path_.empty() && path_.back().array;
    path_.push_back({item ? std::string("[]") : key_, array, modules.size(), projects.size()});
  }

  bool is(std::initializer_list<std::string_view> names) const {
    if (names.size() != path_.size()) return false;
    auto at = path_.begin();
    for (std::string_view name : names) {
      if ((at++)->name != name) return false;
    }
    return true;
  }

  bool close(bool object, const Json& parsed) {
    const Open ending = path_.back();
    bool keep = true;
    if (object && is_module()) {
      modules.push_back(module_of(parsed));
      keep = false;
    } else if (object &&
               (is({"", "projects", "[]"}) || is({"", "groups", "[]", "projects", "[]"}))) {
      projects.push_back(list_of(parsed, ending.modules_at, modules.size()));
      keep = false;
    } else if (object && is({"", "groups", "[]"})) {
      RawList group = list_of(parsed, 0, 0);
      for (std::size_t p = ending.projects_at; p < projects.size(); ++p)
        group.raw.insert(group.raw.end(), projects[p].raw.begin(), projects[p].raw.end());
      groups.push_back(std::move(group));
      keep = false;
    }
    path_.pop_back();
    return keep;
  }

  bool is_module() const {
    return is({"", "modules", "[]"}) || is({"", "projects", "[]", "modules", "[]"}) ||
           is({"", "sets", "[]", "modules", "[]"}) || is({"", "estate", "unlisted", "[]"}) ||
           is({"", "groups", "[]", "projects", "[]", "modules", "[]"});
  }

  static RawList list_of(const Json& record, std::size_t from, std::size_t to) {
    RawList list{text_of(record, "path"), std::nullopt, {}};
    const Json& totals = member(record, "totals");
    if (totals.is_object()) list.totals = counts_of(totals);
    for (std::size_t i = from; i < to; ++i) list.raw.push_back(i);
    return list;
  }

  std::vector<Open> path_;
  std::string key_;
};

// The folder the run's paths start from: an estate's own, else the input's.
std::string root_of(const Json& document) {
  std::string input = text_of(document, "input");
  if (member(document, "estate").is_object()) return input;
  const std::size_t end = input.find_last_of("\\/");
  return end == std::string::npos ? std::string() : input.substr(0, end);
}

// Each file once: later listings of a file point to its first record, which
// takes the counts of the first listing that was counted.
void take_files(Snapshot& snap, Reader& reader, const std::string& root) {
  std::unordered_map<std::string, std::size_t> by_key;
  std::vector<std::size_t> file_of(reader.modules.size());
  for (std::size_t raw = 0; raw < reader.modules.size(); ++raw) {
    SnapModule& m = reader.modules[raw];
    m.key = comparison_key(m.path, root);
    const auto [at, added] = by_key.try_emplace(m.key, snap.files.size());
    if (added) {
      snap.files.push_back(std::move(m));
    } else if (!snap.files[at->second].counted && m.counted) {
      snap.files[at->second] = std::move(m);
    }
    file_of[raw] = at->second;
  }
  reader.modules.clear();
  reader.modules.shrink_to_fit();
  auto take = [&](std::vector<Reader::RawList>& raw_lists, std::vector<SnapList>& lists) {
    std::unordered_map<std::string, std::size_t> seen;
    for (Reader::RawList& raw : raw_lists) {
      std::string key = comparison_key(raw.path, root);
      if (!seen.try_emplace(key, lists.size()).second) continue;
      SnapList list{std::move(raw.path), std::move(key), {}, raw.totals};
      for (std::size_t r : raw.raw) list.files.push_back(file_of[r]);
      lists.push_back(std::move(list));
    }
  };
  take(reader.projects, snap.projects);
  take(reader.groups, snap.groups);
}

std::string lower(std::string text) {
  make_lower(text);
  return text;
}

void take_assessment(Snapshot& snap, const Json& document) {
  const Json& inventory = member(document, "inventory");
  snap.assessed = inventory.is_object();
  if (!snap.assessed) return;
  const Json& units = member(member(document, "dependencies"), "units");
  if (units.is_array())
    for (const Json& u : units)
      snap.units.push_back({lower(text_of(u, "file")), text_of(u, "file"), number_of(u, "wave")});
  auto things = [&](const char* key, const char* name_key, std::vector<SnapThing>& into) {
    const Json& all = member(inventory, key);
    if (!all.is_array()) return;
    for (const Json& t : all) {
      const std::string version = text_or_empty(t, "version");
      std::string name = text_or_empty(t, name_key);
      if (name.empty()) name = text_or_empty(t, "project");
      const std::string guid = text_or_empty(t, "guid");
      into.push_back({lower((guid.empty() ? name : guid) + "#" + version),
                      version.empty() ? name : name + " " + version, 0});
    }
  };
  things("references", "description", snap.references);
  things("components", "file", snap.components);
}

Snapshot snapshot_of(std::istream& in, std::string name, const FileBuffer& buffer) {
  Snapshot snap;
  snap.file = std::move(name);
  Reader reader;
  Json document;
  try {
    document = Json::parse(in, std::ref(reader));
  } catch (const Json::parse_error& fault) {
    if (buffer.failed()) throw Refused{"could not be read to its end"};
    if (buffer.bytes_read() == 0) throw Refused{"is empty"};
    if (static_cast<std::int64_t>(fault.byte) > buffer.bytes_read())
      throw Refused{"is cut short: it ends after " + std::to_string(buffer.bytes_read()) +
                    " bytes, before its end"};
    throw Refused{"is not JSON (a fault at byte " + std::to_string(fault.byte) + ")"};
  }
  if (!document.is_object() || text_or_empty(document, "tool") != "Codetal")
    throw Refused{std::string(kNotOurs)};
  snap.input = text_of(document, "input");
  snap.started = text_or_empty(document, "started");
  snap.options = member(document, "options").dump();
  snap.completed = member(document, "completed") == Json(true);
  take_files(snap, reader, root_of(document));
  take_assessment(snap, document);
  return snap;
}

}  // namespace

std::string comparison_key(std::string_view path, std::string_view root) {
  auto normal = [](std::string_view text) {
    std::vector<std::string> parts;
    std::string part;
    const bool absolute = !text.empty() && (text[0] == '/' || text[0] == '\\');
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != '/' && text[i] != '\\') {
        part += ascii_lower(text[i]);
        continue;
      }
      if (part == ".." && !parts.empty() && parts.back() != "..") {
        parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    }
    std::string joined = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) joined += (i > 0 ? "/" : "") + parts[i];
    return joined;
  };
  std::string key = normal(path);
  const std::string base = normal(root);
  if (base.empty()) return key;
  if (key.size() > base.size() && key.starts_with(base) && key[base.size()] == '/')
    return key.substr(base.size() + 1);
  return key;
}

std::optional<Snapshot> read_snapshot(InputFile& file, std::string name, std::string& error) {
  FileBuffer buffer(file);
  std::istream in(&buffer);
  try {
    return snapshot_of(in, std::move(name), buffer);
  } catch (const Refused& refused) {
    error = refused.why;
  } catch (const Json::exception&) {
    error = kNotOurs;
  }
  return std::nullopt;
}

}  // namespace codetal
