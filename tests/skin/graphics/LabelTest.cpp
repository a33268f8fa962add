// Skinned labels under Wine: plain captions, mouse pass-through, and the links of an HTML
// label (hover cursor, clicks that open or are refused).
#include <gtest/gtest.h>

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "skin/core/acStartup.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acHtmlCanvas.h"
#include "skin/graphics/sLabel.h"
#include "tests/gui/GuiTestSupport.h"

using namespace skin;

namespace {

class EngineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { RunEngineStartup(); }
  void TearDown() override { RunEngineShutdown(); }
};
::testing::Environment* const kEngine = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

struct Opened {
  std::vector<std::string> Hrefs;
  TacLinkOpener Old;
  Opened() {
    Old = SetLinkOpener([this](const std::string& href, TsWindowShowMode) { Hrefs.push_back(href); });
  }
  ~Opened() { SetLinkOpener(Old); }
};

void Mouse(gui::TForm& f, UINT msg, int x, int y) { f.Perform(msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y)); }

// A form with an HTML label at (20, 30), shown and painted so that the label knows its links.
struct LinkForm {
  gui::TForm Form{nullptr};
  TsHTMLLabel* Label;
  explicit LinkForm(bool show = true) {
    Form.SetBounds(120, 120, 360, 160);
    Form.SetCaption("Tautan");
    Label = new TsHTMLLabel(&Form);
    Label->SetParent(&Form);
    Label->SetBounds(20, 30, 10, 10);
    Label->Font().SetHeight(-16);
    Label->SetCaption("Lihat <a href=\"https://Gereja.Example/Jadwal\">jadwal</a> <b>ibadah</b>");
    if (!show) return;
    Form.Show();
    guitest::LiftOverOtherTests(Form.Handle());
    RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // The middle of the first link in form coordinates.
  gui::TPoint LinkPoint() const {
    const TRect r = Label->Links().at(0).Rect;
    return {Label->Left() + (r.Left + r.Right) / 2, Label->Top() + (r.Top + r.Bottom) / 2};
  }
};

}  // namespace

TEST(HtmlLabel, SizesItselfToTheTextWithoutWrapping) {
  LinkForm f(false);
  EXPECT_GT(f.Label->Width(), 100);
  EXPECT_LT(f.Label->Height(), 40) << "one line";
  EXPECT_EQ(f.Label->PlainCaption(), "Lihat jadwal ibadah");

  // Seen as a person sees it, with the link hot.
  gui::TBitmap shot;
  guitest::RunSoon([&] {
    ASSERT_EQ(f.Label->Links().size(), 1u);
    EXPECT_EQ(f.Label->Links()[0].Href, "https://Gereja.Example/Jadwal");
    const gui::TPoint p = f.LinkPoint();
    Mouse(f.Form, WM_MOUSEMOVE, p.X, p.Y);
  }, 50);
  // Later, once the display shows the repainted label.
  guitest::RunSoon([&] {
    EXPECT_EQ(f.Label->HotLink(), 0);
    guitest::ShotOfWindow(f.Form.Handle(), shot);
    f.Form.Close();
  }, 400);
  f.Form.ShowModal();
  shot.SaveToFile("html_label.bmp");
  // Blue link text somewhere on the label's line.
  int blue = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const gui::TColor c = shot.Canvas().Pixels(x, y) & 0xFFFFFF;
      if ((c & 0xFF) < 0x60 && ((c >> 16) & 0xFF) > 0xA0) ++blue;
    }
  EXPECT_GT(blue, 10);
}

TEST(HtmlLabel, HoverShowsTheHandAndLeavingResetsIt) {
  LinkForm f;
  const gui::TPoint p = f.LinkPoint();
  Mouse(f.Form, WM_MOUSEMOVE, p.X, p.Y);
  EXPECT_EQ(f.Label->HotLink(), 0);
  EXPECT_EQ(f.Label->Cursor(), gui::crHandPoint);
  // Over the label's plain text: no link.
  Mouse(f.Form, WM_MOUSEMOVE, f.Label->Left() + 2, p.Y);
  EXPECT_EQ(f.Label->HotLink(), -1);
  EXPECT_EQ(f.Label->Cursor(), gui::crDefault);
  Mouse(f.Form, WM_MOUSEMOVE, p.X, p.Y);
  f.Label->Perform(gui::CM_MOUSELEAVE);
  EXPECT_EQ(f.Label->Cursor(), gui::crDefault);
  EXPECT_EQ(f.Label->HotLink(), -1);
}

TEST(HtmlLabel, AClickOpensTheLinkUnlessRefused) {
  Opened opened;
  LinkForm f;
  const gui::TPoint p = f.LinkPoint();
  bool refuse = true;
  std::vector<std::string> asked;
  f.Label->OnLinkClick = [&](rtl::TObject*, std::string& href, bool& allow) {
    asked.push_back(href);
    allow = !refuse;
  };
  Mouse(f.Form, WM_MOUSEMOVE, p.X, p.Y);
  Mouse(f.Form, WM_LBUTTONDOWN, p.X, p.Y);
  EXPECT_EQ(f.Label->PressedLink(), 0);
  Mouse(f.Form, WM_LBUTTONUP, p.X, p.Y);
  EXPECT_EQ(asked, std::vector<std::string>{"https://Gereja.Example/Jadwal"});
  EXPECT_TRUE(opened.Hrefs.empty()) << "a refused click opens nothing";
  EXPECT_EQ(f.Label->PressedLink(), -1);

  refuse = false;
  Mouse(f.Form, WM_LBUTTONDOWN, p.X, p.Y);
  Mouse(f.Form, WM_LBUTTONUP, p.X, p.Y);
  EXPECT_EQ(opened.Hrefs, std::vector<std::string>{"https://Gereja.Example/Jadwal"});
}

TEST(SkinLabel, PlainCaptionAndMousePassingThrough) {
  gui::TForm form(nullptr);
  form.SetBounds(100, 100, 300, 120);
  auto* below = new TsLabel(&form);
  below->SetParent(&form);
  below->SetBounds(10, 10, 200, 30);
  below->SetAutoSize(false);
  below->SetCaption("Nama Jemaat");
  auto* over = new TsLabel(&form);
  over->SetParent(&form);
  over->SetAutoSize(false);
  over->SetBounds(10, 10, 200, 30);
  over->SetCaption("");
  int clicks = 0, overClicks = 0;
  below->OnClick = [&](rtl::TObject*) { ++clicks; };
  over->OnClick = [&](rtl::TObject*) { ++overClicks; };
  form.Show();

  Mouse(form, WM_LBUTTONDOWN, 20, 20);
  Mouse(form, WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(overClicks, 1);
  EXPECT_EQ(clicks, 0);

  over->TransparentForMouse = true;
  Mouse(form, WM_LBUTTONDOWN, 20, 20);
  Mouse(form, WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(clicks, 1) << "the click reaches the label below";
  EXPECT_EQ(overClicks, 1);

  // Without a skin the text is the font's colour; a disabled label's is mixed into the form.
  below->Font().SetColor(0x000080);
  EXPECT_EQ(below->GetTextColor(), 0x000080u);
  below->SetUseSkinColor(false);
  below->SetEnabled(false);
  EXPECT_NE(below->GetTextColor(), 0x000080u);
}

TEST(HtmlOnCanvas, StylesReachTheFont) {
  gui::TBitmap b(200, 40);
  b.Canvas().Font().SetHeight(-16);
  TacCanvasHtml c(b.Canvas());
  auto width = [&](const char* text) {
    TsHtml html;
    TRect r{0, 0, 0, 0};
    html.Init(c, text, -1, -1, r);
    TacLinks links;
    html.Render(links, true, r);
    return r.Width();
  };
  EXPECT_GT(width("<b>ibadah ibadah</b>"), width("ibadah ibadah"));
  EXPECT_GT(width("<font size=20>ibadah</font>"), width("ibadah"));
}

TEST(HtmlOnCanvas, DrawsTheStyles) {
  auto ink = [](const char* text) {
    gui::TBitmap b(200, 40);
    b.Canvas().Brush().SetColor(gui::clWhite);
    b.Canvas().FillRect({0, 0, 200, 40});
    b.Canvas().Font().SetHeight(-16);
    b.Canvas().Font().SetColor(gui::clBlack);
    TacCanvasHtml c(b.Canvas());
    TsHtml html;
    TRect r{0, 0, 200, 40};
    html.Init(c, text, -1, -1, r);
    TacLinks links;
    html.Render(links, false, r);
    int n = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 200; ++x) n += (b.Canvas().Pixels(x, y) & 0xFFFFFF) != gui::clWhite;
    return n;
  };
  // (The display's stand-in for Tahoma has no heavier face, so bold is checked by its
  // measure above, not by its ink.)
  const int plain = ink("Wawasan");
  EXPECT_GT(ink("<u>Wawasan</u>"), plain);
  EXPECT_GT(ink("<font size=+6>Wawasan</font>"), plain);
  EXPECT_EQ(ink("<font color=white>Wawasan</font>"), 0);
}

TEST(HtmlLabel, TheHotLinkIsUnderlined) {
  LinkForm f;
  auto ink = [&] {
    gui::TBitmap b(f.Label->Width(), f.Label->Height());
    b.Canvas().Brush().SetColor(gui::clWhite);
    b.Canvas().FillRect({0, 0, b.Width(), b.Height()});
    f.Label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(b.Canvas().Handle()), 0);
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) n += (b.Canvas().Pixels(x, y) & 0xFFFFFF) != gui::clWhite;
    return n;
  };
  const int cold = ink();
  const gui::TPoint p = f.LinkPoint();
  Mouse(f.Form, WM_MOUSEMOVE, p.X, p.Y);
  ASSERT_EQ(f.Label->HotLink(), 0);
  EXPECT_GT(ink(), cold);
}

// ---------------------------------------------------------------- with the test skin loaded

namespace {

// A panel skinned the way a control hook does it: its own skin state answers the commands.
class TSkinnedPanel : public gui::TPanel {
 public:
  TSkinnedPanel(rtl::TComponent* owner, const std::string& section) : gui::TPanel(owner) {
    Data = std::make_unique<TsCommonData>(this, true);
    Data->SetSkinSection(section);
  }
  ~TSkinnedPanel() override { Data.reset(); }
  void WndProc(gui::TMessage& m) override {
    if (m.Msg == SM_ALPHACMD ? ProcessSkinCommand(m, Data.get()) : ProcessSkinDataMessage(m, Data.get())) return;
    gui::TPanel::WndProc(m);
  }
  std::unique_ptr<TsCommonData> Data;
};

class SkinnedLabel : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SetSkinDirectory(std::string("Z:") + KORVAN_TEST_SKIN);
    manager->SetSkinName("Korvan Test");
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = std::make_unique<gui::TForm>(nullptr);
    form->SetBounds(0, 0, 320, 200);
    panel = new gui::TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 300, 180);
    panel->SetColor(gui::clWhite);
    label = OnParent(panel, "");
  }
  void TearDown() override {
    form.reset();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  TsLabel* OnParent(gui::TWinControl* parent, const std::string& section) {
    auto* l = new TsLabel(form.get());
    l->SetParent(parent);
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 80, 24);
    l->SetCaption("");
    l->SetSkinSection(section);
    return l;
  }
  // The label painted on a white bitmap of its size.
  gui::TColor PixelOfPaint(int x, int y) {
    gui::TBitmap b(label->Width(), label->Height());
    b.Canvas().Brush().SetColor(gui::clWhite);
    b.Canvas().FillRect({0, 0, b.Width(), b.Height()});
    label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(b.Canvas().Handle()), 0);
    return b.Canvas().Pixels(x, y) & 0xFFFFFF;
  }
  LRESULT Command(WORD command, LPARAM l = 0) { return label->Perform(SM_ALPHACMD, MakeSkinCommand(command), l); }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<gui::TForm> form;
  gui::TPanel* panel = nullptr;
  TsLabel* label = nullptr;
};

bool Near(gui::TColor c, int r, int g, int b) {
  return std::abs(int(c & 0xFF) - r) <= 2 && std::abs(int((c >> 8) & 0xFF) - g) <= 2 &&
         std::abs(int((c >> 16) & 0xFF) - b) <= 2;
}

}  // namespace

TEST_F(SkinnedLabel, ItsSectionIsPaintedOverWhatItsParentShows) {
  EXPECT_EQ(PixelOfPaint(3, 3), gui::clWhite) << "no section, nothing behind the text";
  label->SetSkinSection("SELECTION");  // opaque, colour 0xC56A31
  EXPECT_EQ(PixelOfPaint(3, 3), 0xC56A31u);
  EXPECT_EQ(PixelOfPaint(76, 20), 0xC56A31u);
  // Half see-through black over the parent's colour: half of it shows.
  panel->SetColor(0x0000FF);
  label->SetSkinSection("HALFCLEAR");
  EXPECT_TRUE(Near(PixelOfPaint(3, 3), 0x80, 0, 0)) << std::hex << PixelOfPaint(3, 3);
  label->SetSkinSection("NO SUCH SECTION");
  EXPECT_EQ(PixelOfPaint(3, 3), gui::clWhite);
}

TEST_F(SkinnedLabel, TheTextColourFollowsTheSkinsRulesForItsPlace) {
  EXPECT_EQ(label->GetTextColor(), gui::TColor(manager->Palette()[kPaletteLabelText])) << "no section";
  label->SetSkinSection("SELECTION");
  EXPECT_EQ(label->GetTextColor(), 0xFFFFFFu) << "its own opaque section's font colour";
  // A see-through section asks what lies below: an unskinned parent leaves it its own
  // font colour,
  panel->Font().SetColor(0x123456);
  label->Font().SetColor(0x000080);
  label->SetSkinSection("HALFCLEAR");
  EXPECT_EQ(label->GetTextColor(), 255u);
  // a skinned parent gives its section's.
  auto* skinned = new TSkinnedPanel(form.get(), "SELECTION");
  skinned->SetParent(panel);
  skinned->SetBounds(100, 40, 150, 100);
  skinned->HandleNeeded();
  skinned->Data->Loaded(false);
  TsLabel* over = OnParent(skinned, "HALFCLEAR");
  EXPECT_EQ(over->GetTextColor(), 0xFFFFFFu);

  label->SetUseSkinColor(false);
  EXPECT_EQ(label->GetTextColor(), 0x000080u);
  label->SetEnabled(false);
  EXPECT_EQ(label->GetTextColor(), gui::TColor(MixColors(0x000080, 0xFFFFFF, 100))) << "mixed into the parent";
}

TEST_F(SkinnedLabel, SkinCommandAnswers) {
  // The opaque section below is asked of the parent, for records of our own senders only.
  auto* skinned = new TSkinnedPanel(form.get(), "SELECTION");
  skinned->SetParent(panel);
  skinned->SetBounds(0, 0, 150, 100);
  skinned->HandleNeeded();
  skinned->Data->Loaded(false);
  TsLabel* over = OnParent(skinned, "HALFCLEAR");
  TacOpaqueSectionQuery q;
  q.Rect = over->BoundsRect();
  q.SkinManager = manager.get();
  EXPECT_EQ(over->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETOPAQUESECTION), reinterpret_cast<LPARAM>(&q)), 0);
  EXPECT_EQ(q.SkinIndex, -1) << "a record nobody holds is not touched";
  {
    TacCommandRecord hold(&q);
    over->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETOPAQUESECTION), reinterpret_cast<LPARAM>(&q));
  }
  EXPECT_EQ(q.SkinIndex, manager->GetSkinIndex("SELECTION"));

  // Removing the skin gives back the parent's font the main font replaced.
  ASSERT_TRUE(label->ParentFont());
  Command(AC_REFRESH);
  label->SetParentFont(false);
  label->Font().SetName("Courier New");
  Command(AC_REMOVESKIN);
  EXPECT_TRUE(label->ParentFont());
  EXPECT_EQ(label->Font().Name(), panel->Font().Name());

  // The main font reaches a label that still shows the default one.
  label->SetParentFont(false);
  label->Font().SetName(manager->GetDefaultFontName());
  manager->SetMainFont("Courier New", false);
  Command(AC_FONTSCHANGED);
  EXPECT_EQ(label->Font().Name(), "Courier New");
  // and one that has just been loaded.
  TsLabel* loaded = OnParent(panel, "");
  loaded->SetParentFont(false);
  loaded->Font().SetName(manager->GetDefaultFontName());
  loaded->Loaded();
  EXPECT_EQ(loaded->Font().Name(), "Courier New");

  EXPECT_EQ(Command(AC_OPAQUEPAINTING), 1) << "painted over while a skin is loaded";
  label->ControlStyle |= gui::csOpaque;
  form.reset();
  manager.reset();
  gui::TForm plain(nullptr);
  auto* l = new TsLabel(&plain);
  l->SetParent(&plain);
  EXPECT_EQ(l->Perform(SM_ALPHACMD, MakeSkinCommand(AC_OPAQUEPAINTING), 0), 1);
  l->ControlStyle |= gui::csOpaque;
  EXPECT_EQ(l->Perform(SM_ALPHACMD, MakeSkinCommand(AC_OPAQUEPAINTING), 0), 0) << "an opaque label without a skin";
}

TEST(EditLabel, ItsEditForgetsItWhenItGoes) {
  gui::TForm form(nullptr);
  TacBoundLabelRef bound;
  auto* l = new TsEditLabel(&form);
  l->SetParent(&form);
  l->SetCaption("Nama <b>jemaat</b>");
  EXPECT_EQ(l->PlainCaption(), "Nama jemaat");
  bound.Label = bound.CaptionLabel = l;
  l->BoundLabel = &bound;
  delete l;
  EXPECT_EQ(bound.Label, nullptr);
  EXPECT_EQ(bound.CaptionLabel, nullptr);
  EXPECT_EQ(form.ControlCount(), 0);
}
