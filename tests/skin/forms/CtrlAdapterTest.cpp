// The child-control adapter on a real form with a provider: a scan gives every control the
// hook of its class's list (down through panels, group boxes and pages), speed buttons a
// handler with the section of their look, keeps tagged, vetoed and font-colour-refusing
// controls native, hooks nothing twice, takes single controls added later, drops the items
// of controls that went, and gives every control its own look back when it frees its items.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "../hooks/HookSteps.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acCtrlAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/hooks/acBtnWnd.h"
#include "skin/hooks/acCheckBoxWnd.h"
#include "skin/hooks/acComboWnd.h"
#include "skin/hooks/acEditWnd.h"
#include "skin/hooks/acPageControlWnd.h"
#include "skin/hooks/acPanelWnd.h"
#include "skin/hooks/acStaticWnd.h"
#include "skin/hooks/acStatusBarWnd.h"

namespace skin {
namespace {

bool Skinned(gui::TControl* c) { return c->Perform(SM_ALPHACMD, MakeSkinCommand(AC_CTRLHANDLED), 0) == 1; }

// Pixels of a control's place that differ between two shots of its form.
int Changed(gui::TBitmap& a, gui::TBitmap& b, HWND form, gui::TWinControl* c) {
  RECT fr, cr;
  GetWindowRect(form, &fr);
  GetWindowRect(c->Handle(), &cr);
  int n = 0;
  for (int y = cr.top - fr.top; y < cr.bottom - fr.top; ++y)
    for (int x = cr.left - fr.left; x < cr.right - fr.left; ++x)
      n += ::GetPixel(a.Canvas().Handle(), x, y) != ::GetPixel(b.Canvas().Handle(), x, y);
  return n;
}

TEST(CtrlAdapter, AFormsControlsHookedByTheirListsAndReleased) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Data Jemaat", 560, 400);
  form.SetBounds(420, 160, 560, 400);
  auto place = [&](auto* c, gui::TWinControl* parent, int x, int y, int w, int hgt, const char* text = nullptr) {
    c->SetParent(parent);
    c->SetBounds(x, y, w, hgt);
    if (text) c->SetCaption(text);
    return c;
  };
  auto* edit = place(new gui::TEdit(&form), &form, 10, 10, 150, 24);
  auto* native = place(new gui::TEdit(&form), &form, 10, 40, 150, 24);
  native->Tag = 256 | 4;
  auto* memo = place(new gui::TMemo(&form), &form, 10, 70, 150, 60);
  memo->SetName("MemoCatatan");
  auto* combo = place(new gui::TComboBox(&form), &form, 180, 10, 150, 24);
  auto* list = place(new gui::TListBox(&form), &form, 180, 40, 150, 90);
  auto* button = place(new gui::TButton(&form), &form, 350, 10, 90, 26, "Simpan");
  auto* check = place(new gui::TCheckBox(&form), &form, 350, 44, 120, 20, "Aktif");
  auto* radio = place(new gui::TRadioButton(&form), &form, 350, 68, 120, 20, "Laki-laki");
  auto* ownColours = place(new gui::TCheckBox(&form), &form, 350, 92, 120, 20, "Warna sendiri");
  ownColours->SetName("CekWarnaSendiri");
  auto* panel = place(new gui::TPanel(&form), &form, 10, 140, 200, 70, "");
  auto* inPanel = place(new gui::TEdit(&form), panel, 10, 20, 120, 24);
  auto* group = place(new gui::TGroupBox(&form), &form, 220, 140, 200, 70, "Status");
  auto* inGroup = place(new gui::TCheckBox(&form), group, 12, 30, 150, 20, "Sidi");
  auto* pages = place(new gui::TPageControl(&form), &form, 10, 215, 300, 120);
  gui::TTabSheet* sheets[2];
  const char* captions[] = {"Pribadi", "Keluarga"};
  for (int i = 0; i < 2; ++i) {
    sheets[i] = new gui::TTabSheet(&form);
    sheets[i]->SetPageControl(pages);
    sheets[i]->SetCaption(captions[i]);
  }
  auto* onPage = place(new gui::TEdit(&form), sheets[0], 10, 10, 150, 24);
  auto* staticText = place(new gui::TStaticText(&form), &form, 440, 140, 110, 20, "Sektor Betlehem");
  auto* speed = new gui::TSpeedButton(&form);
  speed->SetParent(&form);
  speed->SetBounds(330, 220, 90, 28);
  speed->SetCaption("Cari");
  auto* flat = new gui::TSpeedButton(&form);
  flat->SetParent(&form);
  flat->SetBounds(330, 255, 90, 28);
  flat->SetCaption("Cetak");
  flat->SetFlat(true);
  auto* status = new gui::TStatusBar(&form);
  status->SetParent(&form);
  status->Panels().Add()->SetWidth(200);
  status->Panels().Items(0)->SetText("DATABASE : CONNECT");
  form.HandleNeeded();
  const HWND formWnd = form.Handle();

  // The provider is placed here, not by the window-creation hook; it scans the form itself
  // once shown, so the third-party rule stays off until the test's own scan.
  h.Manager->SetSkinningRules(srStdDialogs);
  auto* provider = new TsSkinProvider(&form);
  // The handler asks for a whole scan again while one runs: the guard lets it do nothing.
  TacCtrlAdapter* scanning = nullptr;
  int nestedScans = 0;
  provider->OnSkinItem = [&](rtl::TComponent* item, bool& can, std::string&) {
    if (item->Name() != "MemoCatatan") return;
    can = false;
    if (scanning && scanning->Busy) {
      ++nestedScans;
      const int before = scanning->ItemCount();
      scanning->AddAllItems();
      EXPECT_EQ(scanning->ItemCount(), before) << "a scan asked for during a scan does nothing";
    }
  };
  provider->OnSkinItemEx = [](rtl::TComponent* item, bool&, TacSkinParams* params) {
    if (item->Name() == "CekWarnaSendiri") params->SkinFontColors = false;
  };
  if (!provider->Adapter) provider->Adapter = std::make_unique<TacCtrlAdapter>(provider);
  TacCtrlAdapter& adapter = *provider->Adapter;
  scanning = &adapter;

  // Each hooked control and the hook class its list gives.
  const std::pair<gui::TWinControl*, std::function<bool(TacMainWnd*)>> hooked[] = {
      {edit, [](TacMainWnd* w) { return dynamic_cast<TacEditWnd*>(w) != nullptr; }},
      {combo, [](TacMainWnd* w) { return dynamic_cast<TacComboBoxWnd*>(w) != nullptr; }},
      {list, [](TacMainWnd* w) { return dynamic_cast<TacEditWnd*>(w) != nullptr; }},
      {button, [](TacMainWnd* w) { return dynamic_cast<TacBtnWnd*>(w) != nullptr; }},
      {check, [](TacMainWnd* w) { return dynamic_cast<TacCheckBoxWnd*>(w) != nullptr; }},
      {radio, [](TacMainWnd* w) { return dynamic_cast<TacCheckBoxWnd*>(w) != nullptr; }},
      {panel, [](TacMainWnd* w) { return dynamic_cast<TacPanelWnd*>(w) != nullptr; }},
      {inPanel, [](TacMainWnd* w) { return dynamic_cast<TacEditWnd*>(w) != nullptr; }},
      {group, [](TacMainWnd* w) { return dynamic_cast<TacGroupBoxWnd*>(w) != nullptr; }},
      {inGroup, [](TacMainWnd* w) { return dynamic_cast<TacCheckBoxWnd*>(w) != nullptr; }},
      {pages, [](TacMainWnd* w) { return dynamic_cast<TacPageControlWnd*>(w) != nullptr; }},
      {onPage, [](TacMainWnd* w) { return dynamic_cast<TacEditWnd*>(w) != nullptr; }},
      {status, [](TacMainWnd* w) { return dynamic_cast<TacStatusBarWnd*>(w) != nullptr; }},
      {staticText, [](TacMainWnd* w) { return dynamic_cast<TacStaticTextWnd*>(w) != nullptr; }},
  };
  gui::TWinControl* keptNative[] = {native, memo, ownColours};
  std::vector<TacMainWnd*> firstHooks;
  gui::TBitmap *own = nullptr, *skinned = nullptr;

  skintest::ShowSteps(h, formWnd);
  h.Step("without the third-party rule nothing is hooked", [&] {
    own = &h.Shot(formWnd, "adapter_form_own");
    h.Manager->SetSkinningRules(srStdForms | srStdDialogs);
    adapter.AddAllItems();
    EXPECT_EQ(adapter.ItemCount(), 0);
    EXPECT_EQ(adapter.GraphItemCount(), 0);
    h.Manager->SetSkinningRules(srStdForms | srStdDialogs | srThirdParty);
  });
  h.Step("scan", [&] {
    adapter.AddAllItems();
    skintest::RedrawWhole(formWnd);
  });
  h.Step("every control hooked by its list", [&] {
    skinned = &h.Shot(formWnd, "adapter_form_skinned");
    for (const auto& [control, isExpected] : hooked) {
      SCOPED_TRACE(control->ClassName());
      EXPECT_TRUE(Skinned(control));
      TacMainWnd* hook = adapter.HookOf(control);
      ASSERT_NE(hook, nullptr);
      EXPECT_TRUE(isExpected(hook));
      firstHooks.push_back(hook);
    }
    EXPECT_GT(nestedScans, 0);
    EXPECT_FALSE(adapter.Busy);
    for (gui::TWinControl* c : keptNative) {
      EXPECT_FALSE(Skinned(c)) << c->Name();
      EXPECT_EQ(adapter.HookOf(c), nullptr) << c->Name();
    }
    EXPECT_GT(Changed(*own, *skinned, formWnd, button), 200) << "the button painted from the skin";
    EXPECT_GT(Changed(*own, *skinned, formWnd, panel), 200) << "the panel painted from the skin";
    ASSERT_NE(adapter.HandlerOf(speed), nullptr);
    ASSERT_NE(adapter.HandlerOf(flat), nullptr);
    EXPECT_EQ(adapter.HandlerOf(speed)->PaintState(), 0);
    EXPECT_EQ(adapter.GraphSkinDataOf(speed)->SkinSection(), "SPEEDBUTTON");
    EXPECT_EQ(adapter.GraphSkinDataOf(flat)->SkinSection(), "SPEEDBUTTON_SMALL") << "a flat button's section";
  });
  h.Step("a second scan hooks nothing twice", [&] {
    const int items = adapter.ItemCount(), graph = adapter.GraphItemCount();
    adapter.AddAllItems();
    EXPECT_EQ(adapter.ItemCount(), items);
    EXPECT_EQ(adapter.GraphItemCount(), graph);
    size_t i = 0;
    for (const auto& [control, isExpected] : hooked) EXPECT_EQ(adapter.HookOf(control), firstHooks[i++]);
  });
  gui::TEdit* later = nullptr;
  gui::TEdit* laterNative = nullptr;
  h.Step("controls added one by one", [&] {
    later = place(new gui::TEdit(&form), &form, 330, 295, 150, 24);
    laterNative = place(new gui::TEdit(&form), &form, 330, 325, 150, 24);
    laterNative->Tag = 256;
    later->HandleNeeded();
    laterNative->HandleNeeded();
    adapter.AddNewItem(later);
    adapter.AddNewItem(laterNative);
    EXPECT_NE(adapter.HookOf(later), nullptr);
    EXPECT_TRUE(Skinned(later));
    EXPECT_EQ(adapter.HookOf(laterNative), nullptr) << "its tag keeps it native";
  });
  h.Step("a hooked control goes", [&] {
    const int items = adapter.ItemCount();
    TacMainWnd* listHook = adapter.HookOf(list);
    delete list;
    EXPECT_TRUE(listHook->Released());
    delete speed;
    adapter.AddAllItems();
    EXPECT_EQ(adapter.ItemCount(), items - 1) << "its item dropped";
    EXPECT_EQ(adapter.GraphItemCount(), 1) << "the freed speed button's item dropped";
  });
  h.Step("all items freed", [&] {
    adapter.RemoveAllItems();
    skintest::RedrawWhole(formWnd);
  });
  h.Step("every control has its own look back", [&] {
    gui::TBitmap& back = h.Shot(formWnd, "adapter_form_released");
    for (const auto& [control, isExpected] : hooked)
      if (control != list) EXPECT_FALSE(Skinned(control)) << control->ClassName();
    EXPECT_FALSE(Skinned(later));
    EXPECT_EQ(adapter.ItemCount(), 0);
    EXPECT_EQ(adapter.GraphItemCount(), 0);
    // Compared within one shot: other programs on the display may change system colours.
    EXPECT_GT(Changed(*skinned, back, formWnd, button), 200) << "the button no longer skinned";
    EXPECT_GT(Changed(*skinned, back, formWnd, panel), 200) << "the panel no longer skinned";
    RECT fr, pr;
    GetWindowRect(formWnd, &fr);
    GetWindowRect(panel->Handle(), &pr);
    HDC dc = back.Canvas().Handle();
    EXPECT_EQ(::GetPixel(dc, pr.left - fr.left + 170, pr.top - fr.top + 10), ::GetPixel(dc, pr.left - fr.left - 4, pr.top - fr.top + 10))
        << "the panel in the form's own colour again";
  });
  h.Run();
  provider->OnSkinItem = nullptr;
  delete provider;
}

}  // namespace
}  // namespace skin
