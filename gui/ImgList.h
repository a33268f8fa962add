// Image lists: a Windows image list wrapped as a component. The list is made when first
// needed, in the list's size; a shared list (ShareImages) belongs to someone else and is
// never destroyed here. Descendants may draw their images themselves (DoDraw) and keep
// their own sizes (the virtual size setters).
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "gui/Graphics.h"
#include "rtl/Classes.h"

namespace gui {

enum TImageType { itImage, itMask };
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TCustomImageList : public rtl::TComponent {
  KORVAN_CLASS(TCustomImageList)
 public:
  explicit TCustomImageList(rtl::TComponent* owner) : rtl::TComponent(owner) {}
  ~TCustomImageList() override { FreeHandle(); }

  // Made on first use (ImageList_Create in the list's size) when there is none.
  HIMAGELIST Handle() {
    if (!handle_) CreateImageList();
    return handle_;
  }
  HIMAGELIST Handle() const { return handle_; }
  // Takes a list made elsewhere and its icon size; the previous one is destroyed unless
  // it is shared.
  void SetHandle(HIMAGELIST h) {
    if (h == handle_) return;
    FreeHandle();
    if (h) {
      int cx = 0, cy = 0;
      if (ImageList_GetIconSize(h, &cx, &cy)) {
        width_ = cx;
        height_ = cy;
      }
    }
    handle_ = h;
    Change();
  }
  bool ShareImages = false;
  bool Masked = true;
  TImageType ImageType = itImage;
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  virtual void SetDrawingStyle(TDrawingStyle v) { drawingStyle_ = v; }
  int AllocBy = 4;
  TColor BlendColor = clNone;
  bool HandleAllocated() const { return handle_ != nullptr; }

  int Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size empties the list.
  virtual void SetWidth(int v) {
    if (v == width_) return;
    width_ = v;
    Resized();
  }
  virtual void SetHeight(int v) {
    if (v == height_) return;
    height_ = v;
    Resized();
  }
  virtual TColor BkColor() const { return bkColor_; }
  virtual void SetBkColor(TColor c) {
    bkColor_ = c;
    if (handle_) ImageList_SetBkColor(handle_, c == clNone ? CLR_NONE : ColorToRGB(c));
  }
  virtual void Clear() {
    if (handle_) ImageList_Remove(handle_, -1);
    Change();
  }
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) {
    if (handle_) DoDraw(index, canvas, x, y, drawingStyle_, enabled);
  }
  // The image drawn into Image, which takes the list's size; False without that image.
  bool GetBitmap(int index, TBitmap* image) {
    if (!image || !handle_ || index < 0 || index >= Count()) return false;
    image->SetSize(width_, height_);
    Draw(image->Canvas(), 0, 0, index);
    return true;
  }
  rtl::TNotifyEvent OnChange;
  virtual void Change() {
    if (OnChange) OnChange(this);
  }

 protected:
  virtual void DoDraw(int index, TCanvas& canvas, int x, int y, TDrawingStyle, bool enabled) {
    if (handle_ && index >= 0 && index < Count())
      ImageList_DrawEx(handle_, index, canvas.Handle(), x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT,
                       enabled ? ILD_NORMAL : ILD_NORMAL | ILD_BLEND50);
  }
  void FreeHandle() {
    if (handle_ && !ShareImages) ImageList_Destroy(handle_);
    handle_ = nullptr;
  }

 private:
  void CreateImageList() {
    handle_ = ImageList_Create(width_, height_, (Masked ? ILC_MASK : 0) | ILC_COLOR32, AllocBy, AllocBy);
    if (handle_ && bkColor_ != clNone) ImageList_SetBkColor(handle_, ColorToRGB(bkColor_));
  }
  void Resized() {
    if (handle_) ImageList_SetIconSize(handle_, width_, height_);
    Clear();
  }
  HIMAGELIST handle_ = nullptr;
  int width_ = 16, height_ = 16;
  TColor bkColor_ = clNone;
  TDrawingStyle drawingStyle_ = dsNormal;
};

}  // namespace gui
