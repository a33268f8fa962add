// The provider's handlers that serve MDI children and the animated rescaling pass the message
// on to the form's own procedure and do nothing more: the class layer makes no MDI forms (the
// program uses none), so no MDI child or MDI client is there to refresh, and the skin manager
// never rescales a form, so no scaling animation is ever asked for.
#include "skin/core/sMessages.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

using gui::TMessage;

void TsSkinProvider::WMCreate(TMessage& m) {
  PassOn(m);
  if (form_->FormStyle != gui::TFormStyle::fsMDIChild) InitSkin();
}
void TsSkinProvider::WMChildActivate(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMMDIActivate(TMessage& m) { PassOn(m); }
// Nothing to refresh without an MDI form, and the provider keeps no hide window of its own
// (the engine's hide timer owns the window it plays and frees it), so nothing is left to free.
void TsSkinProvider::AfterNCDestroyUnskinned(TMessage&) {}

void TsSkinProvider::UpdateMDIHook(bool) {}
void TsSkinProvider::StartScaleAnimation(int32_t, bool) {}

}  // namespace skin
