#include "skin/forms/sFrameAdapter.h"

#include "rtl/SysUtils.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"

namespace skin {

namespace {
rtl::TComponent* FrameOwner(rtl::TComponent* owner) {
  if (!dynamic_cast<gui::TFrame*>(owner))
    throw rtl::Exception("TsFrameAdapter adapter must be placed on the handled frame");
  return owner;
}
}  // namespace

TsFrameAdapter::TsFrameAdapter(rtl::TComponent* owner)
    : rtl::TComponent(FrameOwner(owner)), frame_(static_cast<gui::TFrame*>(owner)) {}

TsFrameAdapter::~TsFrameAdapter() { AttachAdapterToForm(false); }

void TsFrameAdapter::Loaded() {
  rtl::TComponent::Loaded();
  hasLists_ = LoadThirdPartyLists(ThirdParty, thirdLists_);
  AttachAdapterToForm(true);
  // The form's adapter takes the frame's controls at once when it is already at work.
  if (attachedTo_) SendSkinCommand(attachedTo_, AC_ADDTOADAPTER, 0);
}

// The form's provider keeps the adapter in its list while the adapter is attached; the
// record is held for the send, as the provider reads only records of this thread's senders.
void TsFrameAdapter::AttachAdapterToForm(bool attach) {
  HWND target = attachedTo_;
  if (attach && !target) {
    gui::TCustomForm* form = frame_ ? frame_->ParentForm() : nullptr;
    target = form && form->HandleAllocated() ? form->Handle() : nullptr;
  }
  if (!target || !IsWindow(target)) {
    attachedTo_ = nullptr;
    return;
  }
  TacCommandRecord held(this);
  SendMessageW(target, SM_ALPHACMD, MakeSkinCommand(AC_ATTACHADAPTER, attach ? 1 : 0), LPARAM(this));
  attachedTo_ = attach ? target : nullptr;
}

}  // namespace skin
