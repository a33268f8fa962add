// A skinned form's passing looks and moves under Wine: the veil over a disabled form, the
// caption cover during a caption change, snapping to the work area and glued forms, and the
// exchange with a (fake) skin editor window.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "../SkinEngineEnvironment.h"
#include "gui/Forms.h"
#include "report/Render.h"
#include "skin/core/acLivePreview.h"
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acCaptForm.h"
#include "skin/forms/acMinTimer.h"
#include "skin/forms/acScaleThread.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinPreview.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {
namespace {

const std::string kSkins = std::string("Z:") + KORVAN_FORM_SKINS;
constexpr uint32_t kFormActive = 0xEEEEEE;

// The last picture handed to a layered window, copied.
struct LastPicture {
  HWND Wnd = nullptr;
  std::unique_ptr<gui::TBitmap> Bitmap;
};
LastPicture g_last;
// Every window and alpha handed over, in order.
std::vector<std::pair<HWND, int>> g_alphas;
TUpdateLayeredWindow g_realUpdate = nullptr;

BOOL WINAPI RecordUpdate(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                         BLENDFUNCTION* blend, DWORD flags) {
  g_alphas.push_back({wnd, blend ? blend->SourceConstantAlpha : -1});
  if (size && src) {
    g_last.Wnd = wnd;
    g_last.Bitmap = std::make_unique<gui::TBitmap>(size->cx, size->cy, gui::pf32bit);
    BitBlt(g_last.Bitmap->Canvas().Handle(), 0, 0, size->cx, size->cy, src, 0, 0, SRCCOPY);
  }
  return g_realUpdate(wnd, dst, pos, size, src, srcPos, key, blend, flags);
}

// A form that notes what covers it when its caption changes.
class WatchedForm : public gui::TForm {
 public:
  WatchedForm() : gui::TForm(nullptr) {}
  TsSkinProvider* provider = nullptr;
  bool coveredAtText = false;
  bool frameCovered = false, clientCovered = true;

 protected:
  void WndProc(gui::TMessage& m) override {
    if (m.Msg == WM_SETTEXT && provider) {
      coveredAtText = provider->CaptForm && IsWindowVisible(provider->CaptForm->Handle());
      if (coveredAtText) {
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(provider->CaptForm->Handle(), r);
        const gui::TRect c = GetClientRectInWindow(Handle());
        frameCovered = PtInRegion(r, 2, 2);
        clientCovered = PtInRegion(r, (c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2);
        DeleteObject(r);
      }
    }
    gui::TForm::WndProc(m);
  }
};

class FormLooks : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = skintest::TestSkinManager(kSkins, "Korvan Forms");
    ASSERT_TRUE(manager->IsSkinLoaded());
    // The providers here are placed by the tests: the window-creation hook makes none.
    manager->SetSkinningRules(srStdDialogs);
    g_realUpdate = UpdateLayeredWindowProc;
    UpdateLayeredWindowProc = &RecordUpdate;
  }
  void TearDown() override {
    UpdateLayeredWindowProc = g_realUpdate;
    g_last = {};
    forms.clear();
    ClearSkinnedForms();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  WatchedForm* NewForm(const std::string& name, int left, int top, int width = 300, int height = 180) {
    forms.push_back(std::make_unique<WatchedForm>());
    WatchedForm* f = forms.back().get();
    f->SetName(name);
    f->SetCaption(name);
    f->SetBounds(left, top, width, height);
    f->HandleNeeded();
    f->provider = new TsSkinProvider(f);
    AddSkinnedForm(f);
    return f;
  }
  std::unique_ptr<TsSkinManager> manager;
  std::vector<std::unique_ptr<WatchedForm>> forms;
};

uint32_t PixelAt(gui::TBitmap& b, int x, int y) {
  GdiFlush();
  return Pixels32(b).At(x, y) & 0xFFFFFF;
}

TEST_F(FormLooks, ADisabledFormIsVeiledInItsTintUntilEnabled) {
  WatchedForm* f = NewForm("Warga", 80, 80);
  f->Show();
  TsSkinProvider* p = f->provider;
  p->DisabledBlendColor = 0x0000FF;  // red
  p->DisabledBlendValue = 128;
  p->UpdateDisabledLook();
  EXPECT_FALSE(p->DisabledForm) << "an enabled form has no veil";

  f->SetEnabled(false);
  p->UpdateDisabledLook();
  ASSERT_TRUE(p->DisabledForm);
  EXPECT_TRUE(IsWindowVisible(p->DisabledForm->Handle()));
  ASSERT_EQ(g_last.Wnd, p->DisabledForm->Handle());
  report::SaveBitmapToPng(*g_last.Bitmap, std::string("Z:") + KORVAN_FORMS_OUT + "/disabled_veil.png");
  RECT wr, vr;
  GetWindowRect(f->Handle(), &wr);
  GetWindowRect(p->DisabledForm->Handle(), &vr);
  EXPECT_EQ(vr.left, wr.left);
  EXPECT_EQ(vr.top, wr.top);
  EXPECT_EQ(g_last.Bitmap->Width(), wr.right - wr.left);
  const uint32_t c = PixelAt(*g_last.Bitmap, g_last.Bitmap->Width() / 2, g_last.Bitmap->Height() / 2);
  EXPECT_GT(int(c >> 16), int(c & 0xFF) + 40) << "the client area leans to the veil's red: " << std::hex << c;
  EXPECT_LT(int(c & 0xFF), 0xEE);
  EXPECT_EQ(p->FormActive, 0) << "the title behind the veil is inactive";

  // Blurred, the title's text and glyphs smear while the wide client keeps its colour.
  std::unique_ptr<gui::TBitmap> sharp = std::move(g_last.Bitmap);
  p->DisabledBlured = true;
  p->UpdateDisabledLook();
  ASSERT_TRUE(g_last.Bitmap);
  report::SaveBitmapToPng(*g_last.Bitmap, std::string("Z:") + KORVAN_FORMS_OUT + "/disabled_veil_blurred.png");
  gui::TBitmap& blurred = *g_last.Bitmap;
  ASSERT_EQ(blurred.Width(), sharp->Width());
  auto channelGap = [](uint32_t a, uint32_t b) {
    int gap = 0;
    for (int shift : {0, 8, 16}) gap = std::max(gap, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return gap;
  };
  int smeared = 0, titlePixels = 0;
  for (int y = 2; y < p->TitleBottom - 2; ++y)
    for (int x = 2; x < sharp->Width() - 2; ++x, ++titlePixels)
      smeared += channelGap(PixelAt(blurred, x, y), PixelAt(*sharp, x, y)) > 8;
  EXPECT_GT(smeared * 20, titlePixels) << "the title is no longer sharp";
  const int mid = sharp->Width() / 2, y = sharp->Height() * 2 / 3;
  EXPECT_LT(channelGap(PixelAt(blurred, mid, y), PixelAt(*sharp, mid, y)), 12) << "the client keeps its tint";

  f->SetEnabled(true);
  p->UpdateDisabledLook();
  EXPECT_FALSE(p->DisabledForm) << "enabled again, the veil goes";
}

TEST_F(FormLooks, ASnapshotShowsTheFormAsItIsOnTopOfEverything) {
  WatchedForm* f = NewForm("Snapshot", 90, 90);
  f->Show();
  guitest::LiftOverOtherTests(f->Handle());
  TsSkinProvider* p = f->provider;
  p->PrepareCache();
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT wr;
  GetWindowRect(f->Handle(), &wr);
  gui::TBitmap seen(wr.right - wr.left, wr.bottom - wr.top, gui::pf32bit);
  HDC dc = GetWindowDC(f->Handle());
  BitBlt(seen.Canvas().Handle(), 0, 0, seen.Width(), seen.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(f->Handle(), dc);

  std::unique_ptr<TacGlowForm> snap = CreateSnapshotForm(f->Handle(), p);
  ASSERT_TRUE(snap && snap->HandleAllocated());
  HWND s = snap->Handle();
  EXPECT_TRUE(IsWindowVisible(s));
  const LONG_PTR ex = GetWindowLongPtrW(s, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  RECT sr;
  GetWindowRect(s, &sr);
  EXPECT_EQ(sr.left, wr.left);
  EXPECT_EQ(sr.top, wr.top);
  EXPECT_EQ(sr.right - sr.left, wr.right - wr.left);
  ASSERT_EQ(g_last.Wnd, s);
  report::SaveBitmapToPng(*g_last.Bitmap, std::string("Z:") + KORVAN_FORMS_OUT + "/snapshot.png");
  for (gui::TPoint at : {gui::TPoint{seen.Width() / 2, p->TitleVCenter}, gui::TPoint{seen.Width() / 2, seen.Height() / 2}}) {
    GdiFlush();
    const uint32_t c = Pixels32(*g_last.Bitmap).At(at.X, at.Y);
    EXPECT_EQ(c & 0xFFFFFF, PixelAt(seen, at.X, at.Y)) << "the form as it shows";
    EXPECT_EQ(c >> 24, 255u) << "opaque";
  }
  EXPECT_EQ(CreateSnapshotForm(nullptr, p), nullptr);
}

TEST_F(FormLooks, TheCaptionIsCoveredOnlyWhileItChanges) {
  WatchedForm* f = NewForm("Keluarga", 100, 90);
  f->Show();
  guitest::LiftOverOtherTests(f->Handle());
  TsSkinProvider* p = f->provider;
  p->PrepareCache();
  SendMessageW(f->Handle(), WM_SETTEXT, 0, LPARAM(L"Warga Jemaat"));
  EXPECT_TRUE(f->coveredAtText) << "the cover lies over the frame while the text changes";
  EXPECT_TRUE(f->frameCovered);
  EXPECT_FALSE(f->clientCovered) << "the client area is never covered";
  EXPECT_FALSE(p->CaptForm) << "and is gone afterwards";
  EXPECT_EQ(f->Caption(), "Warga Jemaat");

  f->Hide();
  SendMessageW(f->Handle(), WM_SETTEXT, 0, LPARAM(L"Tersembunyi"));
  EXPECT_FALSE(f->coveredAtText) << "a hidden form's text changes uncovered";
  p->ShowCaptForm();
  EXPECT_FALSE(p->CaptForm) << "a hidden form gets no cover";
}

TEST_F(FormLooks, AFormSnapsToTheWorkAreaAndTakesItsGluedFormsAlong) {
  WatchedForm* main = NewForm("Utama", 200, 200);
  main->Show();
  const gui::TRect work = GetFormWorkArea(main);
  TsSkinProvider* p = main->provider;
  p->SnapBuffer = 10;
  int x = work.Left + 7, y = 240;
  p->SnapToEdges(x, y);
  EXPECT_EQ(x, work.Left) << "within the buffer it jumps to the edge";
  EXPECT_EQ(y, 240);
  x = work.Left + 11;
  p->SnapToEdges(x, y);
  EXPECT_EQ(x, work.Left + 11) << "beyond it, it stays";
  p->SetFormState(psNoGlue);
  x = work.Left + 7;
  p->SnapToEdges(x, y);
  EXPECT_EQ(x, work.Left + 7) << "no snapping while held";
  p->SetFormState(0);

  RECT mr;
  GetWindowRect(main->Handle(), &mr);
  WatchedForm* side = NewForm("Samping", mr.right, mr.top + 20, 120, 100);  // touching on the right
  WatchedForm* apart = NewForm("Jauh", mr.right + 30, mr.top, 120, 100);    // listed but not touching
  WatchedForm* other = NewForm("Lain", mr.left, mr.bottom, 120, 100);       // touching but not listed
  side->Show(), apart->Show(), other->Show();
  p->GluedForms = {"Samping", "Jauh"};
  p->UpdateGluedForms();
  EXPECT_TRUE(p->IsGluedTo(side));
  EXPECT_FALSE(p->IsGluedTo(apart));
  EXPECT_FALSE(p->IsGluedTo(other));

  main->SetBounds(main->Left() + 50, main->Top() + 30, main->Width(), main->Height());
  p->MoveGluedForms(false);
  RECT sr, ar;
  GetWindowRect(main->Handle(), &mr);
  GetWindowRect(side->Handle(), &sr);
  GetWindowRect(apart->Handle(), &ar);
  EXPECT_EQ(sr.left, mr.right) << "the glued form follows";
  EXPECT_EQ(sr.top, mr.top + 20);
  EXPECT_EQ(ar.left, mr.right - 50 + 30) << "the other stays where it was";

  int sx = side->Left() + 3, sy = side->Top();
  side->provider->SnapToEdges(sx, sy);
  EXPECT_FALSE(p->IsGluedTo(side)) << "dragged by itself, the glued form comes loose";
}

TEST_F(FormLooks, DisablingAFormThroughItsOwnChangeVeilsIt) {
  WatchedForm* f = NewForm("Warga", 80, 80);
  f->Show();
  TsSkinProvider* p = f->provider;
  const struct { uint8_t value; bool veiled; } cases[] = {{128, true}, {255, false}};
  for (const auto& c : cases) {
    p->DisabledBlendValue = c.value;
    f->SetEnabled(false);
    EXPECT_EQ(bool(p->DisabledForm), c.veiled) << "blend value " << int(c.value);
    if (p->DisabledForm) EXPECT_TRUE(IsWindowVisible(p->DisabledForm->Handle()));
    f->SetEnabled(true);
    EXPECT_FALSE(p->DisabledForm) << "enabled again, no veil: " << int(c.value);
  }
}

TEST_F(FormLooks, ADragSnapsTheFormAndTakesItsGluedFormAlongTranslucent) {
  WatchedForm* main = NewForm("Utama", 200, 200);
  main->Show();
  RECT mr;
  GetWindowRect(main->Handle(), &mr);
  WatchedForm* side = NewForm("Samping", mr.right, mr.top + 20, 120, 100);
  side->Show();
  TsSkinProvider* p = main->provider;
  p->GluedForms = {"Samping"};
  p->ScreenSnap = true;
  p->SnapBuffer = 10;
  manager->AnimEffects.BlendOnMoving = {true, 48, TacAnimType::atAero};
  manager->AnimEffects.BlendValue = 170;
  const gui::TRect work = GetFormWorkArea(main);
  HWND wnd = main->Handle();

  SendMessageW(wnd, WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_TRUE(p->IsGluedTo(side)) << "the touching form is glued when the drag starts";
  EXPECT_TRUE(p->FormState() & psBlendMoving);
  EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) << "translucent while dragged";
  SetWindowPos(wnd, nullptr, work.Left + 7, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT sr;
  GetWindowRect(wnd, &mr);
  GetWindowRect(side->Handle(), &sr);
  EXPECT_EQ(mr.left, work.Left) << "within the buffer the form jumps to the edge";
  EXPECT_EQ(mr.top, 260);
  EXPECT_EQ(sr.left, mr.right) << "the glued form follows";
  EXPECT_EQ(sr.top, mr.top + 20);
  SendMessageW(wnd, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_FALSE(p->FormState() & psBlendMoving);
  EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) << "opaque again after the drag";
  EXPECT_EQ(p->MoveTimer, nullptr);

  p->ScreenSnap = false;
  SetWindowPos(wnd, nullptr, work.Left + 7, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(wnd, &mr);
  EXPECT_EQ(mr.left, work.Left + 7) << "without snapping it stays where it is put";
}

TEST_F(FormLooks, ASecondFormFliesIntoTheTaskBarAndBackOnItsSystemCommands) {
  WatchedForm* f = NewForm("Warga", 120, 100);
  f->Show();
  TsSkinProvider* p = f->provider;
  HWND wnd = f->Handle();
  manager->AnimEffects.Minimizing.Time = 60;
  // The flight needs composition on later systems; Wine has none, so the form is taken for an
  // older one here.
  const int32_t version = Globals().WinVersionFlag;
  Globals().WinVersionFlag = 5;
  SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_NE(p->MinTimer, nullptr) << "the minimize flies";
  EXPECT_TRUE(IsIconic(wnd));
  for (int i = 0; i < 100 && !p->MinTimer->Minimized; ++i) p->MinTimer->Step();
  EXPECT_TRUE(p->MinTimer->Minimized);
  SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(p->FormState() & psRestoring) << "the restore flies back";
  for (int i = 0; i < 100 && p->MinTimer && p->MinTimer->Minimized; ++i) p->MinTimer->Step();
  EXPECT_FALSE(IsIconic(wnd));
  EXPECT_FALSE(p->FormState() & (psRestoring | psMinimizing));

  manager->AnimEffects.Minimizing.Active = false;
  delete p->MinTimer;
  p->MinTimer = nullptr;
  SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(p->MinTimer, nullptr) << "switched off, the system minimizes alone";
  EXPECT_TRUE(IsIconic(wnd));
  Globals().WinVersionFlag = version;
}

TEST_F(FormLooks, AMinimizedImageFadesIntoTheTaskBarAndComesBack) {
  WatchedForm* f = NewForm("Warga", 120, 100);
  f->Show();
  TsSkinProvider* p = f->provider;
  manager->AnimEffects.Minimizing.Time = 60;  // 10 steps of 6 ms
  auto* t = new TacMinTimer(p);
  p->MinTimer = t;
  t->SavedImage = p->FormImageWithClient();
  t->Init();
  ASSERT_TRUE(t->AnimForm);
  HWND anim = t->AnimForm->Handle();
  g_alphas.clear();
  for (int i = 0; i < 100 && !t->Minimized; ++i) t->Step();
  ASSERT_TRUE(t->Minimized);
  std::vector<int> out;
  for (auto [w, a] : g_alphas)
    if (w == anim) out.push_back(a);
  ASSERT_EQ(out.size(), 8u) << "shown while it has alpha left";
  for (size_t i = 1; i < out.size(); ++i) EXPECT_LT(out[i], out[i - 1]) << "fading out";
  EXPECT_GT(out.back(), 0);
  EXPECT_FALSE(IsWindowVisible(anim));

  const struct { const char* what; bool onWindow; } ways[] = {{"from the target", false}, {"from on top of the window", true}};
  for (const auto& w : ways) {
    if (w.onWindow) t->TargetRect = t->WindowRect, t->Minimized = true;
    t->PrepareRestore();
    g_alphas.clear();
    int steps = 0;
    while (t->Minimized && steps < 100) t->Step(), ++steps;
    EXPECT_FALSE(t->Minimized) << w.what;
    EXPECT_LE(steps, 60 / 6 + 2) << w.what;
    ASSERT_FALSE(g_alphas.empty());
    EXPECT_EQ(g_alphas.back().second, 255) << "shown whole at the end: " << w.what;
    RECT ar, wr;
    GetWindowRect(anim, &ar);
    GetWindowRect(f->Handle(), &wr);
    EXPECT_EQ(ar.left, wr.left) << w.what;
    EXPECT_EQ(ar.top, wr.top) << w.what;
  }
}

TEST_F(FormLooks, ADraggedFormFadesWithItsGluedFormsAndComesBackOpaque) {
  WatchedForm* main = NewForm("Utama", 100, 100);
  main->Show();
  RECT mr;
  GetWindowRect(main->Handle(), &mr);
  WatchedForm* side = NewForm("Samping", mr.right, mr.top, 120, 100);
  side->Show();
  TsSkinProvider* p = main->provider;
  p->GluedForms = {"Samping"};
  p->UpdateGluedForms();
  manager->AnimEffects.BlendOnMoving = {true, 48, TacAnimType::atAero};  // 4 steps of 12 ms
  manager->AnimEffects.BlendValue = 170;
  StartBlendMoving(p, false);
  ASSERT_NE(p->MoveTimer, nullptr);
  EXPECT_TRUE(p->FormState() & psBlendMoving);
  // What the screen shows of a window: opaque unless it is layered with a lower alpha.
  const auto alphaOf = [](HWND w) {
    BYTE a = 255;
    DWORD flags = 0;
    if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) GetLayeredWindowAttributes(w, nullptr, &a, &flags);
    return int(a);
  };
  std::vector<int> alphas, sideAlphas;
  for (int i = 0; i < 6; ++i) {
    p->MoveTimer->Step();
    alphas.push_back(alphaOf(main->Handle()));
    sideAlphas.push_back(alphaOf(side->Handle()));
  }
  EXPECT_EQ(alphas, (std::vector<int>{255, 234, 213, 191, 170, 170})) << "down to the blend value and held";
  EXPECT_EQ(sideAlphas, alphas) << "the glued form fades along";
  FinishBlendMoving(p);
  EXPECT_EQ(p->MoveTimer, nullptr);
  EXPECT_FALSE(p->FormState() & psBlendMoving);
  EXPECT_FALSE(GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_FALSE(GetWindowLongPtrW(side->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) << "and comes back opaque";
}

TEST_F(FormLooks, AScaleTickerStepsOnTheGuiThreadUntilItIsStopped) {
  const DWORD gui = GetCurrentThreadId();
  TacScaleThread stopped;
  int steps = 0;
  bool onGui = true;
  stopped.OnStep = [&](TacScaleThread* t) {
    onGui = onGui && GetCurrentThreadId() == gui;
    if (++steps == 5) SetEvent(t->StopEvent);
  };
  const DWORD start = GetTickCount();
  stopped.Start();
  stopped.WaitFor();
  EXPECT_EQ(steps, 5) << "the event ends the ticking";
  EXPECT_TRUE(onGui);
  EXPECT_GE(GetTickCount() - start, 20u) << "about 6 ms a tick";

  TacScaleThread ended;
  int more = 0;
  ended.OnStep = [&](TacScaleThread* t) {
    if (++more == 3) t->Terminate();
  };
  ended.Start();
  ended.WaitFor();
  EXPECT_EQ(more, 3) << "terminated, it ticks no more";
}

TEST_F(FormLooks, TheMDICompanionHooksTheClientOnceAndOnlyWhileSkinned) {
  WatchedForm* f = NewForm("Induk", 60, 60, 400, 300);
  CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
  HWND client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 150,
                                f->Handle(), nullptr, GetModuleHandleW(nullptr), &ccs);
  ASSERT_NE(client, nullptr);
  TsMDIForm mdi(f->provider);
  EXPECT_EQ(mdi.Form, f);
  EXPECT_EQ(mdi.ClientHandle(), client);
  mdi.ConnectToClient();
  ASSERT_TRUE(mdi.ClientHook);
  TacMDIWnd* first = mdi.ClientHook.get();
  EXPECT_EQ(first->Wnd(), client);
  EXPECT_EQ(first->FProvider, f->provider);
  EXPECT_NE(GetPropW(client, L"ACSDATA"), nullptr) << "the client carries its skin state";
  mdi.ConnectToClient();
  EXPECT_EQ(mdi.ClientHook.get(), first) << "connected twice, hooked once";

  f->provider->SkinData()->FCacheInvalid = false;
  f->provider->MenuLineCount = 2;
  mdi.RefreshNonClient();
  EXPECT_EQ(f->provider->MenuLineCount, -1);
  EXPECT_TRUE(f->provider->MenuChanged);

  const int32_t index = f->provider->SkinData()->FSkinIndex;
  f->provider->SkinData()->FSkinIndex = -1;  // the skin taken away
  mdi.UpdateClientHook();
  EXPECT_FALSE(mdi.ClientHook);
  EXPECT_EQ(GetPropW(client, L"ACSDATA"), nullptr);
  f->provider->SkinData()->FSkinIndex = index;
  DestroyWindow(client);
}

TEST_F(FormLooks, AFrameAdapterIsRefusedWithoutAFrame) {
  WatchedForm* f = NewForm("Bingkai", 60, 60);
  try {
    new TsFrameAdapter(f);
    ADD_FAILURE() << "a form is no frame";
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.Message(), "TsFrameAdapter adapter must be placed on the handled frame");
  }
  EXPECT_EQ(f->ComponentCount(), 1) << "only the provider: the adapter joined nothing";
}

// ---------------------------------------------------------------- the skin editor

// A window titled "Skin Editor" on its own thread, answering announcements as told.
class FakeEditor {
 public:
  explicit FakeEditor(int acceptAt, bool hang = false) : acceptAt_(acceptAt), hang_(hang) {
    thread_ = std::thread([this] { Run(); });
    while (!wnd_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ~FakeEditor() {
    PostMessageW(wnd_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  std::atomic<int> announcements{0};
  std::atomic<LPARAM> announced{0};

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<FakeEditor*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (msg == kPreviewMessage && wp == 3 && self) {
      ++self->announcements;
      self->announced = lp;
      if (self->hang_) Sleep(1500);
      return self->announcements >= self->acceptAt_ ? 1 : 0;
    }
    if (msg == WM_CLOSE) {
      DestroyWindow(w);
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
  }
  void Run() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvanFakeSkinEditor";
    RegisterClassW(&wc);
    HWND w = CreateWindowW(L"KorvanFakeSkinEditor", L"Skin Editor", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           wc.hInstance, nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, LONG_PTR(this));
    wnd_ = w;
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  }
  int acceptAt_;
  bool hang_;
  std::atomic<HWND> wnd_{nullptr};
  std::thread thread_;
};

class EditorLink : public FormLooks {
 protected:
  void SetUp() override {
    FormLooks::SetUp();
    PreviewMode = false;
    PreviewWindow = nullptr;
  }
  void TearDown() override {
    PreviewMode = false;
    PreviewWindow = nullptr;
    FormLooks::TearDown();
  }
};

TEST_F(EditorLink, TheSwitchMustBeTheFirstParameterInLowerCase) {
  const struct { std::vector<std::string> params; bool on; } cases[] = {
      {{"/acpreview"}, true}, {{"/ACPREVIEW"}, false}, {{"x", "/acpreview"}, false}, {{}, false}};
  for (const auto& c : cases) {
    InitPreviewMode(c.params);
    EXPECT_EQ(PreviewMode, c.on) << (c.params.empty() ? "" : c.params[0]);
  }
}

TEST_F(EditorLink, TheMainFormIsAnnouncedUntilTheEditorAccepts) {
  WatchedForm* f = NewForm("Utama", 60, 60);
  FakeEditor editor(3);
  PreviewMode = true;
  EXPECT_TRUE(NotifySkinEditor(f->Handle()));
  EXPECT_EQ(editor.announcements, 3);
  EXPECT_EQ(HWND(editor.announced.load()), f->Handle());
  EXPECT_EQ(PreviewWindow, f->Handle());
  EXPECT_FALSE(PreviewMode);
  EXPECT_FALSE(NotifySkinEditor(f->Handle())) << "announced once";
  EXPECT_EQ(editor.announcements, 3);

  LRESULT r = 0;
  EXPECT_TRUE(AnswerEditorRequest(f->Handle(), 4, r));
  EXPECT_EQ(r, 1) << "present";
  EXPECT_FALSE(AnswerEditorRequest(f->Handle(), 3, r)) << "the form's own";
  EXPECT_FALSE(AnswerEditorRequest(nullptr, 4, r));
}

TEST_F(EditorLink, AHungEditorIsGivenUpAndNoEditorEndsAtOnce) {
  WatchedForm* f = NewForm("Utama", 60, 60);
  PreviewMode = true;
  EXPECT_FALSE(NotifySkinEditor(f->Handle())) << "no editor";
  PreviewMode = true, PreviewWindow = nullptr;
  FakeEditor hung(1000, true);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(NotifySkinEditor(f->Handle()));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(ms, 1000) << "one short wait, not a hundred blocking sends";
  EXPECT_EQ(hung.announcements, 1);
}

TEST_F(EditorLink, OnlyAWholeBlockOnTheAnnouncedWindowIsTaken) {
  WatchedForm* f = NewForm("Utama", 60, 60);
  WatchedForm* g = NewForm("Lain", 60, 60);
  PreviewWindow = f->Handle();
  const std::string record = MakeLivePreviewRecord({"Korvan Forms", kSkins, "[GLOBALINFO]\r\nVERSION=12\r\n"});
  ASSERT_EQ(record.size(), kLivePreviewSize);
  auto block = [](const std::string& bytes) {
    COPYDATASTRUCT cd{};
    cd.dwData = 7;
    cd.cbData = DWORD(bytes.size());
    cd.lpData = const_cast<char*>(bytes.data());
    return cd;
  };
  std::string wrongMagic = record;
  wrongMagic[0] = 1;
  const std::string cut = record.substr(0, 1000);
  COPYDATASTRUCT whole = block(record), shortOne = block(cut), other = block(wrongMagic);
  COPYDATASTRUCT noPointer = whole;
  noPointer.lpData = nullptr;
  EXPECT_FALSE(ReceiveEditorBlock(g->Handle(), 7, LPARAM(&whole))) << "another window";
  EXPECT_FALSE(ReceiveEditorBlock(f->Handle(), 6, LPARAM(&whole))) << "another id";
  EXPECT_FALSE(ReceiveEditorBlock(f->Handle(), 7, LPARAM(&other))) << "another magic";
  EXPECT_FALSE(ReceiveEditorBlock(f->Handle(), 7, LPARAM(&noPointer)));
  EXPECT_FALSE(ReceiveEditorBlock(f->Handle(), 7, 0));
  EXPECT_FALSE(manager->LivePreview());
  EXPECT_TRUE(ReceiveEditorBlock(f->Handle(), 7, LPARAM(&shortOne))) << "the editor's, but cut short";
  EXPECT_FALSE(manager->LivePreview()) << "a short block is not taken";
  EXPECT_TRUE(ReceiveEditorBlock(f->Handle(), 7, LPARAM(&whole)));
  ASSERT_TRUE(manager->LivePreview());
  EXPECT_EQ(manager->LivePreview()->SkinName, "Korvan Forms");
}

}  // namespace
}  // namespace skin
