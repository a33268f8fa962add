// The companion of an MDI main form's skin provider: it hooks the form's MDI client window
// (the system's window between the frame and the child forms) and lets that hook and the
// provider's handlers have the provider's frame image rebuilt.
#pragma once
#include <windows.h>

#include <memory>

#include "gui/Forms.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TsSkinProvider;

// The MDI client's hook: the common skin handling, with the provider it belongs to.
class TacMDIWnd : public TacMainWnd {
 public:
  gui::TCustomForm* FForm = nullptr;
  TsCommonData* FProviderSkinData = nullptr;
  TsSkinProvider* FProvider = nullptr;

 protected:
  bool HandleSkinCommand(gui::TMessage&) override { return false; }
};

class TsMDIForm : public rtl::TPersistent {
  KORVAN_CLASS(TsMDIForm)
 public:
  explicit TsMDIForm(TsSkinProvider* provider);
  ~TsMDIForm() override;
  gui::TCustomForm* Form = nullptr;
  std::unique_ptr<TacMDIWnd> ClientHook;
  TsSkinProvider* SkinProvider;

  // The form's MDI client window; nullptr when it has none.
  HWND ClientHandle() const;
  // Hooks the client once.
  void ConnectToClient();
  // A new hook while the provider is skinned, none while it is not.
  void UpdateClientHook();
  // The provider's frame image rebuilt and painted.
  void RefreshNonClient();
};

}  // namespace skin
