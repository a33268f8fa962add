// Start-up time of programs: from starting the process until its window of the given
// caption is visible, each program in turn for a number of rounds; prints the median of
// each program in milliseconds.
//
//   bench_startup ROUNDS NAME CAPTION "COMMAND LINE" [NAME CAPTION "COMMAND LINE" ...]
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win/BenchSupport.h"
#include "rtl/Utf.h"

namespace {

struct Target {
  std::string name;
  std::wstring caption;
  std::wstring command;
  std::vector<double> times;
};

// Milliseconds until the window shows, or a negative number when the process ends first
// or a minute passes.
double TimeOne(Target& t) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = t.command;
  const double start = bench::NowMs();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double took = -1;
  for (;;) {
    HWND w = FindWindowW(nullptr, t.caption.c_str());
    if (w && IsWindowVisible(w)) {
      took = bench::NowMs() - start;
      break;
    }
    if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    if (bench::NowMs() - start > 60000) break;
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || (argc - 2) % 3 != 0) {
    std::fprintf(stderr, "usage: bench_startup ROUNDS NAME CAPTION COMMAND [NAME CAPTION COMMAND ...]\n");
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  std::vector<Target> targets;
  for (int i = 2; i + 2 < argc; i += 3) targets.push_back({argv[i], rtl::W(argv[i + 1]), rtl::W(argv[i + 2]), {}});
  // One unmeasured start of each first: the files come into the cache.
  for (Target& t : targets) TimeOne(t);
  for (int r = 0; r < rounds; ++r)
    for (Target& t : targets) {
      double ms = TimeOne(t);
      if (ms < 0) {
        std::fprintf(stderr, "%s: the window \"%ls\" did not show\n", t.name.c_str(), t.caption.c_str());
        return 1;
      }
      t.times.push_back(ms);
    }
  for (const Target& t : targets) bench::Report(("startup_ms_" + t.name).c_str(), bench::Median(t.times));
  return 0;
}
