// Skinned controls at run time, under Wine with a skin manager made by the test on the
// project's test skin: the skin state published on the window, the direct dispatch, the
// broadcasts, the common answers to the skin commands (and the refusal of pointers that no
// sender of ours holds), hover and focus states, background answers, the glow under mouse
// capture, the fades, capturing a hidden control, colour codes, and the window hooks'
// contract with a fake form provider.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "../SkinEngineEnvironment.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Subclass.h"
#include "rtl/TypInfo.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGradientGdi.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {
namespace {

using gui::TMessage;

const std::string kSkins = std::string("Z:") + KORVAN_TEST_SKIN;

// A panel skinned as a window hook does it: its own commands first (it paints its cache in
// one colour on command 23, when it has one), then the common answers, then its own procedure.
class TSkinnedPanel : public gui::TPanel {
  KORVAN_CLASS(TSkinnedPanel)
 public:
  TSkinnedPanel(rtl::TComponent* owner, const std::string& section, uint8_t kind = 0, bool cache = true)
      : gui::TPanel(owner) {
    Data = std::make_unique<TsCommonData>(this, cache);
    Data->FControlKind = kind;
    Data->SetSkinSection(section);
  }
  ~TSkinnedPanel() override { Data.reset(); }
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      // A hook that cannot paint leaves its picture marked out of date.
      if (m.WParamHi() == AC_PREPARECACHE && CacheColor == clNone) return;
      if (m.WParamHi() == AC_PREPARECACHE) {
        ++Prepared;
        Data->AllocCache();
        FillRectOnDC(Data->FCache->Canvas().Handle(), gui::Rect(0, 0, Width(), Height()), gui::TColor(CacheColor));
      }
      if (ProcessSkinCommand(m, Data.get())) return;
    } else if (ProcessSkinDataMessage(m, Data.get())) {
      return;
    }
    gui::TPanel::WndProc(m);
  }
  std::unique_ptr<TsCommonData> Data;
  uint32_t CacheColor = clNone;  // clNone: command 23 paints nothing
  int Prepared = 0;
};

// A windowless control that records the skin commands and prints it receives.
class TRecorder : public gui::TGraphicControl {
 public:
  using gui::TGraphicControl::TGraphicControl;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) Commands.push_back(m.WParamHi());
    if (m.Msg == WM_PRINT) ++Prints;
    gui::TGraphicControl::WndProc(m);
  }
  void MarkAsDying() { MarkDestroying(); }
  std::vector<int> Commands;
  int Prints = 0;
};

// Glow effects that only record what they were asked.
class TRecordingGlow : public TacGlowEffects {
 public:
  int ShowGlowEffect(const gui::TRect&, const std::string&, const std::string& image, TsCommonData*, HWND, uint8_t,
                     int) override {
    Shown.push_back(image);
    return int(Shown.size()) - 1;
  }
  void HideGlowEffect(int& id, bool) override {
    ++Hidden;
    id = -1;
  }
  void SetGlowEffectAlpha(int, uint8_t alpha) override { Alphas.push_back(alpha); }
  std::vector<std::string> Shown;
  std::vector<int> Alphas;
  int Hidden = 0;
};

// A form with a manager holding the test skin, a parent panel and skinned children.
class Controls : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = skintest::TestSkinManager(kSkins);
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = std::make_unique<gui::TForm>(nullptr);
    form->SetBounds(0, 0, 320, 240);
    parent = new gui::TPanel(form.get());
    parent->SetParent(form.get());
    parent->SetBounds(0, 0, 300, 200);
    parent->SetColor(gui::clWhite);
    SetGlowEffects(&glow);
  }
  void TearDown() override {
    SetGlowEffects(nullptr);
    form.reset();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  TSkinnedPanel* Skinned(const std::string& section, uint8_t kind = 0, bool cache = true,
                         gui::TWinControl* on = nullptr) {
    auto* p = new TSkinnedPanel(form.get(), section, kind, cache);
    p->SetParent(on ? on : parent);
    p->SetBounds(20, 30, 40, 24);
    p->HandleNeeded();
    p->Data->Loaded(false);
    return p;
  }
  static LRESULT Command(HWND h, WORD cmd, LPARAM l = 0, WORD lo = 0) {
    return SendMessageDirect(h, SM_ALPHACMD, MakeSkinCommand(cmd, lo), l);
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<gui::TForm> form;
  gui::TPanel* parent = nullptr;
  TRecordingGlow glow;
};

// ---------------------------------------------------------------- the state on the window

TEST_F(Controls, TheWindowPropertyLivesAndGoesWithTheState) {
  TSkinnedPanel* p = Skinned("BUTTON");
  HWND h = p->Handle();
  EXPECT_EQ(GetPropW(h, L"ACSDATA"), p->Data.get());
  EXPECT_EQ(GetWindowSkinData(h), p->Data.get());
  EXPECT_TRUE(IsWndSkinned(h));
  EXPECT_TRUE(IsControlSkinned(p, true));
  EXPECT_EQ(p->Data->SkinSection(), "BUTTON");
  EXPECT_EQ(p->Data->FSkinIndex, manager->GetSkinIndex("BUTTON"));
  p->Data.reset();
  EXPECT_EQ(GetPropW(h, L"ACSDATA"), nullptr);
  EXPECT_FALSE(IsControlSkinned(p, false));
}

TEST_F(Controls, DirectDispatchAnswersAsSendingDoesButSkipsTheQueue) {
  TSkinnedPanel* p = Skinned("BUTTON");
  HWND h = p->Handle();
  for (WORD cmd : {AC_CTRLHANDLED, AC_GETSCALE, AC_BGVARIES, AC_OPAQUEPAINTING})
    EXPECT_EQ(Command(h, cmd), SendMessageW(h, SM_ALPHACMD, MakeSkinCommand(cmd), 0)) << cmd;
  // A window without the state: plain SendMessage.
  parent->SetCaption("abc");
  EXPECT_EQ(SendMessageDirect(parent->Handle(), WM_GETTEXTLENGTH, 0, 0), 3);
  // The state's procedure is called straight, without the window's.
  int direct = 0;
  p->Data->FWndProc = [&](TMessage& m) {
    ++direct;
    m.Result = 77;
  };
  EXPECT_EQ(Command(h, AC_GETSCALE), 77);
  EXPECT_EQ(direct, 1);
  EXPECT_EQ(SendMessageW(h, SM_ALPHACMD, MakeSkinCommand(AC_GETSCALE), 0), 96);
  EXPECT_FALSE(IsSkinCommandTrue(h, AC_CTRLHANDLED)) << "an answer of 77 is not 1";
  // A state that knows no procedure yet learns the control's on the first control message.
  p->Data->FWndProc = nullptr;
  EXPECT_EQ(SendControlSkinCommand(p, AC_GETSCALE), 96);
  EXPECT_TRUE(p->Data->FWndProc);
  EXPECT_TRUE(IsSkinCommandTrue(h, AC_CTRLHANDLED));

  // A windowed control without a handle gets nothing and gets no handle.
  auto* later = new gui::TPanel(form.get());
  EXPECT_EQ(SendControlSkinCommand(later, AC_CTRLHANDLED), 0);
  EXPECT_FALSE(later->HandleAllocated());
}

TEST_F(Controls, ABroadcastStopsAtAChildBeingDestroyed) {
  TRecorder* r[3];
  for (auto*& x : r) {
    x = new TRecorder(form.get());
    x->SetParent(parent);
  }
  r[1]->MarkAsDying();
  TMessage m;
  m.Msg = SM_ALPHACMD;
  m.WParam = MakeSkinCommand(AC_REPAINT);
  BroadcastMessage(parent, m);
  EXPECT_EQ(r[0]->Commands, std::vector<int>{AC_REPAINT});
  EXPECT_TRUE(r[1]->Commands.empty());
  EXPECT_TRUE(r[2]->Commands.empty()) << "a live child after the dying one is not reached";
}

// ---------------------------------------------------------------- the common answers

TEST_F(Controls, TheCommonAnswers) {
  TSkinnedPanel* p = Skinned("BUTTON");
  p->CacheColor = 0x00FFFFFF;
  HWND h = p->Handle();
  struct Case {
    WORD Cmd;
    LRESULT Expected;
  };
  const Case cases[] = {
      {AC_CTRLHANDLED, 1},         {AC_GETSCALE, 96},  {AC_BGVARIES, 1},       {AC_OPAQUEPAINTING, 1},
      {AC_GETPARTLYPAINTED, 0},    {AC_PREPARING, 0},  {AC_GETSKINDATA, LRESULT(p->Data.get())},
      {AC_GETAPPLICATION, LRESULT(gui::Application)},  {24, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Command(h, c.Cmd), c.Expected) << "command " << c.Cmd;

  Command(h, AC_SETPARTLYPAINTED);
  EXPECT_EQ(Command(h, AC_GETPARTLYPAINTED), 1);
  Command(h, AC_SETUPDATING, 0, 1);
  EXPECT_EQ(Command(h, AC_PREPARING), 1);
  Command(h, AC_SETUPDATING, 0, 0);

  // Records passed by a sender of ours are filled.
  int32_t rec[2] = {0, -7};
  gui::TRect bounds;
  {
    TacCommandRecord hold1(rec), hold2(&bounds);
    Command(h, AC_GETSKININDEXTO, LPARAM(rec));
    Command(h, AC_GETBOUNDS, LPARAM(&bounds));
  }
  EXPECT_EQ(rec[1], p->Data->FSkinIndex);
  EXPECT_EQ(bounds, gui::Bounds(20, 30, 40, 24));

  // Command 2 for another manager changes nothing; for its own it removes the skin and is
  // left for the window's own procedure too.
  TMessage m;
  m.Msg = SM_ALPHACMD;
  m.WParam = MakeSkinCommand(AC_REMOVESKIN);
  m.LParam = LPARAM(1);
  EXPECT_TRUE(ProcessSkinCommand(m, p->Data.get()));
  EXPECT_GE(p->Data->FSkinIndex, 0);
  m.LParam = LPARAM(manager.get());
  EXPECT_FALSE(ProcessSkinCommand(m, p->Data.get()));
  EXPECT_EQ(p->Data->FSkinIndex, -1);
}

TEST_F(Controls, TheBackgroundColourMixesWithTheParentsAnswer) {
  // State-0 colour 0 at transparency 50 over a white parent: 0 + (255 * 50 shr 8) = 49.
  TSkinnedPanel* half = Skinned("HALFCLEAR");
  EXPECT_EQ(uint32_t(Command(half->Handle(), AC_GETCONTROLCOLOR)) & 0xFFFFFF, 0x313131u);
  // Opaque: the section's colour; fully transparent: the parent's colour.
  TSkinnedPanel* edit = Skinned("EDIT");
  EXPECT_EQ(uint32_t(Command(edit->Handle(), AC_GETCONTROLCOLOR)), 0xFFFFFFu);
  TSkinnedPanel* check = Skinned("CHECKBOX");
  EXPECT_EQ(uint32_t(Command(check->Handle(), AC_GETCONTROLCOLOR)), uint32_t(gui::clWhite));
  EXPECT_EQ(GetControlColor(half) & 0xFFFFFF, 0x313131u);
  EXPECT_EQ(GetControlColor(nullptr), 0xFF00FFu);
  EXPECT_EQ(GetWindowColor(nullptr), 0xFF00FFu);
}

TEST_F(Controls, PointersOnlyFromOurOwnSenders) {
  TSkinnedPanel* p = Skinned("BUTTON");
  HWND h = p->Handle();
  // Another program can post or send our message with any number as the pointer.
  gui::TRect bounds{1, 2, 3, 4};
  EXPECT_EQ(SendMessageW(h, SM_ALPHACMD, MakeSkinCommand(AC_GETBOUNDS), LPARAM(&bounds)), 0);
  EXPECT_EQ(bounds, (gui::TRect{1, 2, 3, 4})) << "an unheld record is not written";
  std::string section = "EDIT";
  EXPECT_EQ(SendMessageW(h, SM_ALPHACMD, MakeSkinCommand(AC_SETSECTION), LPARAM(&section)), 0);
  EXPECT_EQ(p->Data->SkinSection(), "BUTTON");
  for (WORD cmd : {AC_GETBG, AC_GETOPAQUESECTION, AC_SETSECTION, AC_GETSKININDEXTO, AC_GETSCALEDSKIN, AC_SECTIONREFRESH})
    PostMessageW(h, SM_ALPHACMD, MakeSkinCommand(cmd), LPARAM(0x1234));
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(p->Data->SkinSection(), "BUTTON");
  // The same record held by its sender is taken.
  {
    TacCommandRecord hold(&section);
    EXPECT_EQ(SendMessageW(h, SM_ALPHACMD, MakeSkinCommand(AC_SETSECTION), LPARAM(&section)), 1);
  }
  EXPECT_EQ(p->Data->SkinSection(), "EDIT");
  EXPECT_FALSE(IsCommandRecord(&section));
}

// ---------------------------------------------------------------- states

TEST_F(Controls, KindsThatAreNeverHot) {
  struct Case {
    uint8_t Kind;
    bool Hovered, Focused, Enabled;
    int State;
  };
  const Case cases[] = {
      {0, true, false, true, 1},   {19, true, false, true, 0}, {60, true, false, true, 0},
      {5, true, false, true, 0},   {231, true, false, true, 0}, {5, false, true, true, 1},
      {0, false, false, true, 0},  {0, true, true, false, 0},
  };
  for (const Case& c : cases) {
    TSkinnedPanel* p = Skinned("BUTTON", c.Kind);
    p->Data->FHovered = c.Hovered;
    p->Data->FFocused = c.Focused;
    p->SetEnabled(c.Enabled);
    EXPECT_EQ(p->Data->CurrentState(), c.State) << "kind " << int(c.Kind);
  }
  // Mouse enter never marks a kind that takes no hover.
  TSkinnedPanel* bar = Skinned("BUTTON", 19);
  bar->Perform(gui::CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(bar->Data->FHovered);
  // A focused panel stays normal.
  TSkinnedPanel* focused = Skinned("BUTTON");
  form->Show();
  SetFocus(focused->Handle());
  EXPECT_EQ(GetFocus(), focused->Handle());
  EXPECT_EQ(focused->Data->CurrentState(), 0);
  form->Hide();
}

TEST_F(Controls, DefaultSectionsByKindAndSectionNames) {
  TSkinnedPanel* p = Skinned("", 230);
  EXPECT_EQ(p->Data->SkinSection(), "EDIT");
  TSkinnedPanel* q = Skinned("", 200);
  EXPECT_EQ(q->Data->SkinSection(), "TSKINNEDPANEL") << "an unlisted kind takes its owner's class name";
  q->Data->SetSkinSection("edit");
  EXPECT_EQ(q->Data->SkinSection(), "EDIT");
  EXPECT_EQ(q->Data->FSkinIndex, manager->GetSkinIndex("EDIT"));
  q->Data->SetSkinManager(manager.get());
  EXPECT_FALSE(q->Data->SkinManagerStored()) << "the default manager is not stored";
  q->SetBounds(0, 0, -5, 0);
  q->Data->AllocCache();
  EXPECT_EQ(q->Data->FCache->Width(), 0);
  EXPECT_EQ(q->Data->FCache->Height(), 0);
}

// ---------------------------------------------------------------- backgrounds

TEST_F(Controls, BackgroundAnswersOfSeeThroughControls) {
  // Fully transparent, without cache and without parent: the skin's global colour.
  auto alone = std::make_unique<TSkinnedPanel>(nullptr, "CHECKBOX", 0, false);
  alone->Data->Loaded(false);
  TacBackgroundQuery q;
  alone->Data->FillBackgroundQuery(q, 0);
  EXPECT_EQ(q.Kind, bkColor);
  EXPECT_EQ(q.Color, manager->GetGlobalColor());

  // With a parent: the parent's answer, moved by the control's place.
  parent->SetColor(gui::clNavy);
  TSkinnedPanel* check = Skinned("CHECKBOX", 0, false);
  q = {};
  check->Data->FillBackgroundQuery(q, 0);
  EXPECT_EQ(q.Kind, bkColor);
  EXPECT_EQ(q.Color, uint32_t(gui::clNavy));
  EXPECT_EQ(q.OffsetX, 20);
  EXPECT_EQ(q.OffsetY, 30);

  // Half transparent without cache: fuchsia; with a cache that paints: its picture.
  TSkinnedPanel* half = Skinned("CHILDBUTTON", 0, false);
  q = {};
  half->Data->FillBackgroundQuery(q, 0);
  EXPECT_EQ(q.Kind, bkColor);
  EXPECT_EQ(q.Color, 0xFF00FFu);
  TSkinnedPanel* cached = Skinned("CHILDBUTTON");
  q = {};
  cached->Data->FillBackgroundQuery(q, 0);
  EXPECT_EQ(q.Kind, bkNotReady) << "a cache that nothing paints is not ready";
  cached->CacheColor = 0x00336699;
  cached->Data->FCacheInvalid = true;  // what changes the look marks the picture out of date
  q = {};
  cached->Data->FillBackgroundQuery(q, 0);
  ASSERT_EQ(q.Kind, bkBitmap);
  ASSERT_NE(q.Bitmap, nullptr);
  EXPECT_EQ(q.Bitmap->At(5, 5) & 0xFFFFFF, 0x996633u);
  EXPECT_GE(cached->Prepared, 1);

  // Fully transparent with a cache: the cache once prepared, else the parent's colour.
  TSkinnedPanel* full = Skinned("CHECKBOX");
  q = {};
  full->Data->FillBackgroundQuery(q, 0);
  EXPECT_EQ(q.Kind, bkColor);
  EXPECT_EQ(q.Color, uint32_t(gui::clNavy));
  full->CacheColor = 0x00112233;
  full->Data->FCacheInvalid = true;
  q = {};
  full->Data->FillBackgroundQuery(q, 0);
  EXPECT_EQ(q.Kind, bkBitmap);
}

// ---------------------------------------------------------------- glow and fades

TEST_F(Controls, NoGlowWhileTheMouseIsCaptured) {
  manager->Effects.AllowAnimation = false;
  TSkinnedPanel* p = Skinned("BUTTON");
  p->Data->FHovered = true;
  p->Data->UpdateGlow(false, p->Handle(), -1, false, 255);
  ASSERT_EQ(glow.Shown.size(), 1u);
  EXPECT_EQ(glow.Shown[0], "GLOW");
  EXPECT_EQ(p->Data->FGlowID, 0);
  p->Data->FHovered = false;
  p->Data->UpdateGlow(false, p->Handle(), -1, false, 255);
  EXPECT_EQ(p->Data->FGlowID, -1);

  p->Data->FHovered = true;
  form->Show();
  SetCapture(parent->Handle());
  p->Data->UpdateGlow(false, p->Handle(), -1, false, 255);
  ReleaseCapture();
  form->Hide();
  EXPECT_EQ(glow.Shown.size(), 1u) << "no glow under a mouse capture";
  EXPECT_EQ(p->Data->FGlowID, -1);
}

TEST(Fades, StepCountsOfEachStart) {
  struct Case {
    double Alpha;
    int Kind;
    bool Fast;
    int Running;
    int StepCount;
    int StepIndex;
    double Step;
  };
  const Case cases[] = {
      {300, 1, false, -1, 1, 6, 0},           // clamped to 255: max(1, 0) steps
      {-5, 1, false, -1, 6, 0, 42.5},         // clamped to 0
      {255, 0, false, -1, 18, 0, 255.0 / 18},  // back to normal: three times as many
      {255, 0, true, -1, 9, 0, 255.0 / 9},
      {255, 2, false, -1, 6, 0, 42.5},
      {128, 1, false, 1, 6, 0, 127.0 / 6},    // while running to hot: six steps
      {128, 0, false, 1, 18, 9, 128.0 / 18},  // back from halfway: Round(127 * 18 / 255) done
  };
  for (const Case& c : cases) {
    TacThreadedTimer t(nullptr);
    t.FAlpha = c.Alpha;
    t.FAnimKind = c.Running;
    t.StartAnimation(nullptr, 0, FadeStep, c.Kind, c.Fast);
    EXPECT_EQ(t.FStepCount, c.StepCount) << c.Alpha << " kind " << c.Kind;
    EXPECT_EQ(t.FStepIndex, c.StepIndex) << c.Alpha << " kind " << c.Kind;
    EXPECT_DOUBLE_EQ(t.FStep, c.Step) << c.Alpha << " kind " << c.Kind;
    EXPECT_EQ(t.Interval(), 12u);
    EXPECT_EQ(t.FAnimKind, c.Kind);
    EXPECT_EQ(t.FOldKind, c.Running);
    EXPECT_TRUE(t.Enabled());
  }
  TacThreadedTimer* fresh = nullptr;
  EXPECT_EQ(InitAnimTimer(fresh, nullptr, 0), 0);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->FAlpha, 255);
  fresh->FAnimKind = 0;
  fresh->FStepIndex = 5;
  EXPECT_EQ(InitAnimTimer(fresh, nullptr, 1), 13);
  delete fresh;
}

TEST_F(Controls, AFadeBackAlwaysEndsAtAlphaZero) {
  TSkinnedPanel* p = Skinned("BUTTON");
  p->CacheColor = 0x00FFFFFF;
  Command(p->Handle(), AC_PREPARECACHE);
  p->Data->FGlowID = 0;
  // Halfway to hot when the mouse leaves.
  p->Data->FAnimTimer = new TacThreadedTimer(p);
  p->Data->FAnimTimer->FAlpha = 128;
  p->Data->FAnimTimer->FAnimKind = 1;
  p->Data->FAnimTimer->FStepIndex = 3;
  p->Data->FCacheInvalid = false;
  StartFade(p->Data.get(), 0, FadeStep, false);
  TacThreadedTimer* t = p->Data->FAnimTimer;
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->FStepCount, 18);
  // A second start towards the same state changes nothing.
  const int index = t->FStepIndex;
  StartFade(p->Data.get(), 0, FadeStep, false);
  EXPECT_EQ(t->FStepIndex, index);
  int ticks = 0;
  while (t->Enabled() && ticks < 100) {
    t->Tick();
    ++ticks;
  }
  EXPECT_LT(ticks, 100);
  EXPECT_FALSE(t->Enabled());
  EXPECT_EQ(t->FAnimKind, -1) << "the fade back stopped itself";
  EXPECT_EQ(p->Data->FGlowID, -1) << "and hid the glow";
  ASSERT_FALSE(glow.Alphas.empty());
  for (size_t i = 1; i < glow.Alphas.size(); ++i) EXPECT_LE(glow.Alphas[i], glow.Alphas[i - 1]);
  EXPECT_LT(glow.Alphas.back(), 10);
}

// ---------------------------------------------------------------- capture

TEST_F(Controls, AHiddenControlIsCapturedAsWhatLiesBehindIt) {
  parent->SetColor(gui::clNavy);
  auto* hidden = new TRecorder(form.get());
  hidden->SetParent(parent);
  hidden->SetBounds(10, 10, 20, 20);
  hidden->SetVisible(false);
  auto bmp = CreateBitmap32(64, 64);
  FillRectOnDC(bmp->Canvas().Handle(), gui::Rect(0, 0, 64, 64), gui::clWhite);
  PaintControlToBitmap(*bmp, hidden, 10, 10, false);
  EXPECT_EQ(GetPixel(bmp->Canvas().Handle(), 15, 15), RGB(0, 0, 128));
  EXPECT_EQ(GetPixel(bmp->Canvas().Handle(), 5, 5), RGB(255, 255, 255));
  EXPECT_EQ(hidden->Prints, 0);

  // Under a skinned parent that answers with its picture, the picture's pixels.
  TSkinnedPanel* host = Skinned("BUTTON");
  host->CacheColor = 0x00008000;
  host->SetBounds(0, 0, 60, 60);
  Command(host->Handle(), AC_PREPARECACHE);
  auto* inner = new TRecorder(form.get());
  inner->SetParent(host);
  inner->SetBounds(4, 4, 8, 8);
  inner->SetVisible(false);
  PaintControlToBitmap(*bmp, inner, 40, 40, false);
  EXPECT_EQ(GetPixel(bmp->Canvas().Handle(), 44, 44), RGB(0, 128, 0));
  EXPECT_EQ(GetPixel(bmp->Canvas().Handle(), 39, 39), RGB(255, 255, 255));
}

TEST_F(Controls, APagesChildrenAreCapturedInsideItsMargin) {
  auto* pages = new gui::TPageControl(form.get());
  pages->SetParent(parent);
  pages->SetBounds(0, 0, 200, 150);
  auto* page = new gui::TTabSheet(form.get());
  page->SetPageControl(pages);
  page->SetBorderWidth(8);
  auto* onPage = new gui::TPanel(form.get());
  onPage->SetParent(page);
  onPage->SetBounds(0, 0, 20, 20);
  onPage->SetColor(gui::clNavy);
  form->Show();
  ASSERT_TRUE(page->HandleAllocated());
  EXPECT_EQ(page->ClientWidth(), page->Width() - 16) << "the margin is kept out of the client area";
  auto bmp = CreateBitmap32(page->Width(), page->Height());
  HDC dc = bmp->Canvas().Handle();
  FillRectOnDC(dc, gui::Rect(0, 0, page->Width(), page->Height()), gui::clWhite);
  PaintControlToBitmap(*bmp, page, 0, 0, false);
  EXPECT_EQ(GetPixel(dc, 12, 12), RGB(0, 0, 128)) << "the child where it shows on screen";
  EXPECT_NE(GetPixel(dc, 3, 3), RGB(0, 0, 128)) << "nothing of it in the margin";
  EXPECT_EQ(GetPixel(dc, 24, 24), RGB(0, 0, 128));
  EXPECT_NE(GetPixel(dc, 29, 29), RGB(0, 0, 128)) << "and it ends where it does on screen";
  // On screen the margin shows the page's colour.
  page->SetColor(gui::clYellow);
  guitest::LiftOverOtherTests(form->Handle());
  RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  HDC screen = GetWindowDC(page->Handle());
  EXPECT_EQ(GetPixel(screen, 2, 2), RGB(255, 255, 0));
  EXPECT_EQ(GetPixel(screen, page->Width() - 3, page->Height() - 3), RGB(255, 255, 0));
  ReleaseDC(page->Handle(), screen);
  form->Hide();
}

// A tool bar's button as its class is known to the engine: by class name and published style.
class TToolButton : public gui::TGraphicControl {
  KORVAN_CLASS(TToolButton)
 public:
  using gui::TGraphicControl::TGraphicControl;
  int Style = 0;  // button, check, drop-down, separator, divider
};

TEST_F(Controls, OnlyAToolBarsSeparatorsArePaintedWithTheWindowlessControls) {
  static const bool registered = (rtl::RegisterOrdProperty<TToolButton>(
                                      "Style", [](TToolButton* b) { return b->Style; },
                                      [](TToolButton* b, int64_t v) { b->Style = int(v); }),
                                  true);
  ASSERT_TRUE(registered);
  auto* button = new TToolButton(form.get());
  button->SetParent(parent);
  button->SetBounds(10, 10, 23, 22);
  auto bmp = CreateBitmap32(100, 100);
  const std::pair<int, bool> cases[] = {{0, false}, {1, false}, {2, false}, {3, true}, {4, true}};
  for (const auto& [style, painted] : cases) {
    button->Style = style;
    EXPECT_EQ(IsPaintableGraphicControl(button, bmp->Canvas().Handle()), painted) << "style " << style;
  }
}

TEST_F(Controls, EndOfAParentsUpdateReachesEachChildUnlessAnimating) {
  TRecorder* r = new TRecorder(form.get());
  r->SetParent(parent);
  AnimationInProgress = true;
  EndUpdateChildControls(parent);
  EXPECT_TRUE(r->Commands.empty());
  AnimationInProgress = false;
  EndUpdateChildControls(parent);
  EXPECT_EQ(r->Commands, std::vector<int>{AC_ENDPARENTUPDATE});
}

TEST_F(Controls, WindowMessagesKeepTheStateInStep) {
  TSkinnedPanel* p = Skinned("BUTTON");
  p->CacheColor = 0x00FFFFFF;
  Command(p->Handle(), AC_PREPARECACHE);
  TMessage m;
  m.Msg = WM_UPDATEUISTATE;
  EXPECT_TRUE(ProcessSkinDataMessage(m, p->Data.get())) << "no focus-cue repaint by the system";

  p->Data->FHovered = p->Data->FFocused = true;
  p->Data->FCacheInvalid = false;
  p->SetEnabled(false);
  EXPECT_FALSE(p->Data->FHovered);
  EXPECT_FALSE(p->Data->FFocused);
  EXPECT_TRUE(p->Data->FCacheInvalid);

  WINDOWPOS wp{p->Handle(), nullptr, 0, 0, 41, 24, SWP_NOMOVE | SWP_NOZORDER};
  m.Msg = WM_WINDOWPOSCHANGING;
  m.LParam = LPARAM(&wp);
  ProcessSkinDataMessage(m, p->Data.get());
  EXPECT_EQ(p->Data->FStateFlags & (sfWidthChanged | sfHeightChanged), sfWidthChanged);

  // Hidden under the memory-saving option: the picture goes, the children drop theirs.
  auto* child = new TRecorder(form.get());
  child->SetParent(p);
  manager->Options.OptimizingPriority = TacOptimizingPriority::opMemory;
  ASSERT_FALSE(p->Data->CacheEmpty());
  p->Perform(gui::CM_VISIBLECHANGED, 0, 0);
  EXPECT_TRUE(p->Data->CacheEmpty());
  EXPECT_EQ(child->Commands, std::vector<int>{AC_CLEARCACHE});
}

// ---------------------------------------------------------------- painters of the state

TEST_F(Controls, ASectionPaintedForAControlIsTheSectionWithItsColours) {
  TSkinnedPanel* p = Skinned("BUTTON");
  TacBackgroundCache white;
  white.FillColor = 0xFFFFFF;
  auto mine = CreateBitmap32(40, 24), plain = CreateBitmap32(40, 24);
  const gui::TRect r = gui::Rect(0, 0, 40, 24);
  PaintControlSection(*p->Data, white, 1, r, {0, 0}, *mine);
  TBitmap32 master = Pixels32(*manager->MasterBitmap());
  TGdiGradientFills fills(plain->Canvas().Handle());
  TacSectionSource src{p->Data->GetScaledSkin(), &master, &fills};
  TBitmap32 plainPx = Pixels32(*plain), minePx = Pixels32(*mine);
  PaintSkinSection(src, p->Data->FSkinIndex, white, 1, r, {0, 0}, plainPx);
  int differ = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x) differ += minePx.At(x, y) != plainPx.At(x, y);
  EXPECT_EQ(differ, 0) << "without colour effects the control's section is the section";

  // A colour tone changes the painted pixels; a hue turned by 180 degrees leaves the key
  // colour as it is.
  p->Data->FColorTone = 0x0000FF;
  PaintControlSection(*p->Data, white, 1, r, {0, 0}, *mine);
  minePx = Pixels32(*mine);
  EXPECT_NE(minePx.At(20, 12) & 0xFFFFFF, plainPx.At(20, 12) & 0xFFFFFF);
  auto keyed = CreateBitmap32(4, 1);
  TBitmap32 k = Pixels32(*keyed);
  k.At(0, 0) = 0x00FF00FF;  // the key colour
  k.At(1, 0) = 0xFFFF0000;  // red
  p->Data->FColorTone = clNone;
  p->Data->FHueOffset = 180;
  ApplyColorEffects(*keyed, *p->Data, clNone, 0);
  EXPECT_EQ(k.At(0, 0) & 0xFFFFFF, 0xFF00FFu);
  EXPECT_EQ(k.At(1, 0) & 0xFFFFFF, 0x00FFFFu);

  // A control that keeps its own colour paints it in place of the skin's.
  TSkinnedPanel* edit = Skinned("EDIT");
  edit->SetColor(gui::clRed);
  edit->Data->FCustomColor = true;
  auto own = CreateBitmap32(40, 24);
  PaintControlSection(*edit->Data, white, 0, r, {0, 0}, *own);
  EXPECT_EQ(Pixels32(*own).At(20, 12) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(Controls, AControlsCaptionTakesItsStatesColours) {
  auto bmp = CreateBitmap32(60, 30);
  gui::TCanvas& c = bmp->Canvas();
  auto count = [&](COLORREF color) {
    int n = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 60; ++x) n += GetPixel(c.Handle(), x, y) == color;
    return n;
  };
  auto write = [&](TsCommonData* d, bool enabled) {
    FillRectOnDC(c.Handle(), gui::Rect(0, 0, 60, 30), gui::clWhite);
    c.Font().SetHeight(-20);
    c.Font().SetColor(gui::clBlue);
    WriteControlText(c, "MW", enabled, gui::Rect(0, 0, 60, 30), DT_LEFT | DT_TOP | DT_SINGLELINE, d, 0, false);
  };
  TSkinnedPanel* half = Skinned("HALFCLEAR");  // font colour 255: red
  write(half->Data.get(), true);
  EXPECT_GT(count(RGB(255, 0, 0)), 10);
  EXPECT_EQ(count(RGB(0, 0, 255)), 0);
  half->Data->FCustomFont = true;  // its own font colour
  write(half->Data.get(), true);
  EXPECT_GT(count(RGB(0, 0, 255)), 10);
  EXPECT_EQ(count(RGB(255, 0, 0)), 0);
  write(nullptr, false);  // unskinned and disabled: the embossed look
  EXPECT_GT(count(GetSysColor(COLOR_BTNSHADOW)), 10);
}

TEST_F(Controls, AWebButtonsCaptionIsUnderlinedWhenHotAndItsGlowStaysInItsRectangle) {
  TSkinnedPanel* web = Skinned("WEBBUTTON");
  TSkinnedPanel* other = Skinned("HALFCLEAR");
  web->Data->AllocCache();
  gui::TBitmap& cache = *web->Data->FCache;
  gui::TCanvas& c = cache.Canvas();
  const gui::TRect r = gui::Rect(8, 4, 32, 20);
  auto write = [&](TsCommonData* d, int state, bool glow) {
    FillRectOnDC(c.Handle(), gui::Rect(0, 0, cache.Width(), cache.Height()), gui::clWhite);
    c.Font().SetStyle(0);
    c.Font().SetHeight(-12);
    WriteControlText(c, "M", true, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, d, state, glow);
    GdiFlush();
  };
  struct Case {
    TsCommonData* data;
    int state;
    bool underlined;
  } cases[] = {{web->Data.get(), 0, false}, {web->Data.get(), 1, true}, {web->Data.get(), 2, true},
               {other->Data.get(), 1, false}};
  for (const Case& k : cases) {
    write(k.data, k.state, false);
    EXPECT_EQ((c.Font().Style() & gui::fsUnderline) != 0, k.underlined) << k.data->SkinSection() << " " << k.state;
  }

  write(web->Data.get(), 0, true);
  int greenInside = 0, outside = 0;
  for (int y = 0; y < cache.Height(); ++y)
    for (int x = 0; x < cache.Width(); ++x) {
      const COLORREF p = GetPixel(c.Handle(), x, y);
      if (r.Contains(gui::TPoint(x, y)))
        greenInside += GetGValue(p) > GetRValue(p) + 20;
      else
        outside += p != RGB(255, 255, 255);
    }
  EXPECT_GT(greenInside, 0) << "the section's green glow around the text";
  EXPECT_EQ(outside, 0) << "nothing of it beyond the text's rectangle";
}

TEST_F(Controls, TheCacheIsCopiedExceptWhereChildrenCoverIt) {
  TSkinnedPanel* host = Skinned("PANEL");
  host->SetBounds(0, 0, 120, 60);
  host->Data->AllocCache();
  FillRectOnDC(host->Data->FCache->Canvas().Handle(), gui::Rect(0, 0, 120, 60), gui::clRed);
  auto child = [&](gui::TControl* c, int x, bool opaque) {
    c->SetParent(host);
    c->SetBounds(x, 10, 20, 20);
    if (opaque)
      c->ControlStyle |= gui::csOpaque;
    else
      c->ControlStyle &= ~gui::csOpaque;
    return c;
  };
  child(new gui::TPanel(form.get()), 0, true);                  // opaque: kept out
  child(new gui::TPanel(form.get()), 25, false);                // see-through: the cache shows
  child(new TRecorder(form.get()), 50, false);                  // windowless: kept out
  child(new gui::TPanel(form.get()), 75, true)->SetVisible(false);  // hidden: the cache shows
  auto target = CreateBitmap32(120, 60);
  HDC dc = target->Canvas().Handle();
  const auto copy = [&] {
    FillRectOnDC(dc, gui::Rect(0, 0, 120, 60), gui::clWhite);
    PaintCacheExceptChildren(host, host->Data.get(), {0, 0}, 0, 0, false, dc, gui::Rect(0, 0, 120, 60));
    return std::vector<COLORREF>{GetPixel(dc, 10, 20), GetPixel(dc, 35, 20), GetPixel(dc, 60, 20), GetPixel(dc, 85, 20),
                                 GetPixel(dc, 110, 50)};
  };
  const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
  EXPECT_EQ(copy(), (std::vector<COLORREF>{white, red, white, red, red}));
  manager->Options.SetOption(5, true);  // windowless children shown through the image
  EXPECT_EQ(copy(), (std::vector<COLORREF>{white, red, red, red, red}));
  manager->Options.SetOption(5, false);

  // The same over child windows: every visible one is kept out whole.
  HWND own = host->Handle();
  for (int i = 0; i < host->ControlCount(); ++i)
    if (auto* w = dynamic_cast<gui::TWinControl*>(host->Controls(i))) w->HandleNeeded();
  HWND bare = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 100, 0, 20, 20, own, nullptr, nullptr, nullptr);
  form->Show();
  FillRectOnDC(dc, gui::Rect(0, 0, 120, 60), gui::clWhite);
  PaintCacheExceptChildWindows(own, host->Data.get(), {0, 0}, 0, 0, false, dc, gui::Rect(0, 0, 120, 60));
  EXPECT_EQ(GetPixel(dc, 10, 20), white) << "the windowed panels are child windows too";
  EXPECT_EQ(GetPixel(dc, 35, 20), white);
  EXPECT_EQ(GetPixel(dc, 60, 20), red) << "a windowless control has no window";
  EXPECT_EQ(GetPixel(dc, 85, 20), red) << "hidden";
  EXPECT_EQ(GetPixel(dc, 110, 10), white);
  EXPECT_EQ(GetPixel(dc, 110, 50), red);
  form->Hide();
  DestroyWindow(bare);
}

TEST_F(Controls, OuterEffectsAroundAControlRepaintWithoutDarkening) {
  TSkinnedPanel* p = Skinned("GLOWPANEL");
  p->SetBounds(30, 30, 20, 20);
  auto host = CreateBitmap32(100, 100);
  FillRectOnDC(host->Canvas().Handle(), gui::Rect(0, 0, 100, 100), gui::clWhite);
  TacOuterTarget target{host.get(), {0, 0}, 2};
  auto paint = [&](WORD argument) {
    TacCommandRecord hold(&target);
    p->Perform(SM_ALPHACMD, MakeSkinCommand(AC_PAINTOUTER, argument), LPARAM(&target));
  };
  paint(0);
  EXPECT_EQ(Pixels32(*host).At(10, 10) & 0xFFFFFF, 0xFFFFFFu) << "invisible effects paint nothing";
  p->Data->OuterEffects().SetVisibility(TacOuterVisibility::ovAlways);
  paint(0);
  ASSERT_TRUE(p->Data->FOuterCache);
  EXPECT_EQ(Pixels32(*p->Data->FOuterCache).At(0, 0) & 0xFFFFFF, 0xFFFFFFu) << "the parent's pixels are kept";
  auto snapshot = [&] {
    std::vector<uint32_t> v;
    TBitmap32 px = Pixels32(*host);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) v.push_back(px.At(x, y) & 0xFFFFFF);
    return v;
  };
  const std::vector<uint32_t> once = snapshot();
  EXPECT_NE(std::count(once.begin(), once.end(), 0xFFFFFFu), 100 * 100) << "the effect is drawn around the control";
  paint(1);
  EXPECT_EQ(snapshot(), once) << "a repaint first puts the parent's pixels back";
}

TEST_F(Controls, TheRegionLeavesOutTheTransparentCornersOnly) {
  TSkinnedPanel* p = Skinned("BUTTON");
  auto bmp = CreateBitmap32(40, 24);
  FillRectOnDC(bmp->Canvas().Handle(), gui::Rect(0, 0, 40, 24), gui::clWhite);
  HRGN rgn = CreateSkinRegion(p->Data->FSkinIndex, *bmp, *p->Data);
  ASSERT_NE(rgn, nullptr);
  TBitmap32 px = Pixels32(*bmp);
  struct Case {
    int X, Y;
    bool Inside;
  };
  // The button's element has a 2 x 2 transparent top-left corner.
  for (const Case& c : {Case{0, 0, false}, Case{1, 1, false}, Case{2, 0, true}, Case{0, 2, true}, Case{39, 23, true}}) {
    EXPECT_EQ(PtInRegion(rgn, c.X, c.Y) != FALSE, c.Inside) << c.X << "," << c.Y;
    EXPECT_EQ(px.At(c.X, c.Y) == 0, !c.Inside) << c.X << "," << c.Y;
  }
  DeleteObject(rgn);
  TSkinnedPanel* plain = Skinned("HALFCLEAR");
  EXPECT_EQ(CreateSkinRegion(plain->Data->FSkinIndex, *bmp, *plain->Data), nullptr) << "no border element";
}

// ---------------------------------------------------------------- colours

TEST(Colours, CodesWithoutAnyManager) {
  ASSERT_EQ(DefaultManager(), nullptr);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ColorToSkinRGB(0xFF00000F), uint32_t(face));
  EXPECT_EQ(ColorToSkinRGB(0xFFD5D5FF), 0xD5D5FFu);
  EXPECT_EQ(ColorToSkinRGB(0x00123456), 0x123456u);
}

TEST_F(Controls, CodesWithALoadedSkin) {
  EXPECT_EQ(ColorToSkinRGB(0xFF00000F), 0xDDDDDDu) << "button face: the skin's colour";
  EXPECT_EQ(ColorToSkinRGB(0xFF000018), 13434879u) << "info background: the HINT section";
  EXPECT_EQ(ColorToSkinRGB(0x00123456), 0x123456u);
}

// ---------------------------------------------------------------- hooks and the provider

// A minimal hook as the control-hook layer builds them: it answers the section index.
class TTestHook : public TacMainWnd {
 public:
  int Own = 0;

 protected:
  bool HandleSkinCommand(TMessage& m) override {
    if (m.WParamHi() != AC_GETSKININDEX) return false;
    ++Own;
    m.Result = DefaultManager()->GetSkinIndex("PANEL") + 1;
    return true;
  }
};

// A form provider stand-in: it takes controls into its adapter (command 25) when their
// sender holds them.
class TFakeProvider : public gui::TWindowSubclass {
 public:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && m.WParamHi() == AC_ADDTOADAPTER) {
      if (IsCommandRecord(reinterpret_cast<void*>(m.LParam))) Taken.push_back(reinterpret_cast<gui::TControl*>(m.LParam));
      return;
    }
    CallPrevious(m);
  }
  std::vector<gui::TControl*> Taken;
};

TEST_F(Controls, AWindowHookAndAFormProviderFollowTheContract) {
  HWND bare = CreateWindowExW(0, L"STATIC", L"hooked", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent->Handle(), nullptr,
                              nullptr, nullptr);
  HWND inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, bare, nullptr, nullptr, nullptr);
  std::vector<int> innerCommands;
  struct TInner : gui::TWindowSubclass {
    std::vector<int>* Seen;
    void WndProc(TMessage& m) override {
      if (m.Msg == SM_ALPHACMD) Seen->push_back(m.WParamHi());
      CallPrevious(m);
    }
  } sub;
  sub.Seen = &innerCommands;
  sub.Bind(inner);

  TTestHook hook;
  hook.Attach(bare);
  EXPECT_EQ(GetWindowSkinData(bare), nullptr) << "published only after creation";
  hook.AfterCreation();
  TsCommonData* d = GetWindowSkinData(bare);
  ASSERT_EQ(d, hook.SkinData());
  EXPECT_FALSE(d->FLoading);
  EXPECT_EQ(SendSkinCommand(bare, AC_GETHOOK), LRESULT(static_cast<TacWindowHook*>(&hook)));
  d->UpdateSkinIndex(true);
  EXPECT_EQ(hook.Own, 1);
  EXPECT_EQ(d->FSkinIndex, manager->GetSkinIndex("PANEL"));
  EXPECT_EQ(SendSkinCommand(bare, AC_CTRLHANDLED), 1) << "the common answer";
  EXPECT_EQ(SendMessageW(bare, WM_GETTEXTLENGTH, 0, 0), 6) << "the rest reaches the window's own procedure";
  SendSkinCommand(bare, AC_REFRESH, LPARAM(manager.get()));
  EXPECT_EQ(innerCommands, std::vector<int>{AC_REFRESH}) << "skin changes reach the child windows";
  EXPECT_EQ(hook.CallWndProc(SM_ALPHACMD, MakeSkinCommand(AC_GETSCALE), 0), 96);

  TFakeProvider provider;
  form->HandleNeeded();
  provider.Bind(form->Handle());
  TSkinnedPanel* p = Skinned("BUTTON");
  EXPECT_EQ(provider.Taken, std::vector<gui::TControl*>{p}) << "Loaded offers the control to its form's adapter";
  PostMessageW(form->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_ADDTOADAPTER), LPARAM(parent));
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(provider.Taken.size(), 1u) << "a posted pointer is not taken";
  provider.Unbind();
  DestroyWindow(bare);
  EXPECT_EQ(hook.SkinData()->FWnd, nullptr);
}

}  // namespace
}  // namespace skin
