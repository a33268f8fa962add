#include "skin/core/acControlUtils.h"

#include <algorithm>

#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "rtl/TypInfo.h"
#include "rtl/Utf.h"
#include "skin/core/acSkinColors.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinText.h"

namespace skin {

bool AnimationInProgress = false;

namespace {

bool Dying(const rtl::TComponent* c) { return c && (c->ComponentState() & rtl::csDestroying) != 0; }
bool Designing(const rtl::TComponent* c) { return c && (c->ComponentState() & rtl::csDesigning) != 0; }
gui::TWinControl* Windowed(gui::TControl* c) { return dynamic_cast<gui::TWinControl*>(c); }
HWND HandleOf(gui::TControl* c) {
  auto* w = Windowed(c);
  return w && w->HandleAllocated() ? w->Handle() : nullptr;
}
bool GraphicControlsPainting = false;

}  // namespace

// ---------------------------------------------------------------- colours

uint32_t ColorToSkinRGB(uint32_t color, TsSkinManager* manager) {
  if (int32_t(color) >= 0) return ColorToRGB(color);
  TsSkinManager* m = manager ? manager : DefaultManager();
  if (m && (m->IsSkinLoaded() || (m->State() & msChanging))) {
    TacSkinColors colors;
    colors.SkinLoaded = true;
    colors.Palette = m->Palette();
    colors.Data96 = m->SkinDataOfStep(0) ? m->SkinDataOfStep(0) : m->GetSkinDataForPPI(96);
    return skin::ColorToSkinRGB(color, &colors);
  }
  return skin::ColorToSkinRGB(color, static_cast<const TacSkinColors*>(nullptr));
}

uint32_t GetControlColor(gui::TControl* control) {
  if (!control) return clFuchsia;
  if (IsControlSkinned(control, false))
    return ColorToRGB(uint32_t(control->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETCONTROLCOLOR), clFuchsia)));
  return ColorToRGB(uint32_t(control->Color()));
}

uint32_t GetWindowColor(HWND wnd) {
  if (!wnd) return clFuchsia;
  return ColorToRGB(uint32_t(SendMessageDirect(wnd, SM_ALPHACMD, MakeSkinCommand(AC_GETCONTROLCOLOR), clFuchsia)));
}

// ---------------------------------------------------------------- mouse

bool IsControlUnderMouse(gui::TControl* control) {
  if (!control || !control->Visible()) return false;
  const gui::TPoint p = GetMousePos();
  if (auto* win = Windowed(control)) {
    if (!win->HandleAllocated()) return false;
    RECT r;
    GetWindowRect(win->Handle(), &r);
    if (!PtInRect(&r, POINT{p.X, p.Y})) return false;
    return IsWindowOrDescendant(WindowFromPoint(POINT{p.X, p.Y}), win->Handle());
  }
  gui::TWinControl* parent = control->Parent();
  if (!parent || !parent->HandleAllocated()) return false;
  if (gui::TCustomForm* form = control->ParentForm()) {
    if (!form->Enabled()) return false;
  } else if (!IsWindowEnabled(GetRootWindow(parent->Handle()))) {
    return false;
  }
  const gui::TPoint c = control->ScreenToClient(p);
  if (c.X < 0 || c.Y < 0 || c.X >= control->Width() || c.Y >= control->Height()) return false;
  HDC dc = GetDC(parent->Handle());
  RECT clip;
  const int kind = GetClipBox(dc, &clip);
  ReleaseDC(parent->Handle(), dc);
  if (kind == ERROR) return false;
  const int x = control->Left() + c.X, y = control->Top() + c.Y;
  return x >= clip.left && x <= clip.right && y >= clip.top && y <= clip.bottom;
}

gui::TControl* FindControlUnderMouse() {
  if (TsSkinManager* m = DefaultManager(); m && m->HoveredControl()) return m->HoveredControl();
  const gui::TPoint p = GetMousePos();
  HWND h = WindowFromPoint(POINT{p.X, p.Y});
  gui::TWinControl* ctl = nullptr;
  for (; h && !ctl; h = GetParent(h)) ctl = gui::TWinControl::FromHandle(h);
  if (!ctl) return nullptr;
  const gui::TPoint c = ctl->ScreenToClient(p);
  for (int i = ctl->ControlCount() - 1; i >= 0; --i) {
    gui::TControl* child = ctl->Controls(i);
    if (child && child->Visible() && child->BoundsRect().Contains(c)) return child;
  }
  return ctl;
}

// ---------------------------------------------------------------- forms and hints

void AddControlToAdapter(gui::TControl* control) {
  if (!control || (control->ComponentState() & rtl::csLoading) || Designing(control)) return;
  gui::TCustomForm* form = control->ParentForm();
  if (!form || !form->HandleAllocated()) return;
  TacCommandRecord hold(control);
  SendMessageDirect(form->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_ADDTOADAPTER), reinterpret_cast<LPARAM>(control));
}

std::function<gui::THintWindow*(gui::TPoint, const std::string&)> ActiveHintShow;

gui::THintWindow* ShowHintWindow(const std::string& text, gui::TPoint point) {
  if (ActiveHintShow) return ActiveHintShow(point, text);
  if (text.empty() || !gui::Application) return nullptr;
  gui::THintWindow* w = gui::Application->HintWindowClass.Create(nullptr);
  w->SetVisible(false);
  w->SetColor(gui::clInfoBk);
  gui::TRect r = w->CalcHintRect(800, text, nullptr).Offset(point.X + 8, point.Y + 16);
  const gui::TRect wa = GetWorkAreaAtPoint(point);
  if (r.Right > wa.Right) r = r.Offset(-(r.Right - wa.Right), 0);
  if (r.Bottom > wa.Bottom) r = r.Offset(0, -(r.Bottom - wa.Bottom));
  // The class layer's hint window does what an unskinned one is shown with by hand: on
  // top, without activation, its rectangle kept on the monitor.
  w->ActivateHint(r, text);
  return w;
}

bool IsFontModified(const gui::TFont& font, bool checkColor) {
  gui::TFont reference;
  if (!checkColor) reference.SetColor(font.Color());
  return !FontsEqual(reference, font);
}

// ---------------------------------------------------------------- capture

void ForEachChildControl(gui::TWinControl* parent, const std::function<void(gui::TControl*)>& proc) {
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    gui::TControl* child = parent->Controls(i);
    if (!child) continue;
    proc(child);
    if (auto* win = Windowed(child)) ForEachChildControl(win, proc);
  }
}

namespace {

// What lies behind a hidden control, at (X, Y) of Bmp in the control's size.
void FillWithBackground(gui::TBitmap& bmp, gui::TControl* control, int x, int y) {
  TacBackgroundQuery q;
  QueryControlBackground(q, *control->Parent(), false);
  HDC dc = bmp.Canvas().Handle();
  POINT org;
  GetWindowOrgEx(dc, &org);
  const gui::TRect dst = gui::Bounds(x, y, control->Width(), control->Height());
  if (q.Kind == bkBitmap && q.Bitmap && q.Bitmap->HasRows()) {
    // The answer's pixels go through a DIB of their own onto the bitmap's DC.
    const int sx = control->Left() + q.OffsetX, sy = control->Top() + q.OffsetY;
    auto part = CreateBitmap32(dst.Width(), dst.Height());
    TBitmap32 view = Pixels32(*part);
    for (int j = 0; j < dst.Height(); ++j)
      for (int i = 0; i < dst.Width(); ++i) {
        const int px = sx + i, py = sy + j;
        if (px >= 0 && py >= 0 && px < q.Bitmap->Width() && py < q.Bitmap->Height()) view.At(i, j) = q.Bitmap->At(px, py);
      }
    BitBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), part->Canvas().Handle(), 0, 0, SRCCOPY);
  } else {
    FillRectOnDC(dc, dst, gui::TColor(q.Color));
  }
}

}  // namespace

namespace {
int PageMargin(gui::TControl* control) {
  auto* page = dynamic_cast<gui::TTabSheet*>(control);
  return page ? page->BorderWidth() : 0;
}

// A tool bar's buttons are painted by the tool bar itself; its separators and dividers are
// not, so they go with the other windowless controls. The tool button is known by its class
// name and its published style.
bool IsToolBarsOwnButton(gui::TControl* control) {
  if (!control->ClassNameIs("TToolButton")) return false;
  const rtl::TPropInfo* style = rtl::FindProperty(control, "Style");
  if (!style || !style->GetOrd) return false;
  enum { tbsButton, tbsCheck, tbsDropDown };
  const int64_t s = style->GetOrd(control);
  return s == tbsButton || s == tbsCheck || s == tbsDropDown;
}
}  // namespace

void PaintControlToBitmap(gui::TBitmap& bmp, gui::TControl* control, int x, int y, bool paintOverlapping) {
  if (!control) return;
  if (control->Parent() && !control->Visible() && !Designing(control)) {
    FillWithBackground(bmp, control, x, y);
  } else {
    gui::TCanvas& canvas = bmp.Canvas();
    HDC dc = canvas.Handle();
    IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
    if (HWND h = HandleOf(control)) {
      LRESULT answer = SendSkinCommand(h, AC_PRINTING, reinterpret_cast<LPARAM>(dc));
      if (answer == 1 || IsWndSkinned(h)) {
        answer = SendMessageDirect(h, WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
        SendSkinCommand(h, AC_PRINTING, 0);
      } else {
        // The window paints itself as it shows on screen: background, frame and client.
        SendMessageW(h, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
      }
      if (answer != -2) {
        // A page's children sit inside its margin: their places count from its client area.
        const int margin = PageMargin(control);
        const int saved = SaveDC(dc);
        OffsetWindowOrgEx(dc, -margin, -margin, nullptr);
        try {
          PaintWindowedChildren(Windowed(control), bmp);
        } catch (...) {
          RestoreDC(dc, saved);
          throw;
        }
        RestoreDC(dc, saved);
      }
    } else if (!Windowed(control)) {
      SendControlSkinCommand(control, AC_PRINTING, reinterpret_cast<LPARAM>(dc));
      control->Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
      SendControlSkinCommand(control, AC_PRINTING, 0);
    }
  }
  if (paintOverlapping) PaintOverlappingSiblings(control, bmp);
}

void PaintWindowedChildren(gui::TWinControl* parent, gui::TBitmap& bmp) {
  if (!parent) return;
  HDC dc = bmp.Canvas().Handle();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* child = Windowed(parent->Controls(i));
    if (!child || !(child->Visible() || Designing(child)) || !child->HandleAllocated()) continue;
    const int saved = SaveDC(dc);
    try {
      OffsetWindowOrgEx(dc, -child->Left(), -child->Top(), nullptr);
      PaintControlToBitmap(bmp, child, child->Left(), child->Top(), false);
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
  }
}

void PaintOverlappingSiblings(gui::TControl* control, gui::TBitmap& bmp) {
  gui::TWinControl* parent = control ? control->Parent() : nullptr;
  if (!parent) return;
  HDC dc = bmp.Canvas().Handle();
  int i = 0;
  while (i < parent->ControlCount() && parent->Controls(i) != control) ++i;
  const gui::TRect own = control->BoundsRect();
  for (++i; i < parent->ControlCount(); ++i) {
    gui::TControl* s = parent->Controls(i);
    if (!s || !s->Visible() || s->ClassNameIs("TOutputWindow")) continue;
    const gui::TRect r = s->BoundsRect();
    if (!(r.Left < own.Right && own.Left < r.Right && r.Top < own.Bottom && own.Top < r.Bottom)) continue;
    const int saved = SaveDC(dc);
    try {
      OffsetWindowOrgEx(dc, -(s->Left() - control->Left()), -(s->Top() - control->Top()), nullptr);
      PaintControlToBitmap(bmp, s, 0, 0, false);
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
  }
}

bool IsPaintableGraphicControl(gui::TControl* control, HDC dc) {
  if (!dynamic_cast<gui::TGraphicControl*>(control)) return false;
  if (!(control->Visible() || Designing(control)) || control->Width() <= 0 || control->Height() <= 0) return false;
  if ((control->ControlStyle & gui::csNoDesignVisible) || Dying(control)) return false;
  if (IsToolBarsOwnButton(control)) return false;
  const gui::TRect r = control->BoundsRect();
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  return RectVisible(dc, &rr) != FALSE;
}

void PaintGraphicControls(HDC dc, gui::TWinControl* parent, bool, gui::TPoint offset, bool onlyIfVisible) {
  if (GraphicControlsPainting || !parent) return;
  GraphicControlsPainting = true;
  struct TGuard {
    ~TGuard() { GraphicControlsPainting = false; }
  } guard;
  if (onlyIfVisible && !parent->Visible() && !Designing(parent)) return;
  if (parent->ControlCount() == 0) return;
  RECT clip;
  const int kind = GetClipBox(dc, &clip);
  if (kind == NULLREGION || kind == ERROR || clip.right <= clip.left || clip.bottom <= clip.top) {
    if (parent->HandleAllocated()) SendSkinCommand(parent->Handle(), AC_SETPARTLYPAINTED);
    return;
  }
  TacBackgroundQuery q;
  QueryControlBackground(q, *parent, false);
  std::unique_ptr<gui::TBitmap> image;
  std::vector<gui::TControl*> painted;
  // The child rectangles are tested against the target DC, moved to the parent's origin.
  const int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, -offset.X, -offset.Y, nullptr);
  for (int i = 0; i < parent->ControlCount(); ++i) {
    gui::TControl* child = parent->Controls(i);
    if (IsPaintableGraphicControl(child, dc)) painted.push_back(child);
  }
  RestoreDC(dc, saved);
  if (painted.empty()) return;
  image = CreateBitmap32(parent->Width(), parent->Height());
  HDC off = image->Canvas().Handle();
  for (gui::TControl* child : painted) {
    const gui::TRect r = child->BoundsRect();
    if (child->ControlStyle & gui::csOpaque) {
      FillRectOnDC(off, r, gui::TColor(GetControlColor(child)));
    } else if (q.Kind == bkBitmap && q.Bitmap && q.Bitmap->HasRows()) {
      TBitmap32 view = Pixels32(*image);
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
          const int sx = x + q.OffsetX, sy = y + q.OffsetY;
          if (x >= 0 && y >= 0 && x < view.Width() && y < view.Height() && sx >= 0 && sy >= 0 &&
              sx < q.Bitmap->Width() && sy < q.Bitmap->Height())
            view.At(x, y) = q.Bitmap->At(sx, sy);
        }
    } else {
      FillRectOnDC(off, r, gui::TColor(q.Color));
    }
  }
  for (gui::TControl* child : painted) {
    const int s = SaveDC(off);
    OffsetWindowOrgEx(off, -child->Left(), -child->Top(), nullptr);
    IntersectClipRect(off, 0, 0, child->Width(), child->Height());
    const unsigned oldState = child->ControlState;
    if (parent->ControlState & gui::csPaintCopy) child->ControlState |= gui::csPaintCopy;
    try {
      child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(off), 0);
    } catch (...) {
      child->ControlState = oldState;
      RestoreDC(off, s);
      throw;
    }
    child->ControlState = oldState;
    RestoreDC(off, s);
  }
  for (gui::TControl* child : painted) {
    const COLORREF first = GetPixel(off, child->Left(), child->Top());
    if (first == RGB(255, 0, 255)) continue;  // the child left its place to the parent
    BitBlt(dc, child->Left() + offset.X, child->Top() + offset.Y, child->Width(), child->Height(), off, child->Left(),
           child->Top(), SRCCOPY);
  }
}

void EndUpdateChildControls(gui::TWinControl* parent) {
  if (!parent || Designing(parent) || AnimationInProgress) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    gui::TControl* child = parent->Controls(i);
    if (!child || Dying(child)) continue;
    if (auto* win = Windowed(child)) {
      if (win->HandleAllocated() && win->Showing()) SendSkinCommand(win->Handle(), AC_ENDPARENTUPDATE);
    } else {
      child->Perform(SM_ALPHACMD, MakeSkinCommand(AC_ENDPARENTUPDATE), 0);
    }
  }
}

void EndUpdateChildWindows(HWND wnd) {
  for (HWND child = GetTopWindow(wnd); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongW(child, GWL_STYLE) & WS_CHILD) SendSkinCommand(child, AC_ENDPARENTUPDATE);
}

}  // namespace skin
