// The skin across the application under Wine: the events and messages of a skin change,
// apply and remove reaching every form once, the outside editor's live preview, the
// window-creation hook and the system colours answered from the skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "gui/ExtCtrls.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acLivePreview.h"
#include "skin/core/acSysColors.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerHooks.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/acBitmap32.h"
#include "tests/skin/core/ManagerFixture.h"

namespace skin {
namespace {

using gui::TMessage;

using test::kSkinName;
using test::kSkins;

// A form that writes the skin commands it hears into a shared log.
class RecordingForm : public gui::TForm {
 public:
  RecordingForm(std::vector<std::string>& log, std::string name) : gui::TForm(gui::Application), log_(log), name_(std::move(name)) {}
  int Count(WORD command) const {
    int n = 0;
    for (WORD c : heard_) n += c == command;
    return n;
  }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      const WORD c = HIWORD(m.WParam);
      heard_.push_back(c);
      if (c == AC_SETNEWSKIN || c == AC_REMOVESKIN || c == AC_REFRESH || c == AC_STOPFADING)
        log_.push_back(name_ + ":" + std::to_string(c));
    }
    gui::TForm::WndProc(m);
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
  std::vector<WORD> heard_;
};

class SkinChange : public test::WithTestSkinManager {
 protected:
  void Record() {
    m->OnBeforeChange = [this](rtl::TObject*) { log.push_back("before"); };
    m->OnSkinChanging = [this](TsSkinManager*, const std::string& name, bool& allow) {
      log.push_back("changing " + name);
      allow = allowChange;
    };
    m->OnActivate = [this](rtl::TObject*) { log.push_back("activate"); };
    m->OnAfterChange = [this](rtl::TObject*) { log.push_back("after"); };
  }
  std::vector<std::string> log;
  bool allowChange = true;
};

TEST_F(SkinChange, EventsAndMessagesComeInTheirOrderAndARefusalStopsEverything) {
  RecordingForm form(log, "form");
  form.Handle();
  Record();
  m->SetSkinName(std::string(kSkinName) + ".ASZ");
  EXPECT_EQ(m->SkinName(), kSkinName);  // the ending goes, in any case
  ASSERT_TRUE(m->IsSkinLoaded());
  // Applied (1), then the repaint of an animated apply: fades stopped (16), refresh (3).
  EXPECT_EQ(log, (std::vector<std::string>{"before", "changing Korvan Test.ASZ", "form:1", "form:16", "form:3",
                                           "activate", "after"}));

  log.clear();
  allowChange = false;
  m->SetSkinName("Another");
  EXPECT_EQ(log, (std::vector<std::string>{"before", "changing Another"}));
  EXPECT_EQ(m->SkinName(), "Another");  // the text stays, the skin too
  EXPECT_TRUE(m->IsSkinLoaded());
  EXPECT_EQ(form.Count(AC_SETNEWSKIN), 1);

  // Brightness is clamped, and the reload it causes applies and repaints once more.
  log.clear();
  allowChange = true;
  m->SetSkinName(kSkinName);
  log.clear();
  m->SetBrightness(250);
  EXPECT_EQ(m->Brightness(), 100);
  EXPECT_EQ(log, (std::vector<std::string>{"form:1", "form:16", "form:3", "after", "form:16", "form:3"}));
  log.clear();
  m->SetBrightness(100);
  EXPECT_TRUE(log.empty());
}

TEST_F(SkinChange, ApplyAndRemoveReachEachFormOnce) {
  RecordingForm plain(log, "plain"), skinned(log, "skinned");
  plain.Handle();
  skinned.Handle();
  // A form with a provider is listed; it must not hear the broadcast a second time as one
  // of the application's forms (both belong to the application).
  AddSkinnedForm(&skinned);
  m->SetSkinName(kSkinName);
  EXPECT_EQ(plain.Count(AC_SETNEWSKIN), 1);
  EXPECT_EQ(skinned.Count(AC_SETNEWSKIN), 1);
  m->SetActive(false);
  EXPECT_FALSE(m->IsSkinLoaded());
  EXPECT_EQ(plain.Count(AC_REMOVESKIN), 1);
  EXPECT_EQ(skinned.Count(AC_REMOVESKIN), 1);
  RemoveSkinnedForm(&skinned);
  RemoveSkinnedForm(&skinned);  // not listed any more: nothing changes
  EXPECT_TRUE(SkinnedForms().empty());
}

TEST_F(SkinChange, AMainFontFromTheSkinIsAnnouncedAndTakenBackWithIt) {
  RecordingForm form(log, "form");
  form.Font().SetName("Arial");
  form.Handle();
  gui::Application->SetMainForm(&form);
  std::vector<std::string> changes;
  m->OnFontChanged = [&](TsSkinManager*, const std::string& from, const std::string& to) {
    changes.push_back(from + ">" + to);
  };
  m->Fonts.SetMainMode(TacFontMode::fmFromSkin);
  m->SetSkinName(kSkinName);  // the skin's MainFont is Tahoma
  EXPECT_EQ(changes, (std::vector<std::string>{"Arial>Tahoma"}));
  EXPECT_EQ(form.Count(AC_FONTSCHANGED), 1);
  // A control still in the default font takes the main font; one in a font of its own not.
  EXPECT_TRUE(m->ApplyMainFont(&form));
  EXPECT_EQ(form.Font().Name(), "Tahoma");
  gui::TForm other(nullptr);
  other.Font().SetName("Courier New");
  other.Handle();
  EXPECT_FALSE(m->ApplyMainFont(&other));
  m->SetActive(false);
  EXPECT_EQ(changes, (std::vector<std::string>{"Arial>Tahoma", "Tahoma>Arial"}));
  gui::Application->SetMainForm(nullptr);
}

// A panel with a skin state that answers the common skin commands.
class StatePanel : public gui::TPanel {
 public:
  StatePanel(gui::TWinControl* parent, const std::string& font) : gui::TPanel(parent) {
    SetParent(parent);
    SetParentFont(false);
    Font().SetName(font);
    HandleNeeded();
    Data = std::make_unique<TsCommonData>(this, false);
  }
  ~StatePanel() override { Data.reset(); }
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && ProcessSkinCommand(m, Data.get())) return;
    gui::TPanel::WndProc(m);
  }
  std::unique_ptr<TsCommonData> Data;
};

TEST_F(SkinChange, ACustomMainFontReachesTheControlsThatKeepTheDefaultOne) {
  gui::TForm form(nullptr);
  form.Handle();
  Load(kSkinName);
  const std::string def = m->GetDefaultFontName();
  std::vector<std::string> changes;
  m->OnFontChanged = [&](TsSkinManager*, const std::string& from, const std::string& to) {
    changes.push_back(from + ">" + to);
  };
  auto* plain = new StatePanel(&form, def);
  auto* own = new StatePanel(&form, "Arial");
  m->Fonts.SetMainFont("Courier New");
  EXPECT_TRUE(changes.empty()) << "a custom name is announced only in the custom mode";
  m->Fonts.SetMainMode(TacFontMode::fmCustom);
  EXPECT_EQ(changes, (std::vector<std::string>{def + ">Courier New"}));

  TsSkinManager other(nullptr);
  SendMessageDirect(plain->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_FONTSCHANGED), LPARAM(&other));
  EXPECT_EQ(plain->Font().Name(), def) << "another manager's announcement";
  for (StatePanel* p : {plain, own})
    SendMessageDirect(p->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_FONTSCHANGED), LPARAM(m.get()));
  EXPECT_EQ(plain->Font().Name(), "Courier New");
  EXPECT_EQ(own->Font().Name(), "Arial") << "a font of the control's own stays";

  // A control that comes later takes the main font once loaded.
  auto* later = new StatePanel(&form, def);
  later->Data->Loaded(false);
  EXPECT_EQ(later->Font().Name(), "Courier New");

  m->Fonts.SetMainMode(TacFontMode::fmDefault);
  EXPECT_EQ(changes, (std::vector<std::string>{def + ">Courier New", "Courier New>" + def}));
}

// Every skin command waiting in the queue for the application window, handled.
int DispatchSkinCommands() {
  int n = 0;
  MSG msg;
  while (PeekMessageW(&msg, gui::Application->Handle(), SM_ALPHACMD, SM_ALPHACMD, PM_REMOVE)) {
    ++n;
    DispatchMessageW(&msg);
  }
  return n;
}

LRESULT SendCopyData(WPARAM id, const std::string& bytes) {
  COPYDATASTRUCT cds{0, DWORD(bytes.size()), const_cast<char*>(bytes.data())};
  return SendMessageW(gui::Application->Handle(), WM_COPYDATA, id, LPARAM(&cds));
}

TEST_F(SkinChange, LivePreviewPostsOneCommandAndLoadsTheRecordsText) {
  // No folder and no file of this name exists: the text can only come from the record.
  const std::string text =
      "[GLOBALINFO]\r\nVERSION=12.5\r\nCOLOR=255\r\n[BUTTON]\r\nSTATES=1\r\nCOLOR=65280\r\n[PREVIEWONLY]\r\nCOLOR=1\r\n";
  const std::string record = MakeLivePreviewRecord({"Editor Preview", kSkins, text});
  Record();

  SendCopyData(7, record.substr(0, 1000));  // cut short by its sender: swallowed
  SendCopyData(8, record);                  // not the preview's id: swallowed
  EXPECT_EQ(DispatchSkinCommands(), 0);
  EXPECT_FALSE(m->LivePreview());

  SendCopyData(7, record);
  ASSERT_TRUE(m->LivePreview());
  EXPECT_EQ(DispatchSkinCommands(), 1);
  EXPECT_FALSE(m->LivePreview());  // read once
  EXPECT_EQ(m->SkinName(), "Editor Preview");
  ASSERT_TRUE(m->IsSkinLoaded());
  EXPECT_GE(m->GetSkinIndex("PREVIEWONLY"), 0);
  EXPECT_FALSE(m->ExternalUpdate());
  // The outside update holds the change's end back to its own: one after-change event.
  EXPECT_EQ(std::count(log.begin(), log.end(), "after"), 1);
  // A later load reads the skin's own files again.
  m->SetSkinName(kSkinName);
  EXPECT_LT(m->GetSkinIndex("PREVIEWONLY"), 0);
}

int g_createEvents = 0;
LRESULT CALLBACK CountingCBT(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_CREATEWND) ++g_createEvents;
  return CallNextHookEx(CBTHookHandle(), code, w, l);
}

TEST_F(SkinChange, CreationHookLivesWithTheDefaultManagersSkin) {
  const TCBTHookProc saved = CBTHookProc;
  CBTHookProc = &CountingCBT;
  EXPECT_FALSE(m->WindowHookInstalled());
  m->SetSkinName(kSkinName);
  EXPECT_TRUE(m->WindowHookInstalled());
  ASSERT_NE(CBTHookHandle(), nullptr);
  g_createEvents = 0;
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(w);
  EXPECT_EQ(g_createEvents, 1);

  // A second manager is not the default one: it installs nothing of its own.
  {
    TsSkinManager second(nullptr);
    second.SetSkinDirectory(kSkins);
    second.SetSkinName(kSkinName);
    EXPECT_FALSE(second.WindowHookInstalled());
  }
  m->SetActive(false);
  EXPECT_FALSE(m->WindowHookInstalled());
  EXPECT_EQ(CBTHookHandle(), nullptr);
  g_createEvents = 0;
  w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(w);
  EXPECT_EQ(g_createEvents, 0);
  CBTHookProc = saved;
}

TEST_F(SkinChange, TheApplicationWindowsLastSystemCommandWhileSkinned) {
  auto command = [&](WPARAM sc) {
    TMessage msg{WM_SYSCOMMAND, sc, 0, 0};
    EXPECT_FALSE(m->AppWindowHook(msg)) << "the application window still carries it out";
    return int(m->LastSysCommand());
  };
  EXPECT_EQ(command(SC_MINIMIZE), 0) << "no skin: not followed";
  Load(kSkinName);
  struct Case {
    WPARAM sc;
    int expected;
  } cases[] = {{SC_MINIMIZE, 2}, {SC_RESTORE, 1}, {SC_MINIMIZE | 2, 2}, {SC_MOVE, 0}, {SC_RESTORE | 1, 1}, {SC_CLOSE, 0}};
  for (const Case& c : cases) EXPECT_EQ(command(c.sc), c.expected) << std::hex << c.sc;
}

// The main form's provider as the application window's minimize and restore see it: its
// minimize animation cannot start (no composition here), it keeps a border window.
class MinimizingProvider : public TacAnimatedForm {
 public:
  class Form : public gui::TForm {
   public:
    explicit Form(MinimizingProvider* p) : gui::TForm(nullptr), p_(p) {}

   protected:
    void WndProc(TMessage& m) override {
      if (m.Msg == SM_ALPHACMD && HIWORD(m.WParam) == AC_GETPROVIDER) {
        m.Result = LRESULT(static_cast<TacAnimatedForm*>(p_));
        return;
      }
      gui::TForm::WndProc(m);
    }

   private:
    MinimizingProvider* p_;
  };
  MinimizingProvider() : form(this) { form.SetBounds(60, 60, 240, 120); }
  gui::TCustomForm* AnimForm() override { return &form; }
  bool PrepareCache() override { return false; }
  gui::TBitmap* FormImage() override { return nullptr; }
  void PaintFormImage(gui::TBitmap&) override {}
  TsSkinManager* SkinManager() const override { return nullptr; }
  bool AnimateMinimize() override {
    ++minimizeTries;
    return false;
  }
  bool HasBorderWindow() override { return borderWindow; }
  void DropBorderWindow() override { borderWindow = false, ++dropped; }
  void BeforeApplicationRestore() override { ++restores; }
  Form form;
  bool borderWindow = true;
  int minimizeTries = 0, dropped = 0, restores = 0;
};

TEST_F(SkinChange, TheApplicationWindowMinimizesAndRestoresTheMainFormWithoutTheSystemsAnimation) {
  Load(kSkinName);
  MinimizingProvider p;
  gui::TCustomForm* savedMain = gui::Application->MainForm();
  gui::Application->SetMainForm(&p.form);
  p.form.Show();
  HWND app = gui::Application->Handle();
  auto command = [&](WPARAM sc) {
    TMessage msg{WM_SYSCOMMAND, sc, 0, 0};
    return m->AppWindowHook(msg);
  };
  // Minimizing animated: the provider is asked, its border window goes, and the
  // application minimizes here.
  EXPECT_TRUE(command(SC_MINIMIZE));
  EXPECT_EQ(p.minimizeTries, 1);
  EXPECT_EQ(p.dropped, 1);
  EXPECT_FALSE(p.Animating) << "no animation runs to end the mark";
  EXPECT_TRUE(IsIconic(app));
  EXPECT_FALSE(IsWindowVisible(p.form.Handle()));
  p.HiddenByAnimation = true;
  EXPECT_FALSE(command(SC_RESTORE)) << "restored here, the command goes on to a restored window";
  EXPECT_EQ(p.restores, 1);
  EXPECT_FALSE(p.HiddenByAnimation);
  EXPECT_FALSE(IsIconic(app));
  EXPECT_TRUE(IsWindowVisible(p.form.Handle()));
  // Without the minimize animation the border window goes and the system minimizes.
  m->AnimEffects.Minimizing.Active = false;
  p.borderWindow = true;
  EXPECT_FALSE(command(SC_MINIMIZE));
  EXPECT_EQ(p.dropped, 2);
  EXPECT_EQ(p.minimizeTries, 1);
  EXPECT_FALSE(IsIconic(app));
  m->AnimEffects.Minimizing.Active = true;
  gui::Application->SetMainForm(savedMain);
}

TEST_F(SkinChange, SystemColoursFromTheSkinWhileSwitchedOn) {
  const DWORD systemWindow = GetSysColor(COLOR_WINDOW);
  m->Options.SetOption(4, true);
  m->SetSkinName(kSkinName);
  ASSERT_TRUE(m->IsSkinLoaded());
  EXPECT_EQ(SysColorDetoursInstalled(), 3);
  SwitchSysColorDetours(true);  // on twice: still each function once
  EXPECT_EQ(SysColorDetoursInstalled(), 3);

  const TacPalette& p = m->Palette();
  // No form of the program on screen: the system's colour.
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), systemWindow);
  gui::TForm form(nullptr);
  form.Show();
  gui::Application->ProcessMessages();
  ASSERT_EQ(gui::Screen->ActiveForm(), &form);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), p[5] & 0xFFFFFF);
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), p[4] & 0xFFFFFF);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), SkinGetSysColor(COLOR_BTNFACE));

  // One brush a colour, not one a call.
  HBRUSH b1 = GetSysColorBrush(COLOR_HIGHLIGHT), b2 = GetSysColorBrush(COLOR_HIGHLIGHT);
  EXPECT_EQ(b1, b2);
  LOGBRUSH lb{};
  GetObjectW(b1, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, p[8] & 0xFFFFFF);

  HPEN pen = CreatePen(PS_SOLID, 1, 0xC0C0C0);
  LOGPEN lp{};
  GetObjectW(pen, sizeof lp, &lp);
  DeleteObject(pen);
  EXPECT_EQ(lp.lopnColor, MixColors(p[4], p[5], 38) & 0xFFFFFF);

  form.Hide();
  m->SetActive(false);  // the skin goes: so do the replacements
  EXPECT_EQ(SysColorDetoursInstalled(), 0);
  SwitchSysColorDetours(false);
  EXPECT_EQ(SysColorDetoursInstalled(), 0);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), systemWindow);
  pen = CreatePen(PS_SOLID, 1, 0xC0C0C0);
  GetObjectW(pen, sizeof lp, &lp);
  DeleteObject(pen);
  EXPECT_EQ(lp.lopnColor, 0xC0C0C0u);
}

}  // namespace
}  // namespace skin
