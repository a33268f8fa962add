// A skinned form's title interaction under Wine, driven through the provider's handlers:
// hit tests over the title buttons, the caption, the icon and the frame; a press and
// release over close; hover fading in the hot glyph in its click-through halo; the skinned and
// the native system menu; maximized bounds; active and inactive titles; the un-stretch of
// a form; and the extended border window (size, place, region, bands, shadow).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "../SkinHarness.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "report/Render.h"
#include "rtl/Utf.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acCaptForm.h"
#include "skin/forms/acGlow.h"
#include "skin/forms/acMinTimer.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {
namespace {

using gui::TFormBorderStyle;
using gui::TMessage;

const std::string kSkins = std::string("Z:") + KORVAN_FORM_SKINS;
const std::string kOut = std::string("Z:") + KORVAN_FORMS_OUT + "/";
constexpr uint32_t kTitleActive = 0x0080C0, kTitleInactive = 0x004080;

uint32_t Rgb(gui::TBitmap& bmp, int x, int y) {
  GdiFlush();
  return Pixels32(bmp).At(x, y) & 0xFFFFFF;
}
gui::TPoint Centre(const gui::TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

void Pump(DWORD ms) { skintest::TSkinHarness::Pump(ms); }

class TitleInteraction : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = skintest::TestSkinManager(kSkins, "Korvan Forms");
    ASSERT_TRUE(manager->IsSkinLoaded());
    // The providers here are placed by the tests: the window-creation hook makes none.
    manager->SetSkinningRules(srStdDialogs);
  }
  void TearDown() override {
    ClearGlowEffects(true);
    forms.clear();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  // A shown form with its provider, its image built and its skinned frame on the screen.
  TsSkinProvider* NewSkinnedForm(TFormBorderStyle style = TFormBorderStyle::bsSizeable,
                                 unsigned icons = gui::biSystemMenu | gui::biMinimize | gui::biMaximize) {
    forms.push_back(std::make_unique<gui::TForm>(nullptr));
    form = forms.back().get();
    form->BorderStyle = style;
    form->BorderIcons = icons;
    form->SetCaption("Jemaat");
    form->SetBounds(120, 100, 360, 220);
    form->HandleNeeded();
    auto* p = new TsSkinProvider(form);
    form->Show();
    Pump(30);
    Repaint(p);
    return p;
  }
  // The form's system commands are noted and kept from the system, whose move loop would
  // wait for the mouse.
  void CatchSysCommands() {
    savedProc = form->WindowProc;
    form->WindowProc = [this](TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND) {
        sysCommands.push_back(m.WParam);
        return;
      }
      savedProc(m);
    };
  }
  void ReleaseSysCommands() { form->WindowProc = savedProc; }
  std::vector<WPARAM> sysCommands;
  gui::TWndMethod savedProc;
  // A skinned form whose frame a border window carries, dragged with or without a blend.
  TsSkinProvider* NewBorderedForm(bool blendOnMoving) {
    manager->SetExtendedBorders(true);
    manager->AnimEffects.BlendOnMoving.Active = blendOnMoving;
    return NewSkinnedForm();
  }
  void Repaint(TsSkinProvider* p) {
    p->SkinData()->FCacheInvalid = true;
    EXPECT_TRUE(p->PrepareCache());
    HDC dc = GetWindowDC(form->Handle());
    p->PaintNonClient(dc);
    ReleaseDC(form->Handle(), dc);
  }
  // A form point on the screen.
  POINT Screen(gui::TPoint p) {
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    return {wr.left + p.X, wr.top + p.Y};
  }
  static TMessage Msg(UINT msg, WPARAM w, POINT at) {
    TMessage m{};
    m.Msg = msg;
    m.WParam = w;
    m.LParam = MAKELPARAM(at.x, at.y);
    return m;
  }
  int32_t HitAt(TsSkinProvider* p, gui::TPoint formPoint) {
    TMessage m = Msg(WM_NCHITTEST, 0, Screen(formPoint));
    p->WMNCHitTest(m);
    return int32_t(m.Result);
  }
  // What the screen shows, read again until two reads agree (Wine hands the pixels on late).
  void SaveShot(HWND wnd, const std::string& name, gui::TBitmap& shot) {
    guitest::ShotOfWindow(wnd, shot, false);
    for (int look = 0; look < 20; ++look) {
      MsgWaitForMultipleObjectsEx(0, nullptr, 50, 0, 0);
      gui::TBitmap again;
      guitest::ShotOfWindow(wnd, again, false);
      if (skintest::TSkinHarness::SamePixels(shot, again)) break;
      guitest::ShotOfWindow(wnd, shot, false);
    }
    report::SaveBitmapToPng(shot, kOut + name + ".png");
  }
  std::unique_ptr<TsSkinManager> manager;
  std::vector<std::unique_ptr<gui::TForm>> forms;
  gui::TForm* form = nullptr;
};

// ---------------------------------------------------------------- hit tests

TEST_F(TitleInteraction, HitTestsOverEachTitleButtonTheCaptionTheIconAndTheFrame) {
  TsSkinProvider* p = NewSkinnedForm();
  RECT wr;
  GetWindowRect(form->Handle(), &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  const int b = p->GetBorderWidth(true);
  ASSERT_GT(b, 0);
  struct Case { const char* what; gui::TPoint at; int32_t code; };
  const Case cases[] = {
      {"close", Centre(p->CloseBtn.Rect), HTCLOSE},
      {"maximize", Centre(p->MaxBtn.Rect), HTMAXBUTTON},
      {"minimize", Centre(p->MinBtn.Rect), HTMINBUTTON},
      {"icon", Centre(p->IconRect), HTSYSMENU},
      {"caption", {w / 2, p->TitleVCenter}, HTCAPTION},
      {"left border", {0, h / 2}, HTLEFT},
      {"right border", {w - 1, h / 2}, HTRIGHT},
      {"bottom border", {w / 2, h - 1}, HTBOTTOM},
      {"bottom right corner", {w - 1, h - 1}, HTBOTTOMRIGHT},
      {"client (the system's answer)", {w / 2, h / 2}, HTCLIENT},
  };
  for (const Case& c : cases) EXPECT_EQ(HitAt(p, c.at), c.code) << c.what;
  TMessage probe = Msg(WM_NCHITTEST, 0, Screen(Centre(p->CloseBtn.Rect)));
  EXPECT_EQ(p->HitTest(probe), HTCLOSE) << "the skin's own answer";

  EnableMenuItem(GetSystemMenu(form->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
  TMessage disabled = Msg(WM_NCHITTEST, 0, Screen(Centre(p->CloseBtn.Rect)));
  EXPECT_EQ(p->HitTest(disabled), HTCAPTION) << "a disabled close button drags the title";
}

// ---------------------------------------------------------------- clicks

TEST_F(TitleInteraction, PressAndReleaseOverCloseSendsTheCloseCommand) {
  struct Case { const char* what; bool releaseOverClose, refuse, closed; };
  const Case cases[] = {{"released over close", true, false, true},
                        {"released outside", false, false, false},
                        {"the form refuses", true, true, false}};
  for (const Case& c : cases) {
    TsSkinProvider* p = NewSkinnedForm();
    std::vector<WPARAM> commands;
    auto prev = form->WindowProc;
    form->WindowProc = [&, prev](TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND) commands.push_back(m.WParam & 0xFFF0);
      prev(m);
    };
    form->OnCloseQuery = [&](rtl::TObject*, bool& canClose) { canClose = !c.refuse; };
    const POINT close = Screen(Centre(p->CloseBtn.Rect));
    TMessage down = Msg(WM_NCLBUTTONDOWN, HTCLOSE, close);
    p->WMNCLButtonDown(down);
    EXPECT_EQ(p->CloseBtn.State, 2) << c.what << ": drawn pressed";
    EXPECT_TRUE(p->ButtonPressed) << c.what;
    TMessage up = c.releaseOverClose ? Msg(WM_NCLBUTTONUP, HTCLOSE, close) : Msg(WM_LBUTTONUP, MK_LBUTTON, {10, 10});
    p->WMNCLButtonUp(up);
    Pump(20);
    EXPECT_EQ(!IsWindowVisible(form->Handle()), c.closed) << c.what;
    EXPECT_EQ(commands.size(), c.releaseOverClose ? 1u : 0u) << c.what;
    if (!commands.empty()) EXPECT_EQ(commands[0], WPARAM(SC_CLOSE)) << c.what;
    EXPECT_FALSE(p->ButtonPressed) << c.what;
    if (c.refuse) {
      EXPECT_EQ(p->CloseBtn.State, 0) << "a refusing form shows its close button normal again";
      EXPECT_EQ(p->HotItem, 0);
    }
    form->OnCloseQuery = nullptr;
    form->WindowProc = prev;
  }
}

TEST_F(TitleInteraction, HoverDrawsTheHotGlyphWithAClickThroughHalo) {
  TsSkinProvider* p = NewSkinnedForm();
  ASSERT_TRUE(manager->Effects.AllowGlowing);
  gui::TBitmap& cache = *p->SkinData()->FCache;
  const gui::TRect r = p->CloseBtn.Rect;
  gui::TBitmap normal;
  normal.SetSize(r.Width(), r.Height());
  BitBlt(normal.Canvas().Handle(), 0, 0, r.Width(), r.Height(), cache.Canvas().Handle(), r.Left, r.Top, SRCCOPY);

  // The fade looks at the real pointer once it has stepped in: it must be over the button.
  const POINT over = Screen(Centre(r));
  SetCursorPos(over.x, over.y);
  TMessage move = Msg(WM_NCMOUSEMOVE, HTCLOSE, over);
  p->WMNCMouseMove(move);
  EXPECT_EQ(move.WParam, WPARAM(HTCLOSE));
  EXPECT_EQ(p->HotItem, HTCLOSE);
  EXPECT_EQ(p->CloseBtn.State, 1);
  // The hot look fades in over the button; the title image underneath keeps its rest look.
  TacSBAnimation* fade = p->CloseBtn.Animation;
  ASSERT_NE(fade, nullptr);
  EXPECT_TRUE(fade->Enabled()) << "stepping on its timer";
  EXPECT_EQ(p->CloseBtn.GlowId, -1) << "the fade is the halo: no second one";
  int changed = 0;
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) changed += Rgb(normal, x, y) != Rgb(cache, r.Left + x, r.Top + y);
  EXPECT_EQ(changed, 0);
  for (int i = 0; i < 40 && fade->StepCount != -1; ++i) fade->Tick();
  EXPECT_EQ(fade->StepCount, -1) << "the hot look reached full strength";
  EXPECT_EQ(fade->State, 1);

  // The halo: the fade's layered window, which takes no mouse, around the button.
  ASSERT_TRUE(fade->Window && fade->Window->HandleAllocated());
  HWND halo = fade->Window->Handle();
  EXPECT_TRUE(IsWindowVisible(halo));
  const LONG_PTR ex = GetWindowLongPtrW(halo, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
  const POINT c = Screen(Centre(r));
  EXPECT_EQ(SendMessageW(halo, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), LRESULT(HTTRANSPARENT));
  TacSkinData* sd = p->SkinData()->GetScaledSkin();
  const int margin = sd->TitleBtnGlowMargins[p->CloseBtn.GlyphIndex];
  ASSERT_GT(margin, 0);
  const TsMaskData& e = sd->Masks[size_t(sd->TitleBtnGlows[p->CloseBtn.GlyphIndex][0])];
  const POINT tl = Screen({r.Left, r.Top});
  RECT gr;
  GetWindowRect(halo, &gr);
  EXPECT_EQ(gr.left, tl.x - margin) << "reaching past the button by the glow margin";
  EXPECT_EQ(gr.top, tl.y - margin);
  EXPECT_EQ(gr.right - gr.left, e.FrameWidth);
  EXPECT_EQ(gr.bottom - gr.top, e.FrameHeight);
  ASSERT_TRUE(fade->Image);
  GdiFlush();
  TBitmap32 halo32 = Pixels32(*fade->Image);
  EXPECT_GT(halo32.At(halo32.Width() / 2, halo32.Height() / 2) >> 24, 0u) << "the glowing glyph is in the picture";
  gui::TBitmap shot;
  SaveShot(form->Handle(), "hover_close", shot);
  report::SaveBitmapToPng(*fade->Image, kOut + "hover_close_halo.png");

  TMessage client = Msg(WM_MOUSEMOVE, 0, {50, 50});
  p->WMMouseMove(client);
  EXPECT_EQ(p->HotItem, 0);
  EXPECT_EQ(p->CloseBtn.State, 0);
  ASSERT_EQ(p->CloseBtn.Animation, fade) << "the same fade turns round";
  EXPECT_FALSE(fade->Rising);
  for (int i = 0; i < 40 && fade->State != -1; ++i) fade->Tick();
  EXPECT_EQ(fade->State, -1);
  EXPECT_FALSE(fade->Window) << "the halo goes with the hover";
  EXPECT_FALSE(fade->Enabled());
}

TEST_F(TitleInteraction, HoverAndPressDrawTheHelpButtonsStates) {
  // The help glyph of the test skin has three different states.
  // Without glowing the title repaints a button at once, in its new state.
  manager->Effects.AllowGlowing = false;
  TsSkinProvider* p = NewSkinnedForm(TFormBorderStyle::bsDialog, gui::biSystemMenu | gui::biHelp);
  const gui::TRect r = p->HelpBtn.Rect;
  ASSERT_FALSE(r.Right <= r.Left);
  gui::TBitmap& cache = *p->SkinData()->FCache;
  auto look = [&] {
    std::vector<uint32_t> px;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) px.push_back(Rgb(cache, x, y));
    return px;
  };
  const std::vector<uint32_t> normal = look();
  TMessage move = Msg(WM_NCMOUSEMOVE, HTHELP, Screen(Centre(r)));
  p->WMNCMouseMove(move);
  EXPECT_EQ(p->HotItem, HTHELP);
  const std::vector<uint32_t> hot = look();
  EXPECT_NE(hot, normal) << "the hot glyph";
  TMessage down = Msg(WM_NCLBUTTONDOWN, HTHELP, Screen(Centre(r)));
  p->WMNCLButtonDown(down);
  const std::vector<uint32_t> pressed = look();
  EXPECT_NE(pressed, hot) << "the pressed glyph";
  gui::TBitmap shot;
  SaveShot(form->Handle(), "help_pressed", shot);
  EXPECT_EQ(Rgb(shot, r.Left + 2, r.Top + 2), Rgb(cache, r.Left + 2, r.Top + 2)) << "repainted on the screen";
  TMessage leave{};
  leave.Msg = WM_MOUSELEAVE;
  p->WMMouseLeave(leave);
  EXPECT_EQ(p->HotItem, -1);
  EXPECT_FALSE(p->ButtonPressed);
  EXPECT_EQ(look(), normal) << "back to normal when the mouse leaves";
}

TEST_F(TitleInteraction, HiddenHalosLeaveTheirIndexesBehind) {
  TsSkinProvider* p = NewSkinnedForm();
  TacSkinData* sd = p->SkinData()->GetScaledSkin();
  const std::vector<int32_t>& mask = sd->TitleBtnGlows[1];
  const gui::TRect r{200, 200, 220, 220};
  int a = ShowGlowEffectByMask(r, mask, 3, 255, form->Handle(), p->SkinData());
  int b = ShowGlowEffectByMask(r, mask, 3, 255, form->Handle(), p->SkinData());
  ASSERT_GE(a, 0);
  EXPECT_EQ(b, a + 1);
  GlowEffectList().HideGlowEffect(a, false);
  EXPECT_EQ(a, -1);
  const int c = ShowGlowEffectByMask(r, mask, 3, 255, form->Handle(), p->SkinData());
  EXPECT_EQ(c, b + 1) << "a hidden halo's index is not given again";
  EXPECT_NE(GlowEffectList().Effect(b), nullptr);
  EXPECT_EQ(ShowGlowEffectByMask(r, {}, 3, 255, form->Handle(), p->SkinData()), -1);
  ClearGlowEffects(true);
  EXPECT_TRUE(GlowEffectList().Effects.empty());
}

std::vector<BYTE>* g_alphas = nullptr;
HWND g_alphaWnd = nullptr;
TUpdateLayeredWindow g_realAlphaUpdate = nullptr;
BOOL WINAPI RecordAlpha(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                        BLENDFUNCTION* blend, DWORD flags) {
  if (g_alphas && blend && wnd == g_alphaWnd) g_alphas->push_back(blend->SourceConstantAlpha);
  return g_realAlphaUpdate(wnd, dst, pos, size, src, srcPos, key, blend, flags);
}

TEST_F(TitleInteraction, AnAnimatedHideFadesTheHaloOutBeforeItGoes) {
  TsSkinProvider* p = NewSkinnedForm();
  // A control's halo: its skin state's timer runs the fade.
  auto* panel = new gui::TPanel(form);
  panel->SetParent(form);
  TsCommonData control(panel, false);
  TsCommonData* data = &control;
  ASSERT_NE(data->GetSkinManager(), nullptr);
  const std::vector<int32_t>& mask = p->SkinData()->GetScaledSkin()->TitleBtnGlows[1];
  const gui::TRect r{640, 420, 660, 440};  // clear of the places other tests read from the screen
  data->FGlowID = ShowGlowEffectByMask(r, mask, 3, 255, form->Handle(), data);
  const int id = data->FGlowID;
  ASSERT_GE(id, 0);
  ASSERT_TRUE(GlowEffectList().Effect(id)->FGlowForm);
  std::vector<BYTE> alphas;
  g_alphas = &alphas;
  g_alphaWnd = GlowEffectList().Effect(id)->FGlowForm->Handle();
  g_realAlphaUpdate = UpdateLayeredWindowProc;
  UpdateLayeredWindowProc = RecordAlpha;
  GlowEffectList().HideGlowEffect(data->FGlowID, true);
  EXPECT_EQ(data->FGlowID, id) << "the halo stays while it fades";
  ASSERT_NE(GlowEffectList().Effect(id), nullptr);
  ASSERT_NE(data->FAnimTimer, nullptr);
  EXPECT_TRUE(data->FAnimTimer->FGlowOnly);
  GlowEffectList().HideGlowEffect(data->FGlowID, true);  // a second hide leaves the running fade alone
  for (int tick = 0; tick < 40 && GlowEffectList().Effect(id); ++tick) data->FAnimTimer->Tick();
  UpdateLayeredWindowProc = g_realAlphaUpdate;
  g_alphas = nullptr;
  EXPECT_EQ(GlowEffectList().Effect(id), nullptr) << "gone at the fade's end";
  EXPECT_EQ(data->FGlowID, -1);
  ASSERT_GE(alphas.size(), 3u) << "several steps";
  EXPECT_GT(alphas.front(), alphas.back());
  EXPECT_TRUE(std::is_sorted(alphas.rbegin(), alphas.rend())) << "always fainter";
  EXPECT_LT(alphas.back(), 60);

  // A control busy with a fade of its own look loses its halo at once.
  data->FGlowID = ShowGlowEffectByMask(r, mask, 3, 255, form->Handle(), data);
  ASSERT_GE(data->FGlowID, 0);
  data->FAnimTimer->FGlowOnly = 0;
  GlowEffectList().HideGlowEffect(data->FGlowID, true);
  EXPECT_EQ(data->FGlowID, -1);
}

// ---------------------------------------------------------------- system menu

struct TMenuSeen {
  bool Opened = false;
  RECT Rect{};
  std::vector<std::string> Items;
  std::vector<bool> Grayed;
  HWND Form = nullptr;
  bool SizeGrayedInWindowMenu = false;
  bool OwnerDrawn = false;  // the skinned menus paint it
  std::string Shot;
};
TMenuSeen* g_seen = nullptr;

// Reads the open popup menu, then closes it.
void CALLBACK ReadMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  KillTimer(nullptr, id);
  g_seen->Opened = true;
  GetWindowRect(popup, &g_seen->Rect);
  if (HMENU menu = HMENU(SendMessageW(popup, 0x01E1 /* MN_GETHMENU */, 0, 0))) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[128] = {};
      GetMenuStringW(menu, UINT(i), text, 127, MF_BYPOSITION);
      g_seen->Items.push_back(rtl::U8(text));
      g_seen->Grayed.push_back(GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_GRAYED);
    }
    MENUITEMINFOW mi{sizeof(mi)};
    mi.fMask = MIIM_FTYPE;
    g_seen->OwnerDrawn = GetMenuItemInfoW(menu, 0, TRUE, &mi) && (mi.fType & MFT_OWNERDRAW);
  }
  const UINT size = GetMenuState(GetSystemMenu(g_seen->Form, FALSE), SC_SIZE, MF_BYCOMMAND);
  g_seen->SizeGrayedInWindowMenu = size != UINT(-1) && (size & MF_GRAYED);
  gui::TBitmap shot;
  guitest::ShotOfWindow(popup, shot, false);
  report::SaveBitmapToPng(shot, kOut + g_seen->Shot + ".png");
  EndMenu();
}

TEST_F(TitleInteraction, ARightClickOnTheCaptionOpensTheSkinnedSystemMenuAtTheRelease) {
  manager->SetSkinnedPopups(true);
  TsSkinProvider* p = NewSkinnedForm();
  AppendMenuW(GetSystemMenu(form->Handle(), FALSE), MF_STRING, 0x120, L"Tentang\tCtrl+T");
  TMenuSeen seen;
  seen.Form = form->Handle();
  seen.Shot = "system_menu_skinned";
  g_seen = &seen;
  const POINT at = Screen({180, p->TitleVCenter});
  TMessage down = Msg(WM_NCRBUTTONDOWN, HTCAPTION, at);
  p->WMNCRButtonDown(down);
  EXPECT_TRUE(p->RightClickPending);
  EXPECT_FALSE(seen.Opened) << "nothing opens on the press";
  SetTimer(nullptr, 0, 30, ReadMenu);
  TMessage up = Msg(WM_NCRBUTTONUP, HTCAPTION, at);
  p->WMNCRButtonUp(up);
  g_seen = nullptr;
  EXPECT_FALSE(p->RightClickPending);
  ASSERT_TRUE(seen.Opened);
  EXPECT_EQ(seen.Rect.left, at.x);
  EXPECT_EQ(seen.Rect.top, at.y);
  const std::vector<std::string> want = {"Restore", "Move", "Size", "Minimize", "Maximize", "", "Tentang\tCtrl+T", "",
                                         "Close\tAlt+F4"};
  ASSERT_EQ(seen.Items.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i)
    if (!want[i].empty()) {
      std::string text = seen.Items[i];
      std::erase(text, '&');
      EXPECT_NE(text.find(want[i].substr(0, want[i].find('\t'))), std::string::npos) << text;
    }
  EXPECT_TRUE(seen.OwnerDrawn) << "painted by the skinned menus";
  EXPECT_TRUE(seen.Grayed[0]) << "restore is greyed on a normal form";
  EXPECT_FALSE(seen.Grayed[4]) << "maximize is allowed";

  // The added entry sends its own command back.
  std::vector<WPARAM> commands;
  auto prev = form->WindowProc;
  form->WindowProc = [&, prev](TMessage& m) {
    if (m.Msg == WM_SYSCOMMAND) commands.push_back(m.WParam);
    prev(m);
  };
  gui::TMenuItem* extra = nullptr;
  for (int i = 0; i < p->SystemMenu->Items()->Count(); ++i)
    if (p->SystemMenu->Items()->Items(i)->Tag == 0x120) extra = p->SystemMenu->Items()->Items(i);
  ASSERT_NE(extra, nullptr);
  extra->Click();
  Pump(20);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0], WPARAM(0x120));
  form->WindowProc = prev;
}

// The provider's system menu opened at (300, 200), read and closed again.
TMenuSeen OpenSystemMenu(TsSkinProvider* p, HWND form, const std::string& shot) {
  TMenuSeen seen;
  seen.Form = form;
  seen.Shot = shot;
  g_seen = &seen;
  SetTimer(nullptr, 0, 30, ReadMenu);
  p->ShowSystemMenu(300, 200);
  g_seen = nullptr;
  return seen;
}

TEST_F(TitleInteraction, TheNativeSystemMenuOfAMaximizedFormGreysSize) {
  manager->SetSkinnedPopups(false);
  TsSkinProvider* p = NewSkinnedForm();
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  Pump(30);
  const TMenuSeen seen = OpenSystemMenu(p, form->Handle(), "system_menu_native_maximized");
  ASSERT_TRUE(seen.Opened);
  EXPECT_FALSE(seen.OwnerDrawn) << "the window's own menu, as the system draws it";
  EXPECT_TRUE(seen.SizeGrayedInWindowMenu);
  ShowWindow(form->Handle(), SW_RESTORE);
}

TEST_F(TitleInteraction, TheSystemMenuListsTheSkinsAndTheProgramsOwnSubMenu) {
  manager->SetSkinnedPopups(true);
  TsSkinProvider* p = NewSkinnedForm();
  // The program's sub-menu: one entry with a shortcut and a click of its own.
  gui::TPopupMenu own(nullptr);
  auto* print = new gui::TMenuItem(&own);
  print->SetName("Cetak");
  print->SetCaption("Cetak");
  print->SetShortCut(gui::TShortCut(gui::scCtrl | 'P'));
  int printed = 0;
  print->OnClick = [&](rtl::TObject*) { ++printed; };
  own.Items()->Add(print);
  p->SysSubMenu.Caption = "Alat";
  p->SysSubMenu.PopupMenu = &own;
  p->MakeSkinMenu = true;
  // Two more skins beside the loaded folder skin.
  const std::string dir = std::string(KORVAN_FORM_SKINS) + "/";
  const std::vector<std::string> files = {"Korvan Biru.asz", "Korvan Lain.asz"};
  for (const std::string& f : files) CloseHandle(CreateFileW(rtl::W("Z:" + dir + f).c_str(), GENERIC_WRITE, 0, nullptr,
                                                             CREATE_ALWAYS, 0, nullptr));
  manager->SkinList().ClearList(true, false);  // listed again with them
  const TMenuSeen seen = OpenSystemMenu(p, form->Handle(), "system_menu_skins");
  for (const std::string& f : files) DeleteFileW(rtl::W("Z:" + dir + f).c_str());
  ASSERT_TRUE(seen.Opened);
  ASSERT_GE(seen.Items.size(), 4u);
  EXPECT_EQ(seen.Items[0], "Available styles");
  EXPECT_EQ(seen.Items[1], "");
  const size_t n = seen.Items.size();
  EXPECT_EQ(seen.Items[n - 3], "Alat") << "the program's sub-menu before Close";
  EXPECT_EQ(seen.Items[n - 2], "");
  EXPECT_NE(seen.Items[n - 1].find("Close"), std::string::npos);
  TsSystemMenu* menu = p->SystemMenu.get();
  gui::TMenuItem* skins = menu->Items()->Items(0);
  ASSERT_EQ(skins->Count(), 2);
  EXPECT_EQ(skins->Items(0)->Caption(), "Korvan Biru");
  EXPECT_TRUE(skins->Items(0)->RadioItem());
  ASSERT_NE(menu->SubMenuItem, nullptr);
  ASSERT_EQ(menu->SubMenuItem->Count(), 1);
  gui::TMenuItem* copy = menu->SubMenuItem->Items(0);
  EXPECT_EQ(copy->Name(), "CetakCopy");
  EXPECT_EQ(copy->ShortCut(), print->ShortCut());
  copy->Click();
  EXPECT_EQ(printed, 1) << "the copy clicks the program's own entry";

  // Choosing a skin asks the manager for it by its name.
  std::string asked;
  manager->OnSkinChanging = [&](TsSkinManager*, const std::string& name, bool& allow) {
    asked = name;
    allow = false;
  };
  skins->Items(1)->Click();
  EXPECT_EQ(asked, "Korvan Lain");
  manager->OnSkinChanging = nullptr;

  // A long list breaks into columns of twenty; the loaded skin is checked and the default.
  std::vector<std::string> names;
  for (int i = 0; i < 45; ++i) names.push_back("Kulit " + std::to_string(i));
  names[21] = manager->SkinName();
  menu->AddSkinItems(names, manager->SkinName());
  skins = menu->Items()->Items(0);
  ASSERT_EQ(skins->Count(), 45);
  EXPECT_FALSE(menu->Items()->Items(2)->Name() == "SkinSelectItem") << "the earlier list was replaced";
  for (int i = 0; i < 45; ++i) {
    EXPECT_EQ(skins->Items(i)->Break() == gui::TMenuBreak::mbBreak, i == 20 || i == 40) << i;
    EXPECT_EQ(skins->Items(i)->Checked(), i == 21) << i;
    EXPECT_EQ(skins->Items(i)->Default(), i == 21) << i;
  }
  p->SysSubMenu = {};
}

// ---------------------------------------------------------------- bounds and activation

TEST_F(TitleInteraction, AnIconicMDIChildOpensItsMenuAtTheMouse) {
  TsSkinProvider* p = NewSkinnedForm();
  form->FormStyle = gui::TFormStyle::fsMDIChild;
  ShowWindow(form->Handle(), SW_MINIMIZE);
  Pump(30);
  ASSERT_TRUE(IsIconic(form->Handle()));
  SetCursorPos(333, 277);
  TMenuSeen seen;
  seen.Form = form->Handle();
  seen.Shot = "system_menu_iconic_child";
  g_seen = &seen;
  SetTimer(nullptr, 0, 30, ReadMenu);
  TMessage up = Msg(WM_NCLBUTTONUP, HTCAPTION, {40, 700});
  p->WMNCLButtonUp(up);
  g_seen = nullptr;
  ASSERT_TRUE(seen.Opened);
  EXPECT_EQ(seen.Rect.left, 333) << "at the mouse, not at the sum of two screen points";
  EXPECT_EQ(seen.Rect.top, 277);
  form->FormStyle = gui::TFormStyle::fsNormal;
  ShowWindow(form->Handle(), SW_RESTORE);
}

// The border window comes with the form's Show() and goes with its Hide(), each time, as
// the showing is announced; a layered style left on the form by something else is dropped
// when it shows.
TEST_F(TitleInteraction, ShowingMakesTheBorderWindowAndDropsALeftoverLayeredStyle) {
  manager->SetExtendedBorders(true);
  TsSkinProvider* p = NewSkinnedForm();
  HWND wnd = form->Handle();
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle()) << "the first Show made the border window";
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    form->Hide();
    EXPECT_TRUE(!p->BorderForm || !p->BorderForm->Handle()) << "the border window goes with the form";
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    form->Show();
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_TRUE(p->BorderForm);
    HWND again = p->BorderForm->Handle();
    ASSERT_TRUE(again) << "and comes back when it shows again";
    Pump(20);
    EXPECT_TRUE(IsWindowVisible(again));
  }
}

TEST_F(TitleInteraction, MaximizedBoundsComeFromTheWorkArea) {
  TsSkinProvider* p = NewSkinnedForm();
  MINMAXINFO info{};
  TMessage m{};
  m.Msg = WM_GETMINMAXINFO;
  m.LParam = LPARAM(&info);
  p->WMGetMinMaxInfo(m);
  const gui::TRect w = GetFormWorkArea(form);
  const int f = p->GetBorderWidth(false);
  EXPECT_EQ(info.ptMaxPosition.x, -f);
  EXPECT_EQ(info.ptMaxPosition.y, -f);
  EXPECT_EQ(info.ptMaxSize.x, w.Width() + 2 * f);
  EXPECT_EQ(info.ptMaxSize.y, w.Height() + 2 * f);
}

TEST_F(TitleInteraction, ActiveAndInactiveTitles) {
  TsSkinProvider* p = NewSkinnedForm();
  gui::TForm* ours = form;
  forms.push_back(std::make_unique<gui::TForm>(nullptr));
  gui::TForm* other = forms.back().get();
  other->SetBounds(600, 450, 150, 100);
  other->Show();
  const int x = p->CaptionRect.Right + 3, y = p->TitleVCenter;
  struct Case { gui::TForm* activate; uint8_t active; uint32_t colour; const char* shot; };
  const Case cases[] = {{other, 0, kTitleInactive, "title_inactive"}, {ours, 1, kTitleActive, "title_active"}};
  for (const Case& c : cases) {
    // Other test programs on the display may hold the foreground a moment: the window is
    // activated again until its activation has arrived, first without taking the foreground
    // from them (whose own checks read it), then taking it; on a loaded machine that can take
    // a second.
    for (int tries = 0; tries < 40 && (tries == 0 || p->FormActive != c.active); ++tries) {
      if (tries >= 10) SetForegroundWindow(c.activate->Handle());
      SetActiveWindow(c.activate->Handle());
      Pump(30);
    }
    EXPECT_EQ(p->FormActive, c.active) << c.shot;
    EXPECT_EQ(Rgb(*p->SkinData()->FCache, x, y), c.colour) << c.shot;
    gui::TBitmap shot;
    form = ours;
    SaveShot(ours->Handle(), c.shot, shot);
    EXPECT_EQ(Rgb(shot, x, y), c.colour) << c.shot << " on the screen";
  }
}

TEST_F(TitleInteraction, AFormStretchedVerticallyGetsBackItsTopAndHeight) {
  TsSkinProvider* p = NewSkinnedForm();
  p->LastBounds = {120, 100, 360, 220};
  p->SetFormState(p->FormState() | psVertRestore);
  WINDOWPOS wp{form->Handle(), nullptr, 300, 0, 360, 700, SWP_NOZORDER};
  TMessage m{};
  m.Msg = WM_WINDOWPOSCHANGING;
  m.LParam = LPARAM(&wp);
  p->WMWindowPosChanging(m);
  EXPECT_EQ(wp.x, 300);
  EXPECT_EQ(wp.y, 100);
  EXPECT_EQ(wp.cy, 220) << "the saved height, not the saved top and height added";
  EXPECT_FALSE(p->FormState() & psVertRestore);
}

TEST_F(TitleInteraction, LayeredStyleAndRefusedRegionsOnADestroyedWindow) {
  TsSkinProvider* p = NewSkinnedForm();
  (void)p;
  HWND w = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(w);
  EXPECT_TRUE(TsSkinProvider::RemoveLayeredStyle(w));
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
  DestroyWindow(w);
  const DWORD start = GetTickCount();
  EXPECT_FALSE(TsSkinProvider::RemoveLayeredStyle(w)) << "a destroyed window is given up";
  EXPECT_LT(GetTickCount() - start, 1000u);
  HRGN rgn = CreateRectRgn(0, 0, 5, 5);
  EXPECT_FALSE(SetWindowRegion(w, rgn, false));
  EXPECT_EQ(GetObjectType(rgn), 0u) << "the refused region is deleted";
}

// ---------------------------------------------------------------- border window

std::vector<std::unique_ptr<gui::TBitmap>>* g_layered = nullptr;
TUpdateLayeredWindow g_realUpdate = nullptr;
BOOL WINAPI RecordUpdate(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                         BLENDFUNCTION* blend, DWORD flags) {
  if (g_layered && src && size) {
    std::unique_ptr<gui::TBitmap> copy = NewBitmap32(size->cx, size->cy);  // with its alpha
    BitBlt(copy->Canvas().Handle(), 0, 0, size->cx, size->cy, src, 0, 0, SRCCOPY);
    g_layered->push_back(std::move(copy));
  }
  return g_realUpdate(wnd, dst, pos, size, src, srcPos, key, blend, flags);
}

TEST_F(TitleInteraction, TheBorderWindowCarriesTheImageAroundTheForm) {
  manager->SetExtendedBorders(true);
  TsSkinProvider* p = NewSkinnedForm();
  // The form got its border window when it was shown; it is made again here to be watched.
  p->FreeBorderForm();
  std::vector<std::unique_ptr<gui::TBitmap>> layered;
  g_layered = &layered;
  g_realUpdate = UpdateLayeredWindowProc;
  UpdateLayeredWindowProc = RecordUpdate;
  p->UpdateExtBorders(true);
  UpdateLayeredWindowProc = g_realUpdate;
  g_layered = nullptr;
  ASSERT_TRUE(p->BorderForm);
  HWND bw = p->BorderForm->Handle();
  ASSERT_TRUE(bw);
  EXPECT_TRUE(IsWindowVisible(bw));
  EXPECT_EQ(GetWindowLongPtrW(bw, GWL_EXSTYLE), LONG_PTR(WS_EX_LAYERED));
  EXPECT_EQ(GetWindow(bw, GW_OWNER), form->Handle());

  // The test skin has a window shadow: the form lies in the middle of it.
  const TacRect s = p->GetShadowSize();
  ASSERT_GT(s.Left, 0);
  ASSERT_GT(s.Top, 0);
  RECT fr, br;
  GetWindowRect(form->Handle(), &fr);
  GetWindowRect(bw, &br);
  gui::TBitmap& cache = *p->SkinData()->FCache;
  EXPECT_EQ(br.right - br.left, cache.Width());
  EXPECT_EQ(br.bottom - br.top, cache.Height());
  // The skin's title (24) is higher than Wine's caption and frame: the border window shows the
  // rest above the form's window; the skin's frame stands out beyond the form's own frame.
  const int32_t ownFrame = p->GetBorderWidth(false), sysCaption = p->CaptionHeight(false);
  const int32_t title = p->CaptionHeight(true);
  EXPECT_EQ(title, 24) << "the skin's title";
  const int32_t extraT = p->GetExtraTitleHeight(), extraB = p->GetExtraBorderWidth();
  ASSERT_GT(extraT, 0) << "the test needs a skin title higher than the caption and frame";
  EXPECT_EQ(extraT, title - sysCaption - ownFrame);
  EXPECT_EQ(extraB, p->GetBorderWidth(true) - ownFrame);
  EXPECT_EQ(p->GetBorderWidth(true), p->GetSkinBorderWidth());
  EXPECT_EQ(br.right - br.left, (fr.right - fr.left) + 2 * extraB + s.Left + s.Right)
      << "the form, the skin's wider frame and the shadow around it";
  EXPECT_EQ(br.bottom - br.top, (fr.bottom - fr.top) + extraT + extraB + s.Top + s.Bottom);
  EXPECT_EQ(br.left, fr.left - s.Left - extraB);
  EXPECT_EQ(br.top, fr.top - s.Top - extraT);
  EXPECT_EQ(br.left, fr.left - p->BorderForm->OwnerOffsetX());
  EXPECT_EQ(br.top, fr.top - p->BorderForm->OwnerOffsetY());
  EXPECT_EQ(fr.top + ownFrame + sysCaption, br.top + s.Top + title) << "the form's caption ends with the skin's title";
  // The client hole lies over the form's client area.
  EXPECT_EQ(p->ClientOffsetX(), s.Left + p->GetBorderWidth(true));
  EXPECT_EQ(p->ClientOffsetY(), s.Top + title);
  POINT client{0, 0};
  ClientToScreen(form->Handle(), &client);
  EXPECT_EQ(br.left + p->ClientOffsetX(), client.x);
  EXPECT_EQ(br.top + p->ClientOffsetY(), client.y);
  ASSERT_FALSE(layered.empty());
  gui::TBitmap& shown = *layered.back();
  report::SaveBitmapToPng(shown, kOut + "border_window.png");
  // In the form's title state (a loaded display may have given the activation elsewhere).
  EXPECT_EQ(Rgb(shown, p->CaptionRect.Right + 3, p->TitleVCenter), p->FormActive ? kTitleActive : kTitleInactive)
      << "the title in the border window";
  // Its picture: the shadow partly transparent beside the form, the frame opaque, clear at
  // the outer corner.
  const int midY = s.Top + (fr.bottom - fr.top) / 2;
  GdiFlush();
  TBitmap32 px = Pixels32(shown);
  for (const int x : {s.Left - 1, int(br.right - br.left) - s.Right}) {
    EXPECT_GT(px.At(x, midY) >> 24, 0u) << "the shadow at " << x;
    EXPECT_LT(px.At(x, midY) >> 24, 255u) << "the shadow at " << x;
  }
  EXPECT_GT(px.At((br.right - br.left) / 2, (br.bottom - br.top) - s.Bottom) >> 24, 0u) << "the shadow below";
  EXPECT_GT(px.At((br.right - br.left) / 2, s.Top - 1) >> 24, 0u) << "the shadow above";
  EXPECT_EQ(px.At(s.Left + 1, midY) >> 24, 255u) << "the frame";
  EXPECT_EQ(px.At(0, 0) >> 24, 0u) << "the outer corner";
  EXPECT_EQ(Rgb(shown, s.Left + 1, midY), Rgb(cache, s.Left + 1, midY));
  // What a person sees over a white desktop (the display here has no compositor).
  std::unique_ptr<gui::TBitmap> onWhite = NewBitmap32(shown.Width(), shown.Height());
  TBitmap32 white = Pixels32(*onWhite);
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) {
      const uint32_t c = px.At(x, y), clear = 255 - (c >> 24);
      const auto channel = [&](int shift) { return std::min<uint32_t>(255, ((c >> shift) & 0xFF) + clear) << shift; };
      white.At(x, y) = 0xFF000000u | channel(16) | channel(8) | channel(0);
    }
  report::SaveBitmapToPng(*onWhite, kOut + "border_window_on_white.png");

  // The region leaves the client part to the form itself.
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(bw, rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, p->ClientOffsetX() + 20, p->ClientOffsetY() + 20));
  EXPECT_TRUE(PtInRegion(rgn, 1, (br.bottom - br.top) / 2)) << "the shadow";
  EXPECT_TRUE(PtInRegion(rgn, s.Left + 1, (br.bottom - br.top) / 2)) << "the frame";
  DeleteObject(rgn);

  // Title buttons, the resize bands at the shadow's inner edge and the shadow beyond them.
  const int h = br.bottom - br.top, w = br.right - br.left;
  struct Case { const char* what; POINT at; int32_t code; };
  const gui::TPoint close = Centre(p->CloseBtn.Rect);
  const Case cases[] = {{"close", {br.left + close.X, br.top + close.Y}, HTCLOSE},
                        {"left band", {br.left + s.Left - 2, br.top + h / 2}, HTLEFT},
                        {"right band", {br.right - s.Right + 1, br.top + h / 2}, HTRIGHT},
                        {"bottom band", {br.left + w / 2, br.bottom - s.Bottom + 1}, HTBOTTOM},
                        {"top left corner", {br.left + s.Left - 2, br.top + s.Top - 2}, HTTOPLEFT},
                        {"caption", {br.left + 150, br.top + p->TitleVCenter}, HTCAPTION},
                        {"the skin's title above the form's window is its top band", {br.left + 150, fr.top - 1}, HTTOP},
                        {"close at its top row", {br.left + close.X, br.top + p->CloseBtn.Rect.Top}, HTCLOSE},
                        {"beyond the band", {br.left + 2, br.top + h / 2}, HTTRANSPARENT}};
  for (const Case& c : cases) EXPECT_EQ(p->BorderForm->HitTest(c.at.x, c.at.y), c.code) << c.what;
  EXPECT_TRUE(p->BorderForm->MouseInShadow(br.left + 2, br.top + h / 2));
  EXPECT_TRUE(p->BorderForm->MouseInShadow(br.left + w / 2, br.bottom - 2));
  EXPECT_FALSE(p->BorderForm->MouseInShadow(br.left + s.Left - 2, br.top + h / 2)) << "the band";
  EXPECT_EQ(SendMessageW(bw, WM_NCHITTEST, 0, MAKELPARAM(br.left + 2, br.top + h / 2)), LRESULT(HTTRANSPARENT))
      << "the shadow lets the mouse through";
  EXPECT_NE(WindowFromPoint({br.left + 2, br.top + h / 2}), bw) << "to the window below";
  EXPECT_EQ(SendMessageW(bw, WM_NCHITTEST, 0, MAKELPARAM(br.left + s.Left - 2, br.top + h / 2)), LRESULT(HTOBJECT))
      << "the band takes the mouse and resolves the click itself";
  EXPECT_EQ(SendMessageW(bw, WM_MOUSEACTIVATE, 0, 0), LRESULT(MA_NOACTIVATE));
  gui::TBitmap shot;
  SaveShot(bw, "border_window_screen", shot);

  form->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(bw)) << "the border window takes the form's enabled state";
  EXPECT_EQ(p->BorderForm->HitTest(br.left + close.X, br.top + close.Y), HTTRANSPARENT)
      << "a disabled form's border takes no clicks";
  form->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(bw));

  p->UpdateExtBorders(false);
  EXPECT_FALSE(p->BorderForm);
  EXPECT_FALSE(IsWindow(bw));
}

TEST_F(TitleInteraction, InUWPModeTheBorderWindowShowsTheSkinsWindowShadow) {
  manager->SetExtendedBorders(true);
  TsSkinProvider* p = NewSkinnedForm();
  ASSERT_TRUE(p->BorderForm);
  TacSkinData* sd = p->SkinData()->GetScaledSkin();
  ASSERT_NE(sd, nullptr);
  // An extended-border element of the skin's own: an orange picture with narrow margins.
  constexpr uint32_t kOrange = 0xFF8000;
  for (auto* slot : {&sd->FormShadowActive, &sd->FormShadowInactive}) {
    *slot = std::make_unique<TBitmap32>(30, 30);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) (*slot)->At(x, y) = 0xFF000000u | kOrange;
  }
  TsMaskData e;
  e.BorderLeft = e.BorderTop = e.BorderRight = e.BorderBottom = 10;
  sd->Masks.push_back(e);
  sd->ExtBorderImage = int32_t(sd->Masks.size() - 1);
  sd->FormShadowMargins = TacRect{2, 2, 2, 2};
  const TacRect windowShadow = UWPShadowMargins(sd->WndShadowSize, sd->WndShadowOffset);
  ASSERT_NE(windowShadow, sd->FormShadowMargins) << "the test skin needs a window shadow";
  struct Case { bool uwp; TacRect margins; bool orange; };
  for (const Case& c : {Case{false, {2, 2, 2, 2}, true}, Case{true, windowShadow, false}}) {
    p->SetBoolProp(4, c.uwp);
    EXPECT_EQ(p->GetShadowSize(), c.margins) << c.uwp;
    p->SkinData()->FCacheInvalid = true;
    ASSERT_TRUE(p->PrepareCache());
    gui::TBitmap& cache = *p->SkinData()->FCache;
    const int y = cache.Height() / 2;
    EXPECT_EQ(Rgb(cache, 0, y) == kOrange, c.orange) << c.uwp << ": the shadow's outer column";
  }
}

TEST_F(TitleInteraction, TheBorderWindowFollowsTheFormAndStretchesItByDoubleClicks) {
  manager->SetExtendedBorders(true);
  TsSkinProvider* p = NewSkinnedForm();
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  HWND bw = p->BorderForm->Handle();
  auto borderAt = [&] {
    RECT br;
    GetWindowRect(bw, &br);
    return POINT{br.left, br.top};
  };
  form->SetBounds(160, 130, 360, 220);
  Pump(20);
  RECT fr;
  GetWindowRect(form->Handle(), &fr);
  EXPECT_EQ(borderAt().x, fr.left - p->BorderForm->OwnerOffsetX()) << "the border window follows a move";
  EXPECT_EQ(borderAt().y, fr.top - p->BorderForm->OwnerOffsetY());

  const gui::TRect work = GetFormWorkArea(form);
  auto doubleClick = [&](int x, int y) {
    const POINT b = borderAt();
    SendMessageW(bw, WM_NCLBUTTONDBLCLK, 0, MAKELPARAM(b.x + x, b.y + y));
    Pump(20);
  };
  const TacRect s = p->GetShadowSize();
  // The skin's frame and title around the form reach the work area's edges.
  const int32_t extraT = p->GetExtraTitleHeight(), extraB = p->GetExtraBorderWidth();
  doubleClick(s.Left - 2, 110);  // the left band, at the shadow's inner edge
  EXPECT_EQ(form->Left(), work.Left + extraB);
  EXPECT_EQ(form->Width(), work.Width() - 2 * extraB) << "stretched across the work area";
  EXPECT_EQ(form->Top(), 130);
  EXPECT_TRUE(p->FormState() & psHorzRestore);
  doubleClick(s.Left - 2, 110);
  EXPECT_EQ(form->Left(), 160);
  EXPECT_EQ(form->Width(), 360) << "a second double click gives the width back";
  EXPECT_FALSE(p->FormState() & psHorzRestore);

  doubleClick(150, s.Top - 2);  // the top band
  EXPECT_GT(extraT, 0) << "the skin's title is higher than the form's caption and frame";
  EXPECT_EQ(form->Top(), work.Top + extraT) << "the skin's title from the work area's top";
  EXPECT_EQ(form->Height(), work.Height() - extraT - extraB);
  EXPECT_TRUE(p->FormState() & psVertRestore);
  form->SetBounds(200, work.Top + 10, form->Width(), form->Height());  // dragged away
  Pump(20);
  EXPECT_EQ(form->Top(), 130) << "a drag gives back the saved top";
  EXPECT_EQ(form->Height(), 220) << "and the saved height";
  EXPECT_EQ(form->Left(), 200);
  gui::TBitmap shot;
  SaveShot(form->Handle(), "border_window_after_restore", shot);
}

TEST_F(TitleInteraction, AMaximizedFormDraggedByItsCaptionComesOutUnderTheMouse) {
  TsSkinProvider* p = NewBorderedForm(false);
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  Pump(30);
  ASSERT_TRUE(IsZoomed(form->Handle()));
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  HWND bw = p->BorderForm->Handle();
  CatchSysCommands();
  const std::vector<WPARAM>& commands = sysCommands;
  RECT br;
  GetWindowRect(bw, &br);
  // Maximized, the form shows no shadow: the border window's region leaves the margins out,
  // and there is neither a shadow to let the mouse through nor a resize band.
  const TacRect s = p->GetShadowSize();
  ASSERT_GT(s.Left, 0);
  const int midY = (br.bottom - br.top) / 2;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(bw, rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, s.Left / 2, midY)) << "no shadow beside it";
  EXPECT_FALSE(PtInRegion(rgn, (br.right - br.left) / 2, s.Top / 2)) << "nor above it";
  DeleteObject(rgn);
  EXPECT_FALSE(p->BorderForm->MouseInShadow(br.left + s.Left / 2, br.top + midY));
  EXPECT_NE(p->BorderForm->HitTest(br.left + s.Left - 2, br.top + midY), HTLEFT);
  const POINT press{br.left + 300, br.top + p->TitleVCenter};
  ASSERT_EQ(p->BorderForm->HitTest(press.x, press.y), HTCAPTION);
  SetCursorPos(press.x, press.y);
  SendMessageW(bw, WM_NCLBUTTONDOWN, HTOBJECT, MAKELPARAM(press.x, press.y));
  EXPECT_TRUE(p->BorderForm->DragFromMaximized);
  EXPECT_TRUE(IsZoomed(form->Handle())) << "a press alone changes nothing";
  auto moveTo = [&](int x, int y) {
    SetCursorPos(x, y);
    SendMessageW(bw, WM_NCMOUSEMOVE, HTOBJECT, MAKELPARAM(x, y));
    Pump(20);
  };
  moveTo(press.x + 5, press.y + 5);
  EXPECT_TRUE(IsZoomed(form->Handle())) << "five pixels are still a click";
  EXPECT_TRUE(commands.empty());
  moveTo(press.x + 40, 200);
  EXPECT_FALSE(IsZoomed(form->Handle())) << "six or more take it out of its maximized state";
  EXPECT_FALSE(p->BorderForm->DragFromMaximized);
  EXPECT_EQ(form->Width(), 360);
  EXPECT_EQ(form->Left(), press.x + 40 - 180) << "centred under the mouse";
  EXPECT_EQ(form->Top(), 192) << "just above the mouse";
  ASSERT_EQ(commands.size(), 1u) << "and the drag goes on";
  EXPECT_EQ(commands[0], WPARAM(0xF012));
  RECT fr;
  GetWindowRect(form->Handle(), &fr);
  GetWindowRect(p->BorderForm->Handle(), &br);
  EXPECT_EQ(br.left, fr.left - p->BorderForm->OwnerOffsetX()) << "the border window came along";
  ReleaseSysCommands();
  gui::TBitmap shot;
  SaveShot(form->Handle(), "dragged_out_of_maximized", shot);
}

TEST_F(TitleInteraction, ADragWithBlendShowsTheWholeFormInTheBorderWindowAndPutsTheFormWhereItWasDropped) {
  TsSkinProvider* p = NewBorderedForm(true);
  // Without a maximize button a drop never maximizes it, wherever other test programs leave
  // the mouse.
  form->BorderIcons = gui::biSystemMenu | gui::biMinimize;
  gui::TForm* main = form;
  // A second form touching the first one's right edge travels with it.
  NewSkinnedForm();
  gui::TForm* side = form;
  side->SetName("Samping");
  side->SetBounds(main->Left() + main->Width(), main->Top() + 20, 200, 150);
  form = main;
  p->GluedForms = {"Samping"};
  p->ScreenSnap = true;
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  HWND bw = p->BorderForm->Handle(), wnd = form->Handle();
  p->UpdateGluedForms();
  ASSERT_TRUE(p->IsGluedTo(side));
  std::vector<BYTE> alphas;
  g_alphas = &alphas;
  g_alphaWnd = bw;
  g_realAlphaUpdate = UpdateLayeredWindowProc;
  UpdateLayeredWindowProc = RecordAlpha;
  StartBlendMoving(p, false);
  ASSERT_TRUE(p->FormState() & psBlendMoving);
  ASSERT_TRUE(p->MoveTimer);
  for (int i = 0; i < 200 && p->MoveTimer->CurAlpha > p->MoveTimer->TargetAlpha; ++i) p->MoveTimer->Step();
  p->MoveTimer->Step();
  UpdateLayeredWindowProc = g_realAlphaUpdate;
  g_alphas = nullptr;
  BYTE formAlpha = 255;
  DWORD flags = 0;
  ASSERT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  GetLayeredWindowAttributes(wnd, nullptr, &formAlpha, &flags);
  EXPECT_EQ(formAlpha, 0) << "the form itself is clear while the border window carries it";
  ASSERT_FALSE(alphas.empty());
  EXPECT_EQ(alphas.back(), manager->AnimEffects.BlendValue) << "the border window turns translucent";
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(bw, rgn), ERROR);
  EXPECT_TRUE(PtInRegion(rgn, p->ClientOffsetX() + 20, p->ClientOffsetY() + 20)) << "the client area is shown too";
  gui::TBitmap shot;
  report::SaveBitmapToPng(*p->SkinData()->FCache, kOut + "border_blend_moving.png");

  // The border window is dragged: the glued form follows it at once, the form itself only
  // when it is dropped, where it comes back opaque.
  RECT br;
  GetWindowRect(bw, &br);
  SetWindowPos(bw, nullptr, br.left + 70, br.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(form->Left(), 120) << "the form waits for the drop";
  EXPECT_EQ(side->Left(), 190 + 360) << "the glued form follows the border window";
  EXPECT_EQ(side->Top(), 140 + 20);
  FinishBlendMoving(p);
  Pump(20);
  EXPECT_FALSE(p->FormState() & psBlendMoving);
  EXPECT_FALSE(p->MoveTimer);
  EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_FALSE(p->BorderForm->Updating);
  RECT fr;
  GetWindowRect(wnd, &fr);
  GetWindowRect(bw, &br);
  EXPECT_EQ(fr.left, br.left + p->BorderForm->OwnerOffsetX());
  EXPECT_EQ(fr.top, br.top + p->BorderForm->OwnerOffsetY());
  EXPECT_EQ(form->Left(), 190);
  ASSERT_NE(GetWindowRgn(bw, rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, p->ClientOffsetX() + 20, p->ClientOffsetY() + 20)) << "the form shows its own client again";
  DeleteObject(rgn);
  SaveShot(wnd, "border_blend_dropped", shot);

  // Dragged near the work area's left edge, the border window snaps the form onto it.
  const gui::TRect work = GetFormWorkArea(form);
  StartBlendMoving(p, false);
  GetWindowRect(bw, &br);
  SetWindowPos(bw, nullptr, work.Left + 6 - p->BorderForm->OwnerOffsetX(), br.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FinishBlendMoving(p);
  EXPECT_EQ(form->Left(), work.Left);
}

TEST_F(TitleInteraction, OverABorderWindowTheCaptionCoverHidesOnlyTheMenuLine) {
  TsSkinProvider* p = NewBorderedForm(false);
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm);
  p->ShowCaptForm();
  EXPECT_FALSE(p->CaptForm) << "the border window carries the title: nothing to cover";
  auto* mm = new gui::TMainMenu(form);
  auto* file = new gui::TMenuItem(mm);
  file->SetCaption("Berkas");
  mm->Items()->Add(file);
  form->SetMenu(mm);
  Pump(20);
  p->MenuLineCount = -1;
  p->SkinData()->FCacheInvalid = true;
  p->BorderForm->UpdateBorderWindow(true);
  ASSERT_GT(p->GetMenuLineCount(), 0);
  p->ShowCaptForm();
  ASSERT_TRUE(p->CaptForm);
  RECT cr, fr;
  GetWindowRect(p->CaptForm->Handle(), &cr);
  GetWindowRect(form->Handle(), &fr);
  POINT client{0, 0};
  ClientToScreen(form->Handle(), &client);
  EXPECT_EQ(cr.bottom - cr.top, p->GetMenuLineCount() * p->MenuLineHeight() + 1) << "the menu line's height";
  EXPECT_EQ(cr.bottom, client.y) << "right above the client area";
  EXPECT_EQ(cr.left, fr.left + p->GetBorderWidth(false));
  EXPECT_EQ(cr.right, fr.right - p->GetBorderWidth(false));
  p->HideCaptForm();
  form->SetMenu(nullptr);
}

TEST_F(TitleInteraction, APressAndReleaseOnTheBorderWindowsMinimizeButtonMinimizes) {
  TsSkinProvider* p = NewBorderedForm(false);
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  HWND bw = p->BorderForm->Handle();
  CatchSysCommands();
  RECT br;
  GetWindowRect(bw, &br);
  // Near the button's lower edge: only the border window's own coordinates find it there.
  const gui::TRect& r = p->MinBtn.Rect;
  const LPARAM at = MAKELPARAM(br.left + r.Left + 2, br.top + r.Bottom - 2);
  ASSERT_EQ(p->BorderForm->HitTest(br.left + r.Left + 2, br.top + r.Bottom - 2), HTMINBUTTON);
  SendMessageW(bw, WM_NCLBUTTONDOWN, HTOBJECT, at);
  EXPECT_TRUE(p->ButtonPressed);
  EXPECT_EQ(p->MinBtn.State, 2) << "drawn pressed";
  SendMessageW(bw, WM_NCLBUTTONUP, HTOBJECT, at);
  ReleaseSysCommands();
  ASSERT_EQ(sysCommands.size(), 1u);
  EXPECT_EQ(sysCommands[0] & 0xFFF0, WPARAM(SC_MINIMIZE));
}

TEST_F(TitleInteraction, ABorderedFormFliesWithItsWholeImageAndGetsItsBorderWindowBack) {
  TsSkinProvider* p = NewBorderedForm(false);
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  ASSERT_NE(gui::Application->MainForm(), form);
  HWND wnd = form->Handle(), bw = p->BorderForm->Handle();
  RECT br;
  GetWindowRect(bw, &br);
  manager->AnimEffects.Minimizing.Active = true;
  manager->AnimEffects.Minimizing.Time = 60;
  // The flight needs composition on later systems; Wine has none, so an older one is taken.
  const int32_t version = Globals().WinVersionFlag;
  Globals().WinVersionFlag = 5;
  SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_NE(p->MinTimer, nullptr) << "the minimize flies";
  EXPECT_EQ(p->MinTimer->WindowRect, (TacRect{br.left, br.top, br.right, br.bottom})) << "from the border window";
  EXPECT_FALSE(IsWindowVisible(bw)) << "which waits hidden while its image flies";
  EXPECT_TRUE(p->BorderForm->Updating);
  for (int i = 0; i < 100 && !p->MinTimer->Minimized; ++i) p->MinTimer->Step();
  EXPECT_TRUE(p->MinTimer->Minimized);
  SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  for (int i = 0; i < 100 && p->MinTimer && p->MinTimer->Minimized; ++i) p->MinTimer->Step();
  Globals().WinVersionFlag = version;
  EXPECT_FALSE(IsIconic(wnd));
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  EXPECT_FALSE(p->BorderForm->Updating);
  EXPECT_TRUE(IsWindowVisible(p->BorderForm->Handle())) << "the border window is back with the form";
  RECT fr;
  GetWindowRect(wnd, &fr);
  GetWindowRect(p->BorderForm->Handle(), &br);
  EXPECT_EQ(br.top, fr.top - p->BorderForm->OwnerOffsetY());
}

// What the border window is handed: its constant alpha and the alpha of its image's centre.
struct TBorderFrame {
  int Alpha;
  uint32_t CentreAlpha;
};
std::vector<TBorderFrame>* g_frames = nullptr;
BOOL WINAPI RecordFrame(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                        BLENDFUNCTION* blend, DWORD flags) {
  if (g_frames && wnd == g_alphaWnd) {
    DIBSECTION ds{};
    uint32_t a = 0xDEAD;
    if (GetObjectW(GetCurrentObject(src, OBJ_BITMAP), sizeof ds, &ds) && ds.dsBm.bmBits && ds.dsBm.bmBitsPixel == 32) {
      const int y = ds.dsBm.bmHeight / 2, row = ds.dsBmih.biHeight > 0 ? ds.dsBm.bmHeight - 1 - y : y;
      const auto* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits) + size_t(row) * size_t(ds.dsBm.bmWidthBytes);
      a = reinterpret_cast<const uint32_t*>(bits)[ds.dsBm.bmWidth / 2] >> 24;
    }
    g_frames->push_back({blend ? blend->SourceConstantAlpha : -1, a});
  }
  return g_realAlphaUpdate(wnd, dst, pos, size, src, srcPos, key, blend, flags);
}

TEST_F(TitleInteraction, AHiddenBorderedFormFadesOutInItsBorderWindowWhichThenGoes) {
  manager->AnimEffects.FormHide = {true, 120, TacAnimType::atFading};
  TsSkinProvider* p = NewBorderedForm(false);
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  HWND wnd = form->Handle(), bw = p->BorderForm->Handle();
  RECT before;
  GetWindowRect(bw, &before);
  std::vector<TBorderFrame> frames;
  g_frames = &frames;
  g_alphaWnd = bw;
  g_realAlphaUpdate = UpdateLayeredWindowProc;
  UpdateLayeredWindowProc = RecordFrame;
  form->Hide();
  EXPECT_FALSE(IsWindowVisible(wnd));
  ASSERT_TRUE(HideTimer && HideTimer->Running()) << "the hide plays";
  EXPECT_EQ(HideTimer->Window->Handle(), bw) << "in the border window itself";
  EXPECT_FALSE(p->BorderForm->Handle()) << "which the border form no longer holds";
  EXPECT_TRUE(IsWindowVisible(bw));
  RECT during;
  GetWindowRect(bw, &during);
  EXPECT_EQ(during.left, before.left);
  EXPECT_EQ(during.top, before.top);
  EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) << "the hidden form is whole again";
  for (int i = 0; i < 100 && HideTimer->Running(); ++i) HideTimer->HideStep();
  UpdateLayeredWindowProc = g_realAlphaUpdate;
  g_frames = nullptr;
  EXPECT_FALSE(IsWindow(bw)) << "gone at the end";
  ASSERT_GE(frames.size(), 3u);
  EXPECT_EQ(frames.front().Alpha, 255);
  for (const TBorderFrame& f : frames) EXPECT_EQ(f.CentreAlpha, 255u) << "the client area shows too";
  EXPECT_LT(frames.back().Alpha, 60);
  for (size_t i = 1; i < frames.size(); ++i) EXPECT_LE(frames[i].Alpha, frames[i - 1].Alpha) << "always fainter";

  // Shown again, the form gets a border window of its own; without a hide animation it
  // simply goes with the form.
  form->Show();
  Pump(30);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  EXPECT_TRUE(IsWindowVisible(p->BorderForm->Handle()));
  manager->AnimEffects.FormHide.Active = false;
  form->Hide();
  EXPECT_FALSE(HideTimer && HideTimer->Running());
  EXPECT_FALSE(p->BorderForm && p->BorderForm->Handle() && IsWindowVisible(p->BorderForm->Handle()));
}

TEST_F(TitleInteraction, ABorderedFormIsMaximizedClearAndWithoutItsBorderWindow) {
  TsSkinProvider* p = NewBorderedForm(false);
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  ASSERT_TRUE(p->ExtBordersAllowed(true)) << "the skin keeps the border window when maximized";
  HWND wnd = form->Handle(), bw = p->BorderForm->Handle();
  // What the form looks like while the system gives it its maximized size.
  bool sized = false, layered = false, borderShown = true;
  BYTE alpha = 255;
  gui::TWndMethod saved = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SIZE && m.WParam == SIZE_MAXIMIZED && !sized) {
      sized = true;
      layered = GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED;
      DWORD flags = 0;
      GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags);
      borderShown = p->BorderForm && p->BorderForm->Handle() && IsWindowVisible(p->BorderForm->Handle());
    }
    saved(m);
  };
  SendMessageW(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  form->WindowProc = saved;
  ASSERT_TRUE(sized);
  EXPECT_TRUE(layered) << "clear while maximized";
  EXPECT_EQ(alpha, 1);
  EXPECT_FALSE(borderShown) << "the border window waits";
  EXPECT_FALSE(IsWindow(bw));
  EXPECT_TRUE(IsZoomed(wnd));
  EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) << "whole again";
  EXPECT_FALSE(p->FormState() & psMaximizing);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle()) << "the border window is back";
  EXPECT_FALSE(p->BorderForm->Updating);
  EXPECT_TRUE(IsWindowVisible(p->BorderForm->Handle()));
  RECT fr, br;
  GetWindowRect(wnd, &fr);
  GetWindowRect(p->BorderForm->Handle(), &br);
  EXPECT_EQ(br.left, fr.left - p->BorderForm->OwnerOffsetX()) << "around the maximized form";
  EXPECT_EQ(br.top, fr.top - p->BorderForm->OwnerOffsetY());
  // The test skin's maximized title (24) is more than 4 higher than Wine's caption: the form
  // lies 4 below the extra title, its image as high as the form and the extra title and frame.
  const TacRect s = p->GetShadowSize();
  ASSERT_TRUE(p->TallTitleMaximized);
  EXPECT_EQ(p->BorderForm->OwnerOffsetY(), s.Top + p->GetExtraTitleHeight() + 4);
  EXPECT_EQ(br.bottom - br.top,
            (fr.bottom - fr.top) + p->GetExtraTitleHeight() + p->GetExtraBorderWidth() + s.Top + s.Bottom);
  EXPECT_EQ(br.right - br.left, (fr.right - fr.left) + 2 * p->GetExtraBorderWidth() + s.Left + s.Right);
  SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsZoomed(wnd));

  // A form layered already is maximized as it is.
  SetWindowLayered(wnd, true, 200);
  SendMessageW(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(IsZoomed(wnd));
  EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) << "left as it was";
  SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  SetWindowLayered(wnd, false, 255);
}

TEST_F(TitleInteraction, TheBorderWindowAnswersOverUserButtons) {
  manager->SetExtendedBorders(true);
  TsSkinProvider* p = NewSkinnedForm();
  TsTitleButton* b = p->TitleButtons().Add();
  b->SetName("Info");
  p->SkinData()->FCacheInvalid = true;
  p->UpdateExtBorders(true);
  ASSERT_TRUE(p->BorderForm && p->BorderForm->Handle());
  p->BorderForm->UpdateBorderWindow(true);
  HWND bw = p->BorderForm->Handle();
  RECT br;
  GetWindowRect(bw, &br);
  ASSERT_FALSE(b->Data.Rect.IsEmpty());
  const gui::TPoint c = Centre(b->Data.Rect);
  EXPECT_EQ(p->BorderForm->HitTest(br.left + c.X, br.top + c.Y), kHitUserButton) << "the user button over the border";
  b->Enabled = false;
  EXPECT_EQ(p->BorderForm->HitTest(br.left + c.X, br.top + c.Y), HTTRANSPARENT) << "a disabled one lets it through";
}

}  // namespace
}  // namespace skin
