#include "skin/forms/acCaptForm.h"

#include "skin/forms/sSkinProvider.h"

namespace skin {

void TacCaptForm::WndProc(gui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      gui::TBitmap* cache = Provider && Provider->SkinData() ? Provider->SkinData()->FCache.get() : nullptr;
      if (cache && !cache->Empty()) {
        // Over a border window's form the cover shows the menu line's strip of the image.
        POINT from{0, 0};
        if (Provider->BorderForm)
          from = {Provider->ClientOffsetX(),
                  Provider->ClientOffsetY() - Provider->GetMenuLineCount() * Provider->MenuLineHeight() - 1};
        BitBlt(dc, 0, 0, Width(), Height(), cache->Canvas().Handle(), from.x, from.y, SRCCOPY);
      }
      EndPaint(Handle(), &ps);
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;
      return;
    default:
      TacGlowForm::WndProc(m);
  }
}

void ExcludeWindowsAbove(HWND wnd, HRGN region, POINT origin) {
  for (HWND w = GetWindow(wnd, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
    if (!IsWindowVisible(w) || GetParent(w)) continue;
    RECT r;
    GetWindowRect(w, &r);
    if (IsRectEmpty(&r)) continue;
    OffsetRect(&r, -origin.x, -origin.y);
    HRGN cut = CreateRectRgnIndirect(&r);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
}

}  // namespace skin
