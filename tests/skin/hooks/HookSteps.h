// Steps the control-hook tests share: the form shown over the other tests' windows (and
// shot before any hook when a name is given), and the whole form repainted after hooks
// come or go.
#pragma once
#include <windows.h>

#include <string>

#include "../SkinHarness.h"

namespace skintest {

inline void ShowSteps(TSkinHarness& h, HWND form, const std::string& unskinnedShot = {}) {
  h.Step("show", [&h, form] {
    ShowWindow(form, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(form);
  });
  if (!unskinnedShot.empty()) h.Step("unskinned", [&h, form, unskinnedShot] { h.Shot(form, unskinnedShot); });
}

// The pixel of a shot of the form at a point of one of its windows.
inline COLORREF PixelAt(gui::TBitmap& shot, HWND form, HWND w, POINT inWindow) {
  RECT fr, wr;
  GetWindowRect(form, &fr);
  GetWindowRect(w, &wr);
  return ::GetPixel(shot.Canvas().Handle(), wr.left - fr.left + inWindow.x, wr.top - fr.top + inWindow.y);
}

inline void RedrawWhole(HWND form) {
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// How many pixels of R differ between two pictures.
inline int ChangedPixels(gui::TBitmap& a, gui::TBitmap& b, const RECT& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      n += ::GetPixel(a.Canvas().Handle(), x, y) != ::GetPixel(b.Canvas().Handle(), x, y);
  return n;
}

}  // namespace skintest
