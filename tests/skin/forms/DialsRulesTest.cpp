// The window-creation hook's and the native dialogs' decisions, natively: what a creation
// record's class field names (the whole pointer), which new windows are looked at, the
// attach decision, the hook a dialog's child gets by class and style, the dialog's border
// style, glyphs, button states, title hit test and system menu, and the blend step.
#include <gtest/gtest.h>

#include <string>

#include "skin/forms/acDialsRules.h"

namespace skin {
namespace {

constexpr uint32_t kPopup = 0x80000000u, kBorder = 0x00800000u, kCaption = 0x00C00000u, kThick = 0x00040000u,
                   kSysMenu = 0x00080000u, kMaxBox = 0x00010000u, kMinBox = 0x00020000u, kModalFrame = 0x80u;

TEST(DialsRules, TheWholeClassPointerTellsAnAtomFromAName) {
  const struct {
    uint64_t value;
    TacCreateClass kind;
  } cases[] = {
      {0x8002, TacCreateClass::DialogAtom},
      {0x8000, TacCreateClass::PopupMenuAtom},
      {0x8001, TacCreateClass::OtherAtom},
      {0xFFFF, TacCreateClass::OtherAtom},
      {0x10000, TacCreateClass::ClassName},
      // Names whose low 32 bits look like the dialog or menu atom, or are small.
      {0x100008002ull, TacCreateClass::ClassName},
      {0x7FF600008000ull, TacCreateClass::ClassName},
      {0x200000010ull, TacCreateClass::ClassName},
      {0x80000000ull, TacCreateClass::ClassName},
      {0xFFFF800000008002ull, TacCreateClass::ClassName},
  };
  for (const auto& c : cases)
    if (c.value <= UINTPTR_MAX) EXPECT_EQ(ClassifyCreateClass(uintptr_t(c.value)), c.kind) << std::hex << c.value;
}

TEST(DialsRules, NewWindowsNamedByClassAreLookedAtOnlyWhenReady) {
  struct Case {
    const char* what;
    TacCreatedWindowFacts f;
    bool attach;
  };
  auto facts = [](std::string cls, uint32_t style, uint32_t ex, bool main, bool mainAlloc, bool isMain, bool parent) {
    TacCreatedWindowFacts f;
    f.ClassName = std::move(cls), f.Style = style, f.ExStyle = ex;
    f.HasMainForm = main, f.MainFormHandleAllocated = mainAlloc, f.IsMainFormWindow = isMain, f.HasParent = parent;
    return f;
  };
  const Case cases[] = {
      {"a top-level window", facts("TFormX", kCaption, 0x100, true, true, false, false), true},
      {"no main form at all", facts("TFormX", kCaption, 0x100, false, false, false, false), true},
      {"utility window", facts("TPUtilWindow", kCaption, 0x100, true, true, false, false), false},
      {"no extended style", facts("TFormX", kCaption, 0, true, true, false, false), false},
      {"no style", facts("TFormX", 0, 0x100, true, true, false, false), false},
      {"main form without its window yet", facts("TFormX", kCaption, 0x100, true, false, false, false), false},
      {"the main form's own window", facts("TFormX", kCaption, 0x100, true, true, true, false), false},
      {"a child or owned window", facts("TFormX", kCaption, 0x100, true, true, false, true), false},
  };
  for (const Case& c : cases) EXPECT_EQ(AttachOnCreation(c.f), c.attach) << c.what;
}

TEST(DialsRules, AttachDecisionTable) {
  TacAttachFacts form;
  form.IsForm = true, form.ClassName = "TFormUser", form.Style = kCaption, form.SkinningRules = 7;
  TacAttachFacts dialog;
  dialog.ClassName = "#32770", dialog.Style = kPopup | kCaption, dialog.SkinningRules = 7;
  struct Case {
    const char* what;
    TacAttachFacts f;
    bool result;
    TacAttachAction action;
  };
  auto with = [](TacAttachFacts f, auto change) {
    change(f);
    return f;
  };
  using A = TacAttachAction;
  const Case cases[] = {
      {"a form", form, true, A::Form},
      {"no default manager", with(form, [](auto& f) { f.HasDefaultManager = false; }), false, A::None},
      {"application going", with(form, [](auto& f) { f.AppDestroying = true; }), false, A::None},
      {"already skinned", with(form, [](auto& f) { f.WindowSkinned = true; }), false, A::None},
      {"borderless popup", with(form, [](auto& f) { f.Style = kPopup; }), false, A::None},
      {"popup with a border", with(form, [](auto& f) { f.Style = kPopup | kBorder; }), true, A::Form},
      {"has a provider", with(form, [](auto& f) { f.HasProvider = true; }), false, A::None},
      {"tag keeps it native", with(form, [](auto& f) { f.FormTag = 256 | 1; }), true, A::None},
      {"part of the tag only", with(form, [](auto& f) { f.FormTag = 255; }), true, A::Form},
      {"excluded class", with(form, [](auto& f) { f.FormClassExcluded = true; }), false, A::None},
      {"forms not in the rules", with(form, [](auto& f) { f.SkinningRules = 2; }), false, A::None},
      {"message form under dialog rules",
       with(form, [](auto& f) { f.ClassName = "TMessageForm", f.SkinningRules = 2; }), true, A::Form},
      {"message form without dialog rules",
       with(form, [](auto& f) { f.ClassName = "TMessageForm", f.SkinningRules = 1; }), false, A::None},
      {"a native dialog", dialog, true, A::Dialog},
      {"a native host", with(dialog, [](auto& f) { f.ClassName = "NativeHWNDHost"; }), true, A::Dialog},
      {"another class", with(dialog, [](auto& f) { f.ClassName = "Edit"; }), true, A::None},
      {"dialog with a parent", with(dialog, [](auto& f) { f.HasParent = true; }), true, A::None},
      {"dialogs not in the rules", with(dialog, [](auto& f) { f.SkinningRules = 1; }), false, A::None},
      {"one visible dialog", with(dialog, [](auto& f) { f.VisibleDialogs = 1; }), true, A::Dialog},
      {"a third dialog", with(dialog, [](auto& f) { f.VisibleDialogs = 2; }), false, A::None},
      {"a third dialog with a tool bar",
       with(dialog, [](auto& f) { f.VisibleDialogs = 2, f.HasToolBarChild = true; }), true, A::Dialog},
  };
  for (const Case& c : cases) {
    const TacAttachDecision d = DecideAttach(c.f);
    EXPECT_EQ(d.Result, c.result) << c.what;
    EXPECT_EQ(d.Action, c.action) << c.what;
  }
}

TEST(DialsRules, DialogChildrenGetTheirHookByClassAndStyle) {
  struct Case {
    const char* cls;
    uint32_t style, ex;
    bool visible;
    int32_t height;
    const char* hook;
    const char* section;
    bool clientPaintOn;
  };
  const Case cases[] = {
      {"static", 3, 0x20000, true, 10, "TacEdgeWnd", "EDIT", false},
      {"static", 3, 0, true, 10, "TacIconWnd", "", false},
      {"static", 0x0E, 0, true, 10, "TacIconWnd", "", false},
      {"static", 0x0D, 0, true, 10, "", "", false},
      {"static", 5, 0, true, 10, "", "", false},
      {"static", 6, 0, true, 10, "", "", false},
      {"static", 0, 0, true, 10, "TacStaticWnd", "", false},
      {"static", 0x100 | 2, 0, true, 10, "TacStaticWnd", "", false},
      {"#32770", 0, 0, true, 10, "TacTransPanelWnd", "", false},
      {"tpanel", 0, 0, true, 10, "TacPanelWnd", "TRANSPARENT", false},
      {"tsilentpaintpanel", 0, 0, true, 10, "TacPanelWnd", "GROUPBOX", false},
      {"travelband", 0, 0, true, 10, "TacPanelWnd", "TRANSPARENT", false},
      {"edit", 0, 0, true, 10, "TacEditWnd", "EDIT", true},
      {"edit", 0, 0, false, 10, "", "", true},
      {"button", 0, 0, true, 10, "TacBtnWnd", "", false},
      {"button", 1, 0, true, 10, "TacBtnWnd", "", false},
      {"button", 2, 0, true, 10, "TacCheckBoxWnd", "", false},
      {"button", 3, 0, true, 10, "TacCheckBoxWnd", "", false},
      {"button", 4, 0, true, 10, "TacCheckBoxWnd", "", false},
      {"button", 5, 0, true, 10, "TacCheckBoxWnd", "", false},
      {"button", 9, 0, true, 10, "TacCheckBoxWnd", "", false},
      {"button", 6, 0, true, 10, "TacBtnWnd", "", false},
      {"button", 7, 0, true, 10, "TacGroupBoxWnd", "GROUPBOX", false},
      {"button", 11, 0, true, 10, "", "", false},
      {"tbutton", 11, 0, true, 10, "TacBtnWnd", "", false},
      {"button", 12, 0, true, 10, "TacSplitBtnWnd", "", false},
      {"button", 15, 0, true, 10, "", "", false},
      {"tbutton", 15, 0, true, 10, "TacSplitBtnWnd", "", false},
      {"combobox", 0, 0, true, 10, "TacComboBoxWnd", "COMBOBOX", true},
      {"combolbox", 0, 0, true, 10, "TacEditWnd", "COMBOBOX", true},
      {"comboboxex32", 0, 0, true, 10, "TacComboBoxWnd", "COMBOBOX", true},
      {"scrollbar", 0x10, 0, true, 10, "TacSizerWnd", "", false},
      {"scrollbar", 0, 0, true, 10, "", "", false},
      {"systabcontrol32", 0, 0, true, 10, "TacTabControlWnd", "PAGECONTROL", false},
      {"systabcontrol32", 0x2000, 0, true, 10, "", "", false},
      {"syslistview32", 0, 0, true, 10, "TacListViewWnd", "EDIT", false},
      {"systreeview32", 0, 0, true, 10, "TacTreeViewWnd", "EDIT", false},
      {"msctls_updown32", 0, 0, true, 10, "TacSpinWnd", "SPEEDBUTTON_SMALL", false},
      {"msctls_trackbar32", 0, 0, true, 10, "TacTrackWnd", "TRACKBAR", false},
      {"listbox", 0, 0, true, 10, "TacEditWnd", "EDIT", true},
      {"syslink", 0, 0, true, 10, "TacLinkWnd", "", false},
      {"link window", 0, 0, true, 10, "TacLinkWnd", "", false},
      {"toolbarwindow32", 0x200, 0, true, 10, "TacToolBarWnd", "BAR", false},
      {"toolbarwindow32", 0, 0, true, 10, "TacToolBarWnd", "TRANSPARENT", false},
      {"shbrowseforfolder", 0, 0, true, 10, "TacTransPanelWnd", "", false},
      {"rebarwindow32", 0, 0, true, 10, "TacContainerWnd", "", false},
      {"msctls_progress32", 0, 0, false, 10, "", "", false},
      {"breadcrumb parent", 0, 0, true, 10, "TacContainerWnd", "", false},
      {"directuihwnd", 0, 0, true, 24, "TacSearchWnd", "", false},
      {"directuihwnd", 0, 0, true, 23, "", "", false},
      {"directuihwnd", 0, 0, true, 25, "", "", false},
      {"ctrlnotifysink", 0, 0, true, 10, "", "", false},
      {"something else", 0, 0, true, 10, "", "", false},
  };
  for (const Case& c : cases) {
    TacDialogChildFacts f;
    f.LowerClass = c.cls, f.Style = c.style, f.ExStyle = c.ex, f.Visible = c.visible, f.Height = c.height;
    const TacDialogChildHook h = DialogChildHook(f);
    const std::string what = std::string(c.cls) + " style " + std::to_string(c.style);
    EXPECT_EQ(h.HookClass, c.hook) << what;
    EXPECT_EQ(h.Section, c.section) << what;
    EXPECT_EQ(h.ClientPaintOn, c.clientPaintOn) << what;
  }
  TacDialogChildFacts spin;
  spin.LowerClass = "msctls_updown32";
  EXPECT_EQ(DialogChildHook(spin).SpinKind, 2);
  TacDialogChildFacts edit;
  edit.LowerClass = "edit";
  EXPECT_TRUE(DialogChildHook(edit).InNativeDialog);
  EXPECT_TRUE(DialogChildHook(edit).WaitForCache);
}

TEST(DialsRules, BorderStyleGlyphsAndButtonStates) {
  using B = TacBorderStyle;
  EXPECT_EQ(DialogBorderStyle(kPopup | kCaption | kModalFrame), B::bsNone);
  EXPECT_EQ(DialogBorderStyle(kPopup | kCaption | kThick | kModalFrame), B::bsDialog);
  EXPECT_EQ(DialogBorderStyle(kPopup | kBorder), B::bsSizeable);
  EXPECT_EQ(DialogBorderStyle(kCaption), B::bsDialog);

  const TacDialogGlyphs alone = DialogTitleGlyphs(B::bsDialog, false, false);
  EXPECT_EQ(alone.Close, tgCloseAlone);
  EXPECT_TRUE(alone.NormalTitle);
  const TacDialogGlyphs boxes = DialogTitleGlyphs(B::bsNone, true, false);
  EXPECT_EQ(boxes.Close, tgClose);
  EXPECT_EQ(boxes.Max, tgMax);
  EXPECT_EQ(boxes.Min, tgMin);
  EXPECT_EQ(boxes.Help, tgHelp);
  const TacDialogGlyphs tool = DialogTitleGlyphs(B::bsSizeable, true, false);
  EXPECT_EQ(tool.Close, tgSmallClose);
  EXPECT_EQ(tool.Help, tgSmallHelp);
  EXPECT_FALSE(tool.NormalTitle);
  EXPECT_TRUE(DialogTitleGlyphs(B::bsSizeable, true, true).NormalTitle);

  struct Case {
    const char* what;
    uint32_t style, classStyle;
    bool zoomed, iconic;
    B bs;
    bool close, max, min, restore, restoreVisible;
  };
  const Case cases[] = {
      {"a plain box", kSysMenu, 0, false, false, B::bsNone, true, false, false, false, false},
      {"no close by class", kSysMenu, 0x200, false, false, B::bsNone, false, false, false, false, false},
      {"both boxes", kSysMenu | kMaxBox | kMinBox, 0, false, false, B::bsDialog, true, true, true, false, true},
      {"zoomed", kSysMenu | kMaxBox | kMinBox, 0, true, false, B::bsDialog, true, false, true, true, true},
      {"iconic", kSysMenu | kMaxBox | kMinBox, 0, false, true, B::bsDialog, true, true, false, true, true},
      {"caption-less popup", kSysMenu | kMaxBox, 0, false, false, B::bsSizeable, true, false, false, false, false},
      {"without system menu", kMaxBox, 0, false, false, B::bsSingle, false, true, false, false, false},
  };
  for (const Case& c : cases) {
    const TacDialogButtonStates s = DialogButtonStates(DialogStyleOf(c.style, 0, c.classStyle, c.zoomed, c.iconic, c.bs));
    EXPECT_EQ(s.CloseEnabled, c.close) << c.what;
    EXPECT_EQ(s.MaxEnabled, c.max) << c.what;
    EXPECT_EQ(s.MinEnabled, c.min) << c.what;
    EXPECT_EQ(s.RestoreEnabled, c.restore) << c.what;
    EXPECT_EQ(s.RestoreVisible, c.restoreVisible) << c.what;
  }
}

// A 300 x 200 dialog, 4-pixel frame, 24-pixel caption, buttons 20 wide and 18 high from the
// right: close 272..292, maximize 252..272, minimize 232..252, help 212..232.
TacDialogHitQuery HitQuery(uint32_t style, uint32_t ex, int32_t x, int32_t y, bool zoomed = false, bool iconic = false) {
  TacDialogHitQuery q;
  q.Style = DialogStyleOf(style, ex, 0, zoomed, iconic, TacBorderStyle::bsDialog);
  q.X = x, q.Y = y;
  q.TopBorderHeight = 4, q.CaptionHeight = 24, q.CloseButtonHeight = 18, q.BorderWidth = 4, q.SmallIconWidth = 16;
  q.WindowWidth = 300, q.WindowHeight = 200, q.Current = 1;
  q.Buttons = {272, 292, 252, 272, 232, 252, 212, 232};
  return q;
}

TEST(DialsRules, DialogHitTestAnswersTheTitleButtons) {
  constexpr uint32_t all = kSysMenu | kMaxBox | kMinBox, help = 0x400;
  struct Case {
    const char* what;
    TacDialogHitQuery q;
    int64_t code;
    bool hot;
  };
  // The band of the buttons runs from row 5 to row 23 (inclusive).
  const Case cases[] = {
      {"system icon", HitQuery(all, 0, 10, 10), 3, true},
      {"close", HitQuery(all, 0, 280, 10), 20, true},
      {"close at the band's top", HitQuery(all, 0, 280, 5), 20, true},
      {"below the band", HitQuery(all, 0, 280, 24), 1, false},
      {"close without system menu", HitQuery(kMaxBox, 0, 280, 10), 2, false},
      {"maximize", HitQuery(all, 0, 260, 10), 9, true},
      {"restore when zoomed", HitQuery(all, 0, 260, 10, true), 9, true},
      {"minimize", HitQuery(all, 0, 240, 10), 8, true},
      {"minimize while iconic", HitQuery(all, 0, 240, 10, false, true), 8, true},
      {"help after both boxes", HitQuery(all, help, 220, 10), 21, true},
      {"help beside close alone", HitQuery(kSysMenu, help, 220, 10), 21, true},
      {"caption between", HitQuery(all, 0, 100, 10), 2, false},
      {"help span without help", HitQuery(all, 0, 220, 10), 2, false},
      {"client area", HitQuery(all, 0, 100, 100), 1, false},
      {"zoomed outer edge", HitQuery(all, 0, 1, 100, true), -1, false},
      {"zoomed right edge", HitQuery(all, 0, 297, 100, true), -1, false},
      {"zoomed inside", HitQuery(all, 0, 100, 100, true), 1, false},
  };
  for (const Case& c : cases) {
    const TacDialogHit h = DialogHitTest(c.q);
    EXPECT_EQ(h.Code, c.code) << c.what;
    EXPECT_EQ(h.Hot, c.hot) << c.what;
  }
  TacDialogHitQuery q = HitQuery(kSysMenu, 0, 280, 10);
  q.Style.NoCloseClass = true;
  EXPECT_EQ(DialogHitTest(q).Code, 0) << "a close button the class forbids";
}

TEST(DialsRules, TheBorderWindowsTallerTitleAndWiderFrameOnlyGrowAroundTheDialog) {
  struct Case {
    const char* what;
    TacDialogExtrasQuery q;
    TacDialogExtras want;
  };
  // Own frame 3 and caption 20: a title band of 23 rows.
  auto q = [](bool bordered, bool caption, int32_t skinTitle, int32_t skinBorder) {
    TacDialogExtrasQuery r;
    r.HasBorderForm = bordered, r.HasCaption = caption;
    r.SkinTitleHeight = skinTitle, r.SkinBorderWidth = skinBorder, r.SysCaption = caption ? 20 : 0, r.OwnFrame = 3;
    return r;
  };
  const Case cases[] = {
      {"no border window", q(false, true, 30, 6), {0, 0}},
      {"taller title, wider frame", q(true, true, 30, 6), {7, 3}},
      {"the skin's title as high as the dialog's", q(true, true, 23, 3), {0, 0}},
      {"a lower skin title adds nothing", q(true, true, 18, 3), {0, 0}},
      {"a narrower skin frame adds nothing", q(true, true, 30, 1), {7, 0}},
      {"a skin without title height", q(true, true, 0, 6), {0, 3}},
      {"no caption: the wider frame above too", q(true, false, 30, 6), {3, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(DialogBorderExtras(c.q), c.want) << c.what;
}

TEST(DialsRules, SystemMenuItemsFollowTheDialog) {
  using B = TacBorderStyle;
  struct Case {
    const char* what;
    TacDialogStyle s;
    bool visible[kDialogMenuItems], enabled[kDialogMenuItems];
  };
  auto style = [](uint32_t st, bool zoomed, bool iconic, B bs) { return DialogStyleOf(st, 0, 0, zoomed, iconic, bs); };
  //                                     restore move   size   min    max    close
  const Case cases[] = {
      {"message box", style(kSysMenu, false, false, B::bsNone), {false, true, false, false, false, true},
       {false, true, true, false, false, true}},
      {"no system menu", style(0, false, false, B::bsNone), {false, true, false, false, false, false},
       {false, true, true, false, false, true}},
      {"sizeable", style(kSysMenu | kMaxBox | kMinBox, false, false, B::bsDialog), {true, true, true, true, true, true},
       {false, true, true, true, true, true}},
      {"zoomed", style(kSysMenu | kMaxBox | kMinBox, true, false, B::bsDialog), {true, true, true, true, true, true},
       {true, false, true, true, false, true}},
      {"caption-less popup", style(kSysMenu, false, false, B::bsSizeable), {false, true, false, false, false, true},
       {false, true, true, false, false, true}},
      {"single, iconic", style(kSysMenu | kMinBox, false, true, B::bsSingle), {true, true, true, true, false, true},
       {false, true, false, false, false, true}},
  };
  for (const Case& c : cases) {
    const TacDialogMenuState m = DialogMenuState(c.s);
    for (int i = 0; i < kDialogMenuItems; ++i) {
      EXPECT_EQ(m.Visible[i], c.visible[i]) << c.what << " item " << i;
      EXPECT_EQ(m.Enabled[i], c.enabled[i]) << c.what << " item " << i;
    }
  }
}

TEST(DialsRules, BlendingWhileMovingReachesEveryTarget) {
  for (int target = 0; target <= 254; ++target) {
    const double step = BlendMovingStep(uint8_t(target));
    ASSERT_GE(step, 1.0) << target;
    double a = 255;
    int ticks = 0;
    while (a != target && ticks < 400) a = NextBlendAlpha(a, target, step), ++ticks;
    EXPECT_EQ(a, double(target)) << target;
    EXPECT_LE(ticks, 255 - target) << target;
  }
  EXPECT_EQ(BlendMovingStep(170), 2.0);
  EXPECT_EQ(BlendMovingStep(0), 8.0);
  EXPECT_EQ(NextBlendAlpha(10, 200, 8), 18);
}

}  // namespace
}  // namespace skin
