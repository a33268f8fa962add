// Hint bubbles of the hint controller under Wine: the default template's bubble at its point
// and flipped at the screen's edges, a single-picture template on the left, the fade handed
// to the layered window step by step, and the hiding once the mouse leaves the control.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "gui/ExtCtrls.h"
#include "skin/core/acStartup.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acHintWindow.h"
#include "tests/gui/GuiTestSupport.h"

using namespace skin;

namespace {

struct Shown {
  HWND Window;
  gui::TPoint Pos;
  int Width, Height;
  uint8_t Alpha;
};

// A shown form with a panel, above other tests' windows, in the screen's bottom right
// corner where no other test puts its windows.
struct PanelForm {
  gui::TForm Form{nullptr};
  gui::TPanel* Panel;
  PanelForm() {
    Form.SetBounds(GetSystemMetrics(SM_CXSCREEN) - 320, GetSystemMetrics(SM_CYSCREEN) - 220, 300, 200);
    Panel = new gui::TPanel(&Form);
    Panel->SetParent(&Form);
    Panel->SetBounds(10, 10, 120, 80);
    Form.Show();
    guitest::LiftOverOtherTests(Form.Handle());
  }
};

// What a person would see, the premultiplied picture laid on white, saved as a bitmap file.
void SaveAsSeenOnWhite(gui::TBitmap& img, const char* file) {
  const TBitmap32 px = Pixels32(img);
  gui::TBitmap view(img.Width(), img.Height());
  TBitmap32 v = Pixels32(view);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      const TPixel p = px.At(x, y);
      const uint32_t a = ChA(p);
      v.At(x, y) = MakePixel(ChB(p) + (255 - a), ChG(p) + (255 - a), ChR(p) + (255 - a), 255);
    }
  view.SaveToFile(file);
}

class HintBubble : public ::testing::Test {
 protected:
  void SetUp() override {
    RunEngineStartup();
    old_ = SetLayeredUpdate([this](HWND w, gui::TBitmap& b, gui::TPoint p, uint8_t a) {
      shown_.push_back({w, p, b.Width(), b.Height(), a});
      if (old_) old_(w, b, p, a);
    });
  }
  void TearDown() override {
    SetLayeredUpdate(old_);
    RunEngineShutdown();
  }
  // Handles messages until Done holds or a second and a half has gone by.
  template <class F>
  bool Until(F done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (!done() && std::chrono::steady_clock::now() < end) {
      gui::Application->ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  }
  static TRect Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }
  // The default template's shadow: left 6, top 5, right 7, bottom 8.
  static TRect Body(const TRect& r) { return {r.Left + 6, r.Top + 5, r.Right - 7, r.Bottom - 8}; }

  TacLayeredUpdate old_;
  std::vector<Shown> shown_;
};

}  // namespace

TEST_F(HintBubble, DefaultTemplatePointsWithItsBodysCorner) {
  TacHintController c(nullptr);
  c.ShowHintAt({300, 200}, "Data jemaat tersimpan", 5000);
  ASSERT_NE(c.HintWindow(), nullptr);
  ASSERT_NE(c.BackWindow(), nullptr);
  EXPECT_EQ(c.HintWindow()->Position, 0);
  EXPECT_EQ(Body(c.HintRect).Left, 300);
  EXPECT_EQ(Body(c.HintRect).Top, 200);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].Alpha, 255);
  EXPECT_EQ(shown_[0].Pos, (gui::TPoint{c.HintRect.Left, c.HintRect.Top}));
  EXPECT_EQ(shown_[0].Width, c.HintRect.Width());

  // The picture: the pale yellow body is opaque, the shadow's outer corner transparent.
  gui::TBitmap& img = *c.HintWindow()->AlphaImage();
  const TBitmap32 px = Pixels32(img);
  EXPECT_EQ(ChA(px.At(img.Width() - 20, 9)), 255);
  EXPECT_LT(ChA(px.At(0, 0)), 40);
  SaveAsSeenOnWhite(img, "hint_bubble.bmp");
  c.HideHint();
  EXPECT_EQ(c.BackWindow(), nullptr);
}

TEST_F(HintBubble, StaysOnTheScreenAtItsEdges) {
  TacHintController c(nullptr);
  const TRect s = Screen();
  c.ShowHintAt({s.Right - 5, s.Bottom - 5}, "Jadwal ibadah minggu ini", 5000);
  // The single picture is shifted by the overflow and counts as left of and above the point.
  EXPECT_EQ(c.HintWindow()->Position, 3);
  const TRect body = Body(c.HintRect);
  EXPECT_LE(body.Right, s.Right);
  EXPECT_LE(body.Bottom, s.Bottom);
  EXPECT_GE(body.Left, s.Left);

  c.ShowHintAt({2, 3}, "Jadwal", 5000);
  EXPECT_EQ(c.HintWindow()->Position, 0);
  EXPECT_EQ(Body(c.HintRect).Left, 2);
}

TEST_F(HintBubble, SinglePictureTemplateOnTheLeft) {
  TacHintController c(nullptr);
  TacHintTemplate* t = c.Templates.Add();
  t->ImageDefault.Assign(&DefaultHintTemplate()->ImageDefault);
  c.TemplateIndex = 0;
  c.PreferredPosition = 2;
  c.ShowHintAt({400, 300}, "Kiri", 5000);
  EXPECT_EQ(CurrentHintTemplate(), t);
  EXPECT_EQ(CurrentHintImage(), &t->ImageDefault);
  EXPECT_EQ(c.HintWindow()->Position, 2);
  EXPECT_EQ(Body(c.HintRect).Right, 400);
  EXPECT_EQ(Body(c.HintRect).Top, 300);
}

TEST_F(HintBubble, FadesInTwentyStepsOnTheLayeredWindow) {
  TacHintController c(nullptr);
  c.Animated = true;
  c.ShowHintAt({300, 200}, "Memudar", 5000);
  ASSERT_TRUE(Until([&] { return !shown_.empty() && shown_.back().Alpha == 255 && shown_.size() > 20; }));
  std::vector<int> alphas;
  for (const Shown& s : shown_) alphas.push_back(s.Alpha);
  ASSERT_EQ(alphas.size(), 21u);
  EXPECT_EQ(alphas[0], 13);
  EXPECT_EQ(alphas[19], 255);
  EXPECT_TRUE(std::is_sorted(alphas.begin(), alphas.end()));
  for (const Shown& s : shown_) EXPECT_EQ(s.Pos, (gui::TPoint{c.HintRect.Left, c.HintRect.Top}));

  // While bubbles fade the next hint comes quickly; the pause comes back after the last.
  const int pause = gui::Application->HintPause;
  EXPECT_EQ(pause, 100);
  c.HideHint();
  EXPECT_TRUE(Until([&] { return gui::Application->HintPause != 100; }));
  EXPECT_EQ(gui::Application->HintPause, 500);
}

TEST_F(HintBubble, HidesOnceTheMouseLeavesItsControl) {
  PanelForm pf;
  gui::TPanel* panel = pf.Panel;
  POINT inside{30, 30};
  ClientToScreen(panel->Handle(), &inside);
  SetCursorPos(inside.x, inside.y);

  TacHintController c(nullptr);
  bool hidden = false;
  c.OnHideHint = [&](rtl::TObject*) { hidden = true; };
  c.ShowHintAt({inside.x, inside.y + 20}, "Panel", 0);
  EXPECT_EQ(c.LastControl(), panel);
  // Kept while the mouse stays.
  Until([] { return false; });
  EXPECT_NE(c.BackWindow(), nullptr);
  EXPECT_FALSE(hidden);

  SetCursorPos(5, 5);
  EXPECT_TRUE(Until([&] { return c.BackWindow() == nullptr; }));
  EXPECT_TRUE(hidden);
  EXPECT_EQ(c.LastControl(), nullptr);
}

TEST_F(HintBubble, PointsAtItsControlsEdge) {
  PanelForm pf;
  gui::TPanel* panel = pf.Panel;
  RECT pr;
  GetWindowRect(panel->Handle(), &pr);

  TacHintController c(nullptr);
  c.PositionControl = panel;
  c.PlaceAtControl = true;
  c.ShowHintAt({1, 1}, "Di bawah panel", 5000);
  // Below the middle of the panel's bottom edge, moved by the picture's shadow.
  EXPECT_EQ(Body(c.HintRect).Left, (pr.left + pr.right) / 2 + 6);
  EXPECT_EQ(Body(c.HintRect).Top, pr.bottom + 5);
  EXPECT_EQ(c.LastControl(), panel);
}

TEST_F(HintBubble, HtmlTextIsMeasuredWithoutItsTags) {
  TacHintController plain(nullptr), html(nullptr);
  html.HTMLMode = true;
  const std::string text = "<b>Simpan</b> data <font color=red>jemaat</font>";
  plain.ShowHintAt({200, 200}, text, 5000);
  html.ShowHintAt({200, 200}, text, 5000);
  EXPECT_LT(html.HintRect.Width(), plain.HintRect.Width());
  EXPECT_EQ(html.HintRect.Height(), plain.HintRect.Height());
  // Red text inside the bubble's picture.
  const TBitmap32 px = Pixels32(*html.HintWindow()->AlphaImage());
  int red = 0;
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) {
      const TPixel p = px.At(x, y);
      red += ChR(p) > 0xC0 && ChG(p) < 0x60 && ChB(p) < 0x60;
    }
  EXPECT_GT(red, 5);
}

TEST_F(HintBubble, AnActiveControllerServesTheApplicationsHintWindows) {
  {
    TacHintController c(nullptr);
    EXPECT_STREQ(gui::Application->HintWindowClass.ClassName, "THintWindow");
    c.SetActive(true);
    EXPECT_STREQ(gui::Application->HintWindowClass.ClassName, "TacPngHintWindow");

    gui::THintWindow* w = gui::Application->HintWindowClass.Create(gui::Application);
    c.HintPos = {250, 250};
    const gui::TRect r = w->CalcHintRect(400, "Dari aplikasi", nullptr);
    w->ActivateHint(r, "Dari aplikasi");
    ASSERT_EQ(shown_.size(), 1u);
    ASSERT_NE(c.BackWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(c.BackWindow()->Handle()));
    EXPECT_EQ(Body(c.HintRect).Left, 250);
    // The application letting its window go takes the bubble away.
    delete w;
    EXPECT_FALSE(IsWindowVisible(c.BackWindow()->Handle()));
  }
  EXPECT_STREQ(gui::Application->HintWindowClass.ClassName, "THintWindow");
  EXPECT_EQ(HintController(), nullptr);
}

TEST_F(HintBubble, ANewBubbleSlidesFromTheLastOne) {
  TacHintController c(nullptr);
  c.Animated = true;
  c.ShowHintAt({200, 200}, "Pertama", 5000);
  ASSERT_TRUE(Until([&] { return shown_.size() == 21; }));
  const TRect first = c.HintRect;
  HWND firstWindow = c.BackWindow()->Handle();
  shown_.clear();

  c.ShowHintAt({500, 300}, "Kedua", 5000);
  EXPECT_EQ(c.BackWindow()->Handle(), firstWindow) << "the last bubble's window stays for the slide";
  ASSERT_TRUE(Until([&] { return !shown_.empty() && shown_.back().Alpha == 255 && shown_.back().Pos.X == c.HintRect.Left; }));
  // Step one: the old picture on the old window, the new one on a second window, both a
  // fifth of the way along.
  ASSERT_GE(shown_.size(), 2u);
  const gui::TPoint step{first.Left + (c.HintRect.Left - first.Left) / 5, first.Top + (c.HintRect.Top - first.Top) / 5};
  EXPECT_EQ(shown_[0].Window, firstWindow);
  EXPECT_EQ(shown_[0].Pos, step);
  EXPECT_EQ(shown_[0].Alpha, 255 - 13);
  EXPECT_NE(shown_[1].Window, firstWindow);
  EXPECT_EQ(shown_[1].Pos, step);
  EXPECT_EQ(shown_[1].Alpha, 13);
  // At the end the second window is the bubble's, at its place.
  EXPECT_EQ(c.BackWindow()->Handle(), shown_[1].Window);
  EXPECT_FALSE(IsWindow(firstWindow));
  EXPECT_EQ(shown_.back().Window, shown_[1].Window);
}

TEST_F(HintBubble, EventsChangeTheTextTheSizeOrRefuse) {
  TacHintController c(nullptr);
  c.OnShowHint = [](std::string& text, bool& canShow, gui::TWinControl*&, TacHintInfo& info) {
    if (text == "tolak") canShow = false;
    text = "Ganti: " + text;
    info.HintPos.X += 10;
  };
  c.ShowHintAt({300, 200}, "asli", 5000);
  ASSERT_NE(c.HintWindow(), nullptr);
  EXPECT_EQ(c.HintWindow()->HintText(), "Ganti: asli");
  EXPECT_EQ(Body(c.HintRect).Left, 310);

  c.ShowHintAt({300, 200}, "tolak", 5000);
  EXPECT_EQ(c.BackWindow(), nullptr);

  TacHintController sized(nullptr);
  sized.OnGetSize = [](const std::string&, const TacHintInfo&, int& w, int& h) {
    w = 200;
    h = 50;
  };
  sized.ShowHintAt({300, 200}, "ukuran", 5000);
  // The size plus the default template's margins (11 + 16 across, 8 + 15 down).
  EXPECT_EQ(sized.HintRect.Width(), 227);
  EXPECT_EQ(sized.HintRect.Height(), 73);
}

// ---------------------------------------------------------------- bubbles from the skin

namespace {

class SkinnedBubble : public HintBubble {
 protected:
  void SetUp() override {
    HintBubble::SetUp();
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SetSkinDirectory(std::string("Z:") + KORVAN_TEST_SKIN);
    manager->SetSkinName("Korvan Test");
    ASSERT_TRUE(manager->IsSkinLoaded());
  }
  void TearDown() override {
    manager.reset();
    HintBubble::TearDown();
  }
  std::unique_ptr<TsSkinManager> manager;
};

int DarkPixels(const TBitmap32& px, const TRect& r) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const TPixel p = px.At(x, y);
      n += ChA(p) == 255 && ChR(p) < 0x60 && ChG(p) < 0x60 && ChB(p) < 0x60;
    }
  return n;
}

}  // namespace

TEST_F(SkinnedBubble, TheSectionWithItsTextShapedByItsBorder) {
  TacHintController c(nullptr);
  c.UseSkin = true;
  c.SkinSection = "HINT";
  c.ShowHintAt({300, 200}, "Data jemaat tersimpan", 5000);
  ASSERT_NE(c.HintWindow(), nullptr);
  EXPECT_EQ(c.HintWindow()->SkinIndex, manager->GetSkinIndex("HINT"));
  EXPECT_FALSE(c.SectionHasOuterEffects);
  // An opaque section: no see-through edge, so the bubble's corner is at the point.
  EXPECT_EQ(c.HintRect.Left, 300);
  EXPECT_EQ(c.HintRect.Top, 200);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].Alpha, 255);

  gui::TBitmap& img = *c.HintWindow()->AlphaImage();
  const TBitmap32 px = Pixels32(img);
  // The body is the section's pale yellow.
  const TPixel body = px.At(img.Width() - 8, img.Height() / 2);
  EXPECT_EQ(ChA(body), 255);
  EXPECT_EQ(body & 0xFFFFFF, SwapRB(13434879u) & 0xFFFFFF);
  // The text in the section's black, inside the border and the content margin.
  EXPECT_GT(DarkPixels(px, {10, 10, img.Width() - 10, img.Height() - 10}), 20);
  EXPECT_EQ(DarkPixels(px, {0, 0, img.Width(), 6}), 0);

  SaveAsSeenOnWhite(img, "hint_skinned.bmp");

  // A border with see-through corners: cleared whole in the picture (a pixel of alpha 0
  // keeps no colour, which the layered window would add) and left out of the window.
  c.SkinSection = "BUTTON";
  c.ShowHintAt({300, 200}, "Data jemaat tersimpan", 5000);
  const TBitmap32 b = Pixels32(*c.HintWindow()->AlphaImage());
  EXPECT_EQ(b.At(0, 0), 0u);
  EXPECT_EQ(b.At(1, 1), 0u);
  EXPECT_EQ(ChA(b.At(4, 4)), 255);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(c.HintWindow()->Handle(), rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(rgn, 4, 4));
  DeleteObject(rgn);
  c.HideHint();
}

TEST_F(SkinnedBubble, ASeeThroughSectionFadesToItsTransparency) {
  TacHintController c(nullptr);
  c.UseSkin = true;
  c.SkinSection = "HALFCLEAR";  // transparency 50: 255 - 128 at the end
  c.Animated = true;
  c.ShowHintAt({300, 200}, "Jadwal", 5000);
  ASSERT_TRUE(Until([&] { return shown_.size() > 20; }));
  std::vector<int> alphas;
  for (const Shown& s : shown_) alphas.push_back(s.Alpha);
  EXPECT_EQ(alphas.back(), 127);
  EXPECT_EQ(alphas.front(), 6) << "a twentieth of the way";
  EXPECT_TRUE(std::is_sorted(alphas.begin(), alphas.end()));
  EXPECT_GE(alphas.size(), 20u);
  c.HideHint();
}

TEST_F(SkinnedBubble, OuterEffectsWidenTheBubbleAndReachOverThePoint) {
  TacHintController c(nullptr);
  c.UseSkin = true;
  c.SkinSection = "PANEL";
  c.ShowHintAt({300, 200}, "Jadwal", 5000);
  const TRect plain = c.HintRect;
  c.SkinSection = "GLOWPANEL";  // the panel with outer offsets of 4 left and right
  c.ShowHintAt({300, 200}, "Jadwal", 5000);
  EXPECT_TRUE(c.SectionHasOuterEffects);
  const TacSkinData& d = *manager->GetSkinDataForPPI(96);
  const TsGeneralData& g = d.Sections[size_t(manager->GetSkinIndex("GLOWPANEL"))];
  ASSERT_GT(g.OuterOffsetL + g.OuterOffsetR, 0);
  // Each side: the border element's width, and the outer offset of a section that has them.
  const auto borders = [&](const TsGeneralData& sec, bool across) {
    int n = across ? sec.OuterOffsetL + sec.OuterOffsetR : sec.OuterOffsetT + sec.OuterOffsetB;
    if (sec.BorderIndex >= 0 && size_t(sec.BorderIndex) < d.Masks.size()) {
      const TsMaskData& m = d.Masks[size_t(sec.BorderIndex)];
      n += across ? m.BorderLeft + m.BorderRight : m.BorderTop + m.BorderBottom;
    }
    return n;
  };
  TsGeneralData p = d.Sections[size_t(manager->GetSkinIndex("PANEL"))];
  p.OuterOffsetL = p.OuterOffsetR = p.OuterOffsetT = p.OuterOffsetB = 0;  // no outer mode: not counted
  EXPECT_EQ(c.HintRect.Width() - borders(g, true), plain.Width() - borders(p, true));
  EXPECT_EQ(c.HintRect.Height() - borders(g, false), plain.Height() - borders(p, false));
  EXPECT_LT(c.HintRect.Left, 300) << "its see-through edge lies left of the point";
  c.HideHint();
  c.UseSkin = false;
  c.ShowHintAt({300, 200}, "Jadwal", 5000);
  EXPECT_EQ(c.HintWindow()->SkinIndex, -1) << "back to the template";
  c.HideHint();
}

// ---------------------------------------------------------------- fixed content and the width

namespace {

// A panel that says when it is freed.
class TContentPanel : public gui::TPanel {
 public:
  TContentPanel(bool& freed) : gui::TPanel(nullptr), freed_(freed) {}
  ~TContentPanel() override { freed_ = true; }

 private:
  bool& freed_;
};

bool IsRed(TPixel p) { return ChR(p) > 0xE0 && ChG(p) < 0x20 && ChB(p) < 0x20; }

}  // namespace

TEST_F(SkinnedBubble, FixedContentHasItsSizeAndItsPictureBesideTheText) {
  TacHintController c(nullptr);
  c.UseSkin = true;
  c.SkinSection = "HINT";  // border 6, margin 4: the content starts at 10
  gui::TBitmap picture(16, 16);
  TBitmap32 pp = Pixels32(picture);
  FillBitmapRect(pp, {0, 0, 16, 16}, 0x0000FF, 255);
  c.ContentWidth = 120;
  c.ContentHeight = 40;
  c.ContentText = "Foto";
  c.ContentPicture = &picture;
  struct Case {
    uint8_t position;
    gui::TPoint red, notRed;  // inside the picture, and where it would be at position 0
  } cases[] = {
      {0, {18, 30}, {60, 12}},
      {1, {10 + 52 + 8, 12}, {18, 30}},
      {2, {10 + 120 - 8, 30}, {18, 30}},
      {3, {10 + 52 + 8, 10 + 40 - 4}, {18, 30}},
  };
  for (const Case& k : cases) {
    c.PicturePosition = k.position;
    c.ShowHintAt({300, 200}, "ignored", 5000);
    EXPECT_EQ(c.HintRect.Width(), 140);
    EXPECT_EQ(c.HintRect.Height(), 60);
    const TBitmap32 px = Pixels32(*c.HintWindow()->AlphaImage());
    EXPECT_TRUE(IsRed(px.At(k.red.X, k.red.Y))) << int(k.position);
    EXPECT_FALSE(IsRed(px.At(k.notRed.X, k.notRed.Y))) << int(k.position);
    EXPECT_GT(DarkPixels(px, {10, 10, 130, 50}), 5) << "the content's text";
  }
  SaveAsSeenOnWhite(*c.HintWindow()->AlphaImage(), "hint_content.bmp");
  c.HideHint();
}

TEST_F(SkinnedBubble, TheContentsPainterAndAControlInTheBubble) {
  TacHintController c(nullptr);
  c.UseSkin = true;
  c.SkinSection = "HINT";
  gui::TRect given;
  c.OnPaintContent = [&](const std::string& text, gui::TControl*&, bool& doDefault, gui::TBitmap& b,
                         const gui::TRect& r) {
    EXPECT_EQ(text, "Data jemaat");
    given = r;
    TBitmap32 v = Pixels32(b);
    FillBitmapRect(v, r, 0xFF0000, 255);
    doDefault = false;
  };
  c.ShowHintAt({300, 200}, "Data jemaat", 5000);
  const TBitmap32 px = Pixels32(*c.HintWindow()->AlphaImage());
  EXPECT_EQ(given, (gui::TRect{10, 10, c.HintRect.Width() - 10, c.HintRect.Height() - 10}));
  EXPECT_EQ(px.At(12, 12) & 0xFFFFFF, 0xFFu) << "blue";
  EXPECT_EQ(DarkPixels(px, {0, 0, px.Width(), px.Height()}), 0) << "no text of its own";
  c.HideHint();

  // A control the show event gives is the content: its size, painted, freed with the bubble.
  c.OnPaintContent = nullptr;
  bool freed = false;
  c.OnShowHint = [&](std::string&, bool&, gui::TWinControl*& content, TacHintInfo&) {
    auto* p = new TContentPanel(freed);
    p->SetBounds(0, 0, 60, 30);
    p->SetColor(0x00FF00);
    content = p;
  };
  c.ShowHintAt({300, 200}, "Data jemaat", 5000);
  ASSERT_NE(c.ContentControl(), nullptr);
  EXPECT_EQ(c.HintRect.Width(), 80);
  EXPECT_EQ(c.HintRect.Height(), 50);
  const TBitmap32 withPanel = Pixels32(*c.HintWindow()->AlphaImage());
  EXPECT_EQ(withPanel.At(40, 25), MakePixel(0, 255, 0, 255));
  // What lies behind the control is the bubble's picture.
  TacBackgroundQuery q;
  QueryControlBackground(q, *c.HintWindow(), false);
  EXPECT_EQ(q.Kind, bkBitmap);
  ASSERT_NE(q.Bitmap, nullptr);
  EXPECT_EQ(q.Bitmap->Width(), c.HintRect.Width());
  EXPECT_EQ(c.HintWindow()->Perform(SM_ALPHACMD, MakeSkinCommand(AC_CTRLHANDLED), 0), 1);
  c.HideHint();
  EXPECT_TRUE(freed);
  EXPECT_EQ(c.ContentControl(), nullptr);
}

TEST_F(SkinnedBubble, TheWidthLimitAndTheHintFont) {
  TacHintController c(nullptr);
  c.UseSkin = true;
  c.SkinSection = "HINT";
  const std::string text = "Jadwal ibadah minggu ini di gedung gereja dan di sektor";
  c.ShowHintAt({300, 200}, text, 5000);
  const TRect wide = c.HintRect;
  c.MaxWidth = 100;  // at 96 pixels per inch, which the screen has
  c.ShowHintAt({300, 200}, text, 5000);
  EXPECT_LE(c.HintRect.Width(), 100 + 20);
  EXPECT_GT(c.HintRect.Height(), wide.Height()) << "wrapped";
  c.HideHint();

  // The hint font's height: the default or its own, scaled as the manager scales.
  gui::TFont f;
  f.SetHeight(-20);
  ScaleHintFont(f, true);
  EXPECT_EQ(f.Height(), manager->ScaleInt(-20));
  ScaleHintFont(f, false);
  EXPECT_EQ(f.Height(), manager->ScaleInt(-12));
}
