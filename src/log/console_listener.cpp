#include "log/console_listener.h"

#include <string>

namespace codetal {

// Names are printed with "%s": a copy ends at a NUL as they always have.

void ConsoleListener::cannot_open(const std::string& name) {
  console_.console_message("Codetal==>  Unable to open %s for reading \n", name.c_str());
  console_.console_message("Codetal==>  The file probably doesn't exist \n\n");
}

void ConsoleListener::module_opened(std::string_view module) {
  console_.console_message("Codetal==>  Processing  %s \n", std::string(module).c_str());
}

void ConsoleListener::module_failed(std::string_view module, ModuleFailure why, Next next) {
  const std::string name(module);
  if (why == ModuleFailure::kCannotOpen) {
    cannot_open(name);
  } else {
    console_.console_message("\n");
    console_.console_message("Codetal==>  Unable to read %s \n", name.c_str());
    console_.console_message("Codetal==>  File is most probably of zero length \n");
  }
  if (next == Next::kGoOn) {
    console_.console_message("Codetal==>  Program will continue \n\n");
    if (waits_after_faults_) console_.pause();
    return;
  }
  console_.console_message("Codetal==>  Program will abort \n\n");
  console_.pause();
  console_.console_message("\n");
}

void ConsoleListener::listing_failed(std::string_view listing, ListingKind, ListingFailure why) {
  const std::string name(listing);
  if (why == ListingFailure::kReadError) {
    console_.console_message("Codetal==>  Unable to read %s \n", name.c_str());
    return;
  }
  cannot_open(name);
  if (waits_after_faults_) console_.pause();
}

void ConsoleListener::no_match(std::string_view pattern) {
  // Straight to standard output, never mirrored to the error stream.
  console_.stdout_message("Codetal==>  No Match Found for %s \n", std::string(pattern).c_str());
}

void ConsoleListener::pattern_unmatched(std::string_view pattern) {
  console_.console_message("Codetal==>  /x:%s matches no folder: it leaves out nothing \n",
                           std::string(pattern).c_str());
  if (pattern.find_first_of("\\/") != std::string_view::npos)
    console_.console_message("Codetal==>  A pattern is matched against each folder's own name \n");
  console_.console_message("\n");
}

void ConsoleListener::folder_unreadable(std::string_view folder) {
  console_.console_message("Codetal==>  Unable to read %s \n", std::string(folder).c_str());
}

}  // namespace codetal
