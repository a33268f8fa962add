#include "skin/forms/acPopupController.h"

namespace skin {

TacPopupController*& PopupController() {
  static TacPopupController* controller = nullptr;
  return controller;
}

int VisiblePopupCount(TacPopupController* c, gui::TCustomForm* exceptForm) {
  if (!c) return 0;
  int n = 0;
  for (const auto& h : c->Handlers)
    if (h && h->Form && h->Form != exceptForm && h->Form->HandleAllocated() && IsWindowVisible(h->Form->Handle())) ++n;
  return n;
}

void CloseAllPopups(TacPopupController* c) {
  if (!c) return;
  // Closing one popup may close or free another: each is looked at again by index.
  for (size_t i = 0; i < c->Handlers.size(); ++i) {
    TacFormHandler* h = c->Handlers[i].get();
    if (h && h->Form && h->Form->Visible()) h->Form->Close();
  }
  if (VisiblePopupCount(c, nullptr) == 0) c->Handlers.clear();
}

void DonePopupControllerObject() {
  delete PopupController();
  PopupController() = nullptr;
}

}  // namespace skin
