// Standard controls the windows lean on: radio groups per parent, check boxes with the
// greyed state, combo boxes that select silently from code, memos whose lines follow the
// window. Real windows under Wine; user actions are sent as the messages Windows sends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/Buttons.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/Utf.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;

namespace {

class TFRadio : public TForm {
  KORVAN_CLASS(TFRadio)
 public:
  explicit TFRadio(TComponent* owner) : TForm(owner) {
    SetClientSize(400, 300);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetParent(this);
    GroupBox1->SetBounds(10, 10, 200, 100);
    GroupBox1->SetCaption(" Filter Pencarian ");
    for (int i = 0; i < 4; ++i) {
      rb[i] = new TRadioButton(this);
      rb[i]->SetParent(i < 2 ? static_cast<TWinControl*>(GroupBox1) : this);
      rb[i]->SetBounds(10, 20 + (i % 2) * 30, 150, 20);
      rb[i]->SetCaption("Radio " + std::to_string(i + 1));
      rb[i]->OnClick = [this, i](TObject*) { clicks.push_back(i); };
    }
  }
  TGroupBox* GroupBox1;
  TRadioButton* rb[4];
  std::vector<int> clicks;
};

bool WindowChecked(TWinControl* c) { return SendMessageW(c->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The same rules hold for buttons whose windows exist and for buttons that have none yet
// (windows are built at start-up and shown much later).
class RadioButtons : public ::testing::TestWithParam<bool> {};

TEST_P(RadioButtons, CheckingFromCodeClicksOnlyWhenNewAndUnchecksTheParentsOthers) {
  TFRadio f(nullptr);
  if (GetParam()) f.HandleNeeded();
  f.rb[2]->SetChecked(true);  // the other group
  f.rb[0]->SetChecked(true);
  f.rb[1]->SetChecked(true);
  f.rb[1]->SetChecked(true);  // already checked: no second click
  EXPECT_EQ(f.clicks, (std::vector<int>{2, 0, 1}));
  EXPECT_FALSE(f.rb[0]->Checked());
  EXPECT_TRUE(f.rb[1]->Checked());
  EXPECT_TRUE(f.rb[2]->Checked()) << "a button on another parent is another group";
  f.rb[1]->SetChecked(false);  // unchecking runs nothing
  EXPECT_EQ(f.clicks.size(), 3u);
  f.rb[0]->SetChecked(true);
  // The windows show what the objects hold, whenever they are made.
  f.HandleNeeded();
  bool expected[] = {true, false, true, false};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(WindowChecked(f.rb[i]), expected[i]) << i;
}
INSTANTIATE_TEST_SUITE_P(BeforeAndAfterTheWindow, RadioButtons, ::testing::Bool());

TEST(RadioButtonClicks, AUsersClickChecksItAndRunsTheHandlerOnce) {
  TFRadio f(nullptr);
  f.HandleNeeded();
  SendMessageW(f.rb[0]->Handle(), BM_CLICK, 0, 0);
  SendMessageW(f.rb[1]->Handle(), BM_CLICK, 0, 0);
  SendMessageW(f.rb[1]->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.clicks, (std::vector<int>{0, 1}));
  EXPECT_FALSE(f.rb[0]->Checked());
  EXPECT_FALSE(WindowChecked(f.rb[0]));
  EXPECT_TRUE(WindowChecked(f.rb[1]));
}

TEST(CheckBoxes, CodeClicksOnChangeAndTheUsersClickCyclesThroughGrey) {
  TForm f(nullptr);
  auto* cb = new TCheckBox(&f);
  cb->SetParent(&f);
  int clicks = 0;
  cb->OnClick = [&](TObject*) { ++clicks; };
  cb->SetChecked(true);  // before the window: still the class library's click
  cb->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageW(cb->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  cb->SetChecked(false);
  cb->AllowGrayed = true;
  const TCheckBoxState cycle[] = {TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked};
  const LRESULT shown[] = {BST_INDETERMINATE, BST_CHECKED, BST_UNCHECKED};
  for (int i = 0; i < 3; ++i) {
    SendMessageW(cb->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(cb->State(), cycle[i]) << i;
    EXPECT_EQ(SendMessageW(cb->Handle(), BM_GETCHECK, 0, 0), shown[i]) << i;
  }
  EXPECT_EQ(clicks, 5);
  EXPECT_FALSE(cb->Checked());
}

class ComboFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    cb = new TComboBox(&form);
    cb->SetParent(&form);
    cb->SetStyle(TComboBoxStyle::csDropDownList);
    for (const char* s : {"BPK", "IBU", "SDR", "SDRi"}) cb->Items().Add(s);
    cb->OnChange = [this](TObject*) { changes.push_back(cb->Text()); };
  }
  int WindowIndex() { return static_cast<int>(SendMessageW(cb->Handle(), CB_GETCURSEL, 0, 0)); }
  TForm form{nullptr};
  TComboBox* cb;
  std::vector<std::string> changes;
};

TEST_F(ComboFixture, CodeSelectsSilentlyAndByExactText) {
  cb->SetItemIndex(2);  // no window yet
  EXPECT_EQ(cb->Text(), "SDR");
  EXPECT_EQ(WindowIndex(), 2);
  struct Case {
    const char* text;
    int index;
  } cases[] = {{"SDRi", 3}, {"IBU", 1}, {"sdr", -1}, {"SD", -1}, {"BPK", 0}};
  for (const auto& c : cases) {
    cb->SetText(c.text);
    EXPECT_EQ(cb->ItemIndex(), c.index) << c.text;
    EXPECT_EQ(WindowIndex(), c.index) << c.text;
  }
  cb->SetItemIndex(7);
  EXPECT_EQ(cb->ItemIndex(), -1);
  EXPECT_EQ(cb->Text(), "");
  EXPECT_TRUE(changes.empty()) << "selecting from code runs no change handler";
}

TEST_F(ComboFixture, TheUsersChoiceRunsTheChangeHandler) {
  cb->SetItemIndex(0);
  cb->HandleNeeded();
  // The arrow key moves a closed drop-down list's choice, as the user's keyboard does.
  SendMessageW(cb->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(cb->ItemIndex(), 1);
  EXPECT_EQ(changes, (std::vector<std::string>{"IBU"}));
}

TEST_F(ComboFixture, RebuildingTheListKeepsAValidChoiceAndDropsAGoneOne) {
  cb->HandleNeeded();
  cb->SetItemIndex(1);
  cb->Items().Add("ANAK");
  EXPECT_EQ(cb->ItemIndex(), 1);
  EXPECT_EQ(SendMessageW(cb->Handle(), CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(WindowIndex(), 1);
  cb->Items().Clear();
  for (const char* s : {"1", "2"}) cb->Items().Add(s);
  EXPECT_EQ(cb->ItemIndex(), -1);
  cb->SetItemIndex(0);
  // Re-made windows (style change) get the list and the choice back.
  cb->SetStyle(TComboBoxStyle::csDropDown);
  EXPECT_EQ(SendMessageW(cb->Handle(), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(cb->Text(), "1");
  EXPECT_TRUE(changes.empty());
}

// The dashboard places its combo box on every tick: bounds set again unchanged must not
// resize the window (Windows would size and repaint the closed box anew each time).
TEST_F(ComboFixture, BoundsSetAgainUnchangedLeaveTheWindowAlone) {
  cb->HandleNeeded();
  cb->SetBounds(10, 8, 120, cb->Height());
  static HWND watched;
  static int moves;
  watched = cb->Handle();
  moves = 0;
  HHOOK hook = SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
        if (code == HC_ACTION && m->hwnd == watched && m->message == WM_WINDOWPOSCHANGING) ++moves;
        return CallNextHookEx(nullptr, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  cb->SetBounds(cb->Left(), cb->Top(), cb->Width(), cb->Height());
  EXPECT_EQ(moves, 0);
  cb->SetBounds(cb->Left() + 5, cb->Top(), cb->Width(), cb->Height());
  EXPECT_GT(moves, 0) << "a real move still reaches the window";
  UnhookWindowsHookEx(hook);
  RECT r;
  GetWindowRect(cb->Handle(), &r);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.right - r.left, 120);
}

TEST(ComboTyping, TypingIntoADropDownRunsChangeAndCapitalsAreForced) {
  TForm f(nullptr);
  auto* cb = new TComboBox(&f);
  cb->SetParent(&f);
  cb->SetCharCase(TEditCharCase::ecUpperCase);
  cb->Items().Add("PLK");
  cb->SetText("abc");
  EXPECT_EQ(cb->Text(), "ABC");
  std::vector<std::string> changes;
  cb->OnChange = [&](TObject*) { changes.push_back(cb->Text()); };
  COMBOBOXINFO info{sizeof info};
  ASSERT_TRUE(GetComboBoxInfo(cb->Handle(), &info));
  SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"plk")) SendMessageW(info.hwndItem, WM_CHAR, c, 0);
  EXPECT_EQ(changes, (std::vector<std::string>{"P", "PL", "PLK"}));
  EXPECT_EQ(cb->ItemIndex(), 0) << "typed text equal to an item is that item";
}

TEST(Memos, LinesAndWindowStayInStep) {
  TForm f(nullptr);
  auto* m = new TMemo(&f);
  m->SetParent(&f);
  int changes = 0;
  m->OnChange = [&](TObject*) { ++changes; };
  m->Lines().Add("Evaluasi");
  m->Lines().Add("Ibadah");  // before the window exists
  EXPECT_EQ(m->Text(), "Evaluasi\r\nIbadah");
  EXPECT_EQ(rtl::U8([&] {
              wchar_t buf[100];
              GetWindowTextW(m->Handle(), buf, 100);
              return std::wstring(buf);
            }()),
            "Evaluasi\r\nIbadah");
  // Typing at the end adds a line the list sees.
  WPARAM end = static_cast<WPARAM>(GetWindowTextLengthW(m->Handle()));
  SendMessageW(m->Handle(), EM_SETSEL, end, static_cast<LPARAM>(end));
  for (wchar_t c : std::wstring(L"\rok")) SendMessageW(m->Handle(), WM_CHAR, c, 0);
  ASSERT_EQ(m->Lines().Count(), 3);
  EXPECT_EQ(m->Lines()[2], "ok");
  m->SetText("satu\r\ndua");
  EXPECT_EQ(m->Lines().Count(), 2);
  EXPECT_EQ(m->Lines()[1], "dua");
  m->Lines().Put(1, "tiga");
  EXPECT_EQ(m->Text(), "satu\r\ntiga");
  // Recreating the window (wrapping is a window style) keeps the text.
  m->SetWordWrap(false);
  EXPECT_EQ(m->Text(), "satu\r\ntiga");
  m->Lines().Clear();
  EXPECT_EQ(m->Text(), "");
  EXPECT_EQ(changes, 2 + 3 + 1 + 1 + 1);
}

}  // namespace

namespace {

// Ink pixels (not white) of a 32-bit top-down DIB painted by `paint` on white.
// What Paint draws into a white W x H bitmap, row by row (0x00RRGGBB).
std::vector<uint32_t> PaintedPixels(int w, int h, const std::function<void(HDC)>& paint) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  paint(dc);
  GdiFlush();
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
  return px;
}

int InkPixels(int w, int h, const std::function<void(HDC)>& paint) {
  int n = 0;
  for (uint32_t p : PaintedPixels(w, h, paint)) n += p != 0xFFFFFF;
  return n;
}

// An auto-sized label shows its whole caption: painted as its parent paints it (clipped
// to its bounds) it covers as many pixels as the caption drawn without any clipping, also
// in faces the system has to replace.
TEST(Labels, AutoSizeShowsTheWholeCaption) {
  TForm f(nullptr);
  f.SetClientSize(400, 100);
  f.SetColor(clWhite);
  const char* faces[] = {"MS Reference Sans Serif", "Tahoma", "MS Sans Serif"};
  const char* captions[] = {"Username", "Password", "Reset Form", "Tempat Lahir", "Pekerjaan/Jabatan"};
  for (const char* face : faces) {
    for (const char* caption : captions) {
      auto* l = new TLabel(&f);
      l->Transparent = true;
      l->SetParent(&f);
      l->SetBounds(10, 10, 0, 0);
      l->Font().SetName(face);
      l->Font().SetHeight(-12);
      l->SetCaption(caption);
      ASSERT_TRUE(l->AutoSize());
      int shown = InkPixels(400, 100, [&](HDC dc) { SendMessageW(f.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0); });
      std::wstring w = rtl::W(caption);
      int whole = InkPixels(400, 100, [&](HDC dc) {
        HGDIOBJ old = SelectObject(dc, l->Font().Handle());
        SetBkMode(dc, TRANSPARENT);
        RECT r{10, 10, 400, 100};
        DrawTextW(dc, w.c_str(), -1, &r, DT_NOCLIP);
        SelectObject(dc, old);
      });
      EXPECT_GT(whole, 0);
      EXPECT_EQ(shown, whole) << face << ": " << caption << " in " << l->Width() << " pixels";
      delete l;
    }
  }
}

// A speed button's caption is whole too: the pixels the caption adds to the button are as
// many as the caption drawn unclipped.
TEST(Labels, SpeedButtonCaptionsAreWhole) {
  TForm f(nullptr);
  f.SetClientSize(400, 100);
  f.SetColor(clWhite);
  auto* b = new TSpeedButton(&f);
  b->SetParent(&f);
  b->SetBounds(10, 10, 140, 34);
  b->SetFlat(true);
  b->Font().SetName("MS Reference Sans Serif");
  b->Font().SetHeight(-12);
  auto paint = [&](HDC dc) { SendMessageW(f.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0); };
  for (const char* caption : {"Reset Form", "Print Blanko Kosong", "Simpan"}) {
    b->SetCaption("");
    int bare = InkPixels(400, 100, paint);
    b->SetCaption(caption);
    int shown = InkPixels(400, 100, paint);
    std::wstring w = rtl::W(caption);
    int whole = InkPixels(400, 100, [&](HDC dc) {
      HGDIOBJ old = SelectObject(dc, b->Font().Handle());
      SetBkMode(dc, TRANSPARENT);
      RECT r{0, 0, 400, 100};
      DrawTextW(dc, w.c_str(), -1, &r, DT_NOCLIP | DT_SINGLELINE);
      SelectObject(dc, old);
    });
    EXPECT_EQ(shown - bare, whole) << caption;
  }
}

// A bitmap button draws its picture where its layout puts it (above the caption, or left of
// it), without the picture's see-through colour, and clicks like any button.
TEST(BitBtns, PictureByLayoutAndClicksLikeAButton) {
  TForm f(nullptr);
  f.SetClientSize(300, 120);
  auto* b = new TBitBtn(&f);
  b->SetParent(&f);
  b->SetBounds(10, 10, 100, 60);
  b->SetCaption("Cetak");
  guitest::PaintRedGlyph(b->Glyph());
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(GetWindowLongW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  // The picture's bounds in the painted button: (left, top, right, bottom) of red pixels.
  auto redBounds = [&] {
    const std::vector<uint32_t> px = PaintedPixels(100, 60, [&](HDC dc) {
      SendMessageW(b->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    RECT r{100, 60, -1, -1};
    int fuchsia = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 100; ++x) {
        const uint32_t p = px[size_t(y) * 100 + size_t(x)];
        fuchsia += p == 0xFF00FF;
        if (p != 0xE60A0A) continue;
        r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
             std::max<LONG>(r.bottom, y + 1)};
      }
    EXPECT_EQ(fuchsia, 0) << "the see-through colour is not drawn";
    return r;
  };
  b->SetLayout(TButtonLayout::blGlyphTop);
  const RECT top = redBounds();
  EXPECT_EQ(top.right - top.left, 12);
  EXPECT_EQ(top.bottom - top.top, 12);
  EXPECT_NEAR((top.left + top.right) / 2, 50, 2) << "centred across";
  EXPECT_LT(top.bottom, 30) << "above the caption";
  b->SetLayout(TButtonLayout::blGlyphLeft);
  const RECT left = redBounds();
  EXPECT_LT(left.right, 40) << "left of the caption";
  EXPECT_NEAR((left.top + left.bottom) / 2, 30, 2) << "centred down";
  SendMessageW(b->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

// The user's keys on a scroll bar come back as scroll codes: lines and pages by the bar's
// steps, the end of a range with a page stops where the thumb's far end meets Max, and the
// window's position follows the control's.
TEST(ScrollBars, TheUsersScrollingMovesThePositionWithinTheRange) {
  TForm f(nullptr);
  auto* bar = new TScrollBar(&f);
  bar->SetParent(&f);
  bar->SetParams(0, 0, 100);
  bar->SetPageSize(10);
  bar->SmallChange = 2;
  bar->LargeChange = 25;
  int changes = 0;
  bar->OnChange = [&](TObject*) { ++changes; };
  const HWND wnd = bar->Handle();
  EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & SBS_VERT, 0) << "horizontal unless asked";
  struct Case {
    WPARAM key;
    int position;
  };
  const Case cases[] = {{VK_RIGHT, 2}, {VK_NEXT, 27}, {VK_END, 91}, {VK_NEXT, 91}, {VK_LEFT, 89}, {VK_HOME, 0}};
  for (const Case& c : cases) {
    SendMessageW(wnd, WM_KEYDOWN, c.key, 0);
    EXPECT_EQ(bar->Position(), c.position) << "key " << c.key;
    EXPECT_EQ(GetScrollPos(wnd, SB_CTL), c.position) << "key " << c.key;
  }
  EXPECT_EQ(changes, 5) << "a key that moves nothing changes nothing";
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 91);
  bar->SetKind(TScrollBarKind::sbVertical);
  EXPECT_NE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBS_VERT, 0);
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 91) << "the new window gets the range and position";
  EXPECT_GT(bar->Height(), bar->Width()) << "turned upright";
}

}  // namespace

// A child's destroy handling may change its parent's list while the parent takes its
// windows down: a hook letting go moves a sibling elsewhere, a control frees another. The
// parent must still take down (and keep the text of) every child it still has, and touch
// none that went; a freed child leaves the tab list too, else the next walk calls into it.
TEST(WinControls, TakingAWindowDownSurvivesChildrenThatChangeTheList) {
  struct Case {
    const char* what;
    bool free;  // else the first child is moved to another parent
  };
  for (const Case& k : {Case{"a sibling freed", true}, Case{"a sibling moved away", false}}) {
    SCOPED_TRACE(k.what);
    TForm form(nullptr);
    TForm other(nullptr);
    other.HandleNeeded();
    TEdit* kids[4];
    for (int i = 0; i < 4; ++i) {
      kids[i] = new TEdit(&form);
      kids[i]->SetParent(&form);
      kids[i]->SetBounds(10, 10 + 30 * i, 120, 21);
    }
    form.HandleNeeded();
    // What the user typed into the windows; the objects learn it when the windows go.
    for (int i = 0; i < 4; ++i) SetWindowTextW(kids[i]->Handle(), rtl::W("Warga " + std::to_string(i)).c_str());
    // The second child's window going takes the first child (already without a window) off
    // the list.
    TEdit* second = kids[1];
    TWndMethod previous = second->WindowProc;
    bool fired = false;
    second->WindowProc = [&](TMessage& m) {
      if (m.Msg == WM_DESTROY && !fired) {
        fired = true;
        if (k.free) {
          delete kids[0];
          kids[0] = nullptr;
        } else {
          kids[0]->SetParent(&other);
        }
      }
      previous(m);
    };
    form.DestroyHandle();
    second->WindowProc = previous;
    EXPECT_TRUE(fired);
    for (int i = 0; i < 4; ++i) {
      if (!kids[i]) continue;
      const bool moved = !k.free && i == 0;
      EXPECT_EQ(kids[i]->HandleAllocated(), moved) << i;
      EXPECT_EQ(kids[i]->Text(), "Warga " + std::to_string(i)) << i << " keeps what was typed";
    }
    EXPECT_EQ(form.ControlCount(), 3);
    EXPECT_EQ(kids[1]->TabOrder(), 0) << "the one that went left the tab list";
    // The windows come back for the children the form still has, and only for them.
    form.HandleNeeded();
    for (int i = 1; i < 4; ++i) {
      EXPECT_TRUE(kids[i]->HandleAllocated()) << i;
      EXPECT_EQ(GetParent(kids[i]->Handle()), form.Handle()) << i;
      EXPECT_EQ(kids[i]->Text(), "Warga " + std::to_string(i)) << i;
    }
  }
}
