// The provider's moves: snapping a dragged form to the work area's and other skinned
// forms' edges, the forms glued to it, and the search of its task-bar button.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/core/acSkinData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acFormMoves.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

namespace {

struct TGlued {
  gui::TCustomForm* Glued;
  gui::TCustomForm* Main;
  int32_t DX, DY;
};
std::vector<TGlued>& GluedTable() {
  static std::vector<TGlued> t;
  return t;
}

TacRect WindowRectOf(gui::TCustomForm* f) {
  RECT r{};
  if (f->HandleAllocated()) GetWindowRect(f->Handle(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool Showing(gui::TCustomForm* f) { return f->HandleAllocated() && IsWindowVisible(f->Handle()); }

}  // namespace

void ClearGluedForms() { GluedTable().clear(); }

void RemoveGluedEntries(gui::TCustomForm* glued) {
  auto& t = GluedTable();
  t.erase(std::remove_if(t.begin(), t.end(), [&](const TGlued& g) { return g.Glued == glued || g.Main == glued; }),
          t.end());
}

bool TsSkinProvider::IsGluedTo(gui::TCustomForm* form) {
  for (const TGlued& g : GluedTable())
    if (g.Glued == form && g.Main == form_) return true;
  return false;
}

TacRect TsSkinProvider::BorderMargins() {
  TacSkinData* sd = BorderForm && skinData_ ? skinData_->GetScaledSkin() : nullptr;
  if (!sd) return {};
  const int32_t b = GetExtraBorderWidth();
  return {b + sd->AlignOffsetL, GetExtraTitleHeight() + sd->AlignOffsetT, b + sd->AlignOffsetR, b + sd->AlignOffsetB};
}

void TsSkinProvider::SnapToEdges(int32_t& x, int32_t& y) {
  if (!form_ || (formState_ & psNoGlue)) return;
  // Dragged by itself, a glued form comes loose.
  auto& t = GluedTable();
  t.erase(std::remove_if(t.begin(), t.end(), [&](const TGlued& g) { return g.Glued == form_; }), t.end());
  TacSnapInput in;
  in.Window = WindowRectOf(form_);
  in.X = x, in.Y = y;
  const gui::TRect w = GetFormWorkArea(form_);
  in.WorkArea = {w.Left, w.Top, w.Right, w.Bottom};
  in.Buffer = SnapBuffer;
  in.Margins = BorderMargins();
  for (gui::TCustomForm* f : SkinnedForms())
    if (f != form_ && dynamic_cast<gui::TForm*>(f) && Showing(f) && !IsGluedTo(f)) in.Others.push_back(WindowRectOf(f));
  const TacPointI p = SnapPosition(in);
  x = p.X, y = p.Y;
}

void TsSkinProvider::UpdateGluedForms() {
  if (!form_) return;
  const TacRect margins = BorderMargins();
  const TacRect me = AdjustForBorder(margins, WindowRectOf(form_), true);
  for (const std::string& name : GluedForms)
    for (gui::TCustomForm* f : SkinnedForms()) {
      if (f == form_ || !dynamic_cast<gui::TForm*>(f) || !Showing(f) || f->Name() != name) continue;
      if (!FramesTouch(me, AdjustForBorder(margins, WindowRectOf(f), true))) continue;
      const gui::TRect a = f->BoundsRect(), b = form_->BoundsRect();
      auto& t = GluedTable();
      auto it = std::find_if(t.begin(), t.end(), [&](const TGlued& g) { return g.Glued == f && g.Main == form_; });
      const TGlued entry{f, form_, a.Left - b.Left, a.Top - b.Top};
      if (it == t.end()) t.push_back(entry); else *it = entry;
    }
}

void TsSkinProvider::MoveGluedForms(bool useBorderPos) {
  if (!form_ || (formState_ & psNoGlue)) return;
  gui::TRect main = form_->BoundsRect();
  if (useBorderPos && BorderForm && BorderForm->Handle()) {
    // The border window is dragged ahead of the form: the form will land at its offsets.
    RECT br{};
    GetWindowRect(BorderForm->Handle(), &br);
    const int32_t x = br.left + BorderForm->OwnerOffsetX(), y = br.top + BorderForm->OwnerOffsetY();
    main = {x, y, x + main.Width(), y + main.Height()};
  }
  for (const std::string& name : GluedForms)
    for (const TGlued& g : std::vector<TGlued>(GluedTable())) {
      if (g.Main != form_ || g.Glued->Name() != name) continue;
      HWND wnd = g.Glued->HandleAllocated() ? g.Glued->Handle() : nullptr;
      if (wnd) SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_CHILDMOVING), 1);
      const gui::TRect r = g.Glued->BoundsRect();
      g.Glued->SetBounds(main.Left + g.DX, main.Top + g.DY, r.Width(), r.Height());
      if (wnd) SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_CHILDMOVING), 0);
    }
}

// ---------------------------------------------------------------- the task-bar button

gui::TRect FindTaskBarButton(HWND appWnd) {
  HWND tray = FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr);
  HWND rebar = tray ? FindWindowExW(tray, nullptr, L"ReBarWindow32", nullptr) : nullptr;
  HWND tasks = rebar ? FindWindowExW(rebar, nullptr, L"MSTaskSwWClass", nullptr) : nullptr;
  HWND bar = tasks ? FindWindowExW(tasks, nullptr, L"ToolbarWindow32", nullptr) : nullptr;
  if (!bar) return {};
  const LRESULT count = SendMessageW(bar, TB_BUTTONCOUNT, 0, 0);
  if (count <= 0) return {};
  DWORD pid = 0;
  GetWindowThreadProcessId(bar, &pid);
  // Only what the search does: reserve and free memory there, and read it.
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  // The task bar's own layout of its records, whatever this program's pointer size.
  BOOL wow = FALSE;
  const bool target64 = !(IsWow64Process(process, &wow) && wow);
  gui::TRect found;
  void* buffer = VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
  if (buffer) {
    for (LRESULT i = 0; i < count; ++i) {
      uint8_t rec[kTaskButtonSize64] = {};
      SIZE_T got = 0;
      if (!SendMessageW(bar, TB_GETBUTTON, WPARAM(i), LPARAM(buffer)) ||
          !ReadProcessMemory(process, buffer, rec, target64 ? kTaskButtonSize64 : kTaskButtonSize32, &got))
        break;
      const auto button = ReadTaskButton(rec, got, target64);
      if (!button) break;
      if (button->Skipped()) continue;
      uint8_t handle[8] = {};
      if (!ReadProcessMemory(process, reinterpret_cast<void*>(uintptr_t(button->Data)), handle, target64 ? 8 : 4, &got))
        continue;
      if (HWND(uintptr_t(ReadTaskWindow(handle, got, target64))) != appWnd) continue;
      RECT r{};
      if (SendMessageW(bar, TB_GETITEMRECT, WPARAM(i), LPARAM(buffer)) &&
          ReadProcessMemory(process, buffer, &r, sizeof r, &got) && got == sizeof r) {
        RECT b;
        GetWindowRect(bar, &b);
        found = {r.left + b.left, r.top + b.top, r.right + b.left, r.bottom + b.top};
      }
      break;
    }
    VirtualFreeEx(process, buffer, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return found;
}

}  // namespace skin
