// The layered windows of the show and hide animations under Wine. Xvfb shows no per-pixel
// alpha, so the tests look at what each UpdateLayeredWindow call is handed: the window, the
// constant alpha and the pixels of the frame bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "gui/ExtCtrls.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinChangeAnim.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {
namespace {

struct LayeredCall {
  HWND Wnd;
  BYTE Alpha;
  SIZE Size;
  // Pixels of the bitmap handed over (BGRA as one value); -1 when outside it.
  std::vector<int64_t> Samples;
};

std::vector<LayeredCall> g_calls;
std::vector<POINT> g_samplePoints;
TUpdateLayeredWindow g_realUpdate = nullptr;

int64_t PixelOf(HDC dc, POINT p) {
  DIBSECTION ds{};
  HGDIOBJ bmp = GetCurrentObject(dc, OBJ_BITMAP);
  if (!GetObjectW(bmp, sizeof ds, &ds) || !ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32) return -1;
  if (p.x < 0 || p.y < 0 || p.x >= ds.dsBm.bmWidth || p.y >= ds.dsBm.bmHeight) return -1;
  const int row = ds.dsBmih.biHeight > 0 ? ds.dsBm.bmHeight - 1 - p.y : p.y;
  const auto* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits) + size_t(row) * size_t(ds.dsBm.bmWidthBytes);
  return int64_t(reinterpret_cast<const uint32_t*>(bits)[p.x]);
}

std::function<void(HWND)> g_onCall;

BOOL WINAPI RecordUpdate(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                         BLENDFUNCTION* blend, DWORD flags) {
  if (g_onCall) g_onCall(wnd);
  LayeredCall call{wnd, blend ? blend->SourceConstantAlpha : BYTE(0), size ? *size : SIZE{}, {}};
  for (POINT p : g_samplePoints) call.Samples.push_back(PixelOf(src, p));
  g_calls.push_back(call);
  return g_realUpdate(wnd, dst, pos, size, src, srcPos, key, blend, flags);
}

constexpr uint32_t kFormPixel = 0xFF3366CC;

// A form with a fake skin provider: its cached image one colour, its top-left 4 x 4
// corner cut by the skin.
class FakeProvider : public TacAnimatedForm {
 public:
  class Form : public gui::TForm {
   public:
    explicit Form(FakeProvider* p) : gui::TForm(nullptr), provider_(p) {}

   protected:
    void WndProc(gui::TMessage& m) override {
      if (m.Msg == SM_ALPHACMD && HIWORD(m.WParam) == AC_GETPROVIDER) {
        m.Result = LRESULT(static_cast<TacAnimatedForm*>(provider_));
        return;
      }
      if (m.Msg == SM_ALPHACMD && HIWORD(m.WParam) == AC_SETNEWSKIN) provider_->frozenAtApply = provider_->Frozen;
      gui::TForm::WndProc(m);
    }

   private:
    FakeProvider* provider_;
  };

  FakeProvider() : form(this) {
    form.BorderStyle = gui::TFormBorderStyle::bsNone;
    form.SetBounds(40, 30, 320, 64);
    form.HandleNeeded();
    OnAfterAnimation = [this](TacAnimEvent e) { events.push_back(e); };
  }
  gui::TCustomForm* AnimForm() override { return &form; }
  bool PrepareCache() override {
    ++prepared;
    cache = std::make_unique<gui::TBitmap>(form.Width(), form.Height(), gui::pf32bit);
    TBitmap32 px = Pixels32(*cache);
    for (int y = 0; y < px.Height(); ++y)
      for (int x = 0; x < px.Width(); ++x) px.At(x, y) = kFormPixel;
    return true;
  }
  gui::TBitmap* FormImage() override { return cache.get(); }
  void PaintFormImage(gui::TBitmap& picture) override {
    BitBlt(picture.Canvas().Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, SRCCOPY);
  }
  void PrepareRegionRects() override { RegionRects = {gui::TRect{0, 0, 4, 4}}; }
  TsSkinManager* SkinManager() const override { return manager; }

  Form form;
  std::unique_ptr<gui::TBitmap> cache;
  int prepared = 0;
  std::vector<TacAnimEvent> events;
  TsSkinManager* manager = nullptr;
  bool frozenAtApply = false;
};

class Layered : public ::testing::Test {
 protected:
  void SetUp() override {
    InitBitmapUnit();  // the layered-window entry points, as the program's start-up takes them
    ASSERT_TRUE(LayeredWindowsAvailable());
    g_realUpdate = UpdateLayeredWindowProc;
    UpdateLayeredWindowProc = &RecordUpdate;
    g_calls.clear();
    // The cut corner, a point 2 pixels in from the left edge, the middle.
    g_samplePoints = {{0, 0}, {2, 32}, {160, 32}};
  }
  void TearDown() override {
    UpdateLayeredWindowProc = g_realUpdate;
    delete HideTimer;
    HideTimer = nullptr;
    FinalBitmapUnit();
  }
  static std::vector<int> Alphas(size_t from = 0) {
    std::vector<int> a;
    for (size_t i = from; i < g_calls.size(); ++i) a.push_back(g_calls[i].Alpha);
    return a;
  }
};

TEST_F(Layered, FormShowPlaysItsFramesThenShowsTheFormBelow) {
  FakeProvider p;
  AnimShowForm(&p, 240, 255, TacAnimType::atFading);
  // The starting picture at alpha 0, 21 frames, the full picture at the blend.
  ASSERT_EQ(g_calls.size(), 23u);
  const std::vector<int> alphas = Alphas();
  EXPECT_EQ(std::vector<int>(alphas.begin(), alphas.begin() + 5), (std::vector<int>{0, 10, 20, 31, 41}));
  EXPECT_EQ(alphas[21], 215);
  EXPECT_EQ(alphas[22], 255);
  const HWND animWindow = g_calls[0].Wnd;
  EXPECT_NE(animWindow, p.form.Handle());
  for (const auto& c : g_calls) {
    EXPECT_EQ(c.Wnd, animWindow);
    EXPECT_EQ(c.Size.cx, 320);
    EXPECT_EQ(c.Size.cy, 64);
  }
  // The skin's cut corner is transparent, the rest the form's picture made opaque.
  EXPECT_EQ(g_calls.back().Samples[0], 0);
  EXPECT_EQ(g_calls.back().Samples[2], int64_t(kFormPixel));
  EXPECT_EQ(g_calls[5].Samples[2], int64_t(kFormPixel));

  EXPECT_FALSE(IsWindow(animWindow));  // gone after the show
  EXPECT_TRUE(IsWindowVisible(p.form.Handle()));
  EXPECT_FALSE(GetWindowLongPtrW(p.form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(p.events, (std::vector<TacAnimEvent>{TacAnimEvent::aeShowing}));
}

TEST_F(Layered, ShowBelowOneFramePutsThePictureUpAtOnce) {
  FakeProvider p;
  AnimShowForm(&p, 11, 200, TacAnimType::atAero);
  EXPECT_EQ(Alphas(), (std::vector<int>{200, 200}));
  EXPECT_TRUE(IsWindowVisible(p.form.Handle()));
}

TEST_F(Layered, AeroHideShrinksItsPictureAndTellsTheFormOnce) {
  FakeProvider p;
  p.form.Show();
  p.PrepareCache();
  AnimHideForm(&p, 120, TacAnimType::atAero);
  ASSERT_TRUE(HideTimer);
  EXPECT_FALSE(IsWindowVisible(p.form.Handle()));  // the real form is gone at once
  // The ticks of the timer, driven here.
  for (int i = 0; i < 20 && HideTimer->Running(); ++i) HideTimer->HideStep();
  EXPECT_FALSE(HideTimer->Running());
  // The whole picture first, then 11 frames: alpha falls by 25.5 a frame.
  ASSERT_EQ(g_calls.size(), 12u);
  EXPECT_EQ(Alphas(1), (std::vector<int>{230, 204, 178, 153, 128, 102, 76, 51, 26, 0, 0}));
  // 320 wide over 10 frames: one pixel less a side each frame.
  EXPECT_NE(g_calls[1].Samples[1], 0);  // frame 1: full size
  EXPECT_EQ(g_calls[4].Samples[1], 0);  // frame 4: inset by 3
  EXPECT_EQ(g_calls[4].Samples[2], int64_t(kFormPixel));
  EXPECT_EQ(p.events, (std::vector<TacAnimEvent>{TacAnimEvent::aeHiding}));
  HideTimer->FireAfterAnimation();
  EXPECT_EQ(p.events.size(), 1u);
}

// A form drawn with its own alpha blend disappears from that alpha and keeps it when a show
// gives it its layering back.
TEST_F(Layered, AnAlphaBlendedFormHidesFromItsAlphaAndKeepsIt) {
  FakeProvider p;
  p.form.SetAlphaBlend(true);
  p.form.SetAlphaBlendValue(200);
  p.form.Show();
  p.PrepareCache();
  AnimHideForm(&p, 120, TacAnimType::atFading);
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.front().Alpha, 200);
  for (int i = 0; i < 20 && HideTimer && HideTimer->Running(); ++i) HideTimer->HideStep();
  EXPECT_EQ(g_calls.back().Alpha, 0);
  BYTE alpha = 0;
  DWORD flags = 0;
  RestoreFormLayering(&p.form);
  ASSERT_TRUE(GetLayeredWindowAttributes(p.form.Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  EXPECT_TRUE(GetWindowLongW(p.form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(Layered, ANewHideTakesTheTimerOverAndEveryHideIsToldOnce) {
  FakeProvider p;
  p.form.Show();
  p.PrepareCache();
  AnimHideForm(&p, 1200, TacAnimType::atDropDown);
  ASSERT_TRUE(HideTimer && HideTimer->Running());
  const HWND first = g_calls.at(0).Wnd;
  p.form.Show();
  AnimHideForm(&p, 1200, TacAnimType::atFading);
  EXPECT_FALSE(IsWindow(first));  // removed at once
  EXPECT_EQ(p.events.size(), 1u);
  // The timer goes before the second hide ends: it is told all the same.
  delete HideTimer;
  HideTimer = nullptr;
  EXPECT_EQ(p.events.size(), 2u);

  g_calls.clear();
  AnimHideForm(&p, 11, TacAnimType::atFading);  // below one frame: nothing is shown
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(Layered, LayeringAndTransparentBitmaps) {
  TacGlowForm window(nullptr);
  window.SetBounds(10, 10, 50, 30);
  HWND w = window.Handle();
  EXPECT_TRUE(SetWindowLayered(w, true, 200));
  EXPECT_FALSE(SetWindowLayered(w, true, 120));  // already layered: the alpha still changes
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(w, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 120);
  EXPECT_FALSE(SetWindowLayered(w, false, 0));
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);

  g_samplePoints = {{25, 15}};
  SetLayeredBitmap(w, nullptr, 255, nullptr);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].Size.cx, 50);
  EXPECT_EQ(g_calls[0].Size.cy, 30);
  EXPECT_EQ(g_calls[0].Samples[0], 0);  // fully transparent
  EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(Layered, WaitsForAMarkAreBoundedAndKeepHandlingMessages) {
  bool mark = true;
  guitest::RunSoon([&] { mark = false; }, 20);  // cleared by this thread's own timer
  EXPECT_TRUE(WaitWhilePumping([&] { return mark; }, 5000));
  EXPECT_FALSE(mark);
  const uint64_t start = GetTickCount64();
  EXPECT_FALSE(WaitWhilePumping([] { return true; }, 60));
  EXPECT_LT(GetTickCount64() - start, 2000u);
}

TEST_F(Layered, AnEndingProgramHidesItsMainFormAnimatedWithoutWaitingForever) {
  FakeProvider p;
  p.form.Show();
  p.PrepareCache();
  TsSkinManager manager(nullptr);
  manager.AnimEffects.FormHide.Time = 120;
  manager.AnimEffects.FormHide.Mode = TacAnimType::atFading;
  manager.AnimEffects.SkinChanging.Time = 100;
  gui::Application->SetMainForm(&p.form);
  WINDOWPOS pos{};
  pos.flags = SWP_HIDEWINDOW;
  // While the program runs, hiding the application window animates nothing.
  SendMessageW(gui::Application->Handle(), WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
  EXPECT_TRUE(g_calls.empty());

  gui::Application->Terminate();
  // A skin change's mark that nothing will clear: the hook must still return.
  SkinChangeAnimating = true;
  const uint64_t start = GetTickCount64();
  SendMessageW(gui::Application->Handle(), WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
  const uint64_t took = GetTickCount64() - start;
  SkinChangeAnimating = false;
  EXPECT_LT(took, 3000u);
  EXPECT_TRUE(p.Animating);
  // All frames played before the hook returned: the picture, then 11 frames.
  ASSERT_EQ(g_calls.size(), 12u);
  EXPECT_EQ(g_calls.back().Alpha, 0);
  EXPECT_EQ(p.events, (std::vector<TacAnimEvent>{TacAnimEvent::aeHiding}));
  gui::Application->SetMainForm(nullptr);
}

TEST_F(Layered, SkinChangeFadesTheNewLookInOverTheForm) {
  FakeProvider p;
  p.form.Show();
  SkinChangeAnimation(&p.form, 120, 255, 0);
  // The new look at alpha 0, then 11 frames up to the blend (every frame is drawn).
  EXPECT_EQ(Alphas(), (std::vector<int>{0, 26, 51, 76, 102, 128, 153, 178, 204, 230, 255, 255}));
  EXPECT_EQ(p.prepared, 1);
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.back().Samples[2], int64_t(kFormPixel));
  EXPECT_FALSE(IsWindow(g_calls[0].Wnd));
  EXPECT_FALSE(AnimationInProgress);

  // Aero: the first frame is inset by a 32nd (10 of 320 pixels), the last at full size.
  g_calls.clear();
  SkinChangeAnimation(&p.form, 120, 200, 1);
  ASSERT_EQ(g_calls.size(), 12u);
  EXPECT_EQ(g_calls[1].Samples[1], 0);
  EXPECT_EQ(g_calls.back().Samples[1], int64_t(kFormPixel));
  EXPECT_EQ(g_calls.back().Alpha, 200);

  // A minimized form shows no transition.
  g_calls.clear();
  ShowWindow(p.form.Handle(), SW_MINIMIZE);
  SkinChangeAnimation(&p.form, 120, 255, 0);
  EXPECT_TRUE(g_calls.empty());
  EXPECT_FALSE(AnimationInProgress);
}

// A form with an extended border: its border window shows the old look and fades out
// while the new look fades in over it at the border's place; then the border repaints.
TEST_F(Layered, SkinChangeOfABorderedFormFadesTheOldBorderOut) {
  class BorderedProvider : public FakeProvider {
   public:
    HWND BorderWindowHandle() override { return border.Handle(); }
    POINT BorderOffset() override { return {7, 30}; }
    void RefreshBorderWindow() override { ++refreshed; }
    TacGlowForm border{nullptr};
    int refreshed = 0;
  } p;
  p.form.Show();
  p.PrepareCache();  // the old look
  p.border.SetBounds(33, 0, 340, 100);
  p.border.HandleNeeded();
  RECT formRect;
  GetWindowRect(p.form.Handle(), &formRect);
  std::vector<RECT> newLookAt;
  g_onCall = [&](HWND wnd) {
    if (wnd == p.border.Handle()) return;
    RECT r;
    GetWindowRect(wnd, &r);
    newLookAt.push_back(r);
  };
  SkinChangeAnimation(&p.form, 120, 255, 0);
  g_onCall = nullptr;
  std::vector<int> oldLook, newLook;
  for (const LayeredCall& c : g_calls) (c.Wnd == p.border.Handle() ? oldLook : newLook).push_back(c.Alpha);
  EXPECT_EQ(newLook, (std::vector<int>{0, 26, 51, 76, 102, 128, 153, 178, 204, 230, 255, 255}));
  // Gone once a third of the new look's fade is done.
  EXPECT_EQ(oldLook, (std::vector<int>{177, 102, 27, 0, 0, 0, 0, 0, 0, 0, 0}));
  ASSERT_FALSE(newLookAt.empty());
  EXPECT_EQ(newLookAt.front().left, formRect.left - 7);
  EXPECT_EQ(newLookAt.front().top, formRect.top - 30);
  EXPECT_EQ(p.refreshed, 1);
}

TEST_F(Layered, SkinChangeOfAControlMixesInAPlainWindowAndCleansUp) {
  gui::TForm form(nullptr);
  form.SetBounds(20, 20, 200, 120);
  auto* panel = new gui::TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(10, 10, 80, 40);
  form.Show();
  gui::Application->ProcessMessages();
  SkinChangeAnimation(panel, 48, 255, 0);
  EXPECT_FALSE(AnimationInProgress);
  EXPECT_EQ(SkinChangeWindow, nullptr);
  EXPECT_EQ(OldScreenImage, nullptr);
  EXPECT_TRUE(IsWindowVisible(panel->Handle()));
}

TEST_F(Layered, ASkinChangeHoldsTheSkinnedFormsAndShowsTheirNewLook) {
  FakeProvider p;
  p.form.Show();
  TsSkinManager manager(nullptr);
  p.manager = &manager;
  manager.AnimEffects.SkinChanging = {true, 120, TacAnimType::atFading};
  manager.SetSkinDirectory(std::string("Z:") + KORVAN_TEST_SKIN);
  AddSkinnedForm(&p.form);
  manager.SetSkinName("Korvan Test");
  RemoveSkinnedForm(&p.form);
  ASSERT_TRUE(manager.IsSkinLoaded());
  EXPECT_TRUE(p.frozenAtApply);  // held while the new skin reached it
  // One transition, faded in over the form; the form drawn again, nothing left held.
  EXPECT_EQ(Alphas(), (std::vector<int>{0, 26, 51, 76, 102, 128, 153, 178, 204, 230, 255, 255}));
  EXPECT_FALSE(p.Frozen);
  EXPECT_FALSE(p.ChangingSkin);
  EXPECT_FALSE(SkinChangeAnimating);
  EXPECT_TRUE(IsWindowVisible(p.form.Handle()));
}

}  // namespace
}  // namespace skin
