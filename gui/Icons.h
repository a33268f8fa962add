// Icons: an owned icon handle with its size, read from and written to the .ICO file
// format (one image; written as 32 bits per pixel with its mask).
#pragma once
#include <windows.h>

#include "rtl/Classes.h"

namespace gui {

class TIcon : public rtl::TPersistent {
  KORVAN_CLASS(TIcon)
 public:
  TIcon() = default;
  // Takes ownership of h.
  explicit TIcon(HICON h) : handle_(h) {}
  ~TIcon() override { if (handle_) DestroyIcon(handle_); }
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  HICON Handle() const { return handle_; }
  void SetHandle(HICON h) {
    if (handle_ && handle_ != h) DestroyIcon(handle_);
    handle_ = h;
  }
  // Gives the handle away; the icon is empty afterwards.
  HICON ReleaseHandle() {
    HICON h = handle_;
    handle_ = nullptr;
    return h;
  }
  bool Empty() const { return handle_ == nullptr; }
  // The first image of an icon file at the stream's position (the rest of the stream);
  // raises EInvalidGraphic "Icon image is not valid" for data that is no icon.
  void LoadFromStream(rtl::TStream& s);
  // One 32-bit image with its mask; nothing for an empty icon.
  void SaveToStream(rtl::TStream& s) const;
  int Width() const { return Size().cx; }
  int Height() const { return Size().cy; }

 private:
  SIZE Size() const {
    SIZE s{0, 0};
    ICONINFO ii{};
    if (!handle_ || !GetIconInfo(handle_, &ii)) return s;
    BITMAP bm{};
    if (GetObjectW(ii.hbmMask, sizeof bm, &bm)) {
      s.cx = bm.bmWidth;
      s.cy = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome icon stacks mask and image
    }
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    return s;
  }
  HICON handle_ = nullptr;
};

}  // namespace gui
