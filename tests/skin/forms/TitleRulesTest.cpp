// The rules behind a skinned form's title interaction, natively: the system menu's
// visibility and enabling, the hit codes of title positions, frame and caption, the hot and
// pressed state machine, the border window's bands, the glow window's place and the
// bounds of maximized, stretched and un-stretched forms.
#include <gtest/gtest.h>

#include "skin/forms/acTitleRules.h"

namespace skin {
namespace {

using S = TacBorderStyle;
using W = TacWindowState;

TEST(SysMenuRules, VisibilityAndEnablingFollowStyleIconsAndState) {
  struct Case {
    const char* what;
    S style;
    bool maximize, minimize, iconic;
    W state;
    // close vis/en, max vis/en, min vis/en, restore vis/en, move en, size vis/en
    bool cv, ce, xv, xe, nv, ne, rv, re, me, sv, se;
  };
  const Case cases[] = {
      {"dialog border: no size, restore, minimize or maximize", S::bsDialog, true, true, false, W::wsNormal,
       1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 1},
      {"single border with maximize: size shown but disabled", S::bsSingle, true, true, false, W::wsNormal,
       1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 0},
      {"sizeable and maximized: move disabled, restore enabled", S::bsSizeable, true, true, false, W::wsMaximized,
       1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1},
      {"minimized without icons: restore, minimize and maximize shown", S::bsSizeable, false, false, true,
       W::wsMinimized, 1, 1, 1, 0, 1, 0, 1, 1, 1, 1, 0},
      {"tool window", S::bsToolWindow, false, false, false, W::wsNormal, 1, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1},
  };
  for (const Case& c : cases) {
    TacSysMenuFacts f;
    f.BorderStyle = c.style;
    f.Maximize = c.maximize;
    f.Minimize = c.minimize;
    f.Iconic = c.iconic;
    f.WindowState = c.state;
    const TacSysMenuRules r = SysMenuRules(f);
    const bool got[] = {r.CloseVisible,   r.CloseEnabled,   r.MaxVisible,  r.MaxEnabled,
                        r.MinVisible,     r.MinEnabled,     r.RestoreVisible, r.RestoreEnabled,
                        r.MoveEnabled,    r.SizeVisible,    r.SizeEnabled};
    const bool want[] = {c.cv, c.ce, c.xv, c.xe, c.nv, c.ne, c.rv, c.re, c.me, c.sv, c.se};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(got[i], want[i]) << c.what << ", answer " << i;
  }
}

TEST(SysMenuRules, CloseFollowsTheWindowsOwnMenu) {
  TacSysMenuFacts f;
  f.CloseDisabled = true;
  EXPECT_FALSE(SysMenuRules(f).CloseEnabled);
  EXPECT_TRUE(SysMenuRules(f).CloseVisible);
  f.CloseStateReadable = false;
  EXPECT_FALSE(SysMenuRules(f).CloseVisible) << "a menu without the close command";
  f.HasWindowMenu = false;
  EXPECT_TRUE(SysMenuRules(f).CloseVisible);
  EXPECT_TRUE(SysMenuRules(f).CloseEnabled) << "without a menu the border icon decides";
  f.SystemMenu = false;
  EXPECT_FALSE(SysMenuRules(f).CloseVisible);
  EXPECT_FALSE(SysMenuRules(f).CloseEnabled);
}

TEST(SysMenuRules, NativeMenuOfAMaximizedFormGreysSizeAndMove) {
  TacSysMenuFacts f;
  f.WindowState = W::wsMaximized;
  const TacNativeSysCommands c = NativeSysCommands(SysMenuRules(f), false, W::wsMaximized);
  EXPECT_FALSE(c.Size);
  EXPECT_FALSE(c.Move);
  EXPECT_TRUE(c.Restore);
  EXPECT_TRUE(c.Minimize && c.Maximize && c.Close);
  const TacNativeSysCommands n = NativeSysCommands(SysMenuRules({}), false, W::wsNormal);
  EXPECT_TRUE(n.Size && n.Move && n.Maximize);
  EXPECT_FALSE(n.Restore);
}

TEST(TitleHitCodes, PositionsAnswerTheirButtonOrTheCaptionWhenDisabled) {
  TacTitleHitFacts f;
  f.Rules = SysMenuRules({});
  f.UserButtons = {{true, true}, {true, false}};
  f.TitleBarItems = {{true, true}, {true, true, true}};
  struct Case { const char* what; int32_t pos, code; };
  const Case plain[] = {{"close", 1, kHitClose}, {"maximize", 2, kHitMax}, {"minimize", 3, kHitMin},
                        {"user button 0", 4, 1000}, {"disabled user button", 5, kHitClient},
                        {"title-bar item 0", 6, 2000}, {"pressed drop-down item", 7, kHitClient},
                        {"beyond the items", 8, kHitClient}, {"none", 0, kHitClient}};
  for (const Case& c : plain) EXPECT_EQ(TitlePositionCode(c.pos, f), c.code) << c.what;

  TacSysMenuFacts refused;
  refused.CloseDisabled = true;
  refused.Minimize = false;
  refused.BorderStyle = S::bsSingle;
  f.Rules = SysMenuRules(refused);  // minimize neither shown nor enabled
  EXPECT_EQ(TitlePositionCode(1, f), kHitCaption) << "a disabled close button drags the title";
  EXPECT_EQ(TitlePositionCode(3, f), 1000) << "the hidden minimize button takes no position";
  f.Iconic = true;
  EXPECT_EQ(TitlePositionCode(3, f), kHitMin) << "an iconic form counts and answers its minimize button";
  f.SystemMenu = false;
  EXPECT_EQ(TitlePositionCode(1, f), 1000) << "without system menu the user buttons come first";
}

TEST(TitleHitCodes, FrameCaptionMenuAndGrip) {
  TacFrameHitFacts f;
  f.Width = 300, f.Height = 200, f.Border = 4, f.TopBorder = 4;
  f.SysCaption = 22, f.OwnBorder = 4, f.OwnBorderSys = 4, f.SkinCaptionHeight = 22;
  f.MenuLineHeight = 20, f.MenuLineCount = 1;
  f.IconRect = {6, 6, 22, 22};
  f.GripArea = f.HasGripImage = true;
  f.GripX = 280, f.GripY = 180;
  struct Case { const char* what; int32_t x, y, code; };
  const Case cases[] = {
      {"top left", 1, 1, kHitTopLeft},       {"top", 100, 2, kHitTop},         {"top right", 298, 0, kHitTopRight},
      {"left", 0, 100, kHitLeft},            {"right", 296, 100, kHitRight},   {"bottom", 100, 196, kHitBottom},
      {"bottom left", 2, 199, kHitBottomLeft}, {"bottom right", 299, 199, kHitBottomRight},
      {"icon", 10, 10, kHitSysMenu},         {"caption", 100, 10, kHitCaption}, {"menu line", 100, 40, kHitMenu},
      {"client", 100, 100, kHitClient},      {"grip", 285, 185, kHitBottomRight}, {"next to the grip", 270, 185, kHitClient},
  };
  for (const Case& c : cases) EXPECT_EQ(FrameHitCode(c.x, c.y, f), c.code) << c.what;
  f.Maximized = true;
  EXPECT_EQ(FrameHitCode(100, 2, f), kHitCaption) << "a maximized form has no sizing bands";
  f.Maximized = false;
  f.BorderForm = true;
  EXPECT_EQ(FrameHitCode(0, 100, f), kHitClient) << "the border window sizes the form";
  f.GripArea = false;
  EXPECT_EQ(FrameHitCode(285, 185, f), kHitClient);
}

TEST(TitleHover, HotAndPressedStateMachine) {
  enum Op { Hot, Press, Release };
  struct Step {
    Op op;
    int32_t code;
    bool allowed;
    int32_t hot;
    bool pressed;
    TacHoverChange change;
  };
  struct Case { const char* what; std::vector<Step> steps; };
  const Case cases[] = {
      {"hover moves from button to button",
       {{Hot, 20, true, 20, false, {0, 20, 1}}, {Hot, 9, true, 9, false, {20, 9, 1}}, {Hot, 0, true, 0, false, {9, 0, 0}}}},
      {"hovering the hot button again changes nothing", {{Hot, 8, true, 8, false, {0, 8, 1}}, {Hot, 8, true, 8, false, {}}}},
      {"press then leave: nothing new becomes hot while pressed",
       {{Hot, 20, true, 20, false, {0, 20, 1}}, {Press, 20, true, 20, true, {0, 20, 2}},
        {Hot, 9, true, 9, true, {20, 0, 0}}}},
      {"a refused press leaves nothing hot", {{Hot, 20, true, 20, false, {0, 20, 1}}, {Press, 20, false, 0, false, {}}}},
      {"pressing another element puts the hot one back",
       {{Hot, 9, true, 9, false, {0, 9, 1}}, {Press, 20, true, 20, true, {9, 20, 2}}}},
      {"mouse left (-1) then back (0)",
       {{Hot, 8, true, 8, false, {0, 8, 1}}, {Hot, -1, true, -1, false, {8, 0, 0}}, {Hot, 0, true, 0, false, {}}}},
      {"after the release the next hover is hot again",
       {{Press, 20, true, 20, true, {0, 20, 2}}, {Release, 0, true, 0, false, {20, 0, 0}}, {Hot, 9, true, 9, false, {0, 9, 1}}}},
  };
  for (const Case& c : cases) {
    TacTitleHover s;
    int n = 0;
    for (const Step& st : c.steps) {
      TacHoverChange got;
      if (st.op == Hot) got = SetHot(s, st.code, false);
      if (st.op == Press) got = SetPressed(s, st.code, st.allowed);
      if (st.op == Release) {
        s.ButtonPressed = false;
        got = SetHot(s, 0, false);
      }
      EXPECT_EQ(s.HotItem, st.hot) << c.what << ", step " << n;
      EXPECT_EQ(s.ButtonPressed, st.pressed) << c.what << ", step " << n;
      EXPECT_EQ(got.Normal, st.change.Normal) << c.what << ", step " << n;
      EXPECT_EQ(got.Item, st.change.Item) << c.what << ", step " << n;
      EXPECT_EQ(got.NewState, st.change.NewState) << c.what << ", step " << n;
      ++n;
    }
  }
  TacTitleHover s;
  EXPECT_EQ(SetHot(s, 20, true).Item, 0) << "suppressed hover";
  EXPECT_EQ(s.HotItem, 0);
}

TEST(TitleHover, PressRefusals) {
  TacSysMenuFacts f;
  f.Maximize = false;
  f.WindowState = W::wsMaximized;
  TacSysMenuRules r = SysMenuRules(f);
  EXPECT_FALSE(PressAllowed(kHitMax, r, false));
  EXPECT_FALSE(PressAllowed(kHitMDIRestore, r, true));
  f.Maximize = true;
  r = SysMenuRules(f);
  r.MaxEnabled = false;
  EXPECT_TRUE(PressAllowed(kHitMax, r, true)) << "a maximized form restores";
  r.CloseEnabled = false;
  EXPECT_FALSE(PressAllowed(kHitClose, r, false));
  EXPECT_TRUE(PressAllowed(kHitMin, r, false));
}

TEST(BorderWindow, BandsCaptionAndShadow) {
  TacBorderBandFacts f;
  f.Width = 340, f.Height = 240;
  f.Shadow = {10, 10, 10, 10};  // shadow rectangle 10..330 x 10..230
  f.SkinBorderWidth = 4;        // bands reach 6 outwards
  f.CaptionHeight = 30;
  f.IconRect = {16, 16, 32, 32};
  struct Case { const char* what; int32_t x, y, code; };
  const Case outside[] = {
      {"top left corner", 5, 5, kHitTopLeft},   {"top edge", 100, 10, kHitTop},     {"top right", 334, 6, kHitTopRight},
      {"left edge", 4, 100, kHitLeft},          {"right edge", 330, 100, kHitRight}, {"bottom", 100, 236, kHitBottom},
      {"bottom left", 10, 230, kHitBottomLeft}, {"bottom right", 335, 235, kHitBottomRight},
      {"beyond the band", 2, 100, kHitTransparent}, {"icon", 20, 20, kHitSysMenu}, {"caption", 100, 20, kHitCaption},
      {"inner part", 100, 100, kHitTransparent},
  };
  for (const Case& c : outside) EXPECT_EQ(BorderBandHitCode(c.x, c.y, f), c.code) << c.what;
  EXPECT_TRUE(InShadowBeyondBand(2, 100, f));
  EXPECT_FALSE(InShadowBeyondBand(5, 100, f));

  f.BorderMode = 1;  // the bands lie inside the offsets
  f.AlignOffset = {2, 2, 2, 2};
  f.OwnFrame = 3;  // rectangle 8..332 x 8..232
  const Case inside[] = {{"top band 4 deep", 100, 12, kHitTop},      {"below the top band", 100, 13, kHitCaption},
                         {"left band", 11, 100, kHitLeft},           {"inside the left band", 12, 100, kHitTransparent},
                         {"bottom right", 329, 229, kHitBottomRight}, {"beyond the offsets", 7, 100, kHitTransparent}};
  for (const Case& c : inside) EXPECT_EQ(BorderBandHitCode(c.x, c.y, f), c.code) << c.what;

  f.Maximized = true;
  EXPECT_EQ(BorderBandHitCode(100, 12, f), kHitCaption) << "a maximized owner is not sized";
}

TEST(Glow, WindowPlaceAroundTheTarget) {
  // A 100 x 20 target, border parts 10, 8, 10, 8 and a margin of 3.
  EXPECT_EQ(GlowWindowPlace({50, 40, 150, 60}, {10, 8, 10, 8}, 3), (TacPlace{43, 35, 114, 30}));
  EXPECT_EQ(GlowWindowPlace({50, 40, 40, 60}, {10, 8, 10, 8}, 0), (TacPlace{40, 32, 20, 36}))
      << "a negative width counts as 0";
}

TEST(FormBounds, MaximizedStretchedAndRestored) {
  const TacRect work{0, 0, 1024, 738};
  EXPECT_EQ(MaximizedBounds(work, 8, 0), (TacPlace{-8, -8, 1040, 754}));
  EXPECT_EQ(MaximizedBounds(work, 8, 6), (TacPlace{-8, -2, 1040, 748})) << "a taller maximized title moves down";

  const TacPlace form{100, 150, 300, 200};
  EXPECT_EQ(StretchedBounds(form, work, true, 5, 7), (TacPlace{100, 7, 300, 726}));
  EXPECT_EQ(StretchedBounds(form, work, false, 5, 7), (TacPlace{5, 150, 1014, 200}));
  // Dragging the stretched form gives back the saved top and height, not their sum.
  EXPECT_EQ(VerticalRestoreBounds({230, 7, 300, 726}, form), (TacPlace{230, 150, 300, 200}));
}

TEST(FormBounds, ADragLeavesTheMaximizedStateOnlyAfterSixPixels) {
  struct Case {
    TacPoint cursor;
    bool leaves;
    TacPoint topLeft;
  };
  const TacPoint pressed{500, 12};
  const Case cases[] = {
      {{505, 17}, false, {}},          // five pixels either way: still a click
      {{494, 12}, true, {494 - 180, -8}},  // six to the left, the mouse within the title height
      {{500, 18}, true, {500 - 180, -8}},
      {{520, 40}, true, {520 - 180, 32}},  // further down: just above the mouse
      {{520, -3}, true, {520 - 180, -11}},  // above the screen's top edge
  };
  for (const Case& c : cases) {
    TacPoint at{77, 77};
    EXPECT_EQ(DragOutOfMaximized(c.cursor, pressed, 360, at), c.leaves) << c.cursor.X << "," << c.cursor.Y;
    if (c.leaves) EXPECT_EQ(at, c.topLeft) << c.cursor.X << "," << c.cursor.Y;
  }
}

TEST(BorderWindow, BlurBehindLeavesOutTheShadowAndTheBlackCorners) {
  TBitmap32 img(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) img.At(x, y) = 0xFF0080C0u;
  // The rounded top-left corner: three black pixels outside the frame's curve.
  img.At(3, 3) = 0xFF000000u;
  img.At(4, 3) = 0x80000000u;  // black at half alpha is black all the same
  img.At(3, 4) = 0xFF000000u;
  img.At(20, 3) = 0xFF000000u;  // black outside the corner squares stays blurred
  img.At(36, 26) = 0xFF000000u;  // the bottom-right corner
  const TacBlurArea a = BlurBehindArea(img, {2, 2, 2, 2}, 4);
  EXPECT_EQ(a.Inner, (TacRect{3, 3, 37, 27}));
  const std::vector<TacPoint> want = {{3, 3}, {4, 3}, {3, 4}, {36, 26}};
  EXPECT_EQ(a.Cut, want);
  EXPECT_EQ(BlurBehindArea(img, {20, 15, 20, 15}, 4).Inner, (TacRect{})) << "nothing inside a shadow that big";
}

TEST(SysMenuRules, ASkinItemNamesItsSkin) {
  struct Case {
    const char* caption;
    const char* name;
  };
  const Case cases[] = {{"&Korvan Biru", "Korvan Biru"},
                        {"Korvan && Lain", "Korvan  Lain"},
                        {"Air (internal) &2", "Air (internal)"},
                        {"(internal)", "(internal)"},
                        {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(SkinNameOfMenuCaption(c.caption, "(internal)"), c.name) << c.caption;
  EXPECT_EQ(SkinNameOfMenuCaption("Air (internal) 2", ""), "Air (internal) 2") << "without a marker nothing is cut";
}

TEST(BorderImage, TransparentPartsClearAndTextOpaque) {
  TBitmap32 bmp(4, 1);
  bmp.At(0, 0) = 0x00FF00FFu;  // a cut corner
  bmp.At(1, 0) = 0x00FFFFFFu;  // caption text drawn without alpha
  bmp.At(2, 0) = 0xFF0080C0u;  // the title
  bmp.At(3, 0) = 0x40000000u;  // a shadow's soft pixel
  PrepareBorderImage(bmp);
  EXPECT_EQ(bmp.At(0, 0), 0u);
  EXPECT_EQ(bmp.At(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(bmp.At(2, 0), 0xFF0080C0u);
  EXPECT_EQ(bmp.At(3, 0), 0x40000000u);
}

}  // namespace
}  // namespace skin
