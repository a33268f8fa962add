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

TEST(Program, StartsWithItsLoginWindowAndEndsWhenItCloses) {
  // The build gives a Unix path; Wine shows the Unix root as drive Z:.
  std::wstring exe = rtl::W(KORVAN_EXE);
  if (!exe.empty() && exe[0] == L'/') exe = L"Z:" + exe;
  for (auto& ch : exe)
    if (ch == L'/') ch = L'\\';
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe + L"\"";
  ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << GetLastError();
  // The program is idle once its login window is up and waiting for the user.
  ASSERT_EQ(WaitForInputIdle(pi.hProcess, 60000), 0u);
  Found f{pi.dwProcessId};
  for (int tries = 0; tries < 600 && !f.window; ++tries) {
    EnumWindows(FindLogin, reinterpret_cast<LPARAM>(&f));
    if (!f.window) WaitForSingleObject(pi.hProcess, 100);
  }
  ASSERT_NE(f.window, nullptr) << "no window captioned \"Akses KORVAN 8.20\"";
  // Closing the login window ends the program.
  PostMessageW(f.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace
