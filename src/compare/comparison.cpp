#include "compare/comparison.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "platform/ascii.h"

namespace codetal {
namespace {

CountChange change_of(const SnapModule* old, const SnapModule* now) {
  CountChange change{};
  for (int c = 0; c < kCounterCount; ++c) {
    if (now != nullptr && now->counted) change[c] += now->counts[static_cast<Counter>(c)];
    if (old != nullptr && old->counted) change[c] -= old->counts[static_cast<Counter>(c)];
  }
  return change;
}

FileState state_of_pair(const SnapModule& old, const SnapModule& now) {
  if (!old.counted || !now.counted) return FileState::kNotRead;
  // A run of a format without digests is told apart by its counts only.
  const bool same = !old.content.empty() && !now.content.empty() ? old.content == now.content
                                                                 : old.counts == now.counts;
  return same ? FileState::kSame : FileState::kModified;
}

std::string procedure_key(const SnapProcedure& p) {
  std::string key = p.kind + '\n' + p.name;
  make_lower(key);
  return key;
}

// Procedures matched by kind and name within the module; an added file's
// are all added and a removed file's all removed.
std::vector<ProcedureChange> procedure_changes(const SnapModule* old, const SnapModule* now) {
  std::vector<ProcedureChange> changes;
  std::unordered_multimap<std::string, std::size_t> olds;
  std::vector<bool> matched(old != nullptr ? old->procedures.size() : 0);
  for (std::size_t i = 0; i < matched.size(); ++i)
    olds.emplace(procedure_key(old->procedures[i]), i);
  static const std::vector<SnapProcedure> kNone;
  for (const SnapProcedure& p : now != nullptr ? now->procedures : kNone) {
    const auto found = olds.find(procedure_key(p));
    if (found == olds.end()) {
      changes.push_back({p.kind, p.name, -1, p.complexity});
      continue;
    }
    const SnapProcedure& was = old->procedures[found->second];
    matched[found->second] = true;
    olds.erase(found);
    if (was.complexity != p.complexity || was.code != p.code)
      changes.push_back({p.kind, p.name, was.complexity, p.complexity});
  }
  for (std::size_t i = 0; i < matched.size(); ++i) {
    if (!matched[i])
      changes.push_back(
          {old->procedures[i].kind, old->procedures[i].name, old->procedures[i].complexity, -1});
  }
  return changes;
}

// Pairs the files no path matched by content: a file of the same name
// first (moved to another folder), then any (renamed).
class ContentMatcher {
 public:
  ContentMatcher(const Snapshot& old, const std::vector<bool>& used) {
    for (std::size_t i = 0; i < old.files.size(); ++i) {
      const SnapModule& m = old.files[i];
      if (used[i] || !m.counted || m.content.empty()) continue;
      by_name_[name_key(m)].files.push_back(i);
      by_content_[m.content].files.push_back(i);
    }
  }

  // The old file for `now`, or npos; the file is taken.
  std::size_t take(const SnapModule& now, std::vector<bool>& used) {
    if (!now.counted || now.content.empty()) return std::string::npos;
    std::size_t found = pop(by_name_, name_key(now), used);
    if (found == std::string::npos) found = pop(by_content_, now.content, used);
    if (found != std::string::npos) used[found] = true;
    return found;
  }

 private:
  // Each queue is read front to back once: entries the other queue took
  // are passed over.
  struct Queue {
    std::vector<std::size_t> files;
    std::size_t next = 0;
  };
  using Queues = std::unordered_map<std::string, Queue>;

  // Its content and its file's name.
  static std::string name_key(const SnapModule& m) {
    const std::size_t slash = m.key.rfind('/');
    return m.content + '\n' + (slash == std::string::npos ? m.key : m.key.substr(slash + 1));
  }

  static std::size_t pop(Queues& queues, const std::string& key, const std::vector<bool>& used) {
    const auto found = queues.find(key);
    if (found == queues.end()) return std::string::npos;
    Queue& q = found->second;
    while (q.next < q.files.size() && used[q.files[q.next]]) ++q.next;
    return q.next < q.files.size() ? q.files[q.next++] : std::string::npos;
  }

  Queues by_name_, by_content_;
};

void match_files(Comparison& c, const Snapshot& old, const Snapshot& now) {
  std::unordered_map<std::string_view, std::size_t> old_by_key;
  std::unordered_map<std::string_view, const SnapModule*> old_by_content;
  for (std::size_t i = 0; i < old.files.size(); ++i) {
    old_by_key.emplace(old.files[i].key, i);
    if (!old.files[i].content.empty()) old_by_content.emplace(old.files[i].content, &old.files[i]);
  }
  std::vector<bool> used(old.files.size());
  std::vector<std::size_t> unmatched;
  c.files.resize(now.files.size());
  for (std::size_t n = 0; n < now.files.size(); ++n) {
    const auto found = old_by_key.find(now.files[n].key);
    FileChange& change = c.files[n];
    change.now = &now.files[n];
    if (found == old_by_key.end()) {
      unmatched.push_back(n);
      continue;
    }
    used[found->second] = true;
    change.old = &old.files[found->second];
    change.state = state_of_pair(*change.old, *change.now);
  }
  ContentMatcher matcher(old, used);
  for (std::size_t n : unmatched) {
    FileChange& change = c.files[n];
    const std::size_t found = matcher.take(*change.now, used);
    change.state = found != std::string::npos ? FileState::kMoved : FileState::kAdded;
    if (found != std::string::npos) change.old = &old.files[found];
    const auto copy = old_by_content.find(change.now->content);
    if (found == std::string::npos && copy != old_by_content.end()) change.copy_of = copy->second;
  }
  for (std::size_t o = 0; o < old.files.size(); ++o) {
    if (!used[o]) c.files.push_back({FileState::kRemoved, &old.files[o], nullptr, {}, nullptr, {}});
  }
}

void add_counts(CountChange& into, const SnapModule* m) {
  if (m == nullptr || !m->counted) return;
  for (int i = 0; i < kCounterCount; ++i) into[i] += m->counts[static_cast<Counter>(i)];
}

std::size_t band_of(std::int32_t complexity) {
  std::size_t band = 0;
  while (complexity > kComplexityBands[band].highest) ++band;
  return band;
}

void add_assessment(Comparison& c, FileChange& f) {
  f.procedures = procedure_changes(f.old, f.now);
  for (const ProcedureChange& p : f.procedures) {
    ++(p.old_complexity < 0   ? c.procedures_added
       : p.new_complexity < 0 ? c.procedures_removed
                              : c.procedures_changed);
  }
  for (const auto& [m, bands, risks] :
       {std::tuple{f.old, &c.old_bands, &c.old_risks}, {f.now, &c.new_bands, &c.new_risks}}) {
    // A file matched twice (a move) adds its old side once, as the old file.
    if (m == nullptr) continue;
    for (const SnapProcedure& p : m->procedures) ++(*bands)[band_of(p.complexity)];
    for (std::size_t r = 0; r < kRiskRuleCount; ++r) (*risks)[r] += m->risks[r];
  }
}

void sum_files(Comparison& c) {
  for (FileChange& f : c.files) {
    f.change = change_of(f.old, f.now);
    ++c.files_by_state[static_cast<std::size_t>(f.state)];
    add_counts(c.old_totals, f.old);
    add_counts(c.new_totals, f.now);
    if (c.both_assessed) add_assessment(c, f);
    if (f.state == FileState::kMoved)
      c.moved.push_back(static_cast<std::size_t>(&f - c.files.data()));
  }
}

// The changed files with the largest changes of code lines, then of all
// lines; ties in the files' order. Only those kept are sorted.
void rank_largest(Comparison& c) {
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < c.files.size(); ++i)
    if (c.files[i].state != FileState::kSame) changed.push_back(i);
  auto size = [&](std::size_t i) {
    return std::pair{std::llabs(c.files[i].change[kCodeLines]),
                     std::llabs(c.files[i].change[kTotalLines])};
  };
  const std::size_t kept = std::min(kLargestChanges, changed.size());
  std::partial_sort(
      changed.begin(), changed.begin() + static_cast<std::ptrdiff_t>(kept), changed.end(),
      [&](std::size_t a, std::size_t b) { return size(a) != size(b) ? size(a) > size(b) : a < b; });
  changed.resize(kept);
  c.largest = std::move(changed);
}

// Projects or groups by path; each one's files by state, those of both runs
// once.
std::vector<ListChange> match_lists(const Comparison& c, const std::vector<SnapList>& old,
                                    const std::vector<SnapList>& now) {
  std::unordered_map<const SnapModule*, std::size_t> change_of_file;
  for (std::size_t i = 0; i < c.files.size(); ++i) {
    if (c.files[i].old != nullptr) change_of_file.emplace(c.files[i].old, i);
    if (c.files[i].now != nullptr) change_of_file[c.files[i].now] = i;
  }
  std::unordered_map<std::string_view, const SnapList*> old_by_key;
  for (const SnapList& l : old) old_by_key.emplace(l.key, &l);
  std::vector<ListChange> lists;
  auto add = [&](const SnapList* was, const SnapList* is) {
    ListChange list{is == nullptr    ? ListState::kRemoved
                    : was == nullptr ? ListState::kAdded
                                     : ListState::kKept,
                    was,
                    is,
                    {},
                    {}};
    std::vector<std::size_t> changes;
    for (const SnapList* side : {was, is}) {
      if (side == nullptr) continue;
      const std::vector<SnapModule>& files = side == was ? c.old->files : c.now->files;
      for (std::size_t f : side->files) changes.push_back(change_of_file.at(&files[f]));
    }
    std::sort(changes.begin(), changes.end());
    changes.erase(std::unique(changes.begin(), changes.end()), changes.end());
    for (std::size_t f : changes) ++list.files[static_cast<std::size_t>(c.files[f].state)];
    for (int k = 0; k < kCounterCount; ++k) {
      if (is != nullptr && is->totals) list.change[k] += (*is->totals)[static_cast<Counter>(k)];
      if (was != nullptr && was->totals) list.change[k] -= (*was->totals)[static_cast<Counter>(k)];
    }
    lists.push_back(list);
  };
  for (const SnapList& l : now) {
    const auto found = old_by_key.find(l.key);
    add(found == old_by_key.end() ? nullptr : found->second, &l);
    if (found != old_by_key.end()) old_by_key.erase(found);
  }
  for (const SnapList& l : old)
    if (old_by_key.contains(l.key)) add(&l, nullptr);
  return lists;
}

ThingChanges match_things(const std::vector<SnapThing>& old, const std::vector<SnapThing>& now) {
  ThingChanges changes;
  std::unordered_map<std::string_view, const SnapThing*> olds, nows;
  for (const SnapThing& t : old) olds.emplace(t.key, &t);
  for (const SnapThing& t : now) {
    nows.emplace(t.key, &t);
    const auto found = olds.find(t.key);
    if (found == olds.end()) {
      changes.added.push_back(&t);
    } else if (found->second->wave != t.wave) {
      changes.rewaved.emplace_back(found->second, &t);
    }
  }
  for (const SnapThing& t : old)
    if (!nows.contains(t.key)) changes.removed.push_back(&t);
  return changes;
}

}  // namespace

Comparison compare_runs(const Snapshot& old, const Snapshot& now) {
  Comparison c;
  c.old = &old;
  c.now = &now;
  c.options_differ = old.options != now.options;
  c.both_assessed = old.assessed && now.assessed;
  match_files(c, old, now);
  sum_files(c);
  rank_largest(c);
  for (int k = 0; k < kCounterCount; ++k) c.total_change[k] = c.new_totals[k] - c.old_totals[k];
  c.projects = match_lists(c, old.projects, now.projects);
  c.groups = match_lists(c, old.groups, now.groups);
  if (c.both_assessed) {
    c.units = match_things(old.units, now.units);
    c.references = match_things(old.references, now.references);
    c.components = match_things(old.components, now.components);
  }
  return c;
}

}  // namespace codetal
