// The backup, about and credits windows. None of them touches the database; the backup's
// interpreter start is replaced, so no dump runs.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "gui/FileDialogs.h"
#include "rtl/DateUtils.h"
#include "rtl/SysUtils.h"
#include "rtl/Utf.h"
#include "shell/UBackupDB.h"
#include "shell/UDeveloper.h"
#include "shell/UWhatisKorvan.h"
#include "skin/graphics/acPNG.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;
using shell::FBackupDB;
using shell::FDeveloper;
using shell::FWhatisKorvan;

namespace {

constexpr const char* kRefused = "Direktori Lokasi Backup tidak ditemukan";
constexpr const char* kStarted = "Database Berhasil di backup";
constexpr const char* kFailed = "Backup Database Gagal";

// What a window's client area (or a panel's) shows, painted as the window paints itself.
class Painted {
 public:
  explicit Painted(TWinControl& w) : bmp_(w.ClientWidth(), w.ClientHeight()) {
    SendMessageW(w.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp_.Canvas().Handle()), PRF_CLIENT);
  }
  COLORREF At(int x, int y) { return GetPixel(bmp_.Canvas().Handle(), x, y); }

 private:
  TBitmap bmp_;
};

TEST(BackupCommand, DumpsSelvaranAsRootIntoTheQuotedTarget) {
  const struct {
    const char* target;
    const char* parameters;
  } cases[] = {
      {"C:\\backup\\BackupKorvan010224.sql", "/c mysqldump -e -uroot -hlocalhost selvaran > \"C:\\backup\\BackupKorvan010224.sql\""},
      // Blanks and the interpreter's special characters stay inside the quotes.
      {"D:\\Data Gereja\\Backup & Arsip\\jemaat.sql",
       "/c mysqldump -e -uroot -hlocalhost selvaran > \"D:\\Data Gereja\\Backup & Arsip\\jemaat.sql\""},
  };
  for (const auto& c : cases) EXPECT_EQ(shell::BackupCommandLine(c.target), c.parameters);
}

TEST(BackupCommand, DefaultFileNameIsTheDayAsDdMmYy) {
  EXPECT_EQ(shell::DefaultBackupFileName(rtl::EncodeDate(2024, 2, 1)), "BackupKorvan010224");
  EXPECT_EQ(shell::DefaultBackupFileName(rtl::EncodeDate(2009, 12, 31)), "BackupKorvan311209");
}

TEST(BackupCommand, ShellRunWaitsAndGivesTheExitCode) {
  EXPECT_FALSE(shell::ShellRunHidden(nullptr, "C:\\tidak-ada\\korvan-tidak-ada.exe", ""));
  EXPECT_EQ(shell::ShellRunHidden(nullptr, "cmd.exe", "/c exit 3"), 3u);
  EXPECT_EQ(shell::ShellRunHidden(nullptr, "cmd.exe", "/c exit 0"), 0u);
}

// A file in the test's temporary folder, removed again at the end.
class TempFile {
 public:
  explicit TempFile(const char* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    path_ = rtl::U8(dir) + name;
    DeleteFileW(rtl::W(path_).c_str());
  }
  ~TempFile() { DeleteFileW(rtl::W(path_).c_str()); }
  const std::string& Path() const { return path_; }
  void Write(const std::string& bytes) const {
    HANDLE h = CreateFileW(rtl::W(path_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
  }
  bool Exists() const { return GetFileAttributesW(rtl::W(path_).c_str()) != INVALID_FILE_ATTRIBUTES; }

 private:
  std::string path_;
};

// Answers the save dialog with a fixed choice (or a cancel) and keeps what it was asked.
class FakeFileDialogs : public IFileDialogService {
 public:
  bool Execute(TFileDialogRequest& r) override {
    asked = r;
    if (!answer) return false;
    r.FileName = *answer;
    return true;
  }
  std::optional<std::string> answer;
  std::optional<TFileDialogRequest> asked;
};

struct StartCall {
  HWND owner;
  std::string file;
  std::string parameters;
};

class BackupWindow : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    wchar_t path[32767];
    DWORD n = GetEnvironmentVariableW(L"Path", path, 32767);
    savedPath_ = std::wstring(path, n);
    SetFileDialogService(&files);
    InstallFakeInterpreter();
    Application->CreateForm(FBackupDB);
  }
  void TearDown() override {
    delete FBackupDB;
    FBackupDB = nullptr;
    shell::SetBackupRunProcess(nullptr);
    SetFileDialogService(nullptr);
    SetEnvironmentVariableW(L"Path", savedPath_.c_str());
    WithRecordedDialogs::TearDown();
  }
  std::string Path() {
    wchar_t path[32767];
    DWORD n = GetEnvironmentVariableW(L"Path", path, 32767);
    return rtl::U8(std::wstring_view(path, n));
  }
  // The fake interpreter "dumps" by writing the target, then ends with exitCode.
  void InstallFakeInterpreter() {
    shell::SetBackupRunProcess(
        [this](HWND owner, const std::string& file, const std::string& params) -> std::optional<unsigned long> {
          starts.push_back({owner, file, params});
          if (startThrows) throw std::runtime_error("no interpreter");
          if (!started) return std::nullopt;
          if (dumped) target.Write(*dumped);
          return exitCode;
        });
  }
  void ChooseFile(const std::string& name) {
    files.answer = name;
    FBackupDB->SpeedButton1->Click();
  }

  FakeFileDialogs files;
  std::vector<StartCall> starts;
  TempFile target{"korvan-backup-test.sql"};
  bool started = true;
  bool startThrows = false;
  std::optional<std::string> dumped = "-- MariaDB dump\n";
  unsigned long exitCode = 0;
  std::wstring savedPath_;
};

TEST_F(BackupWindow, BacksUpIntoTheChosenFileAndWaitsForTheDump) {
  FBackupDB->Activate();
  EXPECT_EQ(FBackupDB->Edit1->Text(), "Lokasi Backup");
  EXPECT_EQ(FBackupDB->Edit1->Font().Color(), TColor(0x808080));

  ChooseFile(target.Path());
  ASSERT_TRUE(files.asked);
  EXPECT_EQ(files.asked->Kind, TFileDialogKind::fdSave);
  EXPECT_EQ(files.asked->FileName, shell::DefaultBackupFileName(rtl::Date()));
  EXPECT_EQ(files.asked->Filter, "sql|*.sql");
  EXPECT_EQ(files.asked->DefaultExt, "sql");
  EXPECT_EQ(FBackupDB->Edit1->Text(), target.Path());

  FBackupDB->SpeedButton6->Click();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].owner, FBackupDB->Handle());
  EXPECT_EQ(starts[0].file, "cmd.exe");
  EXPECT_EQ(starts[0].parameters, shell::BackupCommandLine(target.Path()));
  EXPECT_EQ(Path(), "C:\\xampp\\mysql\\bin");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text, kStarted);
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtInformation);
  EXPECT_EQ(FBackupDB->Edit1->Text(), "Lokasi Backup") << "the attempt ends with the activation";
}

TEST_F(BackupWindow, CancellingTheFileChoiceKeepsTheField) {
  FBackupDB->Activate();
  files.answer.reset();
  FBackupDB->SpeedButton1->Click();
  EXPECT_EQ(FBackupDB->Edit1->Text(), "Lokasi Backup");
}

TEST_F(BackupWindow, RefusesThePlaceholderAndAnEmptyTarget) {
  for (const char* text : {"Lokasi Backup", "", "   "}) {
    dialogs.shown.clear();
    FBackupDB->Edit1->SetText(text);
    FBackupDB->SpeedButton6->Click();
    EXPECT_TRUE(starts.empty()) << "'" << text << "'";
    ASSERT_EQ(dialogs.shown.size(), 1u) << "'" << text << "'";
    EXPECT_EQ(dialogs.shown[0].Text, kRefused);
    EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(FBackupDB->Edit1->Text(), "Lokasi Backup");
  }
}

TEST_F(BackupWindow, ReportsFailureUnlessTheDumpEndsWellWithData) {
  const struct {
    const char* what;
    std::function<void()> arrange;
  } cases[] = {
      {"the shell refuses", [this] { started = false; }},
      {"the start raises", [this] { startThrows = true; }},
      {"the dump ends with an error", [this] { exitCode = 2; }},
      {"the dump ends well but writes nothing", [this] { dumped = ""; }},
      {"the dump ends well but makes no file", [this] { dumped.reset(); }},
      {"a real start of a missing program",
       [] {
         shell::SetBackupRunProcess([](HWND owner, const std::string& file, const std::string& params) {
           return shell::ShellRunHidden(owner, "C:\\tidak-ada\\" + file, params);
         });
       }},
      // The real interpreter without the MySQL tools: it reports the unknown command with
      // its exit code, and its redirection has left an empty file.
      {"the real interpreter without mysqldump", [] { shell::SetBackupRunProcess(nullptr); }},
  };
  for (const auto& c : cases) {
    dialogs.shown.clear();
    started = true;
    startThrows = false;
    dumped = "-- MariaDB dump\n";
    exitCode = 0;
    InstallFakeInterpreter();
    DeleteFileW(rtl::W(target.Path()).c_str());
    c.arrange();
    ChooseFile(target.Path());
    FBackupDB->SpeedButton6->Click();
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.what;
    EXPECT_EQ(dialogs.shown[0].Text, kFailed) << c.what;
    EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError) << c.what;
    EXPECT_EQ(FBackupDB->Edit1->Text(), "Lokasi Backup") << c.what;
  }
}

// The real interpreter, waited for: what it wrote is there when the window reports.
TEST_F(BackupWindow, TheRealInterpreterIsWaitedFor) {
  shell::SetBackupRunProcess([](HWND owner, const std::string& file, const std::string&) {
    std::string out = "\"" + FBackupDB->Edit1->Text() + "\"";
    return shell::ShellRunHidden(owner, file, "/c echo -- dump> " + out);
  });
  ChooseFile(target.Path());
  std::string chosen = FBackupDB->Edit1->Text();
  FBackupDB->SpeedButton6->Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text, kStarted);
  EXPECT_TRUE(shell::FileHasData(chosen));
}

TEST_F(BackupWindow, ShownClickingIntoTheFieldEmptiesItAndCloseEndsTheWindow) {
  EXPECT_EQ(FBackupDB->Caption(), "Backup Database");
  bool ran = false;
  guitest::RunSoon([&] {
    ran = true;
    // The placeholder is there after the showing, and focusing the field clears it.
    EXPECT_EQ(FBackupDB->Edit1->Text(), "Lokasi Backup");
    FBackupDB->Edit1->SetFocus();
    EXPECT_EQ(FBackupDB->Edit1->Text(), "");
    FBackupDB->SpeedButton6->Click();
    EXPECT_TRUE(starts.empty());
    FBackupDB->SpeedButton9->Click();
  });
  FBackupDB->ShowModal();
  EXPECT_TRUE(ran);
  EXPECT_FALSE(FBackupDB->Showing());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text, kRefused);
}

class AboutWindows : public guitest::WithRecordedDialogs {};

TEST_F(AboutWindows, AboutPresentsTheProgramAndCloses) {
  Application->CreateForm(FWhatisKorvan);
  EXPECT_EQ(FWhatisKorvan->Caption(), "What is KORVANS ?");
  EXPECT_EQ(FWhatisKorvan->BorderStyle, TFormBorderStyle::bsSingle);
  EXPECT_EQ(FWhatisKorvan->BorderIcons, unsigned(biSystemMenu));
  TLabel* lines[] = {FWhatisKorvan->Label1, FWhatisKorvan->Label2, FWhatisKorvan->Label3,
                     FWhatisKorvan->Label4, FWhatisKorvan->Label5, FWhatisKorvan->Label6,
                     FWhatisKorvan->Label7, FWhatisKorvan->Label8, FWhatisKorvan->Label9};
  std::string all;
  for (TLabel* l : lines) {
    EXPECT_FALSE(l->Caption().empty());
    all += l->Caption() + "\n";
  }
  EXPECT_NE(all.find("Tuhan Memberkati Pelayanan Kita Bersama"), std::string::npos);
  EXPECT_NE(all.find("KVRB"), std::string::npos);
  EXPECT_FALSE(FWhatisKorvan->Image1->Picture().Graphic()->Empty());
  guitest::RunSoon([] { FWhatisKorvan->Button1->Click(); });
  FWhatisKorvan->ShowModal();
  EXPECT_FALSE(FWhatisKorvan->Showing());
  EXPECT_TRUE(dialogs.shown.empty());
  delete FWhatisKorvan;
  FWhatisKorvan = nullptr;
}

TEST_F(AboutWindows, CreditsCannotBeBuiltWithoutThePictureClass) {
  ASSERT_EQ(TPicture::FindGraphicClass("TPNGGraphic"), nullptr);
  int forms = Screen->FormCount();
  try {
    Application->CreateForm(FDeveloper);
    FAIL() << "built without TPNGGraphic";
  } catch (const rtl::EReadError& e) {
    EXPECT_NE(std::string(e.Message()).find("Class TPNGGraphic not found"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(FDeveloper, nullptr);
  EXPECT_EQ(Screen->FormCount(), forms) << "no half-built window is left behind";
}

TEST_F(AboutWindows, CreditsReadTheirBannerThroughThePictureClassAndDrawIt) {
  skin::RegisterPNGGraphic();
  Application->CreateForm(FDeveloper);
  EXPECT_EQ(FDeveloper->Caption(), "Developer Team");
  EXPECT_EQ(FDeveloper->BorderStyle, TFormBorderStyle::bsSingle);
  EXPECT_EQ(FDeveloper->BorderIcons, unsigned(biSystemMenu));
  EXPECT_EQ(FDeveloper->Label1->Caption(), "Kami Adalah :");
  EXPECT_EQ(FDeveloper->Label2->Caption(), "Survey && Dokumentasi");
  EXPECT_EQ(FDeveloper->Label5->Caption(), "Penasihat");
  EXPECT_EQ(FDeveloper->Label7->Caption(), "Kordinator");
  EXPECT_EQ(FDeveloper->Label9->Caption(), "Ananlys && Programmer");
  EXPECT_TRUE(FDeveloper->Label2->ShowAccelChar) << "\"&&\" shows as one \"&\"";

  TImage* image = FDeveloper->Image2;
  TGraphic* g = image->Picture().Graphic();
  ASSERT_NE(g, nullptr);
  EXPECT_STREQ(g->ClassName(), "TPNGGraphic");
  EXPECT_EQ(g->Width(), 112);
  EXPECT_EQ(g->Height(), 42);
  EXPECT_EQ(static_cast<TBitmap*>(g)->PixelFormat(), pf24bit);
  EXPECT_TRUE(image->Stretch());

  // The banner's sky (top rows) and ground (bottom rows), stretched over the box.
  FDeveloper->HandleNeeded();
  Painted p(*FDeveloper->Panel1);
  const int right = image->Left() + image->Width() - 4, top = image->Top() + 3;
  const int bottom = image->Top() + image->Height() - 4;
  EXPECT_EQ(p.At(right, top), RGB(31, 58, 110));
  EXPECT_EQ(p.At(right, bottom), RGB(212, 160, 23));
  EXPECT_EQ(p.At(image->Left() + image->Width() + 4, top), RGB(255, 255, 255)) << "the white panel";

  guitest::RunSoon([] { FDeveloper->Button1->Click(); });
  FDeveloper->ShowModal();
  EXPECT_FALSE(FDeveloper->Showing());
  delete FDeveloper;
  FDeveloper = nullptr;
  skin::UnregisterPNGGraphic();
}

}  // namespace
