// Starts KORVAN.exe as a user does and finds its login window by caption.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "rtl/Utf.h"

namespace {

struct Found {
  DWORD pid;
  HWND window = nullptr;
};

BOOL CALLBACK FindLogin(HWND h, LPARAM l) {
  auto* f = reinterpret_cast<Found*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t text[128] = {};
  GetWindowTextW(h, text, 128);
  if (pid == f->pid && IsWindowVisible(h) && std::wstring(text) == L"Akses KORVAN 8.20") {
    f->window = h;
    return FALSE;
  }
  return TRUE;
}

struct Started {
  PROCESS_INFORMATION pi{};
  ~Started() {
    if (pi.hProcess) {
      if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
  }
};

// Starts KORVAN.exe with the given parameters and waits until it is idle.
void StartProgram(Started& p, const std::wstring& params) {
  // The build gives a Unix path; Wine shows the Unix root as drive Z:.
  std::wstring exe = rtl::W(KORVAN_EXE);
  if (!exe.empty() && exe[0] == L'/') exe = L"Z:" + exe;
  for (auto& ch : exe)
    if (ch == L'/') ch = L'\\';
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring cmd = L"\"" + exe + L"\"" + params;
  ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &p.pi))
      << GetLastError();
  ASSERT_EQ(WaitForInputIdle(p.pi.hProcess, 60000), 0u);
}

HWND FindLoginWindow(DWORD pid) {
  Found f{pid};
  for (int tries = 0; tries < 600 && !f.window; ++tries) {
    EnumWindows(FindLogin, reinterpret_cast<LPARAM>(&f));
    if (!f.window) Sleep(100);
  }
  return f.window;
}

void CloseLoginAndExpectTheEnd(Started& p) {
  HWND login = FindLoginWindow(p.pi.dwProcessId);
  ASSERT_NE(login, nullptr) << "no window captioned \"Akses KORVAN 8.20\"";
  // Closing the login window ends the program.
  PostMessageW(login, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(p.pi.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(p.pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

TEST(Program, StartsWithItsLoginWindowAndEndsWhenItCloses) {
  Started p;
  StartProgram(p, L"");
  CloseLoginAndExpectTheEnd(p);
}

struct FoundBox {
  DWORD pid;
  HWND window = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND h, LPARAM l) {
  auto* f = reinterpret_cast<FoundBox*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t cls[64] = {}, text[64] = {};
  GetClassNameW(h, cls, 64);
  GetWindowTextW(h, text, 64);
  if (pid == f->pid && IsWindowVisible(h) && std::wstring(cls) == L"TMessageForm" && std::wstring(text) == L"KORVAN") {
    f->window = h;
    return FALSE;
  }
  return TRUE;
}

TEST(Program, VersionSwitchShowsTheEngineVersionBeforeTheLoginWindow) {
  Started p;
  StartProgram(p, L" /ACVER");
  FoundBox box{p.pi.dwProcessId};
  for (int tries = 0; tries < 600 && !box.window; ++tries) {
    EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&box));
    if (!box.window) Sleep(100);
  }
  ASSERT_NE(box.window, nullptr) << "no version box";
  Found login{p.pi.dwProcessId};
  EnumWindows(FindLogin, reinterpret_cast<LPARAM>(&login));
  EXPECT_EQ(login.window, nullptr);  // the box comes first: the windows are made after it
  PostMessageW(box.window, WM_CLOSE, 0, 0);
  CloseLoginAndExpectTheEnd(p);
}

}  // namespace
