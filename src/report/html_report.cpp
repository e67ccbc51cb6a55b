#include "report/html_report.h"

namespace codetal {

HtmlReport::HtmlReport(Platform& platform, Console& console, RunFacts facts)
    : file_(platform, console, kHtmlFileName) {
  data_.facts = std::move(facts);
}

void HtmlReport::open_container(std::string_view name, bool wildcard_set) {
  PageContainer& container = data_.containers.emplace_back();
  container.wildcard_set = wildcard_set;
  container.name = name;
  in_container_ = true;
}

void HtmlReport::module_counted(std::string_view module, const ModuleStats& stats) {
  ++data_.modules_counted;
  data_.totals += stats;
  if (in_container_) {
    PageContainer& container = data_.containers.back();
    ++container.modules;
    container.totals += stats;
  }
  keep_if_largest(module, stats);
}

// Kept in order as they come, so that modules of the same size keep the
// order of the traversal.
void HtmlReport::keep_if_largest(std::string_view module, const ModuleStats& stats) {
  std::vector<PageModule>& largest = data_.largest;
  std::size_t at = 0;
  while (at < largest.size() && largest[at].stats[kTotalLines] >= stats[kTotalLines]) ++at;
  if (at >= kLargestModules) return;
  largest.insert(largest.begin() + static_cast<std::ptrdiff_t>(at),
                 PageModule{std::string(module), stats});
  if (largest.size() > kLargestModules) largest.pop_back();
}

void HtmlReport::module_failed(std::string_view module, ModuleFailure why) {
  data_.failures.push_back(PageFailure{std::string(module), why});
  if (in_container_) ++data_.containers.back().failed;
}

void HtmlReport::run_ended(int exit_status) {
  write_page(true, exit_status);
}

void HtmlReport::run_stopped() {
  write_page(false, kFailedRunStatus);
}

void HtmlReport::write_page(bool completed, int exit_status) {
  data_.completed = completed;
  data_.exit_status = exit_status;
  render_page(file_.text(), data_);
  file_.finish();
}

}  // namespace codetal
