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
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sLabel.h"
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

// Labels take the skin's font colour in the scan, down through panels and pages; the
// engine's own labels, tagged and vetoed ones keep theirs, and removing the skin gives every
// coloured label its colour back, a label freed meanwhile included.
TEST(CtrlAdapter, LabelsTakeTheSkinsFontColourAndGiveItBack) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Label", 420, 200);
  form.SetBounds(60, 420, 420, 200);
  auto label = [&](gui::TLabel* l, gui::TWinControl* parent, int x, int y, const char* text) {
    l->SetParent(parent);
    l->SetBounds(x, y, 150, 18);
    l->SetCaption(text);
    return l;
  };
  const gui::TColor red = gui::TColor(RGB(200, 0, 0));
  auto* onForm = label(new gui::TLabel(&form), &form, 10, 10, "Nama");
  auto* panel = new gui::TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(10, 40, 380, 110);
  auto* onPanel = label(new gui::TLabel(&form), panel, 10, 10, "Alamat");
  onPanel->SetParentFont(false);
  onPanel->Font().SetColor(red);
  auto* tagged = label(new gui::TLabel(&form), panel, 10, 30, "Sektor");
  tagged->Tag = 256;
  auto* vetoed = label(new gui::TLabel(&form), panel, 10, 50, "Pelkat");
  vetoed->SetName("LabelSendiri");
  auto* engines = label(new TsLabel(&form), panel, 10, 70, "Kulit");
  auto* freed = label(new gui::TLabel(&form), panel, 200, 10, "Sementara");
  form.HandleNeeded();
  const HWND formWnd = form.Handle();
  const gui::TColor taggedBefore = tagged->Font().Color(), engineBefore = engines->Font().Color();

  h.Manager->SetSkinningRules(srStdDialogs);
  auto* provider = new TsSkinProvider(&form);
  provider->OnSkinItemEx = [](rtl::TComponent* item, bool& can, TacSkinParams*) {
    if (item->Name() == "LabelSendiri") can = false;
  };
  if (!provider->Adapter) provider->Adapter = std::make_unique<TacCtrlAdapter>(provider);
  const gui::TColor skinText = gui::TColor(h.Manager->GetGlobalFontColor());
  ASSERT_NE(skinText, red);

  skintest::ShowSteps(h, formWnd);
  h.Step("scan", [&] {
    h.Manager->SetSkinningRules(srStdForms | srStdDialogs | srThirdParty);
    provider->Adapter->AddAllItems();
    form.Invalidate();
  });
  h.Step("coloured by the skin", [&] {
    h.Shot(formWnd, "adapter_labels_skinned");
    // The nested label shows on its skinned panel in the skin's colour (read from what the
    // panel holds: another test's window may pass over the screen).
    gui::TBitmap held;
    skintest::TSkinHarness::WindowPixels(panel->Handle(), held);
    RECT pr;
    GetWindowRect(panel->Handle(), &pr);
    const gui::TPoint at = onPanel->ClientToScreen({0, 0});
    int inSkinText = 0;
    for (int y = 0; y < onPanel->Height(); ++y)
      for (int x = 0; x < onPanel->Width(); ++x)
        inSkinText += ::GetPixel(held.Canvas().Handle(), at.X - pr.left + x, at.Y - pr.top + y) ==
                      gui::ColorToColorRef(skinText);
    EXPECT_GT(inSkinText, 10) << "the label drawn over its skinned panel";
    EXPECT_EQ(onForm->Font().Color(), skinText);
    EXPECT_EQ(onPanel->Font().Color(), skinText) << "a label on a panel";
    EXPECT_EQ(freed->Font().Color(), skinText);
    EXPECT_EQ(tagged->Font().Color(), taggedBefore) << "its tag keeps it";
    EXPECT_NE(vetoed->Font().Color(), skinText) << "the event kept it";
    EXPECT_EQ(engines->Font().Color(), engineBefore) << "the engine's label paints itself";
    delete freed;
  });
  h.Step("remove the skin", [&] {
    SendMessageW(formWnd, SM_ALPHACMD, MakeSkinCommand(AC_REMOVESKIN), LPARAM(h.Manager.get()));
  });
  h.Step("every label's own colour back", [&] {
    h.Shot(formWnd, "adapter_labels_removed");
    EXPECT_EQ(onPanel->Font().Color(), red) << "the nested label's own colour";
    EXPECT_EQ(onForm->Font().Color(), form.Font().Color()) << "a parent-font label follows its parent again";
    EXPECT_TRUE(provider->LabelColors.empty());
  });
  h.Run();
  delete provider;
}

// A form that keeps its own controls native still has the controls of its frames skinned
// when their adapters allow it: with the adapter's own lists when it names classes, else
// with the manager's; a frame whose adapter refuses stays native, and so does one whose
// adapter went. Only an adapter of this program joins the form's list.
TEST(CtrlAdapter, FramesScannedWithTheirAdaptersLists) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Bingkai", 560, 220);
  form.SetBounds(420, 420, 560, 220);
  auto frame = [&](int x) {
    auto* f = new gui::TFrame(&form);
    f->SetParent(&form);
    f->SetBounds(x, 40, 170, 160);
    return f;
  };
  auto put = [&](auto* c, gui::TWinControl* parent, int y, int height) {
    c->SetParent(parent);
    c->SetBounds(8, y, 150, height);
    return c;
  };
  auto* onForm = put(new gui::TEdit(&form), &form, 8, 24);
  gui::TFrame* ownLists = frame(8);
  auto* ownEdit = put(new gui::TEdit(ownLists), ownLists, 8, 24);
  auto* ownMemo = put(new gui::TMemo(ownLists), ownLists, 40, 60);
  gui::TFrame* managers = frame(190);
  auto* managersEdit = put(new gui::TEdit(managers), managers, 8, 24);
  gui::TFrame* refusing = frame(372);
  auto* refusedEdit = put(new gui::TEdit(refusing), refusing, 8, 24);
  form.HandleNeeded();
  const HWND formWnd = form.Handle();

  h.Manager->SetSkinningRules(srStdDialogs);
  auto* provider = new TsSkinProvider(&form);
  provider->AllowSkin3rdParty = false;
  if (!provider->Adapter) provider->Adapter = std::make_unique<TacCtrlAdapter>(provider);
  TacCtrlAdapter& adapter = *provider->Adapter;
  auto* own = new TsFrameAdapter(ownLists);
  own->ThirdParty.SetClassNames(0, "TMemo");  // its edits' list names the memo only
  auto* byManager = new TsFrameAdapter(managers);
  auto* refuses = new TsFrameAdapter(refusing);
  refuses->AllowSkin3rdParty = false;
  for (TsFrameAdapter* a : {own, byManager, refuses}) a->Loaded();

  skintest::ShowSteps(h, formWnd);
  h.Step("scan", [&] {
    ASSERT_EQ(provider->ChildList.size(), 3u) << "each adapter joined its form";
    EXPECT_TRUE(own->HasThirdPartyLists());
    EXPECT_FALSE(byManager->HasThirdPartyLists());
    h.Manager->SetSkinningRules(srStdForms | srStdDialogs | srThirdParty);
    adapter.AddAllItems();
    skintest::RedrawWhole(formWnd);
  });
  h.Step("the frames' controls by their lists", [&] {
    h.Shot(formWnd, "adapter_frames");
    EXPECT_EQ(adapter.HookOf(onForm), nullptr) << "the form keeps its own controls native";
    EXPECT_NE(dynamic_cast<TacEditWnd*>(adapter.HookOf(ownMemo)), nullptr) << "named in the adapter's list";
    EXPECT_EQ(adapter.HookOf(ownEdit), nullptr) << "the adapter's own lists, not the manager's";
    EXPECT_NE(adapter.HookOf(managersEdit), nullptr) << "an adapter without lists: the manager's";
    EXPECT_EQ(adapter.HookOf(refusedEdit), nullptr) << "its adapter does not allow it";
  });
  h.Step("an adapter goes, and a stranger's message", [&] {
    delete byManager;
    EXPECT_EQ(provider->ChildList.size(), 2u) << "it left the form's list";
    // Numbers posted by another program are no adapter.
    PostMessageW(formWnd, SM_ALPHACMD, MakeSkinCommand(AC_ATTACHADAPTER, 1), LPARAM(0x12345678));
  });
  h.Step("nothing joined", [&] {
    EXPECT_EQ(provider->ChildList.size(), 2u);
    adapter.RemoveAllItems();
    adapter.AddAllItems();
    EXPECT_EQ(adapter.HookOf(managersEdit), nullptr) << "a frame whose adapter went is not scanned";
    EXPECT_NE(adapter.HookOf(ownMemo), nullptr);
    adapter.RemoveAllItems();
  });
  h.Run();
  delete provider;
}

}  // namespace
}  // namespace skin
