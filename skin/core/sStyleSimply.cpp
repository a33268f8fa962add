#include "skin/core/sStyleSimply.h"

#include <algorithm>

#include "skin/core/sMessages.h"

namespace skin {

bool SkinChangeAnimating = false;

namespace {
std::vector<gui::TCustomForm*>& Registry() {
  static std::vector<gui::TCustomForm*> forms;
  return forms;
}
}  // namespace

void AddSkinnedForm(gui::TCustomForm* form) { Registry().push_back(form); }

void RemoveSkinnedForm(gui::TCustomForm* form) {
  auto& r = Registry();
  r.erase(std::remove(r.begin(), r.end(), form), r.end());
}

const std::vector<gui::TCustomForm*>& SkinnedForms() { return Registry(); }
void ClearSkinnedForms() { Registry().clear(); }

std::vector<std::unique_ptr<TacHookedWindow>>& HookedWindows() {
  static std::vector<std::unique_ptr<TacHookedWindow>> windows;
  return windows;
}

void FreeHookedWindows() {
  // Moved out first: a hook object's destructor may look at the list.
  auto windows = std::move(HookedWindows());
  HookedWindows().clear();
  windows.clear();
}

namespace {
void SendToForm(gui::TCustomForm* form, gui::TMessage& message) {
  if (form->HandleAllocated()) SendMessageW(form->Handle(), message.Msg, message.WParam, message.LParam);
  BroadcastMessage(form, message);
}
}  // namespace

void BroadcastToSkinnedForms(gui::TMessage& message) {
  // A copy: a form that answers by going away must not disturb the walk.
  const std::vector<gui::TCustomForm*> forms = Registry();
  for (gui::TCustomForm* form : forms)
    if (std::find(Registry().begin(), Registry().end(), form) != Registry().end() && !form->IsDestroying())
      SendToForm(form, message);
  std::vector<HWND> windows;
  for (const auto& w : HookedWindows())
    if (w) windows.push_back(w->Window());
  for (HWND wnd : windows)
    if (IsWindow(wnd) && IsWindowVisible(wnd)) SendMessageW(wnd, message.Msg, message.WParam, message.LParam);
}

void BroadcastToAllForms(gui::TMessage& message) {
  if (gui::Application) {
    // The count is read again at every step: a handler may free forms.
    for (int i = gui::Application->ComponentCount() - 1; i >= 0; --i) {
      if (i >= gui::Application->ComponentCount()) continue;
      auto* form = dynamic_cast<gui::TCustomForm*>(gui::Application->Components(i));
      if (!form || form->FormStyle == gui::TFormStyle::fsMDIChild) continue;
      if (form->ComponentState() & (rtl::csLoading | rtl::csDestroying)) continue;
      if (form->HandleAllocated() && IsWndSkinned(form->Handle())) continue;
      if (std::find(Registry().begin(), Registry().end(), form) != Registry().end()) continue;
      SendToForm(form, message);
    }
  }
  BroadcastToSkinnedForms(message);
}

bool IsIntInArray(const int* values, int value, int first, int last) {
  if (last < first) return false;
  for (int i = first; i <= last; ++i)
    if (values[i] == value) return true;
  return false;
}

}  // namespace skin
