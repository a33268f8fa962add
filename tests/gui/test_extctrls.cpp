// Pictures, panels, speed buttons and the gauge: the photo keeps its file's bytes, the
// lookup protocol's Flat flag, clicks sent as mouse messages to the parent, and pixels
// of what the parent paints.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Gauges.h"
#include "gui/Jpeg.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path.substr(0, 2) == "Z:" ? path.substr(2) : path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Images, AJpegLoadedFromFileIsSavedAsTheSameBytes) {
  const std::string path = KORVAN_TEST_JPEG;
  std::vector<uint8_t> file = ReadFile(path);
  ASSERT_GT(file.size(), 100u);
  TForm f(nullptr);
  auto* img = new TImage(&f);
  img->SetParent(&f);
  img->SetStretch(true);
  img->Picture().LoadFromFile(path);
  ASSERT_NE(dynamic_cast<TJPEGImage*>(img->Picture().Graphic()), nullptr);
  rtl::TMemoryStream out;
  img->Picture().SaveToStream(out);
  std::vector<uint8_t> saved(static_cast<const uint8_t*>(out.Memory()),
                             static_cast<const uint8_t*>(out.Memory()) + out.Size());
  EXPECT_EQ(saved, file);
  EXPECT_EQ(img->Picture().Width(), 160);
}

TEST(Images, WhereThePictureLands) {
  TImage img(nullptr);
  img.SetBounds(0, 0, 100, 80);
  img.Picture().Bitmap().SetSize(50, 20);
  struct Case {
    bool stretch, proportional, center;
    TRect expected;
  } cases[] = {
      {false, false, false, Rect(0, 0, 50, 20)},
      {false, false, true, Rect(25, 30, 75, 50)},
      {true, false, false, Rect(0, 0, 100, 80)},
      {true, true, false, Rect(0, 0, 100, 40)},
      {true, true, true, Rect(0, 20, 100, 60)},
      {false, true, false, Rect(0, 0, 50, 20)},  // small pictures are not enlarged
  };
  for (const auto& c : cases) {
    img.SetStretch(c.stretch);
    img.SetProportional(c.proportional);
    img.SetCenter(c.center);
    EXPECT_EQ(img.DestRect(), c.expected) << c.stretch << c.proportional << c.center;
  }
}

// What a form's client area shows, painted into a bitmap as the form paints itself.
class Painted {
 public:
  explicit Painted(TWinControl& w) : bmp_(w.ClientWidth(), w.ClientHeight()) {
    SendMessageW(w.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp_.Canvas().Handle()), PRF_CLIENT);
  }
  COLORREF At(int x, int y) { return GetPixel(bmp_.Canvas().Handle(), x, y); }

 private:
  TBitmap bmp_;
};

TEST(Gauges, ProgressIsClampedAndThePaintedBarFollowsIt) {
  TForm f(nullptr);
  f.SetClientSize(300, 100);
  auto* g = new TGauge(&f);
  g->SetParent(&f);
  g->SetBounds(0, 0, 202, 20);
  g->SetForeColor(clRed);
  g->SetShowText(false);
  g->SetMaxValue(4);
  g->AddProgress(1);
  EXPECT_EQ(g->PercentDone(), 25);
  g->SetProgress(9);
  EXPECT_EQ(g->Progress(), 4);
  g->SetProgress(2);
  f.HandleNeeded();
  Painted p(f);
  EXPECT_EQ(p.At(50, 10), RGB(255, 0, 0));
  EXPECT_EQ(p.At(150, 10), RGB(255, 255, 255));
}

TEST(Panels, PaintTheirColourCaptionAndChildren) {
  TForm f(nullptr);
  f.SetClientSize(300, 100);
  auto* panel = new TPanel(&f);
  panel->SetParent(&f);
  panel->SetBounds(0, 0, 300, 100);
  panel->SetColor(clNavy);
  panel->SetBevelOuter(TBevelCut::bvNone);
  auto* g = new TGauge(panel);
  g->SetParent(panel);
  g->SetBounds(200, 0, 100, 100);
  g->SetForeColor(clLime);
  g->SetShowText(false);
  g->SetProgress(100);
  f.HandleNeeded();
  Painted p(*panel);
  EXPECT_EQ(p.At(5, 5), RGB(0, 0, 128));
  EXPECT_EQ(p.At(250, 50), RGB(0, 255, 0)) << "a windowless child is painted by the panel";
}

class SpeedButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetClientSize(300, 100);
    for (int i = 0; i < 2; ++i) {
      sb[i] = new TSpeedButton(&form);
      sb[i]->SetParent(&form);
      sb[i]->SetBounds(10 + 40 * i, 10, 30, 30);
      sb[i]->OnClick = [this, i](TObject*) { clicks.push_back(i); };
    }
    form.HandleNeeded();
  }
  // A press and release at client point (x, y) of the form, as the mouse sends them.
  void MouseClick(int x, int y, int upX = -1, int upY = -1) {
    SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(upX < 0 ? x : upX, upY < 0 ? y : upY));
  }
  TForm form{nullptr};
  TSpeedButton* sb[2];
  std::vector<int> clicks;
};

TEST_F(SpeedButtons, TheFlatFlagIsPlainStateTheCallerCanSetAndRead) {
  EXPECT_FALSE(sb[0]->Flat());
  sb[0]->SetFlat(true);
  EXPECT_TRUE(sb[0]->Flat());
  EXPECT_FALSE(sb[1]->Flat());
  MouseClick(20, 20);
  EXPECT_TRUE(sb[0]->Flat()) << "clicking does not touch the flag";
  sb[0]->SetFlat(false);
  EXPECT_FALSE(sb[0]->Flat());
}

TEST_F(SpeedButtons, AClickNeedsPressAndReleaseOnTheEnabledButton) {
  MouseClick(20, 20);
  MouseClick(60, 20);
  MouseClick(20, 20, 200, 80);  // released elsewhere: no click
  sb[1]->SetEnabled(false);
  MouseClick(60, 20);
  MouseClick(150, 60);  // on no button
  EXPECT_EQ(clicks, (std::vector<int>{0, 1}));
  EXPECT_EQ(sb[0]->State(), TButtonState::bsUp);
}

TEST_F(SpeedButtons, GroupedButtonsStayDownOneAtATime) {
  for (auto* b : sb) b->SetGroupIndex(1);
  MouseClick(20, 20);
  EXPECT_TRUE(sb[0]->Down());
  MouseClick(60, 20);
  EXPECT_FALSE(sb[0]->Down());
  EXPECT_TRUE(sb[1]->Down());
  MouseClick(60, 20);  // without AllowAllUp the down button stays down
  EXPECT_TRUE(sb[1]->Down());
  sb[0]->SetAllowAllUp(true);
  MouseClick(60, 20);
  EXPECT_FALSE(sb[1]->Down());
  EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(SpeedButtons, PaintRaisedFlatAndPressed) {
  form.SetColor(clWhite);
  for (auto* b : sb) b->SetParentColor(true);
  sb[1]->SetFlat(true);
  Painted up(form);
  // A raised button has a light top-left and dark bottom-right edge; a flat one none.
  EXPECT_NE(up.At(10 + 29, 10 + 29), RGB(255, 255, 255));
  EXPECT_EQ(up.At(50 + 29, 10 + 29), RGB(255, 255, 255));
  SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 20));
  EXPECT_EQ(sb[1]->State(), TButtonState::bsDown);
  Painted pressed(form);
  EXPECT_NE(pressed.At(50, 10), RGB(255, 255, 255)) << "a pressed flat button shows a sunken edge";
  SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 20));
}

}  // namespace
