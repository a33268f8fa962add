// What a person sees of skinned statics, links, pictures, panels and group boxes: a static
// grown for the skin's font, a link drawn underlined without its marks, a bitmap static
// that keeps its own picture after its hook has gone, panels taking their section from
// their bevels and a group box's caption over the parent's background. Screenshots stay
// in tests/skin/hooks/shots.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "gui/ExtCtrls.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/hooks/acPanelWnd.h"
#include "skin/hooks/acStaticWnd.h"

namespace skin {
namespace {

HWND Static(HWND parent, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
  HWND s = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr, nullptr,
                           nullptr);
  SendMessageW(s, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return s;
}

template <class H>
std::unique_ptr<H> Hook(HWND w, const std::string& section = {}) {
  auto h = std::make_unique<H>();
  h->Attach(w, section);
  h->AfterCreation();
  InvalidateRect(w, nullptr, TRUE);
  return h;
}

SIZE SizeOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

COLORREF Px(gui::TBitmap& shot, HWND form, HWND child, int x, int y) {
  RECT fr, cr;
  GetWindowRect(form, &fr);
  GetWindowRect(child, &cr);
  return ::GetPixel(shot.Canvas().Handle(), cr.left - fr.left + x, cr.top - fr.top + y);
}

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 110; }

// The longest run of dark pixels in any row of a child: an underline makes a long one.
int LongestDarkRun(gui::TBitmap& shot, HWND form, HWND child) {
  const SIZE s = SizeOf(child);
  int best = 0;
  for (int y = 0; y < s.cy; ++y)
    for (int x = 0, run = 0; x < s.cx; ++x) {
      run = Dark(Px(shot, form, child, x, y)) ? run + 1 : 0;
      best = std::max(best, run);
    }
  return best;
}

TEST(StaticHooks, TextLinkPictureAndGrowing) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Label", 420, 240);
  HWND f = form.Handle();
  HWND small = Static(f, L"Nama warga jemaat yang panjang", SS_LEFT, 10, 10, 60, 8);
  HWND fits = Static(f, L"Sektor", SS_LEFT, 10, 60, 150, 30);
  HWND link = Static(f, L"Buka <A>situs gereja</A> sekarang", SS_LEFT, 10, 100, 260, 20);
  HWND picture = Static(f, L"", SS_BITMAP, 300, 10, 40, 40);
  // The static's own picture: red, 24 bits.
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 24, -24, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP red = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(red, nullptr);
  for (int i = 0; i < 24 * 24; ++i) {
    auto* p = static_cast<uint8_t*>(bits) + i * 3;
    p[0] = 0, p[1] = 0, p[2] = 220;
  }
  SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(red));
  HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(shown, nullptr);
  const SIZE fitsBefore = SizeOf(fits);

  std::unique_ptr<TacStaticWnd> smallHook, fitsHook;
  std::unique_ptr<TacLinkWnd> linkHook;
  std::unique_ptr<TacIconWnd> pictureHook;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("hook", [&] {
    smallHook = Hook<TacStaticWnd>(small);
    fitsHook = Hook<TacStaticWnd>(fits);
    linkHook = Hook<TacLinkWnd>(link);
    pictureHook = Hook<TacIconWnd>(picture);
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(f, "statics_skinned");
    const SIZE grown = SizeOf(small);
    EXPECT_GT(grown.cy, 8) << "grown to the height of its text";
    EXPECT_EQ(fitsBefore.cx, SizeOf(fits).cx) << "a static that fits keeps its size";
    EXPECT_EQ(fitsBefore.cy, SizeOf(fits).cy);
    EXPECT_EQ(TacLinkWnd::ShownText("Buka <A>situs gereja</A> sekarang"), "Buka situs gereja sekarang");
    EXPECT_GT(LongestDarkRun(shot, f, link), 60) << "the link is underlined";
    const COLORREF c = Px(shot, f, picture, 5, 5);
    EXPECT_GT(GetRValue(c), 180);
    EXPECT_LT(GetGValue(c), 60) << "the static's picture over the skinned background";
  });
  h.Step("unhook the picture", [&] {
    pictureHook.reset();
    InvalidateRect(picture, nullptr, TRUE);
  });
  h.Step("the static keeps its picture", [&] {
    gui::TBitmap& shot = h.Shot(f, "statics_picture_unhooked");
    BITMAP info{};
    EXPECT_NE(GetObjectW(red, sizeof info, &info), 0) << "the picture was not freed with the hook";
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), shown);
    EXPECT_GT(GetRValue(Px(shot, f, picture, 5, 5)), 180) << "the static still paints it";
  });
  h.Run();
  smallHook.reset();
  fitsHook.reset();
  linkHook.reset();
}

TEST(StaticHooks, PanelsByBevelAndGroupBoxCaption) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Panel", 420, 260);
  HWND f = form.Handle();
  auto* raised = new gui::TPanel(&form);
  raised->SetParent(&form);
  raised->SetBounds(10, 10, 180, 60);
  raised->SetCaption("Panel timbul");
  auto* lowered = new gui::TPanel(&form);
  lowered->SetParent(&form);
  lowered->SetBounds(200, 10, 180, 60);
  lowered->SetBevelOuter(gui::TBevelCut::bvLowered);
  lowered->SetCaption("Tanpa judul");
  lowered->Tag = 999;
  HWND group = CreateWindowExW(0, L"BUTTON", L"Data pribadi", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 90, 370, 100, f,
                               nullptr, nullptr, nullptr);
  SendMessageW(group, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);

  std::unique_ptr<TacPanelWnd> raisedHook, loweredHook;
  std::unique_ptr<TacGroupBoxWnd> groupHook, plainGroup;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("hook", [&] {
    raisedHook = std::make_unique<TacPanelWnd>();
    raisedHook->AttachControl(raised);
    raisedHook->AfterCreation();
    loweredHook = std::make_unique<TacPanelWnd>();
    loweredHook->AttachControl(lowered);
    loweredHook->AfterCreation();
    // The test skin draws no group frame of its own: the group box is given the lowered
    // panel's section.
    groupHook = Hook<TacGroupBoxWnd>(group, "PANEL_LOW");
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(f, "panels_skinned");
    EXPECT_EQ(raisedHook->SkinData()->SkinSection(), "PANEL");
    EXPECT_EQ(loweredHook->SkinData()->SkinSection(), "PANEL_LOW");
    // The lowered panel, marked 999, shows no caption: no dark text pixels in its middle.
    int dark = 0;
    for (int x = 40; x < 140; ++x)
      for (int y = 20; y < 40; ++y) dark += Dark(Px(shot, f, lowered->Handle(), x, y));
    EXPECT_EQ(dark, 0) << "no caption under tag 999";
    int raisedDark = 0;
    for (int x = 40; x < 140; ++x)
      for (int y = 20; y < 40; ++y) raisedDark += Dark(Px(shot, f, raised->Handle(), x, y));
    EXPECT_GT(raisedDark, 10) << "the raised panel's caption";
    const LRESULT captionHeight = SendMessageW(group, SM_ALPHACMD, MAKEWPARAM(0, 27), 0);
    EXPECT_GT(captionHeight, 6);
    const gui::TRect cap = groupHook->CaptionRect();
    EXPECT_EQ(cap.Left, 6);
    // Above the frame, outside the caption, the parent's background shows.
    EXPECT_EQ(Px(shot, f, group, 2, 1), Px(shot, f, group, 369 - 3, 1)) << "the strip over the frame";
    const COLORREF under = Px(shot, f, group, 2, cap.Bottom + 20);
    EXPECT_NE(under, Px(shot, f, group, 2, 1)) << "the section below the caption's middle";
  });
  h.Run();
  groupHook.reset();
  raisedHook.reset();
  loweredHook.reset();
}

TEST(StaticHooks, AGroupBoxDefaultsToTheGroupSection) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  gui::TForm& form = h.NewForm("Grup", 200, 120);
  HWND group = CreateWindowExW(0, L"BUTTON", L"Grup", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 150, 80,
                               form.Handle(), nullptr, nullptr, nullptr);
  auto hook = Hook<TacGroupBoxWnd>(group);
  EXPECT_EQ(hook->SkinData()->SkinSection(), "GROUPBOX");
  auto panel = Hook<TacPanelWnd>(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form.Handle(), nullptr,
                                                 nullptr, nullptr));
  EXPECT_EQ(panel->SkinData()->SkinSection(), "TRANSPARENT") << "a bare window";
}

TEST(StaticHooks, EdgeFramesThePictureTheSystemPaints) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Tepi", 200, 140);
  HWND f = form.Handle();
  HWND edge = CreateWindowExW(WS_EX_STATICEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, 20, 20, 60, 60, f,
                              nullptr, nullptr, nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 60, 60);
  ReleaseDC(nullptr, screen);
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    RECT all{0, 0, 60, 60};
    HBRUSH red = CreateSolidBrush(RGB(200, 30, 30));
    FillRect(dc, &all, red);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  SendMessageW(edge, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(picture));
  SetWindowPos(edge, nullptr, 20, 20, 60, 60, SWP_NOZORDER | SWP_NOACTIVATE);
  std::unique_ptr<TacEdgeWnd> hook;
  COLORREF ownFrame = 0;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("its own edge", [&] { ownFrame = Px(h.Shot(f, "edge_own"), f, edge, 0, 30); });
  h.Step("hook", [&] {
    hook = Hook<TacEdgeWnd>(edge);
    RedrawWindow(edge, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  });
  h.Step("framed from the skin", [&] {
    gui::TBitmap& shot = h.Shot(f, "edge_skinned");
    EXPECT_EQ(hook->SkinData()->SkinSection(), "EDIT");
    EXPECT_NE(Px(shot, f, edge, 0, 30), ownFrame) << "the frame is the skin's";
    EXPECT_EQ(Px(shot, f, edge, 30, 30), RGB(200, 30, 30)) << "the picture is the system's";
  });
  h.Run();
  hook.reset();
  DestroyWindow(edge);
  DeleteObject(picture);
}

TEST(StaticHooks, StaticTextsBySectionOfTheirBevels) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Teks statis", 420, 170);
  HWND f = form.Handle();
  struct Case {
    gui::TBevelKind kind;
    gui::TBevelCut outer, inner;
    gui::TAlignment alignment;
    const char* section;
  };
  const Case cases[] = {
      {gui::TBevelKind::bkTile, gui::TBevelCut::bvLowered, gui::TBevelCut::bvRaised, gui::TAlignment::taLeftJustify,
       "GROUPBOX"},
      {gui::TBevelKind::bkTile, gui::TBevelCut::bvLowered, gui::TBevelCut::bvNone, gui::TAlignment::taRightJustify,
       "PANEL_LOW"},
      {gui::TBevelKind::bkNone, gui::TBevelCut::bvLowered, gui::TBevelCut::bvRaised, gui::TAlignment::taLeftJustify,
       "TRANSPARENT"},
  };
  std::vector<gui::TStaticText*> texts;
  int y = 10;
  for (const Case& c : cases) {
    auto* t = new gui::TStaticText(&form);
    t->SetParent(&form);
    t->SetBevelKind(c.kind);
    t->SetBevelOuter(c.outer);
    t->SetBevelInner(c.inner);
    t->SetAlignment(c.alignment);
    t->SetBounds(10, y, 300, 40);
    t->SetCaption("Jemaat Sektor Betlehem");
    t->HandleNeeded();
    texts.push_back(t);
    y += 50;
  }
  std::vector<std::unique_ptr<TacStaticTextWnd>> hooks;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("hook", [&] {
    for (gui::TStaticText* t : texts) {
      hooks.push_back(std::make_unique<TacStaticTextWnd>());
      hooks.back()->AttachControl(t);
      hooks.back()->AfterCreation();
    }
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("each by its bevels, with its text", [&] {
    gui::TBitmap& shot = h.Shot(f, "static_texts");
    for (size_t i = 0; i < hooks.size(); ++i) {
      SCOPED_TRACE(cases[i].section);
      EXPECT_EQ(hooks[i]->SkinData()->SkinSection(), cases[i].section);
      EXPECT_EQ(SendMessageW(texts[i]->Handle(), SM_ALPHACMD, MAKEWPARAM(0, AC_CTRLHANDLED), 0), 1);
      const HWND w = texts[i]->Handle();
      int left = 0, right = 0;
      for (int yy = 0; yy < 40; ++yy)
        for (int x = 0; x < 300; ++x)
          if (Dark(Px(shot, f, w, x, yy))) (x < 150 ? left : right)++;
      if (cases[i].alignment == gui::TAlignment::taRightJustify)
        EXPECT_GT(right, left) << "the text at the right";
      else
        EXPECT_GT(left, right) << "the text at the left";
    }
  });
  h.Run();
  hooks.clear();
}

}  // namespace
}  // namespace skin
