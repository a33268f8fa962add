// The per-form skin provider under Wine, with a skin manager on the project's test skin
// widened by a form section and title glyphs: its life cycle (refusal, the passive second
// provider, the hook-made provider giving way, the form's procedure given back), the
// pointers its skin commands answer at their full width, and the cached non-client image
// of forms built in code, written to PNG files and checked at the frame, the title, the
// icon, the caption and the title buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>

#include "../../gui/GuiTestSupport.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "report/Render.h"
#include "skin/core/acStartup.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {
namespace {

using gui::TFormBorderStyle;

class EngineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { RunEngineStartup(); }
  void TearDown() override { RunEngineShutdown(); }
};
::testing::Environment* const kEngine = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

// The test skin widened by a form section and title glyphs (make_form_skin.cmake).
const std::string kSkins = std::string("Z:") + KORVAN_FORM_SKINS;

class Provider : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SetSkinDirectory(kSkins);
    manager->SetSkinName("Korvan Forms");
    ASSERT_TRUE(manager->IsSkinLoaded());
  }
  void TearDown() override {
    forms.clear();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  gui::TForm* NewForm(TFormBorderStyle style = TFormBorderStyle::bsSizeable, const std::string& caption = "Jemaat") {
    forms.push_back(std::make_unique<gui::TForm>(nullptr));
    gui::TForm* f = forms.back().get();
    f->BorderStyle = style;
    f->SetCaption(caption);
    f->SetBounds(40, 40, 320, 200);
    f->HandleNeeded();
    return f;
  }
  static LRESULT AskProvider(gui::TForm* f) {
    return SendMessageW(f->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_GETPROVIDER), 0);
  }
  std::unique_ptr<TsSkinManager> manager;
  std::vector<std::unique_ptr<gui::TForm>> forms;
};

// ---------------------------------------------------------------- life cycle

TEST_F(Provider, OnAnythingButAFormItIsRefusedWithAWarning) {
  gui::TForm* f = NewForm();
  auto* panel = new gui::TPanel(f);
  auto* p = new TsSkinProvider(panel);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Caption, "Warning");
  EXPECT_EQ(dialogs.shown[0].Text, "TsSkinProvider component may be used with forms only!");
  EXPECT_EQ(p->Form(), nullptr);
  EXPECT_FALSE(p->Hooked());
  EXPECT_EQ(panel->ComponentCount(), 0) << "a refused provider joins no owner";
  EXPECT_EQ(AskProvider(f), 0);
  delete p;
}

TEST_F(Provider, HooksItsFormAndGivesTheProcedureBack) {
  gui::TForm* f = NewForm();
  EXPECT_EQ(AskProvider(f), 0) << "an unskinned form answers nothing";
  auto* p = new TsSkinProvider(f);
  EXPECT_TRUE(p->Hooked());
  EXPECT_FALSE(p->Passive());
  EXPECT_EQ(p->Form(), f);
  EXPECT_EQ(AskProvider(f), LRESULT(p));
  EXPECT_EQ(GetFormProvider(f), p);
  EXPECT_EQ(SendMessageW(f->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_GETSKINDATA), 0), LRESULT(p->SkinData()));
  EXPECT_EQ(p->SkinData()->SkinSection(), "FORM");
  EXPECT_GE(p->SkinData()->FSkinIndex, 0) << "an active skin is taken at once";
  EXPECT_TRUE(dialogs.shown.empty());
  SendMessageW(f->Handle(), WM_SETTEXT, 0, LPARAM(L"Keluarga"));
  EXPECT_EQ(f->Caption(), "Keluarga") << "other messages reach the form's own procedure";

  delete p;
  EXPECT_EQ(AskProvider(f), 0) << "the form has its own procedure back";
  EXPECT_EQ(f->ComponentCount(), 0);
  SendMessageW(f->Handle(), WM_SETTEXT, 0, LPARAM(L"Warga"));
  EXPECT_EQ(f->Caption(), "Warga");
}

TEST_F(Provider, ASecondProviderStaysPassiveAndLeavesTheFirstInPlace) {
  gui::TForm* f = NewForm();
  auto* first = new TsSkinProvider(f);
  auto* second = new TsSkinProvider(f);
  EXPECT_TRUE(second->Passive());
  EXPECT_FALSE(second->Hooked());
  EXPECT_TRUE(dialogs.shown.empty()) << "no message at run time";
  EXPECT_EQ(AskProvider(f), LRESULT(first));
  EXPECT_TRUE(second->PrepareCache());
  EXPECT_TRUE(second->SkinData()->CacheEmpty()) << "a passive provider paints nothing";
  delete second;
  EXPECT_EQ(AskProvider(f), LRESULT(first)) << "the passive one never held the procedure";
  delete first;
  EXPECT_EQ(AskProvider(f), 0);
}

TEST_F(Provider, AHookMadeProviderGivesWayToAPlacedOne) {
  gui::TForm* f = NewForm();
  TsSkinProvider* made = TsSkinProvider::CreateForForm(f);
  EXPECT_TRUE(made->ForDialog());
  EXPECT_EQ(AskProvider(f), LRESULT(made));
  auto* placed = new TsSkinProvider(f);
  EXPECT_FALSE(placed->Passive());
  EXPECT_EQ(AskProvider(f), LRESULT(placed));
  ASSERT_EQ(f->ComponentCount(), 1) << "the hook-made provider is gone";
  EXPECT_EQ(f->Components(0), placed);
}

TEST_F(Provider, PropertySettersKeepTheirRules) {
  gui::TForm* f = NewForm();
  auto* p = new TsSkinProvider(f);
  p->SetResizeMode(TsResizeMode::rmBorder);
  EXPECT_EQ(p->ResizeMode(), TsResizeMode::rmStandard);
  EXPECT_TRUE(p->GetBoolProp(2));
  p->SkinData()->FCacheInvalid = false;
  p->SetBoolProp(2, false);
  EXPECT_FALSE(p->GetBoolProp(2));
  EXPECT_TRUE(p->SkinData()->FCacheInvalid) << "hiding the icon repaints the title";
  const int title = p->TitleSkinIndex;
  EXPECT_EQ(title, manager->GetSkinIndex("FORMTITLE"));
  p->SetSkinProp(0, "PANEL");
  EXPECT_EQ(p->TitleSkinIndex, manager->GetSkinIndex("PANEL"));
  p->SetSkinProp(0, "");
  EXPECT_EQ(p->TitleSkinIndex, title);
  p->SetFormState(psMinimizing | psAnimating);
  EXPECT_EQ(p->FormState(), psMinimizing | psAnimating);
}

// A provider placed in memory above 4 GB answers its own address and its skin state's
// through the skin command message without losing a bit.
TEST_F(Provider, PointerAnswersKeepTheirFullWidth) {
  gui::TForm* f = NewForm();
  void* place = VirtualAlloc(nullptr, sizeof(TsSkinProvider), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
  ASSERT_NE(place, nullptr);
  ASSERT_GT(uintptr_t(place), uintptr_t(0xFFFFFFFFu)) << "the system gave no address above 4 GB";
  auto* p = new (place) TsSkinProvider(f);
  EXPECT_EQ(AskProvider(f), LRESULT(p));
  EXPECT_EQ(GetFormProvider(f), p);
  EXPECT_EQ(reinterpret_cast<TsSkinProvider*>(f->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETPROVIDER), 0)), p);
  // A later provider asks the same way and must find this one, not a truncated address.
  auto* second = new TsSkinProvider(f);
  EXPECT_TRUE(second->Passive());
  delete second;
  p->~TsSkinProvider();
  VirtualFree(place, 0, MEM_RELEASE);
  EXPECT_EQ(AskProvider(f), 0);
}

}  // namespace
}  // namespace skin
