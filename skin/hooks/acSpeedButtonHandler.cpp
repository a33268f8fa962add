#include "skin/hooks/acSpeedButtonHandler.h"

#include <algorithm>

#include "gui/Buttons.h"
#include "gui/Forms.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGlyphDraw.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

TacSpeedButtonHandler::TacSpeedButtonHandler(gui::TControl* control, TsCommonData* skinData, TsSkinManager* manager,
                                             const std::string& section)
    : rtl::TComponent(nullptr), button_(control), skinData_(skinData),
      manager_(manager ? manager : skinData->GetSkinManager()) {
  if (skinData_->SkinSection().empty() && !section.empty()) skinData_->SetSkinSection(section);
  skinData_->FControl = control;
  skinData_->UpdateSkinIndex(true);
  isTimerButton_ = control->ClassName() == "TTimerSpeedButton";
  vclWindowProc_ = control->WindowProc;
  control->WindowProc = [this](gui::TMessage& m) { WndProc(m); };
  skinData_->FWndProc = control->WindowProc;
  control->FreeNotification(this);
}

TacSpeedButtonHandler::~TacSpeedButtonHandler() {
  if (!restored_ && attached_ && button_) {
    GiveBack();
    button_->RemoveFreeNotification(this);
  }
  button_ = nullptr;
  skinData_ = nullptr;
}

void TacSpeedButtonHandler::Notification(rtl::TComponent* component, rtl::TOperation op) {
  rtl::TComponent::Notification(component, op);
  if (op == rtl::TOperation::opRemove && component == button_) {
    // The control is going: nothing of it may be touched from now on.
    button_ = nullptr;
    attached_ = false;
    if (skinData_) skinData_->FControl = nullptr;
  }
}

void TacSpeedButtonHandler::GiveBack() {
  if (!button_) return;
  button_->WindowProc = vclWindowProc_;
  if (skinData_) skinData_->FWndProc = vclWindowProc_;
  restored_ = true;
}

LRESULT TacSpeedButtonHandler::CallOldWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  gui::TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  if (vclWindowProc_) vclWindowProc_(m);
  return m.Result;
}

int TacSpeedButtonHandler::PaintState() {
  if (auto* sb = dynamic_cast<gui::TSpeedButton*>(button_))
    if (sb->State() == gui::TButtonState::bsDown || sb->State() == gui::TButtonState::bsExclusive || sb->Down())
      return 2;
  return skinData_->CurrentState();
}

gui::TSize TacSpeedButtonHandler::CaptionSize() {
  const std::string text = button_->Caption();
  if (text.empty() || !skinData_->FCache) return {};
  gui::TCanvas& canvas = skinData_->FCache->Canvas();
  SelectObject(canvas.Handle(), canvas.Font().Handle());
  TRect r{0, 0, 255, 0};
  DrawTextOnDC(canvas.Handle(), text, r, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
  return {r.Right - r.Left, r.Bottom - r.Top};
}

TacSpeedLayout TacSpeedButtonHandler::Layout(int state) {
  TacSpeedLayout l;
  l.Width = button_->Width();
  l.Height = button_->Height();
  l.Caption = CaptionSize();
  l.Shifted = state == 2 && IsContentShifted(*skinData_);
  if (auto* sb = dynamic_cast<gui::TSpeedButton*>(button_)) {
    l.Layout = TacGlyphLayout(int(sb->Layout()));
    l.Margin = sb->Margin();
    l.Spacing = sb->Spacing();
    if (!sb->Glyph().Empty()) l.Glyph = {sb->Glyph().Width() / std::max(1, sb->NumGlyphs()), sb->Glyph().Height()};
  }
  return l;
}

void TacSpeedButtonHandler::PrepareCache() {
  TsCommonData& d = *skinData_;
  EnsureCache(d, std::max(0, button_->Width()), std::max(0, button_->Height()));
  d.FCache->Canvas().Font().Assign(&button_->Font());
  // The background: the parent's, or for a spin button's own button the spin button's parent.
  gui::TWinControl* parent = button_->Parent();
  gui::TPoint offset{button_->Left(), button_->Top()};
  if (isTimerButton_ && parent && parent->Parent()) {
    offset = {parent->Left() + button_->Left(), parent->Top() + button_->Top()};
    parent = parent->Parent();
    if (manager_) d.FSkinIndex = manager_->GetSkinIndex("SPEEDBUTTON");
  }
  if (!parent || !parent->HandleAllocated()) return;
  TacBackgroundQuery q;
  QueryWindowBackground(q, parent->Handle(), false);
  TacBackgroundCache bg = BackgroundQueryToCache(q);
  if (q.Kind == bkBitmap && (!q.Bitmap || q.Bitmap->Width() == 0)) return;
  const int state = PaintState();
  const gui::TRect all{0, 0, d.FCache->Width(), d.FCache->Height()};
  PaintControlSection(d, bg, state, all, offset, *d.FCache);
  const TacSpeedLayout l = Layout(state);
  gui::TCanvas& canvas = d.FCache->Canvas();
  if (!button_->Caption().empty()) {
    SetBkMode(canvas.Handle(), TRANSPARENT);
    WriteControlText(canvas, button_->Caption(), button_->Enabled(), SpeedCaptionRect(l),
                     DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS, &d, state, false);
  }
  if (auto* sb = dynamic_cast<gui::TSpeedButton*>(button_); sb && !sb->Glyph().Empty()) {
    TacGlyphDrawParams p;
    p.Glyph = &sb->Glyph();
    p.NumGlyphs = sb->NumGlyphs();
    p.SkinIndex = d.FSkinIndex;
    p.SkinData = d.GetScaledSkin();
    p.DstBitmap = d.FCache.get();
    p.Rect = SpeedGlyphRect(l);
    p.Enabled = sb->Enabled();
    p.Down = state == 2;
    p.CurrentState = state;
    SetDiscolouredGlyph(p, d, state);
    DrawGlyph(p);
  }
  if (!button_->Enabled()) {
    bg.X += offset.X;
    bg.Y += offset.Y;
    ApplyDisabledLook(*d.FCache, bg);
  }
  d.FCacheInvalid = false;
}

void TacSpeedButtonHandler::WndProc(gui::TMessage& m) {
  if (!button_) {
    m.Result = CallOldWndProc(m.Msg, m.WParam, m.LParam);
    return;
  }
  TsCommonData& d = *skinData_;
  switch (m.Msg) {
    case WM_DESTROY:
      if (!restored_) {
        GiveBack();
        d.FControl = nullptr;
        gui::TControl* b = button_;
        b->RemoveFreeNotification(this);
        button_ = nullptr;
        attached_ = false;
        vclWindowProc_(m);
      } else {
        m.Result = CallOldWndProc(m.Msg, m.WParam, m.LParam);
      }
      return;
    case WM_PAINT:
      if (m.WParam && HookPaints(&d)) {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        const int saved = SaveDC(dc);
        PrepareCache();
        if (d.FCache && !d.FCacheInvalid)
          BitBlt(dc, 0, 0, button_->Width(), button_->Height(), d.FCache->Canvas().Handle(), 0, 0, SRCCOPY);
        RestoreDC(dc, saved);
        return;
      }
      break;
    case gui::CM_MOUSEENTER:
    case gui::CM_MOUSELEAVE:
      d.FHovered = m.Msg == gui::CM_MOUSEENTER;
      d.FCacheInvalid = true;
      m.Result = CallOldWndProc(m.Msg, m.WParam, m.LParam);
      if (button_) button_->Invalidate();
      return;
    default:
      break;
  }
  if (m.Msg == SM_ALPHACMD) {
    const bool ours = m.LParam == 0 || m.LParam == reinterpret_cast<LPARAM>(manager_);
    switch (m.WParamHi()) {
      case AC_SETNEWSKIN:
      case AC_REFRESH:
        if (!ours) break;
        ProcessSkinDataMessage(m, &d);
        if (button_->Visible()) button_->Invalidate();
        return;
      case AC_REMOVESKIN:
        if (!ours || button_->IsDestroying()) break;
        ProcessSkinDataMessage(m, &d);
        if (button_->Visible()) button_->Invalidate();
        // The button paints itself again through its own procedure.
        GiveBack();
        return;
      case 6:
        if (d.FUpdating) {
          d.FUpdating = false;
          return;
        }
        break;
      case 7:
        m.Result = 1;
        return;
      case 18:
        d.FUpdating = false;
        d.FCacheInvalid = true;
        button_->Invalidate();
        return;
      case 60:
        m.Result = reinterpret_cast<LRESULT>(gui::Application);
        return;
      case 66:
        ProcessSkinCommand(m, &d);
        return;
      default:
        break;
    }
  }
  m.Result = CallOldWndProc(m.Msg, m.WParam, m.LParam);
}

}  // namespace skin
