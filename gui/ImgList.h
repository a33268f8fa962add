// Image lists: a Windows image list wrapped as a component. A shared list (ShareImages)
// belongs to someone else and is never destroyed here.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "gui/Graphics.h"
#include "rtl/Classes.h"

namespace gui {

class TCustomImageList : public rtl::TComponent {
  KORVAN_CLASS(TCustomImageList)
 public:
  explicit TCustomImageList(rtl::TComponent* owner) : rtl::TComponent(owner) {}
  ~TCustomImageList() override { FreeHandle(); }

  HIMAGELIST Handle() const { return handle_; }
  // Takes a list made elsewhere; the previous one is destroyed unless it is shared.
  void SetHandle(HIMAGELIST h) {
    if (h == handle_) return;
    FreeHandle();
    handle_ = h;
    Change();
  }
  bool ShareImages = false;
  bool HandleAllocated() const { return handle_ != nullptr; }

  int Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }
  int Width() const { return Size().cx; }
  int Height() const { return Size().cy; }
  TColor BkColor() const {
    if (!handle_) return clNone;
    COLORREF c = ImageList_GetBkColor(handle_);
    return c == CLR_NONE ? clNone : static_cast<TColor>(c);
  }
  void SetBkColor(TColor c) {
    if (handle_) ImageList_SetBkColor(handle_, c == clNone ? CLR_NONE : ColorToRGB(c));
  }
  void Clear() {
    if (handle_) ImageList_Remove(handle_, -1);
    Change();
  }
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) {
    if (handle_ && index >= 0 && index < Count())
      ImageList_DrawEx(handle_, index, canvas.Handle(), x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT,
                       enabled ? ILD_NORMAL : ILD_NORMAL | ILD_BLEND50);
  }
  rtl::TNotifyEvent OnChange;

 protected:
  virtual void Change() {
    if (OnChange) OnChange(this);
  }

 private:
  SIZE Size() const {
    int cx = 0, cy = 0;
    if (handle_) ImageList_GetIconSize(handle_, &cx, &cy);
    return {cx, cy};
  }
  void FreeHandle() {
    if (handle_ && !ShareImages) ImageList_Destroy(handle_);
    handle_ = nullptr;
  }
  HIMAGELIST handle_ = nullptr;
};

}  // namespace gui
