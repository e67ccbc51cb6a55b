#include "exports/dependency_graph.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/ascii.h"

namespace codetal {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::string_view last_part(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string lowered(std::string_view text) {
  std::string result(text);
  make_lower(result);
  return result;
}

// Units by their file in lower case; edges as unit indexes.
struct Builder {
  std::vector<GraphUnit> units;
  std::unordered_map<std::string, std::size_t> by_file;
  std::unordered_map<std::string, std::size_t> by_project;  // lower-case path -> unit
  std::vector<std::unordered_set<std::size_t>> edges;
  std::unordered_map<std::string, std::size_t> external_index;
  std::vector<ExternalDependency> external;
  std::vector<std::unordered_set<std::string_view>> external_users;
  std::vector<std::size_t> unit_of_project;

  void add_unit(const GraphProject& project) {
    const std::string file = built_file(*project.facts, project.path);
    auto [at, added] = by_file.try_emplace(lowered(file), units.size());
    if (added) {
      units.push_back(GraphUnit{file, {}, 0, {}, 0, 0, false});
      edges.emplace_back();
    }
    GraphUnit& unit = units[at->second];
    unit.projects.push_back(project.path);
    unit.lines = std::max(unit.lines, project.lines);
    by_project.emplace(lowered(project.path), at->second);
    unit_of_project.push_back(at->second);
  }

  std::size_t unit_of_file(std::string_view file) const {
    const auto found = by_file.find(lowered(last_part(file)));
    return found == by_file.end() ? kNone : found->second;
  }

  void depend(std::size_t from, std::size_t to) {
    if (to != kNone && to != from) edges[from].insert(to);
  }

  void add_external(std::string_view file, std::string_view guid, bool component,
                    std::string_view project) {
    const std::string key = file.empty() ? lowered(guid) : lowered(last_part(file));
    auto [at, added] = external_index.try_emplace(key, external.size());
    if (added) {
      external.push_back({std::string(last_part(file)), std::string(guid), component, 0});
      external_users.emplace_back();
    }
    if (external_users[at->second].insert(project).second) ++external[at->second].projects;
  }

  void add_edges(const GraphProject& project) {
    const std::size_t from = by_project.at(lowered(project.path));
    for (const std::string& path : project.referenced_projects) {
      const auto found = by_project.find(lowered(path));
      if (found != by_project.end()) depend(from, found->second);
    }
    for (const Reference& r : project.facts->references) {
      if (r.project) continue;  // a project by path, above
      const std::size_t to = r.path.empty() ? kNone : unit_of_file(r.path);
      if (to != kNone) {
        depend(from, to);
      } else {
        add_external(r.path, r.guid, false, project.path);
      }
    }
    for (const Component& c : project.facts->components) {
      const std::size_t to = c.file.empty() ? kNone : unit_of_file(c.file);
      if (to != kNone) {
        depend(from, to);
      } else {
        add_external(c.file, c.guid, true, project.path);
      }
    }
  }
};

// Tarjan's strongly connected components, without recursion: a unit's
// component comes after those of every unit it depends on.
std::vector<std::vector<std::size_t>> components_of(
    const std::vector<std::vector<std::size_t>>& edges) {
  const std::size_t n = edges.size();
  std::vector<std::size_t> index(n, kNone), low(n, 0), stack;
  std::vector<bool> on_stack(n, false);
  std::vector<std::vector<std::size_t>> components;
  std::size_t next = 0;
  struct Frame {
    std::size_t unit, edge;
  };
  for (std::size_t start = 0; start < n; ++start) {
    if (index[start] != kNone) continue;
    std::vector<Frame> frames{{start, 0}};
    index[start] = low[start] = next++;
    stack.push_back(start);
    on_stack[start] = true;
    while (!frames.empty()) {
      Frame& frame = frames.back();
      const std::size_t u = frame.unit;
      if (frame.edge < edges[u].size()) {
        const std::size_t v = edges[u][frame.edge++];
        if (index[v] == kNone) {
          index[v] = low[v] = next++;
          stack.push_back(v);
          on_stack[v] = true;
          frames.push_back({v, 0});
        } else if (on_stack[v]) {
          low[u] = std::min(low[u], index[v]);
        }
        continue;
      }
      if (low[u] == index[u]) {
        std::vector<std::size_t>& component = components.emplace_back();
        std::size_t v;
        do {
          v = stack.back();
          stack.pop_back();
          on_stack[v] = false;
          component.push_back(v);
        } while (v != u);
        std::sort(component.begin(), component.end());
      }
      frames.pop_back();
      if (!frames.empty()) low[frames.back().unit] = std::min(low[frames.back().unit], low[u]);
    }
  }
  return components;
}

// Waves by component, dependencies first; the units reordered by wave.
DependencyGraph order(Builder& built) {
  const std::size_t n = built.units.size();
  std::vector<std::vector<std::size_t>> edges(n);
  for (std::size_t u = 0; u < n; ++u) {
    edges[u].assign(built.edges[u].begin(), built.edges[u].end());
    std::sort(edges[u].begin(), edges[u].end());
  }
  const std::vector<std::vector<std::size_t>> components = components_of(edges);
  std::vector<std::size_t> component_of(n);
  for (std::size_t c = 0; c < components.size(); ++c) {
    for (std::size_t u : components[c]) component_of[u] = c;
  }
  DependencyGraph graph;
  std::vector<std::int32_t> wave(components.size(), 1);
  for (std::size_t c = 0; c < components.size(); ++c) {
    for (std::size_t u : components[c]) {
      for (std::size_t v : edges[u]) {
        if (component_of[v] != c) wave[c] = std::max(wave[c], wave[component_of[v]] + 1);
      }
    }
    graph.waves = std::max(graph.waves, wave[c]);
  }
  std::vector<std::size_t> order(n);
  for (std::size_t u = 0; u < n; ++u) order[u] = u;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return wave[component_of[a]] < wave[component_of[b]];
  });
  std::vector<std::size_t> position(n);
  for (std::size_t i = 0; i < n; ++i) position[order[i]] = i;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t u = order[i];
    GraphUnit& unit = graph.units.emplace_back(std::move(built.units[u]));
    unit.wave = wave[component_of[u]];
    unit.in_cycle = components[component_of[u]].size() > 1;
    for (std::size_t v : edges[u]) unit.depends_on.push_back(position[v]);
    std::sort(unit.depends_on.begin(), unit.depends_on.end());
  }
  for (GraphUnit& unit : graph.units) {
    for (std::size_t v : unit.depends_on) ++graph.units[v].used_by;
  }
  for (const std::vector<std::size_t>& component : components) {
    if (component.size() < 2) continue;
    std::vector<std::size_t>& cycle = graph.cycles.emplace_back();
    for (std::size_t u : component) cycle.push_back(position[u]);
    std::sort(cycle.begin(), cycle.end());
  }
  std::sort(graph.cycles.begin(), graph.cycles.end());
  graph.external = std::move(built.external);
  for (std::size_t u : built.unit_of_project) graph.unit_of_project.push_back(position[u]);
  return graph;
}

}  // namespace

std::string built_file(const ProjectFacts& facts, std::string_view project_path) {
  if (!facts.exe_name.empty()) return std::string(last_part(facts.exe_name));
  std::string file(facts.name);
  if (file.empty()) {
    const std::string_view own = last_part(project_path);
    file = own.substr(0, own.rfind('.'));
  }
  const std::string_view type = facts.type;
  if (equal_ignoring_case(type, "Exe") || equal_ignoring_case(type, "OleExe")) return file + ".exe";
  if (equal_ignoring_case(type, "OleDll")) return file + ".dll";
  if (equal_ignoring_case(type, "Control")) return file + ".ocx";
  return file;
}

DependencyGraph build_dependency_graph(const std::vector<GraphProject>& projects) {
  Builder builder;
  for (const GraphProject& project : projects) builder.add_unit(project);
  for (const GraphProject& project : projects) builder.add_edges(project);
  return order(builder);
}

}  // namespace codetal
