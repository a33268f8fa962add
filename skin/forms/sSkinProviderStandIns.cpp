// The smallest bodies of the provider's parts that the title-bar items, the animations and
// MDI children give it: each keeps the form working as a plain window would (the message
// goes on to the form's own procedure) until its real body replaces it.
#include "skin/core/sMessages.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

using gui::TMessage;

bool ShutdownPending = false;

void TsSkinProvider::WMCreate(TMessage& m) {
  PassOn(m);
  if (form_->FormStyle != gui::TFormStyle::fsMDIChild) InitSkin();
}
void TsSkinProvider::WMChildActivate(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMMDIActivate(TMessage& m) { PassOn(m); }
void TsSkinProvider::AfterNCDestroyUnskinned(TMessage&) {}

void TsSkinProvider::UpdateSectionIndexes() { UpdateSkinIndexes(); }
void TsSkinProvider::UpdateMDIHook(bool) {}
void TsSkinProvider::CompleteSetup() { InitSkin(); }
void TsSkinProvider::StartScaleAnimation(int32_t, bool) {}

}  // namespace skin
