// Skinning the windows nobody equipped with a skin component: the window-creation hook of
// the GUI thread looks at every new and every activated top-level window and decides
// whether it is skinned. A form of ours without a provider gets one; a parentless native
// dialog of the system gets the dialog hook and hooks for its child windows by class.
// What was attached is held by a TacProvider in the unit's provider list.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/Forms.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TsSkinProvider;

class TacProvider : public rtl::TComponent {
  KORVAN_CLASS(TacProvider)
 public:
  explicit TacProvider(rtl::TComponent* owner) : rtl::TComponent(owner) {}
  ~TacProvider() override;
  std::vector<std::unique_ptr<TacMainWnd>> ChildHooks;
  TsSkinProvider* SkinProvider = nullptr;  // the form's; the form owns it
  HWND Handle = nullptr;
  std::unique_ptr<TacDialogWnd> DialogHook;

  void InitForForm(gui::TCustomForm* form);
  bool InitForDialog(HWND wnd);
  // The child windows of Wnd, depth first (children before their parent); False when one
  // could not be looked at.
  bool HookChildren(HWND wnd);
  bool AttachChild(HWND wnd);
};

// The procedure the skin manager installs as its window-creation hook.
LRESULT CALLBACK DialsCBTHookProc(int code, WPARAM wParam, LPARAM lParam);
// True: the window is handled (skinned now, or left alone on purpose); False: refused.
bool AttachSkinToWindow(HWND wnd);

TacProvider* FindProvider(HWND wnd);
gui::TCustomForm* FindFormByHandle(HWND wnd);
void PurgeProviders();
int32_t VisibleDialogCount();
bool HasChildOfClass(HWND wnd, const std::string& lowerClassName);
// Every provider the unit made, in order; entries may be nullptr.
std::vector<TacProvider*>& ProviderList();

// The manager's window-creation hook takes this unit's procedure; its removal frees what
// was attached.
void InitDialsUnit();
void DoneDialsUnit();

}  // namespace skin
