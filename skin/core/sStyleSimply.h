// The forms a skin change reaches: the process-wide list of forms that have a skin
// provider, the list of top-level windows hooked by the window-creation hook, and the
// broadcasts that send the skin command message to every form of the application and to
// every skinned form, each of them once.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "gui/Forms.h"
#include "gui/Messages.h"

namespace skin {

// ---------------------------------------------------------------- skinned forms
// A form joins when its skin provider is made and leaves when the provider goes.
void AddSkinnedForm(gui::TCustomForm* form);
// Every entry of the form is dropped; a form that is not listed changes nothing.
void RemoveSkinnedForm(gui::TCustomForm* form);
const std::vector<gui::TCustomForm*>& SkinnedForms();
void ClearSkinnedForms();

// ---------------------------------------------------------------- hooked windows
// A top-level window the window-creation hook has taken (a native dialog or a form
// without a provider of its own); the hook's objects derive from this.
class TacHookedWindow {
 public:
  virtual ~TacHookedWindow() = default;
  virtual HWND Window() const = 0;
};
// Made on first need; the manager's window-hook removal frees its objects.
std::vector<std::unique_ptr<TacHookedWindow>>& HookedWindows();
void FreeHookedWindows();

// ---------------------------------------------------------------- broadcasts
// Each listed form that is not being destroyed and its child controls, then every visible
// hooked window.
void BroadcastToSkinnedForms(gui::TMessage& message);
// The application's forms from the last to the first that are not skinned (the skinned
// ones hear it from their list), with their child controls, then BroadcastToSkinnedForms.
void BroadcastToAllForms(gui::TMessage& message);

// Set while the default manager holds the forms frozen for an animated skin change.
extern bool SkinChangeAnimating;

// One of Values[First..Last] is Value; False when Last < First.
bool IsIntInArray(const int* values, int value, int first, int last);

}  // namespace skin
