#include "skin/forms/sMDIForm.h"

#include "rtl/SysUtils.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

TsMDIForm::TsMDIForm(TsSkinProvider* provider) : SkinProvider(provider) {
  if (provider && provider->Form()) {
    Form = provider->Form();
    Form->HandleNeeded();
  }
}

TsMDIForm::~TsMDIForm() { ClientHook.reset(); }

HWND TsMDIForm::ClientHandle() const {
  return Form && Form->HandleAllocated() ? FindWindowExW(Form->Handle(), nullptr, L"MDICLIENT", nullptr) : nullptr;
}

void TsMDIForm::ConnectToClient() {
  if (ClientHook) return;
  UpdateClientHook();
}

void TsMDIForm::UpdateClientHook() {
  ClientHook.reset();
  if (!SkinProvider || !SkinProvider->SkinData() || !SkinProvider->SkinData()->IsSkinned(false)) return;
  HWND client = ClientHandle();
  if (!client) return;
  ClientHook = std::make_unique<TacMDIWnd>();
  ClientHook->Attach(client, "CHECKBOX");
  ClientHook->AfterCreation();
  ClientHook->FForm = Form;
  ClientHook->FProviderSkinData = SkinProvider->SkinData();
  ClientHook->FProvider = SkinProvider;
}

void TsMDIForm::RefreshNonClient() {
  if (!SkinProvider || !SkinProvider->SkinData()) return;
  SkinProvider->SkinData()->FCacheInvalid = true;
  SkinProvider->MenuChanged = true;
  SkinProvider->MenuLineCount = -1;
  if (Form && Form->HandleAllocated()) SendMessageW(Form->Handle(), WM_NCPAINT, 1, 0);
}

}  // namespace skin
