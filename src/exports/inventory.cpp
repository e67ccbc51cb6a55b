#include "exports/inventory.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/ascii.h"

namespace codetal {
namespace {

std::string upper(std::string_view text) {
  std::string result(text);
  make_upper(result);
  return result;
}

// The uses of one kind by key, in the order first met.
template <typename Use>
class Tally {
 public:
  // The use of `key`; `fresh` says whether this file had not met it yet.
  // A use met for the first time is made by `make`.
  template <typename Make>
  Use& of(const std::string& key, bool& fresh, Make make) {
    auto [at, added] = index_.try_emplace(key, uses_.size());
    if (added) uses_.push_back(make());
    fresh = in_this_file_.insert(key).second;
    return uses_[at->second];
  }
  void next_file() { in_this_file_.clear(); }

  template <typename Before>
  std::vector<Use> sorted(Before before) && {
    std::stable_sort(uses_.begin(), uses_.end(), before);
    return std::move(uses_);
  }

 private:
  std::unordered_map<std::string, std::size_t> index_;
  std::unordered_set<std::string> in_this_file_;
  std::vector<Use> uses_;
};

class InventoryTaker {
 public:
  void project(const ProjectFacts& facts) {
    components_.next_file();
    references_.next_file();
    for (const Component& c : facts.components) {
      bool fresh = false;
      ComponentUse& use = component(c, fresh);
      if (fresh) ++use.projects;
    }
    for (const Reference& r : facts.references) {
      if (r.project) continue;  // another project, not a library
      bool fresh = false;
      const std::string guid = upper(r.guid);
      ReferenceUse& use = references_.of(guid + '#' + r.version, fresh, [&] {
        return ReferenceUse{guid, r.description, r.version, 0};
      });
      if (fresh) ++use.projects;
    }
  }

  void module(const ModuleFacts& facts) {
    components_.next_file();
    controls_.next_file();
    libraries_.next_file();
    for (const Component& c : facts.components) {
      if (!c.project.empty()) continue;  // a control of another project
      bool fresh = false;
      ComponentUse& use = component(c, fresh);
      if (fresh) ++use.modules;
    }
    for (const auto& control : facts.controls) {
      bool fresh = false;
      const std::string& name = control.first;
      ControlUse& use = controls_.of(name, fresh, [&] { return ControlUse{name, 0, 0}; });
      use.instances += control.second;
      if (fresh) ++use.modules;
    }
    for (const Declare& d : facts.declares) {
      bool fresh = false;
      const std::string key = library_key(d.library);
      LibraryUse& use = libraries_.of(key, fresh, [&] { return LibraryUse{key, 0, 0}; });
      ++use.declares;
      if (fresh) ++use.modules;
    }
  }

  Inventory take() && {
    Inventory inventory;
    inventory.components =
        std::move(components_).sorted([](const ComponentUse& a, const ComponentUse& b) {
          if (a.projects != b.projects) return a.projects > b.projects;
          if (a.modules != b.modules) return a.modules > b.modules;
          return a.guid != b.guid ? a.guid < b.guid : a.version < b.version;
        });
    inventory.references =
        std::move(references_).sorted([](const ReferenceUse& a, const ReferenceUse& b) {
          if (a.projects != b.projects) return a.projects > b.projects;
          return a.guid != b.guid ? a.guid < b.guid : a.version < b.version;
        });
    inventory.controls = std::move(controls_).sorted([](const ControlUse& a, const ControlUse& b) {
      return a.instances != b.instances ? a.instances > b.instances
                                        : a.control_class < b.control_class;
    });
    inventory.libraries =
        std::move(libraries_).sorted([](const LibraryUse& a, const LibraryUse& b) {
          return a.declares != b.declares ? a.declares > b.declares : a.library < b.library;
        });
    return inventory;
  }

 private:
  ComponentUse& component(const Component& c, bool& fresh) {
    const std::string guid = upper(c.guid);
    return components_.of(guid + '#' + c.version, fresh, [&] {
      return ComponentUse{guid, c.file, c.version, 0, 0};
    });
  }

  Tally<ComponentUse> components_;
  Tally<ReferenceUse> references_;
  Tally<ControlUse> controls_;
  Tally<LibraryUse> libraries_;
};

}  // namespace

std::string library_key(std::string_view library) {
  std::string key(library);
  make_lower(key);
  if (key.ends_with(".dll")) key.resize(key.size() - 4);
  return key;
}

namespace {

std::string lower(std::string_view text) {
  std::string result(text);
  make_lower(result);
  return result;
}

}  // namespace

void take_risk_inventory(Inventory& inventory, const std::vector<const ModuleFacts*>& modules,
                         const std::vector<std::vector<const ModuleFacts*>>& projects) {
  inventory.risks.clear();
  for (std::size_t rule = 0; rule < kRiskRuleCount; ++rule) inventory.risks.push_back({rule});
  std::unordered_map<std::string, std::size_t> names;  // by the name in lower case
  for (const ModuleFacts* facts : modules) {
    for (std::size_t rule = 0; rule < kRiskRuleCount; ++rule) {
      inventory.risks[rule].occurrences += facts->risks[rule];
      inventory.risks[rule].modules += facts->risks[rule] > 0 ? 1 : 0;
    }
    for (const LateBoundName& l : facts->late_bound) {
      auto [at, added] = names.try_emplace(lower(l.name), inventory.late_bound.size());
      if (added) inventory.late_bound.push_back({l.name});
      inventory.late_bound[at->second].calls += l.calls;
      ++inventory.late_bound[at->second].modules;
    }
  }
  for (const std::vector<const ModuleFacts*>& project : projects) {
    std::unordered_set<std::size_t> rules, used;
    for (const ModuleFacts* facts : project) {
      for (std::size_t rule = 0; rule < kRiskRuleCount; ++rule)
        if (facts->risks[rule] > 0) rules.insert(rule);
      for (const LateBoundName& l : facts->late_bound) {
        if (auto at = names.find(lower(l.name)); at != names.end()) used.insert(at->second);
      }
    }
    for (std::size_t rule : rules) ++inventory.risks[rule].projects;
    for (std::size_t name : used) ++inventory.late_bound[name].projects;
  }
  std::stable_sort(inventory.late_bound.begin(), inventory.late_bound.end(),
                   [](const LateBoundUse& a, const LateBoundUse& b) { return a.calls > b.calls; });
}

Inventory take_inventory(const std::vector<const ProjectFacts*>& projects,
                         const std::vector<const ModuleFacts*>& modules) {
  InventoryTaker taker;
  for (const ProjectFacts* facts : projects) taker.project(*facts);
  for (const ModuleFacts* facts : modules) taker.module(*facts);
  return std::move(taker).take();
}

}  // namespace codetal
