// The files that switches add beside the report (/csv, /json, /html), each
// rendered from the run's model when the run ends. The JSON file is written
// last, so that the exit status it records counts a failure of the others.
#pragma once

#include <functional>
#include <optional>

#include "exports/run_model.h"
#include "report/written_file.h"

namespace codetal {

struct ExportChoice {
  bool csv = false;
  bool json = false;
  bool html = false;
  bool dot = false;  // the dependency graph, with /assess

  bool any() const { return csv || json || html || dot; }
};

class Exports {
 public:
  Exports(Platform& platform, Console& console, ExportChoice choice);

  // Writes every chosen file; `exit_status` gives the run's status as far
  // as it is known when a file records it.
  void write(const RunModel& model, const std::function<int()>& exit_status);

  // True once any of the files lost a text: the run must end as a failure.
  bool text_lost() const;
  // For a run that writes none: an earlier run's files of the chosen names
  // are removed.
  void remove_earlier();
  // Before measuring: the files that cannot be created are told together,
  // with one wait, and given up (the run ends as a failure).
  void give_up_uncreatable(Platform& platform, Console& console);

 private:
  std::optional<WrittenFile> csv_;
  std::optional<WrittenFile> html_;
  std::optional<WrittenFile> json_;
  std::optional<WrittenFile> dot_;
};

}  // namespace codetal
