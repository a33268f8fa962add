// KORVAN's own program block over the bench database, for the start-up and idle figures.
//
//   bench_korvan DATABASE start              runs like KORVAN.exe (bench_startup times it)
//   bench_korvan DATABASE login SETTLE SECS  idles at the login window, prints its CPU load
//   bench_korvan DATABASE main SETTLE SECS   logs in as admin, idles at the main window
//
// The load is CPU time over SECS seconds, after SETTLE seconds of rest once the window
// shows, in percent of one core: the process's own (all threads), and that of the Wine
// processes serving it (the wineserver), whose Linux process ids the variable
// KORVAN_BENCH_WINE_PIDS lists, read from /proc through Wine's Z: drive.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/UDM.h"
#include "app/Windows.h"
#include "bench/win/BenchSupport.h"
#include "gui/Forms.h"
#include "gui/Timer.h"
#include "rtl/Utf.h"
#include "shell/ULogin.h"
#include "skin/graphics/acPNG.h"

namespace {

double CpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](FILETIME f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

// Milliseconds of CPU the Linux processes used so far (clock ticks of 10 ms).
double WineCpuMs() {
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

void MeasureIdle(std::wstring caption, std::string name, double settle, double secs) {
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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 3) return 2;
  const std::string mode = rtl::U8(argv[2]);
  const double settle = argc > 3 ? std::atof(rtl::U8(argv[3]).c_str()) : 2;
  const double secs = argc > 4 ? std::atof(rtl::U8(argv[4]).c_str()) : 5;

  skin::RegisterPNGGraphic();
  gui::InitApplication();
  gui::Application->SetTitle("KORVAN");
  app::ConnectionSettings().Database = rtl::U8(argv[1]);
  try {
    app::CreateWindows();
  } catch (...) {
    gui::Application->HandleException(std::current_exception());
    return 1;
  }

  // Logs in once the login window is up; the login runs the main window's modal loop.
  gui::TTimer login(nullptr);
  login.SetEnabled(false);
  if (mode == "login") {
    MeasureIdle(L"Akses KORVAN 8.20", "idle_cpu_login", settle, secs);
  } else if (mode == "main") {
    MeasureIdle(L"Sistem Informasi Manajemen Selvaran [KORVAN] : [Tim Pengembang KORVAN]", "idle_cpu_main", settle,
                secs);
    login.SetInterval(100);
    login.OnTimer = [&login](rtl::TObject*) {
      if (!shell::FLogin->Showing()) return;
      login.SetEnabled(false);
      shell::FLogin->Edit1->SetText("admin");
      shell::FLogin->Edit2->SetText("admin");
      shell::FLogin->SpeedButton1->Click();
    };
    login.SetEnabled(true);
  }
  gui::Application->Run();
  return 0;
}
