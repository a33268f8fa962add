// The measures of a skinned form's non-client image, natively: frame widths by style,
// caption heights, icon sizes, system buttons and their glyphs, the title layout of normal,
// tool-window, right-to-left, menu-less and bordered forms, the client offsets, the menu
// line count, the grip, the shadow margins, and the caption's rectangle and alignment.
#include <gtest/gtest.h>

#include "skin/forms/acFormGeometry.h"

namespace skin {
namespace {

constexpr uint32_t kThickFrame = 0x00040000, kCaption = 0x00C00000, kPopup = 0x80000000;

TEST(FormMetrics, IconSizeAndSnapFollowTheirBoundaries) {
  const struct { int32_t h, size; } icons[] = {{-101, 32}, {-100, 16}, {0, 16}, {47, 16}, {48, 24}, {64, 24}, {65, 32}};
  for (const auto& c : icons) EXPECT_EQ(IconSizeForHeight(c.h), c.size) << c.h;
  const struct { int32_t v, t, r, d; } snaps[] = {{105, 100, 10, 5}, {110, 100, 10, 10}, {111, 100, 10, 0},
                                                  {90, 100, 10, -10}, {89, 100, 10, 0}};
  for (const auto& c : snaps) EXPECT_EQ(SnapDelta(c.v, c.t, c.r), c.d) << c.v;
}

TEST(FormMetrics, BorderWidthsFollowTheStyleAndTheBorderWindow) {
  struct Case {
    const char* what;
    uint32_t style;
    bool useSkin, borderForm, managed, win8;
    int32_t width, own;
  };
  const Case cases[] = {
      {"sizeable", kCaption | kThickFrame, false, false, false, true, 8, 8},
      {"single (caption holds the thin border)", kCaption, false, false, false, true, 1, 1},
      {"popup", kPopup, false, false, false, true, 0, 0},
      {"the skin's border on a managed border window", kCaption | kThickFrame, true, true, true, true, 5, 0},
      {"the skin's border is not used without asking", kCaption | kThickFrame, false, true, true, true, 8, 0},
      {"unmanaged border window on Windows 8", kCaption | kThickFrame, false, true, false, true, 12, 0},
      {"unmanaged border window before Windows 8", kCaption | kThickFrame, false, true, false, false, 8, 0},
      {"thin frame gets nothing added", kCaption, false, true, false, true, 1, 0},
  };
  for (const Case& c : cases) {
    TacBorderWidthQuery q;
    q.Style = c.style;
    q.UseSkin = c.useSkin;
    q.HasBorderForm = c.borderForm;
    q.BorderFormManaged = c.managed;
    q.Windows8OrLater = c.win8;
    q.SkinBorderWidth = 5;
    q.Answers[0] = 8, q.Answers[1] = 1, q.Answers[2] = 0;
    EXPECT_EQ(BorderWidth(q), c.width) << c.what;
    EXPECT_EQ(OwnBorderWidth(q), c.own) << c.what;
  }
  EXPECT_EQ(FrameKindOfStyle(kCaption | kThickFrame), 1);
  EXPECT_EQ(FrameKindOfStyle(kCaption), 2);
  EXPECT_EQ(FrameKindOfStyle(kPopup), 3);
}

TEST(FormMetrics, CaptionHeightRules) {
  using S = TacBorderStyle;
  using M = TacCaptionMetric;
  const struct { S style; bool win10, iconic; M metric; } metrics[] = {
      {S::bsNone, true, false, M::Caption},         {S::bsSingle, true, false, M::Caption},
      {S::bsSizeable, true, false, M::Caption},     {S::bsDialog, true, false, M::SmallCaption},
      {S::bsDialog, true, true, M::Caption},        {S::bsDialog, false, false, M::Caption},
      {S::bsToolWindow, false, false, M::SmallCaption}, {S::bsSizeToolWin, true, true, M::Caption},
  };
  for (const auto& c : metrics) EXPECT_EQ(SysCaptionMetric(c.style, c.win10, c.iconic), c.metric) << int(c.style);

  struct Case {
    const char* what;
    bool border, caption, iconic, useSkin;
    int32_t borderFormTitle;
    bool tall;
    int32_t height;
  };
  const Case cases[] = {
      {"no border", false, true, false, true, 0, false, 0},
      {"no caption", true, false, false, true, 0, false, 0},
      {"an iconic form without caption still has one", true, false, true, true, 0, false, 23},
      {"the system's", true, true, false, true, 0, false, 23},
      {"the border window's title", true, true, false, true, 30, false, 30},
      {"the border window's title only with the skin", true, true, false, false, 30, false, 23},
      {"tall maximized title: at least the system's plus 4", true, true, false, true, 22, true, 27},
      {"tall maximized title: the skin's when higher", true, true, false, true, 40, true, 40},
  };
  for (const Case& c : cases) {
    TacCaptionQuery q;
    q.HasBorder = c.border;
    q.HasCaption = c.caption;
    q.Iconic = c.iconic;
    q.UseSkin = c.useSkin;
    q.BorderFormTitleHeight = c.borderFormTitle;
    q.TallTitleMaximized = c.tall;
    q.SysCaptionHeight = 23;
    EXPECT_EQ(CaptionHeight(q), c.height) << c.what;
  }
}

TEST(FormMetrics, SystemButtonCountAndGlyphs) {
  const struct { bool object, menu, help, min, max; int32_t count; } counts[] = {
      {true, true, false, true, true, 3},  {true, true, true, true, true, 4},   {true, true, true, false, false, 2},
      {true, true, false, true, false, 2}, {true, false, true, true, true, 0}, {false, true, true, true, true, 0},
  };
  for (const auto& c : counts)
    EXPECT_EQ(SysButtonCount({c.object, c.menu, c.help, c.min, c.max}), c.count)
        << c.object << c.menu << c.help << c.min << c.max;

  EXPECT_EQ(TitleGlyphIndexes(true, true, false, false), (TacGlyphIndexes{1, 2, 3, 5}));
  EXPECT_EQ(TitleGlyphIndexes(true, false, false, false).Close, 0) << "a close button alone";
  EXPECT_EQ(TitleGlyphIndexes(true, true, true, false).Max, 4) << "restore while maximized";
  EXPECT_EQ(TitleGlyphIndexes(true, true, false, true).Min, 4) << "restore while minimized";
  EXPECT_EQ(TitleGlyphIndexes(false, true, true, true), (TacGlyphIndexes{6, 7, 8, 10})) << "tool windows";
  for (auto s : {TacBorderStyle::bsSingle, TacBorderStyle::bsSizeable, TacBorderStyle::bsDialog})
    EXPECT_TRUE(IsNormalTitle(s));
  for (auto s : {TacBorderStyle::bsNone, TacBorderStyle::bsToolWindow, TacBorderStyle::bsSizeToolWin})
    EXPECT_FALSE(IsNormalTitle(s));
}

// A 300-pixel sizeable form with a 23-pixel caption, a 4-pixel frame, an icon and a skin
// whose close, maximize, minimize and help glyphs are 25, 22, 20 and 18 wide.
TacTitleInput NormalForm() {
  TacTitleInput in;
  in.BILeft = 2, in.BIRight = 3, in.BITop = 1, in.BISpace = 1, in.Spacing = 4;
  in.GlyphWidths[tgClose] = 25, in.GlyphWidths[tgMax] = 22, in.GlyphWidths[tgMin] = 20, in.GlyphWidths[tgHelp] = 18;
  in.TitleButtonHeight = 19;
  in.CacheWidth = 300, in.CaptionHeight = 23, in.BorderWidthSkin = 4, in.OwnBorderWidthSkin = 4;
  in.IconVisible = true, in.IconWidth = 16, in.IconHeight = 16;
  return in;
}

TacRect R(int32_t l, int32_t t, int32_t r, int32_t b) { return {l, t, r, b}; }

TEST(TitleLayout, NormalFormPlacesIconLeftAndButtonsFromTheRight) {
  const TacTitleLayout t = LayoutTitle(NormalForm());
  EXPECT_EQ(t.TitleVCenter, 13) << "half the caption plus half the frame";
  EXPECT_EQ(t.TitleBottom, 27);
  EXPECT_EQ(t.IconRect, R(6, 5, 22, 21));
  EXPECT_EQ(t.Close.Rect, R(268, 4, 293, 23));
  EXPECT_EQ(t.Max.Rect, R(245, 4, 267, 23));
  EXPECT_EQ(t.Min.Rect, R(224, 4, 244, 23));
  EXPECT_EQ(t.Help.Rect.Left, t.Help.Rect.Right) << "no help button";
  EXPECT_EQ((TacGlyphIndexes{t.Close.GlyphIndex, t.Max.GlyphIndex, t.Min.GlyphIndex, t.Help.GlyphIndex}),
            (TacGlyphIndexes{1, 2, 3, 5}));
  EXPECT_EQ(t.Close.HitCode, 20);
  EXPECT_EQ(t.Max.HitCode, 9);
  EXPECT_EQ(t.Min.HitCode, 8);
  EXPECT_EQ(t.FreeLeft, 26);
  EXPECT_EQ(t.FreeRight, 223);
  EXPECT_EQ(TitleButtonsWidth(NormalForm()), 72);
  EXPECT_EQ(TitleBandWidth(NormalForm(), 10), 92);

  TacTitleInput top = NormalForm();
  top.BIVAlign = 1;
  EXPECT_EQ(LayoutTitle(top).Close.Rect, R(268, 0, 293, 19)) << "top-aligned buttons";
}

TEST(TitleLayout, HelpAndUserButtonsTakeTheirGaps) {
  TacTitleInput in = NormalForm();
  in.Buttons.Help = true;
  TacTitleLayout t = LayoutTitle(in);
  EXPECT_EQ(t.Help.Rect, R(201, 4, 219, 23)) << "spacing before help";
  EXPECT_EQ(TitleButtonsWidth(in), 72 + 1 + 18);

  in = NormalForm();
  in.UserButtons = {{true, true, 10}, {false, false, 0}};
  t = LayoutTitle(in);
  ASSERT_EQ(t.User.size(), 2u);
  EXPECT_EQ(t.User[0].Rect, R(198, 4, 219, 23)) << "the backdrop's default width wins over a small glyph";
  EXPECT_EQ(t.User[0].GlyphIndex, tgUserSkinned);
  EXPECT_EQ(t.User[0].HitCode, 1000);
  EXPECT_EQ(t.User[1].Rect.Left, t.User[1].Rect.Right);
  EXPECT_EQ(t.User[1].GlyphIndex, tgUserPlain);
  EXPECT_EQ(t.User[1].HitCode, 1001);
  EXPECT_EQ(TitleButtonsWidth(in), 72 + 4 + 22 + 22) << "hidden user buttons count too";
  in.TitleButtonMaskWidth = 8;
  EXPECT_EQ(UserButtonWidth(in, {true, true, 10}), 12);
  EXPECT_EQ(UserButtonWidth(in, {true, true, 0}), 8);
}

TEST(TitleLayout, ToolWindowRightToLeftAndMenulessForms) {
  TacTitleInput tool = NormalForm();
  tool.NormalTitle = false;
  tool.IconVisible = false;
  tool.Buttons.MinVisible = tool.Buttons.MaxVisible = false;
  TacTitleLayout t = LayoutTitle(tool);
  EXPECT_EQ(t.Close.GlyphIndex, 6);
  EXPECT_EQ(t.Close.Rect, R(272, 4, 293, 23)) << "a skin without small glyphs: 21 pixels";
  EXPECT_EQ(t.IconRect.Right - t.IconRect.Left, 0);
  EXPECT_EQ(TitleButtonsWidth(tool), 3 + 21);
  tool.Buttons.MinVisible = tool.Buttons.MaxVisible = true;
  t = LayoutTitle(tool);
  EXPECT_EQ(t.Max.Rect.Right, t.Close.Rect.Left) << "tool windows have no gaps between buttons";

  TacTitleInput rtl = NormalForm();
  rtl.RTLSysButtons = true;
  t = LayoutTitle(rtl);
  EXPECT_EQ(t.IconRect, R(277, 5, 293, 21));
  EXPECT_EQ(t.Close.Rect, R(6, 4, 31, 23));
  EXPECT_EQ(t.Max.Rect, R(32, 4, 54, 23));
  EXPECT_EQ(t.Min.Rect, R(55, 4, 75, 23));
  EXPECT_EQ(t.FreeLeft, 76);
  EXPECT_EQ(t.FreeRight, 273);

  TacTitleInput menuless = NormalForm();
  menuless.Buttons.HasSystemMenu = false;
  t = LayoutTitle(menuless);
  for (const TacTitleButtonPlace* b : {&t.Close, &t.Max, &t.Min, &t.Help}) EXPECT_EQ(b->Rect.Left, b->Rect.Right);
  EXPECT_EQ(t.FreeRight, 293) << "the free title reaches the right limit";
  EXPECT_EQ(TitleButtonsWidth(menuless), 3);
}

TEST(TitleLayout, BorderWindowAndZoomedTitles) {
  TacTitleInput in = NormalForm();
  in.HasBorderForm = true;
  in.Shadow = {10, 8, 10, 12};
  in.CaptionHeight = 30, in.TitleHeight = 30, in.MaxTitleHeight = 30, in.CenterOffset = 2, in.BITop = 3;
  in.OwnBorderWidthSkin = 0, in.CacheWidth = 320;
  TacTitleLayout t = LayoutTitle(in);
  EXPECT_EQ(t.TopY, 11);
  EXPECT_EQ(t.TitleBottom, 38);
  EXPECT_EQ(t.TitleVCenter, 25);
  EXPECT_EQ(t.IconRect.Left, 4 + 2 + 10);
  EXPECT_EQ(t.Close.Rect.Right, 320 - (3 + 10 + 4));

  in.Zoomed = true;
  EXPECT_EQ(LayoutTitle(in).TitleVCenter, 38 - 15 + 2 + 2) << "same maximized height: the centre offset stays";
  in.MaxTitleHeight = 24;
  t = LayoutTitle(in);
  EXPECT_EQ(t.TitleVCenter, 38 - 12 + 2) << "own maximized height: no centre offset";
  EXPECT_EQ(t.TopY, 12);

  TacTitleInput zoomed = NormalForm();
  zoomed.Zoomed = true;
  zoomed.FrameWidthZoomed = 8;
  t = LayoutTitle(zoomed);
  EXPECT_EQ(t.TopY, 7);
  EXPECT_EQ(t.TitleVCenter, 15);
  EXPECT_EQ(t.Max.GlyphIndex, 4);

  // A form that keeps its own frame and title under a border window: its title as without
  // one, moved inside the shadow margins of the image (and the image that much wider).
  TacTitleInput own = NormalForm();
  own.Shadow = {10, 8, 10, 12};
  own.CacheWidth = 320;
  t = LayoutTitle(own);
  EXPECT_EQ(t.TitleVCenter, 13 + 8);
  EXPECT_EQ(t.TitleBottom, 27 + 8);
  EXPECT_EQ(t.IconRect, R(16, 13, 32, 29));
  EXPECT_EQ(t.Close.Rect, R(278, 12, 303, 31));
  own.Zoomed = true, own.FrameWidthZoomed = 8;
  EXPECT_EQ(LayoutTitle(own).TopY, 7 + 8);
}

TEST(ClientArea, OffsetsRectanglesAndBands) {
  TacClientQuery q;
  q.WindowWidth = 300, q.WindowHeight = 200, q.ClientWidth = 284, q.ClientHeight = 161;
  q.StyleBorder = true, q.FrameWidthSkin = 8, q.FrameHeightSkin = 8, q.CaptionHeight = 23, q.OwnBorderWidth = 8;
  EXPECT_EQ(ClientOffsetX(q), 8);
  EXPECT_EQ(ClientOffsetY(q), 31);
  EXPECT_EQ(ClientAreaRect(q), R(6, 29, 294, 194)) << "a sizeable form's client rectangle grows by 2";
  EXPECT_EQ(CaptionBandHeight(q), 31);
  q.Style = TacBorderStyle::bsSingle;
  EXPECT_EQ(ClientAreaRect(q), R(8, 31, 292, 192));
  q.WindowWidth = 301;
  EXPECT_EQ(ClientOffsetX(q), 8) << "an odd frame rounds down";
  q.WindowWidth = 100, q.ClientWidth = 100, q.VertScrollWidth = 3;
  EXPECT_EQ(ClientOffsetX(q), -1) << "truncated towards zero";
  q.VertScrollWidth = 0;
  q.HorzScrollHeight = 17;
  EXPECT_EQ(ClientOffsetY(q), 200 - 161 - 8 - 17);
  EXPECT_EQ(CaptionBandHeight(q), 31 - 17);
  q.HorzScrollHeight = 0;
  q.CaptionHeight = 0, q.StyleBorder = false;
  EXPECT_EQ(CaptionBandHeight(q), 39) << "no caption, no border: everything above the client";
  q.WindowHeight = 10, q.ClientHeight = 20;
  EXPECT_EQ(CaptionBandHeight(q), 0) << "never negative";
  q.Iconic = true;
  EXPECT_EQ(CaptionBandHeight(q), 8) << "an iconic window adds its frame";

  TacClientQuery b;
  b.HasBorderForm = true;
  b.FrameWidthSkin = 4, b.Shadow = {10, 8, 10, 12}, b.CaptionHeight = 30, b.FormBorderWidth = 1;
  b.MenuLines = 2, b.MenuLineHeight = 19, b.ClientWidth = 100, b.ClientHeight = 50;
  EXPECT_EQ(ClientOffsetX(b), 14);
  EXPECT_EQ(ClientOffsetY(b), 30 + 38 + 1 + 8 + 1);
  EXPECT_EQ(CaptionBandHeight(b), 30);
  b.Style = TacBorderStyle::bsSizeable;
  EXPECT_EQ(ClientAreaRect(b), R(14, 78, 114, 128)) << "no growth with a border window";
  b.MenuLines = 0, b.MenuLineHeight = 0;
  EXPECT_EQ(ClientOffsetY(b), 39);

  // A form that keeps its own frame under a border window: its client as the window has
  // it, inside the shadow margins.
  TacClientQuery own = q;
  own.WindowWidth = 300, own.WindowHeight = 200, own.ClientWidth = 284, own.ClientHeight = 161;
  own.Iconic = false, own.StyleBorder = true;
  own.Shadow = {10, 8, 10, 12};
  EXPECT_EQ(ClientOffsetX(own), 8 + 10);
  EXPECT_EQ(ClientOffsetY(own), 31 + 8);
  EXPECT_EQ(ClientAreaRect(own), R(18, 39, 302, 200));
}

TEST(ClientArea, MenuLinesCacheWidthGripShadowAndTitleTop) {
  const struct { int32_t bottom, top, lines; } menus[] = {{100, 136, 3}, {100, 100, 1}, {100, 90, 1}, {100, 117, 1},
                                                         {100, 118, 2}};
  for (const auto& c : menus) EXPECT_EQ(MenuLineCountFor(c.bottom, c.top, 20), c.lines) << c.top;
  EXPECT_EQ(MenuLineCountFor(100, 200, 2), 1) << "a degenerate menu height";

  EXPECT_EQ(CacheWidthFor(300, false, false, 3, {}), 300);
  EXPECT_EQ(CacheWidthFor(300, true, false, 3, {}), 160) << "an iconic child";
  EXPECT_EQ(CacheWidthFor(300, false, true, 3, {10, 8, 10, 12}), 326);
  EXPECT_EQ(CacheWidthFor(300, true, true, 3, {10, 8, 10, 12}), 186);

  EXPECT_EQ(GripPositionFor(300, 200, 12, 12, 4, {}), (TacPoint{283, 183}));
  EXPECT_EQ(GripPositionFor(300, 200, 12, 12, 4, {10, 8, 10, 12}), (TacPoint{273, 171}));
  EXPECT_EQ(GripPositionFor(0, 0, 12, 12, 4, {}), (TacPoint{0, 0}));

  EXPECT_EQ(UWPShadowMargins(13, 2), R(13, 11, 13, 15));
  EXPECT_EQ(UWPShadowMargins(5, 8), R(5, 0, 5, 13));
  EXPECT_EQ(UWPShadowMargins(5, -8), R(5, 13, 5, 0));

  EXPECT_EQ(TitleOffsetYFor(false, false, {}, 3), 0);
  EXPECT_EQ(TitleOffsetYFor(false, true, {}, 3), 6);
  EXPECT_EQ(TitleOffsetYFor(true, false, {10, 8, 10, 12}, 3), 11);
  EXPECT_EQ(TitleOffsetYFor(true, true, {10, 8, 10, 12}, 3), 12);
  EXPECT_EQ(TitleOffsetYFor(false, false, {10, 8, 10, 12}, 3), 8) << "an own title below the shadow";
  EXPECT_EQ(TitleOffsetYFor(false, true, {10, 8, 10, 12}, 3), 14);
}

TEST(BorderWindow, ExtraTitleAndFrameAndTheWindowsPlaceInIt) {
  // Skin title 24 over a caption of 19 and a frame of 4; skin border 6 over a frame of 4.
  const struct { const char* what; bool bordered; int32_t skinCaption, sysCaption, ownFrame, title; } titles[] = {
      {"without border window", false, 24, 19, 4, 0},
      {"the skin's title above the window's caption and frame", true, 24, 19, 4, 1},
      {"a small caption leaves more above", true, 30, 15, 4, 11},
      {"a title as high as caption and frame", true, 23, 19, 4, 0},
  };
  for (const auto& c : titles)
    EXPECT_EQ(ExtraTitleHeight(c.bordered, c.skinCaption, c.sysCaption, c.ownFrame), c.title) << c.what;
  EXPECT_EQ(ExtraBorderWidth(false, 6, 4), 0);
  EXPECT_EQ(ExtraBorderWidth(true, 6, 4), 2);
  EXPECT_EQ(ExtraBorderWidth(true, 4, 4), 0);
  EXPECT_EQ(BorderFormTitleHeight(false, false, 24, 28), 0);
  EXPECT_EQ(BorderFormTitleHeight(true, false, 24, 28), 24);
  EXPECT_EQ(BorderFormTitleHeight(true, true, 24, 28), 28) << "maximized: MAXHEIGHT";

  // Shadow 10 left, 8 top; skin border 6 over a frame of 4: the window lies 12 right of the
  // border window's edge; its caption ends where the skin's title ends.
  struct Case { const char* what; int32_t sysCaption, title; bool tall; int32_t extra, y; };
  const Case cases[] = {
      {"captioned", 19, 30, false, 7, 8 + 30 - 4 - 19},
      {"no caption of its own: the frame lies inside the shadow", 0, 30, false, 0, 8 - 4},
      {"maximized under a tall title", 19, 30, true, 7, 8 + 7 + 4},
  };
  for (const Case& c : cases) {
    TacBorderOffsetQuery q;
    q.Shadow = {10, 8, 10, 12};
    q.SkinBorderWidth = 6;
    q.OwnFrame = 4;
    q.SkinTitleHeight = c.title;
    q.SysCaption = c.sysCaption;
    q.TallTitleMaximized = c.tall;
    q.ExtraTitle = c.extra;
    EXPECT_EQ(BorderOwnerOffsetX(q), 12) << c.what;
    EXPECT_EQ(BorderOwnerOffsetY(q), c.y) << c.what;
    // The window's caption ends where the skin's title ends: the shadow, the extra title and
    // the window's frame and caption make the skin's title.
    if (!c.tall && c.sysCaption) {
      EXPECT_EQ(BorderOwnerOffsetY(q) + q.OwnFrame + c.sysCaption, 8 + c.title) << c.what;
    }
  }
}

TEST(ClientArea, ThumbnailsKeepTheImagesAspect) {
  const struct { int32_t w, h, maxW, maxH; TacPoint size; } cases[] = {
      {320, 200, 200, 200, {200, 125}},  // wide image: the width fills
      {200, 320, 200, 200, {125, 200}},  // tall image: the height fills
      {300, 200, 150, 100, {150, 100}},  // same aspect
      {3, 2, 100, 5, {8, 5}},            // 7.5 rounds to the even 8
      {9, 2, 100, 1, {4, 1}},            // 4.5 rounds to the even 4
      {1000, 1, 10, 10, {0, 0}},         // a side of 0: no thumbnail
      {320, 200, 0, 100, {0, 0}},
      {0, 200, 100, 100, {0, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ThumbnailSize(c.w, c.h, c.maxW, c.maxH), c.size) << c.w << "x" << c.h << " in " << c.maxW << "x" << c.maxH;
}

TacCaptionTextQuery Caption() {
  TacCaptionTextQuery q;
  q.ImageWidth = 300, q.FrameWidth = 4, q.TitleBottom = 27, q.IconVisible = true, q.IconWidth = 16;
  q.Spacing = 4, q.BILeft = 2, q.BIRight = 3, q.TitleButtonsWidth = 72;
  return q;
}

TEST(CaptionText, RectangleBetweenIconAndButtons) {
  EXPECT_EQ(CaptionTextRect(Caption()), R(26, 2, 220, 27));
  TacCaptionTextQuery q = Caption();
  q.CaptionSection = true;
  EXPECT_EQ(CaptionTextRect(q).Left, 28);
  q = Caption();
  q.IconVisible = false;
  EXPECT_EQ(CaptionTextRect(q).Left, 6);
  q = Caption();
  q.Centered = true;
  EXPECT_EQ(CaptionTextRect(q), R(4, 2, 300, 27));
  q = Caption();
  q.RTLSysButtons = true;
  EXPECT_EQ(CaptionTextRect(q), R(80, 2, 273, 27));
  q = Caption();
  q.Maximized = true;
  EXPECT_EQ(CaptionTextRect(q).Top, 3);
  q.HasBorderForm = true, q.Shadow = {10, 8, 10, 12}, q.TitleBottom = 38, q.CenterOffset = 2, q.MaxTitleHeight = 24;
  EXPECT_EQ(CaptionTextRect(q).Top, 8 + 1 + 2 + 3);
  EXPECT_EQ(CaptionTextRect(q).Bottom, 38 + 2 + 3);
}

TEST(CaptionText, AlignmentWithinTheRectangle) {
  using A = TacAlignment;
  struct Case {
    const char* what;
    A align;
    bool rtl;
    int32_t caption, left, right;
  };
  const Case cases[] = {
      {"left", A::taLeftJustify, false, 100, 26, 220},
      {"right", A::taRightJustify, false, 100, 116, 220},
      {"right-to-left turns left into right", A::taLeftJustify, true, 100, 116, 220},
      {"right-to-left turns right into left", A::taRightJustify, true, 100, 26, 220},
      {"centre", A::taCenter, false, 100, 71, 171},
      {"right, too wide: stays left", A::taRightJustify, false, 200, 26, 220},
      {"centre, too wide: starts at the left", A::taCenter, false, 200, 26, 220},
  };
  for (const Case& c : cases) {
    int32_t left = 26, right = 220;
    AlignCaption(c.align, c.rtl, 4, c.caption, 0, left, right);
    EXPECT_EQ(left, c.left) << c.what;
    EXPECT_EQ(right, c.right) << c.what;
  }
  int32_t left = 26, right = 220;
  AlignCaption(A::taRightJustify, false, 4, 60, 40, left, right);
  EXPECT_EQ(left, 116) << "the added text counts";
}

}  // namespace
}  // namespace skin
