// KORVAN's own program block over the bench database, for the start-up and idle figures.
//
//   bench_korvan DATABASE start              runs like KORVAN.exe (bench_startup times it)
//   bench_korvan DATABASE login SETTLE SECS  idles at the login window, prints its CPU load
//   bench_korvan DATABASE main SETTLE SECS   logs in as admin, idles at the main window
//   bench_korvan DATABASE phases             where start-up time goes: milliseconds from the
//                                            process's creation to the program's first line
//                                            (loading the libraries), then after the
//                                            application, the engine start, the login window
//                                            made and on screen, the other windows and the
//                                            login window's activation; and each step of the
//                                            engine start on its own
//
// The load is measured over SECS seconds after SETTLE seconds of rest (IdleLoad.h).
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/UDM.h"
#include "app/Windows.h"
#include "bench/win/BenchSupport.h"
#include "bench/win/IdleLoad.h"
#include "gui/Forms.h"
#include "gui/Timer.h"
#include "shell/ULogin.h"
#include "skin/core/acStartup.h"
#include "skin/core/sSkinManagerUnit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The program's own splitter, as KORVAN.exe has it: the shell's library stays unloaded.
  const std::vector<std::string> args = skin::CommandLineParams();
  if (args.size() < 2) return 2;
  const std::string& mode = args[1];
  const double settle = args.size() > 2 ? std::atof(args[2].c_str()) : 2;
  const double secs = args.size() > 3 ? std::atof(args[3].c_str()) : 5;

  app::ConnectionSettings().Database = args[0];
  if (mode == "phases") {
    // The steps of app::StartProgram one by one, then the login window shown.
    bench::Report("startup_phase_libraries", bench::MsSinceProcessStart());
    gui::InitApplication();
    bench::Report("startup_phase_application", bench::MsSinceProcessStart());
    gui::Application->SetTitle("KORVAN");
    std::vector<std::pair<skin::TStartupStep, double>> steps;
    skin::SetStartupTrace([&steps](skin::TStartupStep step, bool init) {
      if (init) steps.emplace_back(step, bench::NowMs());
    });
    skin::RunEngineStartup();
    skin::SetStartupTrace(nullptr);
    const double engineDone = bench::NowMs();
    bench::Report("startup_phase_engine", bench::MsSinceProcessStart());
    for (size_t i = 0; i < steps.size(); ++i) {
      std::string name = skin::StartupRoad()[steps[i].first - 1].Name;
      std::replace(name.begin(), name.end(), ' ', '_');
      bench::Report(("startup_step_" + name).c_str(),
                    (i + 1 < steps.size() ? steps[i + 1].second : engineDone) - steps[i].second);
    }
    app::CreateLoginWindow();
    shell::FLogin->Show();
    shell::FLogin->Update();
    bench::Report("startup_phase_login", bench::MsSinceProcessStart());
    app::CreateOtherWindows();
    bench::Report("startup_phase_windows", bench::MsSinceProcessStart());
    gui::Application->ShowMainForm();
    bench::Report("startup_phase_activated", bench::MsSinceProcessStart());
    return 0;
  }
  try {
    app::StartProgram();
  } catch (...) {
    gui::Application->HandleException(std::current_exception());
    return 1;
  }

  // Logs in once the login window is up; the login runs the main window's modal loop.
  gui::TTimer login(nullptr);
  login.SetEnabled(false);
  if (mode == "login") {
    bench::MeasureIdle(L"Akses KORVAN 8.20", "idle_cpu_login", settle, secs);
  } else if (mode == "main") {
    bench::MeasureIdle(L"Sistem Informasi Manajemen Selvaran [KORVAN] : [Tim Pengembang KORVAN]", "idle_cpu_main", settle,
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
