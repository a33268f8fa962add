#include "skin/forms/acDialsRules.h"

#include <algorithm>
#include <initializer_list>

namespace skin {

namespace {
// The window styles read here (the values of the system's headers).
constexpr uint32_t kWsPopup = 0x80000000u, kWsBorder = 0x00800000u, kWsCaption = 0x00C00000u,
                   kWsThickFrame = 0x00040000u, kWsSysMenu = 0x00080000u, kWsMaximizeBox = 0x00010000u,
                   kWsMinimizeBox = 0x00020000u;
constexpr uint32_t kWsExContextHelp = 0x400u, kWsExStaticEdge = 0x20000u;
constexpr uint32_t kDsModalFrame = 0x80u, kCsNoClose = 0x200u;
constexpr unsigned kRuleStdForms = 1, kRuleStdDialogs = 2;

bool In(std::string_view v, std::initializer_list<std::string_view> set) {
  return std::find(set.begin(), set.end(), v) != set.end();
}
bool Between(int64_t v, int64_t lo, int64_t hi) { return v >= lo && v <= hi; }
TacDialogChildHook Hook(std::string_view cls, std::string_view section = {}, bool clientPaintOn = false,
                        bool waitForCache = false, bool inNativeDialog = false) {
  TacDialogChildHook h;
  h.HookClass = cls, h.Section = section, h.ClientPaintOn = clientPaintOn, h.WaitForCache = waitForCache;
  h.InNativeDialog = inNativeDialog;
  return h;
}
}  // namespace

TacCreateClass ClassifyCreateClass(uintptr_t lpszClass) {
  if (lpszClass > 0xFFFF) return TacCreateClass::ClassName;
  if (lpszClass == kDialogClassAtom) return TacCreateClass::DialogAtom;
  if (lpszClass == kPopupMenuClassAtom) return TacCreateClass::PopupMenuAtom;
  return TacCreateClass::OtherAtom;
}

bool AttachOnCreation(const TacCreatedWindowFacts& f) {
  if (f.ClassName == "TPUtilWindow") return false;
  if (f.ExStyle == 0 || f.Style == 0) return false;
  // Before the main form has its window nothing of the program is ready to be skinned.
  if (f.HasMainForm && (!f.MainFormHandleAllocated || f.IsMainFormWindow)) return false;
  return !f.HasParent;
}

TacAttachDecision DecideAttach(const TacAttachFacts& f) {
  TacAttachDecision d;
  if (!f.HasDefaultManager || f.AppDestroying || f.WindowSkinned) return d;
  if ((f.Style & kWsPopup) && !(f.Style & kWsBorder)) return d;
  if (f.HasProvider) return d;
  if (f.IsForm) {
    if ((f.FormTag & 256) == 256) return {true, TacAttachAction::None};
    if (f.FormClassExcluded) return d;
    const unsigned rule = f.ClassName == "TMessageForm" ? kRuleStdDialogs : kRuleStdForms;
    if (!(f.SkinningRules & rule)) return d;
    return {true, TacAttachAction::Form};
  }
  if (f.ClassName != "#32770" && f.ClassName != "NativeHWNDHost") return {true, TacAttachAction::None};
  if (f.HasParent) return {true, TacAttachAction::None};
  if (!(f.SkinningRules & kRuleStdDialogs)) return d;
  if (f.VisibleDialogs >= f.MaxSkinnedDialogs && !f.HasToolBarChild) return d;
  return {true, TacAttachAction::Dialog};
}

TacDialogChildHook DialogChildHook(const TacDialogChildFacts& f) {
  TacDialogChildHook h;
  const std::string_view c = f.LowerClass;
  const uint32_t s = f.Style;
  if (c == "static") {
    if ((s & 3) == 3 || (s & 0x0E) == 0x0E) {
      if (f.ExStyle & kWsExStaticEdge) return Hook("TacEdgeWnd", "EDIT");
      return Hook("TacIconWnd");
    }
    if ((s & 0x0D) == 0x0D) return h;
    if ((s & 0x1F) == 5 || (s & 0x1F) == 6) return h;  // grey and white rectangles
    return Hook("TacStaticWnd");
  }
  if (c == "#32770") return Hook("TacTransPanelWnd");
  if (c == "tpanel") {
    h = Hook("TacPanelWnd", "TRANSPARENT");
    h.PanelChildren = true;
    return h;
  }
  if (c == "tsilentpaintpanel" || c == "travelband") {
    h = Hook("TacPanelWnd", c == "tsilentpaintpanel" ? "GROUPBOX" : "TRANSPARENT");
    h.KeepsControl = true;
    return h;
  }
  if (c == "edit") {
    h.ClientPaintOn = true;
    if (!f.Visible) return h;
    h.HookClass = "TacEditWnd", h.Section = "EDIT", h.WaitForCache = true, h.InNativeDialog = true;
    return h;
  }
  if ((c == "button" && (s & 0x0B) != 0x0B) || c == "tbutton") {
    const uint32_t kind = s & 0xFF;
    if (kind == 2 || kind == 3 || kind == 4 || kind == 5 || kind == 9) return Hook("TacCheckBoxWnd");
    if (kind == 7) return Hook("TacGroupBoxWnd", "GROUPBOX");
    if (Between(kind, 12, 15)) return Hook("TacSplitBtnWnd");
    return Hook("TacBtnWnd");
  }
  if (c == "combobox") {
    h = Hook("TacComboBoxWnd", "COMBOBOX", true, true, true);
    return h;
  }
  if (c == "combolbox") return Hook("TacEditWnd", "COMBOBOX", true);
  if (c == "comboboxex32") return Hook("TacComboBoxWnd", "COMBOBOX", true);
  if (c == "scrollbar") return (s & 0x10) ? Hook("TacSizerWnd") : h;
  if (c == "systabcontrol32") return (s & 0x2000) ? h : Hook("TacTabControlWnd", "PAGECONTROL");
  if (c == "syslistview32") return Hook("TacListViewWnd", "EDIT", false, false, true);
  if (c == "systreeview32") return Hook("TacTreeViewWnd", "EDIT", false, false, true);
  if (c == "msctls_updown32") {
    h = Hook("TacSpinWnd", "SPEEDBUTTON_SMALL");
    h.SpinKind = 2;
    return h;
  }
  if (c == "msctls_trackbar32") return Hook("TacTrackWnd", "TRACKBAR");
  if (c == "listbox") return Hook("TacEditWnd", "EDIT", true, false, true);
  if (c == "link window" || c == "syslink") return Hook("TacLinkWnd");
  if (c == "toolbarwindow32") return Hook("TacToolBarWnd", (s & 0x200) ? "BAR" : "TRANSPARENT");
  if (c == "shbrowseforfolder") return Hook("TacTransPanelWnd");
  if (In(c, {"rebarwindow32", "msctls_progress32", "universalsearchband", "address band root", "workerw", "search box",
             "breadcrumb parent"}))
    return f.Visible ? Hook("TacContainerWnd") : h;
  if (c == "directuihwnd") return f.Height == 24 ? Hook("TacSearchWnd") : h;
  return h;
}

TacBorderStyle DialogBorderStyle(uint32_t style) {
  if ((style & kWsPopup) && (style & kWsCaption) != kWsCaption) return TacBorderStyle::bsSizeable;
  if (style & kWsThickFrame) return TacBorderStyle::bsDialog;
  if (style & kDsModalFrame) return TacBorderStyle::bsNone;
  return TacBorderStyle::bsDialog;
}

TacDialogStyle DialogStyleOf(uint32_t style, uint32_t exStyle, uint32_t classStyle, bool zoomed, bool iconic,
                             TacBorderStyle borderStyle) {
  TacDialogStyle s;
  s.HasSysMenu = style & kWsSysMenu;
  s.HasMaxButton = style & kWsMaximizeBox;
  s.HasMinButton = style & kWsMinimizeBox;
  s.HasHelp = exStyle & kWsExContextHelp;
  s.NoCloseClass = classStyle & kCsNoClose;
  s.Zoomed = zoomed, s.Iconic = iconic, s.BorderStyle = borderStyle;
  return s;
}

TacDialogButtonStates DialogButtonStates(const TacDialogStyle& s) {
  using B = TacBorderStyle;
  const B bs = s.BorderStyle;
  TacDialogButtonStates r{};
  r.CloseEnabled = s.HasSysMenu && !s.NoCloseClass;
  r.MaxEnabled = s.HasMaxButton && !s.Zoomed && (bs == B::bsSingle || bs == B::bsDialog || bs == B::bsSizeToolWin);
  r.MinEnabled = s.HasMinButton && !s.Iconic;
  r.RestoreEnabled = s.HasMaxButton && (s.Iconic || s.Zoomed);
  r.RestoreVisible =
      s.HasSysMenu && bs != B::bsNone && bs != B::bsSizeable && bs != B::bsToolWindow && bs != B::bsSizeToolWin;
  return r;
}

TacDialogGlyphs DialogTitleGlyphs(TacBorderStyle borderStyle, bool hasMaxOrMin, bool sameLargeAndSmall) {
  using B = TacBorderStyle;
  if (borderStyle == B::bsNone || borderStyle == B::bsSingle || borderStyle == B::bsDialog)
    return {hasMaxOrMin ? tgClose : tgCloseAlone, tgMax, tgMin, tgHelp, true};
  return {tgSmallClose, tgSmallMax, tgSmallMin, tgSmallHelp, sameLargeAndSmall};
}

int32_t DialogButtonAtX(const TacDialogStyle& s, const TacDialogButtonSpans& b, int32_t x) {
  if (!s.HasSysMenu) return 0;
  if (Between(x, b.CloseLeft, b.CloseRight)) return 1;
  int32_t n = 1;
  if (s.HasMaxButton && (++n, Between(x, b.MaxLeft, b.MaxRight))) return n;
  if (s.HasMinButton && (++n, Between(x, b.MinLeft, b.MinRight))) return n;
  if (s.HasHelp && (++n, Between(x, b.HelpLeft, b.HelpRight))) return n;
  return 0;
}

TacDialogHit DialogHitTest(const TacDialogHitQuery& q) {
  const TacDialogStyle& s = q.Style;
  const TacDialogButtonStates e = DialogButtonStates(s);
  const int32_t top = (q.TopBorderHeight + q.CaptionHeight - q.CloseButtonHeight) / 2;
  if (Between(q.Y, top, top + q.CloseButtonHeight)) {
    if (Between(q.X, q.BorderWidth, q.BorderWidth + q.SmallIconWidth)) return {3, true};
    const int32_t n = DialogButtonAtX(s, q.Buttons, q.X);
    const int32_t count = int32_t(s.HasSysMenu) + int32_t(s.HasMaxButton) + int32_t(s.HasMinButton || s.Iconic);
    const bool minShown = s.HasMinButton || s.Iconic;
    if (n < 1 || n > count + int32_t(s.HasHelp)) return {2, false};
    if (n == 1) return e.CloseEnabled ? TacDialogHit{20, true} : TacDialogHit{0, false};
    if (n == 2) {
      if (s.HasMaxButton) return {(e.MaxEnabled || e.RestoreEnabled) ? 9 : 2, true};
      if (minShown) return {e.MinEnabled ? 8 : 2, true};
      if (s.HasHelp) return {21, true};
    } else if (n == 3) {
      if (s.HasMaxButton && minShown) return {(s.Iconic || e.MinEnabled) ? 8 : 2, true};
      if (s.HasHelp) return {21, true};
    } else if (n == 4 && s.HasHelp && s.HasMaxButton) {
      return {21, true};
    }
  }
  // A maximized dialog lets the mouse through its outer edge.
  if (s.Zoomed && !(q.X >= 2 && q.X < q.WindowWidth - 4 && q.Y >= 2 && q.Y < q.WindowHeight - 4)) return {-1, false};
  return {q.Current, false};
}

TacDialogMenuState DialogMenuState(const TacDialogStyle& s) {
  using B = TacBorderStyle;
  const TacDialogButtonStates e = DialogButtonStates(s);
  TacDialogMenuState m{};
  m.Visible[miRestore] = e.RestoreVisible, m.Enabled[miRestore] = e.RestoreEnabled;
  m.Visible[miMove] = true, m.Enabled[miMove] = !s.Zoomed;
  m.Visible[miSize] = s.BorderStyle != B::bsNone && s.BorderStyle != B::bsSizeable && s.BorderStyle != B::bsToolWindow;
  m.Enabled[miSize] = s.BorderStyle != B::bsSingle && !s.Iconic;
  m.Visible[miMinimize] = s.HasMinButton, m.Enabled[miMinimize] = e.MinEnabled;
  m.Visible[miMaximize] = s.HasMaxButton, m.Enabled[miMaximize] = e.MaxEnabled;
  m.Visible[miClose] = s.HasSysMenu, m.Enabled[miClose] = true;
  return m;
}

TacDialogExtras DialogBorderExtras(const TacDialogExtrasQuery& q) {
  if (!q.HasBorderForm) return {};
  TacDialogExtras e;
  e.Border = std::max(0, ExtraBorderWidth(true, q.SkinBorderWidth, q.OwnFrame));
  if (!q.HasCaption) {
    e.Title = e.Border;
  } else {
    const int32_t skinCaption = q.SkinTitleHeight != 0 ? q.SkinTitleHeight : q.SysCaption;
    e.Title = std::max(0, ExtraTitleHeight(true, skinCaption, q.SysCaption, q.OwnFrame));
  }
  return e;
}

double BlendMovingStep(uint8_t blendValue) { return double(std::max(1, (255 - int(blendValue)) / 30)); }

double NextBlendAlpha(double current, double target, double step) {
  if (current > target) return std::max(target, current - step);
  if (current < target) return std::min(target, current + step);
  return current;
}

}  // namespace skin
