// The cost of reading alone, the floor a run's time is held against: every
// file of a list (NUL-separated, as make_estate's modules.lst) read in the
// chunks the counter reads in, on every core, its line feeds counted. No
// line is looked at; what codetal takes beyond this is the counting's.
//
//   read_floor LIST [THREADS]
//
// Prints the files, bytes and line feeds read.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kChunk = 64 * 1024;  // the line reader's

struct Tally {
  long long bytes = 0;
  long long line_feeds = 0;
};

void read_file(const std::string& name, std::vector<char>& chunk, Tally& tally) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  for (ssize_t got; (got = ::read(fd, chunk.data(), chunk.size())) > 0;) {
    tally.bytes += got;
    tally.line_feeds += std::count(chunk.data(), chunk.data() + got, '\n');
  }
  ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: read_floor LIST [THREADS]\n");
    return 1;
  }
  std::ifstream list(argv[1], std::ios::binary);
  std::vector<std::string> files;
  for (std::string name; std::getline(list, name, '\0');) files.push_back(name);
  const unsigned threads =
      argc == 3 ? static_cast<unsigned>(std::atoi(argv[2])) : std::thread::hardware_concurrency();
  std::atomic<std::size_t> next{0};
  std::vector<Tally> tallies(std::max(1u, threads));
  std::vector<std::thread> workers;
  for (Tally& tally : tallies) {
    workers.emplace_back([&files, &next, &tally] {
      std::vector<char> chunk(kChunk);
      for (std::size_t i; (i = next++) < files.size();) read_file(files[i], chunk, tally);
    });
  }
  for (std::thread& worker : workers) worker.join();
  Tally all;
  for (const Tally& t : tallies) {
    all.bytes += t.bytes;
    all.line_feeds += t.line_feeds;
  }
  std::printf("%zu files %lld bytes %lld line feeds\n", files.size(), all.bytes, all.line_feeds);
  return 0;
}
