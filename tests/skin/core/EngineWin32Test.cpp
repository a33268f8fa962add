// The engine's Win32 utilities, its base forms, hint templates and the monitor and PPI
// functions, under Wine.
#include <windows.h>

#include <set>

#include <gtest/gtest.h>

#include "../../gui/GuiTestSupport.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/Utf.h"
#include "skin/core/acBaseForms.h"
#include "skin/core/sConst.h"
#include "skin/core/sConstUnit.h"
#include "skin/core/sSkinManagerUnit.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaHints.h"

namespace skin {
namespace {

using guitest::WithRecordedDialogs;

// ---------------------------------------------------------------- boxes and waits

class EngineBoxes : public WithRecordedDialogs {};

TEST_F(EngineBoxes, VersionSwitchShowsTheVersionBox) {
  ShowVersionForSwitch({"/nothing"});
  EXPECT_TRUE(dialogs.shown.empty());
  ShowVersionForSwitch({"x", "/ACVER"});
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text, "skin engine v14.27");
  EXPECT_EQ(dialogs.shown[0].Buttons, gui::mbOK);
}

TEST_F(EngineBoxes, MessageBoxesGoThroughTheDialogService) {
  ShowWarningMessage("careful");
  dialogs.answers.push_back(gui::mrNo);
  EXPECT_EQ(ShowMessageDlg("sure?", mkConfirmation, mbtYes | mbtNo | mbtCancel, 0), IDNO);
  EXPECT_EQ(MessageBoxEx("Own", "text", mkError, mbtOK | mbtCancel, 0, 10, 20), IDOK);
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[0].Caption, "Warning");
  EXPECT_EQ(dialogs.shown[0].Type, gui::TMsgDlgType::mtWarning);
  EXPECT_EQ(dialogs.shown[1].Caption, "Confirm");
  EXPECT_EQ(dialogs.shown[1].Buttons, gui::mbYes | gui::mbNo | gui::mbCancel);
  EXPECT_EQ(dialogs.shown[2].Caption, "Own");
  EXPECT_EQ(dialogs.shown[2].Buttons, gui::mbOK | gui::mbCancel);
  EXPECT_EQ(dialogs.shown[2].Left, 10) << "the box goes where it was asked";
  EXPECT_EQ(dialogs.shown[2].Top, 20);
  EXPECT_EQ(dialogs.shown[0].Left, -1);
  EXPECT_EQ(DialogPosX, -1);  // the position holds only while the box is up
}

TEST(EngineWaits, WaitWithMessagesKeepsTheProgramResponsive) {
  bool fired = false;
  guitest::RunSoon([&] { fired = true; }, 10);
  const ULONGLONG start = GetTickCount64();
  WaitWithMessages(120);
  EXPECT_GE(GetTickCount64() - start, 120u);
  EXPECT_TRUE(fired);
  const ULONGLONG t = GetTickCount64();
  WaitUntilTick(t, 30);
  EXPECT_GE(GetTickCount64(), t + 30);
}

// ---------------------------------------------------------------- files and system

TEST(EngineSystem, FilesVersionsAndMetrics) {
  const std::string exe = ExeFolder();
  ASSERT_FALSE(exe.empty());
  EXPECT_EQ(exe.back(), '\\');
  EXPECT_TRUE(DirExistsQuiet(exe));
  EXPECT_FALSE(DirExistsQuiet("Q:\\no\\such\\folder"));
  EXPECT_EQ(GetFileIcon(exe + "no-such-file.txt", true), nullptr);
  InitUtilitiesUnit();
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  auto icon = GetFileIcon(self, true);  // a program file has at least the shell's own icon
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Width(), GetSystemMetrics(SM_CXSMICON));
  DoneUtilitiesUnit();
  EXPECT_TRUE(IsWinXPOrLater());
  const int h = GetCaptionFontHeight(96);
  EXPECT_LE(h, -11);
  HFONT f = CreateCaptionFont(96);
  EXPECT_NE(f, nullptr);
  DeleteObject(f);
  EXPECT_FALSE(RunningUnderWow64());  // a 64-bit program
}

TEST(EngineSystem, FileSearchesFindWhatTheAttributesAllow) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  const std::string dir = rtl::U8(tmp) + "korvan-find-" + std::to_string(GetCurrentProcessId()) + "\\";
  ASSERT_TRUE(CreateDirectoryW(rtl::W(dir).c_str(), nullptr));
  for (const char* name : {"a.txt", "b.txt", "h.txt", "c.ini"}) {
    HANDLE h = CreateFileW(rtl::W(dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    DWORD written;
    WriteFile(h, "abc", 3, &written, nullptr);
    CloseHandle(h);
  }
  SetFileAttributesW(rtl::W(dir + "h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  CreateDirectoryW(rtl::W(dir + "sub.txt").c_str(), nullptr);
  auto found = [&](const std::string& pattern, int attr) {
    std::set<std::string> names;
    TSearchRec f;
    for (int rc = SkinFindFirst(dir + pattern, attr, f); rc == 0; rc = SkinFindNext(f)) {
      names.insert(f.Name);
      if (f.Name == "a.txt") EXPECT_EQ(f.Size, 3);
    }
    SkinFindClose(f);
    EXPECT_EQ(f.FindHandle, INVALID_HANDLE_VALUE);
    return names;
  };
  EXPECT_EQ(found("*.txt", 0), (std::set<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(found("*.txt", faHidden), (std::set<std::string>{"a.txt", "b.txt", "h.txt"}));
  EXPECT_EQ(found("*.txt", faDirectory), (std::set<std::string>{"a.txt", "b.txt", "sub.txt"}));
  EXPECT_EQ(found("*.ini", faAnyFile), (std::set<std::string>{"c.ini"}));
  TSearchRec none;
  EXPECT_EQ(SkinFindFirst(dir + "*.bmp", faAnyFile, none), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(none.FindHandle, INVALID_HANDLE_VALUE);
  // Only hidden files: the search finds nothing and ends itself.
  TSearchRec hiddenOnly;
  EXPECT_EQ(SkinFindFirst(dir + "h.*", 0, hiddenOnly), ERROR_NO_MORE_FILES);
  EXPECT_EQ(hiddenOnly.FindHandle, INVALID_HANDLE_VALUE);

  SetFileAttributesW(rtl::W(dir + "h.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const char* name : {"a.txt", "b.txt", "h.txt", "c.ini"}) DeleteFileW(rtl::W(dir + name).c_str());
  RemoveDirectoryW(rtl::W(dir + "sub.txt").c_str());
  RemoveDirectoryW(rtl::W(dir).c_str());
}

// ---------------------------------------------------------------- the glow form

TEST(GlowForm, NeverActivatesAndLetsClicksThrough) {
  gui::TForm below(gui::Application);
  below.SetBounds(100, 100, 300, 200);
  below.Show();
  // Other tests run at once on the same display: this test's windows go above theirs.
  // Another test's program may take the foreground at any moment, so which window is
  // active is not this test's to assert: only that the glow never becomes it.
  SetWindowPos(below.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  gui::Application->ProcessMessages();

  TacGlowForm glow;
  EXPECT_TRUE(IsSkipSkinTag(glow.Tag));
  glow.SetBounds(150, 150, 100, 80);
  glow.Show();
  SetWindowPos(glow.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  gui::Application->ProcessMessages();
  EXPECT_TRUE(IsWindowVisible(glow.Handle()));
  EXPECT_NE(GetActiveWindow(), glow.Handle());
  EXPECT_NE(GetForegroundWindow(), glow.Handle());
  const LONG_PTR ex = GetWindowLongPtrW(glow.Handle(), GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW), WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetClassLongPtrW(glow.Handle(), GCL_STYLE) & CS_DROPSHADOW, 0);
  // A click on the glow lands on the form below it.
  EXPECT_EQ(SendMessageW(glow.Handle(), WM_NCHITTEST, 0, MAKELPARAM(200, 190)), HTTRANSPARENT);
  EXPECT_EQ(GetAncestor(WindowFromPoint(POINT{200, 190}), GA_ROOT), below.Handle());
  glow.MouseTransparent = false;
  EXPECT_EQ(WindowFromPoint(POINT{200, 190}), glow.Handle());
  // The showing change takes the window off only when the glow itself goes: told again
  // while it is up, it stays up without taking the activation.
  glow.Perform(gui::CM_SHOWINGCHANGED, 0, 0);
  EXPECT_TRUE(IsWindowVisible(glow.Handle()));
  EXPECT_NE(GetActiveWindow(), glow.Handle());
  glow.Hide();
  EXPECT_FALSE(IsWindowVisible(glow.Handle()));
  // A glow its user put on screen itself is taken off by the change as well.
  ShowWindow(glow.Handle(), SW_SHOWNOACTIVATE);
  glow.Perform(gui::CM_SHOWINGCHANGED, 0, 0);
  EXPECT_FALSE(IsWindowVisible(glow.Handle()));
  below.Hide();
}

TEST(GlowForm, IsScaledByTheClassLibraryOnlyInItsScaleMode) {
  const TacScaleMode saved = Globals().GlobalScaleMode;
  for (auto [mode, scaled] : {std::pair{TacScaleMode::sm150, false}, std::pair{TacScaleMode::smAuto, false},
                              std::pair{TacScaleMode::smVCL, true}}) {
    Globals().GlobalScaleMode = mode;
    TacGlowForm glow;
    glow.Scaled = !scaled;
    glow.BeginLoading();
    glow.EndLoading();
    EXPECT_EQ(glow.Scaled, scaled) << int(mode);
  }
  Globals().GlobalScaleMode = saved;
}

// ---------------------------------------------------------------- monitors and PPI

TEST(Monitors, WorkAreasAndPixelsPerInch) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const gui::TRect wa = GetWorkAreaAtPoint({work.left + 5, work.top + 5});
  EXPECT_EQ(wa.Left, work.left);
  EXPECT_EQ(wa.Right, work.right);
  EXPECT_EQ(wa.Bottom, work.bottom);
  const gui::TRect none = GetWorkAreaAtPoint({-30000, -30000});
  EXPECT_EQ(none.Left | none.Top | none.Right | none.Bottom, 0);
  ASSERT_FALSE(gui::Screen->Monitors().empty());

  unsigned major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  gui::TLabel orphan(nullptr);
  EXPECT_EQ(GetControlPPI(&orphan), major >= 10 ? 96 : GetScreenPPI());
  EXPECT_EQ(GetControlPPI(nullptr), GetScreenPPI());
}

TEST(Monitors, WindowsChainsTextsAndAlignedChildren) {
  gui::TForm form(gui::Application);
  form.SetBounds(0, 0, 300, 300);
  auto* panel = new gui::TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(gui::TAlign::alTop);
  panel->SetHeight(100);
  auto* inner = new gui::TPanel(&form);
  inner->SetParent(panel);
  HWND h = inner->Handle();
  EXPECT_EQ(GetRootWindow(h), form.Handle());
  EXPECT_TRUE(IsWindowOrDescendant(h, panel->Handle()));
  EXPECT_FALSE(IsWindowOrDescendant(panel->Handle(), h));
  form.SetCaption("Ünïcode");
  EXPECT_EQ(GetWindowWideText(form.Handle()), L"Ünïcode");

  for (int height : {20, 30}) {
    auto* c = new gui::TPanel(&form);
    c->SetParent(panel);
    c->SetAlign(gui::TAlign::alTop);
    c->SetHeight(height);
  }
  auto* label = new gui::TLabel(&form);
  label->SetParent(panel);
  label->SetAlign(gui::TAlign::alTop);
  label->SetAutoSize(false);
  label->SetHeight(7);
  EXPECT_EQ(SumAlignedChildSizes(panel, false), 50);
  EXPECT_EQ(SumAlignedChildSizes(panel, true), 57);
  panel->SetAlign(gui::TAlign::alClient);
  EXPECT_EQ(SumAlignedChildSizes(panel, true), 0);
}

TEST(Monitors, ControlPropertiesByName) {
  gui::TForm form(gui::Application);
  auto* panel = new gui::TPanel(&form);
  EXPECT_TRUE(HasProp(panel, "Color"));
  WriteOrdProp(panel, "Color", gui::clRed);
  EXPECT_EQ(panel->Color(), gui::clRed);
  EXPECT_EQ(ReadObjectProp(panel, "Font"), &panel->Font());
  EXPECT_FALSE(HasProp(panel, "FocusColor"));  // absent: skipped by its readers
}

// ---------------------------------------------------------------- hint templates

TEST(HintTemplates, SizesReadNegativeAsZeroAndPicturesResetTheFrame) {
  TacHintController controller(nullptr);
  int changes = 0;
  controller.OnChange = [&](rtl::TObject* sender) {
    EXPECT_EQ(sender, &controller);
    ++changes;
  };
  TacHintTemplate& t = *controller.Templates.Add();
  t.ImageDefault.ShadowSizes.Set(1, -3);
  EXPECT_EQ(t.ImageDefault.ShadowSizes.Left(), 0);
  TacBordersSizes copy(nullptr);
  copy.Assign(&t.ImageDefault.ShadowSizes);
  EXPECT_EQ(copy.Left(), 0);
  EXPECT_EQ(changes, 1);

  gui::TBitmap pic;
  pic.SetPixelFormat(gui::TPixelFormat::pf32bit);
  pic.SetSize(27, 27);
  t.ImageDefault.SetImage(pic);
  auto all = [](const TacBordersSizes& s) { return std::vector<int>{s.Left(), s.Top(), s.Right(), s.Bottom()}; };
  EXPECT_EQ(all(t.ImageDefault.BordersWidths), std::vector<int>(4, 13));
  EXPECT_EQ(all(t.ImageDefault.ClientMargins), std::vector<int>(4, 13));
  pic.SetSize(1, 1);
  t.ImageDefault.SetImage(pic);
  EXPECT_EQ(all(t.ImageDefault.BordersWidths), std::vector<int>(4, 0));

  EXPECT_TRUE(IsSingleImageTemplate(t));
  const uint8_t bytes[] = {0x89, 'P', 'N', 'G'};
  t.Img_LeftBottom.ImgData().Write(bytes, sizeof bytes);
  EXPECT_FALSE(IsSingleImageTemplate(t));  // before the bytes are decoded

  EXPECT_THROW(t.ImageDefault.ShadowSizes.Assign(nullptr), rtl::Exception);
  EXPECT_THROW(t.Assign(nullptr), rtl::Exception);
}

TEST(HintTemplates, TheControllerHearsOfChangesExceptWhileLoadingAndNotTwiceFromItsOwnEvent) {
  TacHintController controller(nullptr);
  int changes = 0;
  TacHintTemplate& t = *controller.Templates.Add();
  controller.OnChange = [&](rtl::TObject*) {
    ++changes;
    // A size changed from inside the event: no further notice while a size change is
    // being told, one more after any other change (which is then told as a size change).
    t.ImageDefault.BordersWidths.Set(0, changes + 100);
  };
  struct Step {
    const char* name;
    std::function<void()> change;
    int notices;
  } steps[] = {
      {"a size", [&] { t.ImageDefault.ClientMargins.Set(2, 4); }, 1},
      {"the same size again", [&] { t.ImageDefault.ClientMargins.Set(2, 4); }, 0},
      {"a draw mode", [&] { t.Img_RightTop.BorderDrawModes.Set(4, TacBorderDrawMode::dmRepeat); }, 2},
      {"an offset", [&] { t.Img_RightBottom.SetOffsetVert(3); }, 2},
      {"the font", [&] { gui::TFont f; f.SetHeight(-20); t.SetFont(f); }, 2},
      {"four sizes", [&] { t.ImageDefault.ShadowSizes.SetAll(1, 2, 3, 4); }, 4},
  };
  for (const Step& s : steps) {
    int before = changes;
    s.change();
    EXPECT_EQ(changes - before, s.notices) << s.name;
  }
  EXPECT_EQ(t.Font().Height(), -20);

  controller.BeginLoading();
  t.ImageDefault.SetOffsetHorz(9);
  t.ImageDefault.ShadowSizes.Set(0, 40);
  controller.EndLoading();
  EXPECT_EQ(changes, 11) << "nothing while loading";

  // A template of no controller tells nobody.
  TacHintTemplate loose;
  loose.ImageDefault.ShadowSizes.Set(0, 7);
  loose.ImageDefault.BorderDrawModes.Set(0, TacBorderDrawMode::dmRepeat);
  EXPECT_EQ(changes, 11);
}

TEST(HintTemplates, PicturesStreamTheirBytesAsImgData) {
  TacHintImage with(nullptr), without(nullptr);
  const uint8_t bytes[] = {0x89, 'P', 'N', 'G', 1, 2};
  with.ImgData().Write(bytes, sizeof bytes);
  EXPECT_FALSE(with.StoresImage()) << "the bytes stand for the picture";
  EXPECT_TRUE(without.StoresImage());

  rtl::TMemoryStream stream;
  rtl::WriteBinaryProperties(with, stream);
  std::vector<uint8_t> want = {7, 'I', 'm', 'g', 'D', 'a', 't', 'a', 6, 0, 0, 0};
  want.insert(want.end(), bytes, bytes + sizeof bytes);
  EXPECT_EQ(stream.Bytes(), want);
  TacHintImage read(nullptr);
  stream.Seek(0, rtl::TSeekOrigin::soBeginning);
  rtl::ReadBinaryProperties(read, stream);
  EXPECT_EQ(read.ImgData().Bytes(), with.ImgData().Bytes());

  rtl::TMemoryStream empty;
  rtl::WriteBinaryProperties(without, empty);
  EXPECT_EQ(empty.Bytes(), (std::vector<uint8_t>{7, 'I', 'm', 'g', 'D', 'a', 't', 'a', 0, 0, 0, 0}));
}

TEST(HintTemplates, AssignCopiesPicturesBytesAndFrames) {
  TacHintTemplate a, b;
  a.Name = "bubble";
  a.HintAlign = TacHintAlign::haVertCenter;
  a.ImageDefault.BordersWidths.SetAll(1, 2, 3, 4);
  a.ImageDefault.BorderDrawModes.Set(4, TacBorderDrawMode::dmRepeat);
  a.ImageDefault.SetOffsetHorz(5);
  const uint8_t bytes[] = {1, 2, 3};
  a.Img_RightTop.ImgData().Write(bytes, sizeof bytes);
  b.Assign(&a);
  EXPECT_EQ(b.Name, "bubble");
  EXPECT_EQ(b.HintAlign, TacHintAlign::haVertCenter);
  EXPECT_EQ(b.ImageDefault.BordersWidths.Bottom(), 4);
  EXPECT_EQ(b.ImageDefault.BorderDrawModes.Get(4), TacBorderDrawMode::dmRepeat);
  EXPECT_EQ(b.ImageDefault.OffsetHorz(), 5);
  EXPECT_EQ(b.Img_RightTop.ImgData().Bytes(), std::vector<uint8_t>(bytes, bytes + 3));
}

}  // namespace
}  // namespace skin

// ---------------------------------------------------------------- shell basics

#include <commctrl.h>

#include "skin/core/acShellCtrls.h"

namespace skin {
namespace {

TEST(Shell, ItemIdListsMeasureCopyAndJoin) {
  EXPECT_EQ(ItemIdListSize(nullptr), 0u);
  ITEMIDLIST* empty = AllocItemIdList(2);
  EXPECT_EQ(ItemIdListSize(empty), 2u);
  // One item of 5 bytes (2 size bytes and "abc"), then the terminator.
  ITEMIDLIST* one = AllocItemIdList(7);
  const uint8_t bytes[] = {5, 0, 'a', 'b', 'c', 0, 0};
  memcpy(one, bytes, sizeof bytes);
  EXPECT_EQ(ItemIdListSize(one), 7u);
  ITEMIDLIST* copy = ConcatItemIdLists(nullptr, one);
  EXPECT_EQ(ItemIdListSize(copy), 7u);
  EXPECT_EQ(memcmp(copy, one, 7), 0);
  ITEMIDLIST* two = ConcatItemIdLists(one, one);
  EXPECT_EQ(ItemIdListSize(two), 12u);
  EXPECT_EQ(NextItemId(NextItemId(two))->mkid.cb, 0);
  for (ITEMIDLIST* l : {empty, one, copy, two}) FreeItemIdList(l);
}

TEST(Shell, RootFolderAndCaptionsAfterStartUp) {
  InitCalendarCaption();
  EXPECT_FALSE(CalendarTodayCaption().empty());
  InitShellFolderUnit();
  ASSERT_NE(RootShellFolder(), nullptr);
  EXPECT_EQ(RootShellFolder()->Level(), 0);
  EXPECT_EQ(ItemIdListSize(RootShellFolder()->FullList()), ItemIdListSize(RootShellFolder()->RelativeList()));
  if (gui::TCustomImageList* icons = SystemImageList()) {
    HIMAGELIST h = icons->Handle();
    EXPECT_TRUE(icons->ShareImages);
    EXPECT_EQ(icons->Width(), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(icons->BkColor(), gui::clNone);
    DoneShellFolderUnit();
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(h, &cx, &cy));  // the shared list outlives our wrapper
    return;
  }
  DoneShellFolderUnit();
  EXPECT_EQ(RootShellFolder(), nullptr);
}

TEST(Shell, AChangeThreadOnAMissingDirectoryEndsAtOnce) {
  auto* t = new TacShellChangeThread(nullptr);
  t->SetParameters("Q:\\no\\such\\folder", false, FILE_NOTIFY_CHANGE_FILE_NAME);
  t->Start();
  t->WaitFor();
  EXPECT_TRUE(t->Finished());
  delete t;
}

TEST(Shell, AChangeThreadReportsAChangeOnTheGuiThread) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  const std::string dir = std::string(tmp) + "korvan-watch";
  CreateDirectoryA(dir.c_str(), nullptr);
  std::atomic<int> changes{0};
  DWORD ranOn = 0;
  auto* t = new TacShellChangeThread([&] {
    ++changes;
    ranOn = GetCurrentThreadId();
  });
  t->SetParameters(dir, false, FILE_NOTIFY_CHANGE_FILE_NAME);
  t->Start();
  Sleep(50);
  const std::string file = dir + "\\x.txt";
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(h);
  for (int i = 0; i < 100 && changes == 0; ++i) WaitWithMessages(20);
  EXPECT_GT(changes.load(), 0);
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  delete t;
  DeleteFileA(file.c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace skin
