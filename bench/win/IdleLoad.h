// The CPU load of an idle window: once the window of the given caption shows and a rest
// has passed, the load over some seconds in percent of one core, of the process itself
// (all threads) and of the Wine processes serving it (the wineserver), whose Linux
// process ids the variable KORVAN_BENCH_WINE_PIDS lists, read from /proc through Wine's
// Z: drive. Prints "NAME load" and "NAME_wine load" and ends the process.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "bench/win/BenchSupport.h"

namespace bench {

inline double CpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](FILETIME f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

// Milliseconds of CPU the Linux processes used so far (clock ticks of 10 ms).
inline double WineCpuMs() {
  const char* pids = std::getenv("KORVAN_BENCH_WINE_PIDS");
  double total = 0;
  std::istringstream list(pids ? pids : "");
  std::string pid;
  while (list >> pid) {
    std::ifstream stat("Z:\\proc\\" + pid + "\\stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) continue;
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string f;
    double utime = 0, stime = 0;
    // After the name: state is the 3rd field of the line, utime the 14th, stime the 15th.
    for (int i = 3; i <= 15 && fields >> f; ++i) {
      if (i == 14) utime = std::atof(f.c_str());
      if (i == 15) stime = std::atof(f.c_str());
    }
    total += (utime + stime) * 10.0;
  }
  return total;
}

inline void MeasureIdle(std::wstring caption, std::string name, double settle, double secs) {
  std::thread([=] {
    const double start = bench::NowMs();
    for (;;) {
      HWND w = FindWindowW(nullptr, caption.c_str());
      if (w && IsWindowVisible(w)) break;
      if (bench::NowMs() - start > 60000) {
        std::fprintf(stderr, "the window did not show\n");
        TerminateProcess(GetCurrentProcess(), 1);
      }
      Sleep(10);
    }
    Sleep(static_cast<DWORD>(settle * 1000));
    const double cpu0 = CpuMs(), wine0 = WineCpuMs(), t0 = bench::NowMs();
    Sleep(static_cast<DWORD>(secs * 1000));
    const double cpu1 = CpuMs(), wine1 = WineCpuMs(), t1 = bench::NowMs();
    bench::Report(name.c_str(), 100.0 * (cpu1 - cpu0) / (t1 - t0));
    bench::Report((name + "_wine").c_str(), 100.0 * (wine1 - wine0) / (t1 - t0));
    TerminateProcess(GetCurrentProcess(), 0);
  }).detach();
}

}  // namespace bench
