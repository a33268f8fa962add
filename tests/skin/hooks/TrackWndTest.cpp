// What a person sees of skinned track bars: horizontal and vertical bars with their ticks on
// one side or both, the skin's tick image or etched marks where the skin has none, the thumb
// turned towards ticks on top or left, the pressed look while the left button is down, and a
// disabled bar faded towards its parent.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "skin/core/acSkinData.h"
#include "gui/ComCtrls.h"
#include "skin/hooks/acTrackWnd.h"

namespace skin {
namespace {

constexpr COLORREF kSection = RGB(0xDD, 0xDD, 0xDD);  // the test skin's track bar

HWND NewTrack(HWND parent, DWORD style, int x, int y, int w, int h) {
  HWND t = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS | style, x, y, w, h, parent,
                           nullptr, nullptr, nullptr);
  SendMessageW(t, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageW(t, TBM_SETTICFREQ, 2, 0);
  SendMessageW(t, TBM_SETPOS, TRUE, 3);
  return t;
}

// Pixels of the bar's image in a band across it that are not the section's colour.
int MarkedPixels(gui::TBitmap& img, bool vertical, int from, int to) {
  int n = 0;
  HDC dc = img.Canvas().Handle();
  to = std::min(to, vertical ? img.Width() : img.Height());
  for (int a = std::max(from, 0); a < to; ++a)
    for (int b = 0; b < (vertical ? img.Height() : img.Width()); ++b)
      if (::GetPixel(dc, vertical ? a : b, vertical ? b : a) != kSection) ++n;
  return n;
}

TEST(TrackWnd, TicksAndThumbForEachOrientation) {
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Penggeser", 480, 320);
  const HWND formWnd = form.Handle();
  struct Bar {
    const char* name;
    HWND wnd;
    bool before, after;  // ticks above (left of) and below (right of) the channel
  };
  std::vector<Bar> bars{
      {"horizontal, ticks below", NewTrack(formWnd, TBS_HORZ, 10, 10, 300, 44), false, true},
      {"horizontal, both sides", NewTrack(formWnd, TBS_HORZ | TBS_BOTH, 10, 70, 300, 50), true, true},
      {"vertical, ticks left", NewTrack(formWnd, TBS_VERT | TBS_LEFT, 330, 10, 44, 260), true, false},
      {"vertical, both sides", NewTrack(formWnd, TBS_VERT | TBS_BOTH, 400, 10, 50, 260), true, true},
  };
  std::vector<std::unique_ptr<TacTrackWnd>> hooks;

  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("hook the bars", [&] {
    for (const Bar& b : bars) {
      hooks.push_back(std::make_unique<TacTrackWnd>());
      hooks.back()->Install(b.wnd);
    }
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    h.Shot(formWnd, "trackbars_skinned");
    for (size_t i = 0; i < bars.size(); ++i) {
      SCOPED_TRACE(bars[i].name);
      TacTrackWnd& hook = *hooks[i];
      hook.PrepareCache();
      gui::TBitmap& img = *hook.SkinData()->FCache;
      const bool vertical = hook.Vertical();
      const TBarRect k = hook.ChannelRect(), t = hook.ThumbRect();
      const int gap = vertical ? ((t.Right - t.Left) - (k.Right - k.Left)) / 2 + 2
                               : ((t.Bottom - t.Top) - (k.Bottom - k.Top)) / 2 + 2;
      // The channel image is centred on the channel and may be wider than it.
      const TacSkinData& data = *hook.SkinData()->GetScaledSkin();
      const TsMaskData& e = data.Masks[size_t(data.TrackBarElems[vertical ? 0 : 1].ChannelMask)];
      const TBarRect shown = TrackChannelRect(k, vertical, (e.SrcRect.Right - e.SrcRect.Left) / std::max<int>(1, e.FrameCount),
                                            (e.SrcRect.Bottom - e.SrcRect.Top) / (e.MaskBlocks + 1));
      const int start = std::min(vertical ? k.Left : k.Top, vertical ? shown.Left : shown.Top);
      const int end = std::max(vertical ? k.Right : k.Bottom, vertical ? shown.Right : shown.Bottom);
      const int outer = vertical ? t.Left : t.Top, outerEnd = vertical ? t.Right : t.Bottom;
      // Bands beside the thumb and the channel, where nothing but tick marks is drawn.
      const int before =
          MarkedPixels(img, vertical, std::max(0, start - gap - kTrackTickLength), std::max(0, std::min(outer, start)));
      const int after = MarkedPixels(img, vertical, std::max(outerEnd, end + 1), end + gap + kTrackTickLength + 1);
      EXPECT_EQ(before > 0, bars[i].before) << "marks before the channel: " << before;
      EXPECT_EQ(after > 0, bars[i].after) << "marks after the channel: " << after;
    }
    // The skin has no vertical tick image: etched marks of 4 pixels, shadow and light.
    TacTrackWnd& both = *hooks[3];
    const TBarRect k = both.ChannelRect(), t = both.ThumbRect();
    const int count = int(SendMessageW(bars[3].wnd, TBM_GETNUMTICS, 0, 0));
    const auto marks = TrackTickMarks(TrackTickPositions(count, k, t, true), k, t, true, 2, kTrackTickLength);
    ASSERT_FALSE(marks.empty());
    HDC dc = both.SkinData()->FCache->Canvas().Handle();
    for (const TTickMark& m : marks) {
      EXPECT_EQ(::GetPixel(dc, m.X, m.Y), GetSysColor(COLOR_BTNSHADOW));
      EXPECT_EQ(::GetPixel(dc, m.X + kTrackTickLength - 1, m.Y + 1), RGB(255, 255, 255));
    }
  });
  gui::TBitmap* released = nullptr;
  h.Step("press on the thumb", [&] {
    TacTrackWnd& hook = *hooks[0];
    hook.PrepareCache();
    released = &h.Shot(bars[0].wnd, "trackbar_released");
    const TBarRect t = hook.ThumbRect();
    SendMessageW(bars[0].wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2));
    EXPECT_TRUE(hook.Pressed());
    RedrawWindow(bars[0].wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  h.Step("pressed", [&] {
    gui::TBitmap& shot = h.Shot(bars[0].wnd, "trackbar_pressed");
    const TBarRect t = hooks[0]->ThumbRect();
    int differ = 0;
    for (int y = t.Top; y < t.Bottom; ++y)
      for (int x = t.Left; x < t.Right; ++x)
        differ += ::GetPixel(shot.Canvas().Handle(), x, y) != ::GetPixel(released->Canvas().Handle(), x, y);
    EXPECT_GT(differ, 0) << "the thumb shows its pressed state";
    const TBarRect k = hooks[0]->ChannelRect();
    SendMessageW(bars[0].wnd, WM_LBUTTONUP, 0, MAKELPARAM((t.Left + t.Right) / 2, (k.Top + k.Bottom) / 2));
    EXPECT_FALSE(hooks[0]->Pressed());
  });
  gui::TBitmap* enabled = nullptr;
  h.Step("disable", [&] {
    enabled = &h.Shot(bars[1].wnd, "trackbar_enabled");
    EnableWindow(bars[1].wnd, FALSE);
    RedrawWindow(bars[1].wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  h.Step("faded towards the parent", [&] {
    gui::TBitmap& shot = h.Shot(bars[1].wnd, "trackbar_disabled");
    const TBarRect t = hooks[1]->ThumbRect();
    const COLORREF before = ::GetPixel(enabled->Canvas().Handle(), (t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2);
    const COLORREF after = ::GetPixel(shot.Canvas().Handle(), (t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2);
    const COLORREF parent = ::GetPixel(shot.Canvas().Handle(), 1, 1);
    auto distance = [](COLORREF a, COLORREF b) {
      return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
             std::abs(GetBValue(a) - GetBValue(b));
    };
    EXPECT_LT(distance(after, parent), distance(before, parent)) << "the thumb nearer the parent's colour";
  });
  h.Run();
  for (auto& hook : hooks) hook->Release(false);
}

// Our own track bars under the track-bar hook, one of each orientation: painted by the
// skin, and the user's keys still move Position and the painted thumb.
TEST(TrackWnd, OurTrackBarsSkinnedAndMovedByTheUser) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Penggeser", 360, 300);
  auto* across = new gui::TTrackBar(&form);
  across->SetParent(&form);
  across->SetBounds(10, 10, 260, 44);
  across->SetMax(20);
  across->SetFrequency(5);
  auto* upright = new gui::TTrackBar(&form);
  upright->SetParent(&form);
  upright->SetOrientation(gui::TTrackBarOrientation::trVertical);
  upright->SetTickMarks(gui::TTickMark::tmBoth);
  upright->SetBounds(290, 10, 50, 250);
  upright->SetPosition(4);
  const HWND formWnd = form.Handle();
  gui::TTrackBar* bars[] = {across, upright};
  TacTrackWnd hooks[2];
  TBarRect before[2];

  h.Step("show", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("hook them", [&] {
    for (int i = 0; i < 2; ++i) hooks[i].Install(bars[i]->Handle());
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    h.Shot(formWnd, "trackbars_class_layer");
    EXPECT_FALSE(hooks[0].Vertical());
    EXPECT_TRUE(hooks[1].Vertical());
    for (int i = 0; i < 2; ++i) {
      hooks[i].PrepareCache();
      EXPECT_EQ(::GetPixel(hooks[i].SkinData()->FCache->Canvas().Handle(), 1, 1), kSection) << i;
      before[i] = hooks[i].ThumbRect();
    }
  });
  h.Step("the user moves them", [&] {
    SendMessageW(across->Handle(), WM_KEYDOWN, VK_END, 0);
    SendMessageW(upright->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  });
  h.Step("moved", [&] {
    h.Shot(formWnd, "trackbars_class_layer_moved");
    EXPECT_EQ(across->Position(), 20);
    EXPECT_EQ(upright->Position(), 5);
    EXPECT_GT(hooks[0].ThumbRect().Left, before[0].Left + 150) << "to the far end";
    EXPECT_GT(hooks[1].ThumbRect().Top, before[1].Top) << "one step down";
  });
  h.Run();
  for (TacTrackWnd& hook : hooks) hook.Release(false);
}

}  // namespace
}  // namespace skin
