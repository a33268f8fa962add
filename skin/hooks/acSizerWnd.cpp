#include "skin/hooks/acSizerWnd.h"

#include <algorithm>

#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

void TacSizerWnd::AfterCreation() { AfterCreationIn("TRANSPARENT"); }

void TacSizerWnd::PaintSizer() {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  PAINTSTRUCT ps;
  BeginPaint(Wnd(), &ps);
  TacSkinData* skin = d->GetScaledSkin();
  TsSkinManager* m = d->GetSkinManager();
  if (skin && m && skin->GripImage >= 0 && skin->GripImage < int(skin->Masks.size())) {
    auto bmp = CreateBitmap32(b.WndSize.x, b.WndSize.y);
    TacBackgroundCache bg;
    GetWndParentBackground(Wnd(), bg);
    CopyParentBackground(*bmp, bg, gui::TRect{0, 0, b.WndSize.x, b.WndSize.y}, {b.WndPos.x, b.WndPos.y});
    const TsMaskData& grip = skin->Masks[size_t(skin->GripImage)];
    TBitmap32 px = Pixels32(*bmp);
    TBitmap32 self = px.Clone();
    TBitmap32 master;
    if (m->MasterBitmap()) master = Pixels32(*m->MasterBitmap());
    DrawMaskGlyph(px, {std::max<int>(b.WndSize.x - grip.FrameWidth, 0), std::max<int>(b.WndSize.y - grip.FrameHeight, 0)},
                  0, 1, grip, master.HasRows() ? &master : nullptr, MakeBackgroundCache(&self, 0, 0));
    HDC dc = GetDC(Wnd());
    BitBlt(dc, 0, 0, b.WndSize.x, b.WndSize.y, bmp->Canvas().Handle(), 0, 0, SRCCOPY);
    ReleaseDC(Wnd(), dc);
  }
  EndPaint(Wnd(), &ps);
}

void TacSizerWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      PaintSizer();
      m.Result = 0;
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;
      return;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
  // The grip sizes its form from wherever it is taken.
  if (m.Msg == WM_NCHITTEST) m.Result = HTBOTTOMRIGHT;
}

}  // namespace skin
