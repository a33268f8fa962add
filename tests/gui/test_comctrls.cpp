// Common controls and file dialogs: page switching by code and by the user's click on a
// tab, status panel texts, date values before and after the picker's window exists, and
// the replaceable file choice.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "gui/ComCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;
using guitest::RunSoon;

namespace {

class TFPages : public TForm {
  KORVAN_CLASS(TFPages)
 public:
  explicit TFPages(TComponent* owner) : TForm(owner) {
    SetClientSize(400, 300);
    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetBounds(0, 0, 400, 250);
    const char* captions[] = {"Data Pribadi", "Orang Tua", "Catatan Sipil"};
    for (int i = 0; i < 3; ++i) {
      sheet[i] = new TTabSheet(this);
      sheet[i]->SetPageControl(PageControl1);
      sheet[i]->SetCaption(captions[i]);
    }
    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetParent(this);
    for (int w : {225, 50}) {
      TStatusPanel* p = StatusBar1->Panels().Add();
      p->SetWidth(w);
      p->SetAlignment(TAlignment::taCenter);
    }
  }
  TPageControl* PageControl1;
  TTabSheet* sheet[3];
  TStatusBar* StatusBar1;
};

int TabCount(TPageControl* pc) { return static_cast<int>(SendMessageW(pc->Handle(), TCM_GETITEMCOUNT, 0, 0)); }
int WindowTab(TPageControl* pc) { return static_cast<int>(SendMessageW(pc->Handle(), TCM_GETCURSEL, 0, 0)); }

TEST(PageControls, CodeSwitchesSilentlyTheUsersTabClickRunsChange) {
  TFPages f(nullptr);
  EXPECT_EQ(f.PageControl1->ActivePageIndex(), 0) << "the first page is active from the start";
  f.PageControl1->SetActivePageIndex(2);  // no window yet
  int changes = 0;
  f.PageControl1->OnChange = [&](TObject*) { ++changes; };
  RunSoon([&] {
    EXPECT_EQ(TabCount(f.PageControl1), 3);
    EXPECT_EQ(WindowTab(f.PageControl1), 2);
    EXPECT_TRUE(IsWindowVisible(f.sheet[2]->Handle()));
    EXPECT_FALSE(IsWindowVisible(f.sheet[0]->Handle()));
    // The user clicks the second tab.
    RECT r;
    SendMessageW(f.PageControl1->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(f.PageControl1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(f.PageControl1->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(f.PageControl1->ActivePage(), f.sheet[1]);
    EXPECT_TRUE(IsWindowVisible(f.sheet[1]->Handle()));
    EXPECT_FALSE(IsWindowVisible(f.sheet[2]->Handle()));
    f.PageControl1->SetActivePage(f.sheet[0]);
    EXPECT_EQ(WindowTab(f.PageControl1), 0);
    // A hidden tab leaves the others in order; hiding the active one moves on.
    f.sheet[0]->SetTabVisible(false);
    EXPECT_EQ(TabCount(f.PageControl1), 2);
    EXPECT_EQ(f.PageControl1->ActivePage(), f.sheet[1]);
    EXPECT_EQ(f.sheet[2]->TabIndex(), 1);
    f.ModalResult = mrOk;
  });
  f.ShowModal();
  EXPECT_EQ(changes, 1);
}

TEST(StatusBars, PanelTextsReachTheWindowBeforeAndAfterItExists) {
  TFPages f(nullptr);
  f.StatusBar1->Panels()[0]->SetText("NETWORK : CONNECT");
  f.HandleNeeded();
  f.StatusBar1->Panels()[1]->SetText("DATABASE : DISCONNECT");
  // Centred panels carry the control's centring tab.
  EXPECT_EQ(f.StatusBar1->WindowPartText(0), "\tNETWORK : CONNECT");
  EXPECT_EQ(f.StatusBar1->WindowPartText(1), "\tDATABASE : DISCONNECT");
  f.StatusBar1->Panels()[1]->SetAlignment(TAlignment::taRightJustify);
  EXPECT_EQ(f.StatusBar1->WindowPartText(1), "\t\tDATABASE : DISCONNECT");
  int edges[4] = {};
  EXPECT_EQ(SendMessageW(f.StatusBar1->Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 225);
  EXPECT_EQ(edges[1], -1);
  EXPECT_EQ(f.StatusBar1->Top() + f.StatusBar1->Height(), f.ClientHeight()) << "aligned to the bottom";
}

rtl::TDateTime WindowValue(TDateTimePicker* p) {
  SYSTEMTIME st{};
  EXPECT_EQ(SendMessageW(p->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
  return SystemTimeToDateTime(st);
}

TEST(DatePickers, ValuesRoundTripBeforeAndAfterTheWindow) {
  TForm f(nullptr);
  auto* d = new TDateTimePicker(&f);
  d->SetParent(&f);
  int changes = 0;
  d->OnChange = [&](TObject*) { ++changes; };
  const rtl::TDateTime leap = rtl::EncodeDate(2024, 2, 29) + rtl::EncodeTime(10, 30, 0);
  d->SetDateTime(leap);
  d->SetDate(rtl::EncodeDate(2023, 12, 31));  // keeps 10:30
  EXPECT_DOUBLE_EQ(d->DateTime(), rtl::EncodeDate(2023, 12, 31) + rtl::EncodeTime(10, 30, 0));
  EXPECT_NEAR(WindowValue(d), d->DateTime(), 1e-6);
  const rtl::TDateTime cases[] = {rtl::ZeroDate, rtl::EncodeDate(1950, 8, 17), rtl::EncodeDate(2030, 1, 1)};
  for (rtl::TDateTime v : cases) {
    d->SetDate(v);
    EXPECT_EQ(d->Date(), v);
    EXPECT_NEAR(rtl::DateOf(WindowValue(d)), v, 1e-9);
  }
  // Re-made windows get the value back.
  d->SetKind(TDateTimeKind::dtkTime);
  d->SetTime(rtl::EncodeTime(7, 0, 0));
  EXPECT_NEAR(rtl::TimeOf(WindowValue(d)), rtl::EncodeTime(7, 0, 0), 1e-6);
  EXPECT_EQ(d->Date(), rtl::EncodeDate(2030, 1, 1));
  EXPECT_EQ(changes, 0) << "values set by code run no change handler";
}

TEST(DatePickers, TheUsersKeysRunChangeAndTheValueIsReadBack) {
  TForm f(nullptr);
  auto* d = new TDateTimePicker(&f);
  d->SetParent(&f);
  d->SetDate(rtl::EncodeDate(2024, 5, 10));
  int changes = 0;
  rtl::TDateTime shown = 0;
  d->OnChange = [&](TObject*) {
    ++changes;
    shown = WindowValue(d);
  };
  RunSoon([&] {
    d->SetFocus();
    for (WPARAM key : {VK_HOME, VK_UP}) {
      SendMessageW(d->Handle(), WM_KEYDOWN, key, 0);
      SendMessageW(d->Handle(), WM_KEYUP, key, 0);
    }
    f.ModalResult = mrOk;
  });
  f.ShowModal();
  EXPECT_GE(changes, 1);
  EXPECT_NEAR(d->DateTime(), shown, 1e-6) << "the object holds what the control shows";
}

class ScriptedFiles : public IFileDialogService {
 public:
  bool Execute(TFileDialogRequest& r) override {
    asked.push_back(r);
    if (answer.empty()) return false;
    r.FileName = answer;
    return true;
  }
  std::vector<TFileDialogRequest> asked;
  std::string answer;
};

TEST(FileDialogs, TheServiceAnswersInPlaceOfTheSystemDialog) {
  ScriptedFiles files;
  SetFileDialogService(&files);
  TOpenDialog open(nullptr);
  open.Filter = "Jpg|*.jpg";
  open.DefaultExt = "Jpg";
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(open.FileName, "");
  files.answer = "C:\\foto\\budi.jpg";
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName, "C:\\foto\\budi.jpg");
  TSaveDialog save(nullptr);
  save.FileName = "BackupKorvan010524";
  save.DefaultExt = "sql";
  files.answer = "C:\\backup\\BackupKorvan010524.sql";
  EXPECT_TRUE(save.Execute());
  SetFileDialogService(nullptr);
  ASSERT_EQ(files.asked.size(), 3u);
  EXPECT_EQ(files.asked[0].Kind, TFileDialogKind::fdOpen);
  EXPECT_EQ(files.asked[0].Filter, "Jpg|*.jpg");
  EXPECT_EQ(files.asked[0].DefaultExt, "Jpg");
  EXPECT_EQ(files.asked[2].Kind, TFileDialogKind::fdSave);
  EXPECT_EQ(files.asked[2].FileName, "BackupKorvan010524") << "the preset name reaches the dialog";
  EXPECT_EQ(save.FileName, "C:\\backup\\BackupKorvan010524.sql");
}

TEST(ProgressBars, PositionIsClampedAndPushedToTheWindow) {
  TForm f(nullptr);
  auto* p = new TProgressBar(&f);
  p->SetParent(&f);
  p->SetMax(10);
  p->SetPosition(12);
  EXPECT_EQ(p->Position(), 10);
  EXPECT_EQ(SendMessageW(p->Handle(), PBM_GETPOS, 0, 0), 10);
  p->SetPosition(4);
  EXPECT_EQ(SendMessageW(p->Handle(), PBM_GETPOS, 0, 0), 4);
}

// The user's keys on a track bar move the thumb by the system's steps; Position and OnChange
// follow, set positions are clamped to the range, and a vertical bar with ticks on both sides
// keeps its range when its window is made again.
TEST(TrackBars, TheUsersMovesReachPositionAndTheStyleFollowsTheProperties) {
  TForm f(nullptr);
  auto* t = new TTrackBar(&f);
  t->SetParent(&f);
  t->SetMax(20);
  t->SetFrequency(5);
  int changes = 0;
  t->OnChange = [&](TObject*) { ++changes; };
  const HWND wnd = t->Handle();
  EXPECT_EQ(SendMessageW(wnd, TBM_GETNUMTICS, 0, 0), 5) << "first, last and every fifth step";
  SendMessageW(wnd, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(t->Position(), 1);
  SendMessageW(wnd, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(t->Position(), 20);
  EXPECT_EQ(changes, 2);
  t->SetPosition(-3);
  EXPECT_EQ(t->Position(), 0);
  EXPECT_EQ(SendMessageW(wnd, TBM_GETPOS, 0, 0), 0);
  t->SetPosition(7);
  t->SetOrientation(TTrackBarOrientation::trVertical);
  t->SetTickMarks(TTickMark::tmBoth);
  const LONG style = GetWindowLongW(t->Handle(), GWL_STYLE);
  EXPECT_NE(style & TBS_VERT, 0);
  EXPECT_NE(style & TBS_BOTH, 0);
  EXPECT_EQ(SendMessageW(t->Handle(), TBM_GETPOS, 0, 0), 7);
  EXPECT_EQ(SendMessageW(t->Handle(), TBM_GETRANGEMAX, 0, 0), 20);
  t->SetTickStyle(TTickStyle::tsNone);
  EXPECT_NE(GetWindowLongW(t->Handle(), GWL_STYLE) & TBS_NOTICKS, 0);
}

}  // namespace
