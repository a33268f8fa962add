#include "shell/UBackupDB.h"

#include <shellapi.h>

#include "kit/FormKit.h"
#include "gui/Com.h"
#include "gui/Dialogs.h"
#include "rtl/SysUtils.h"
#include "rtl/Utf.h"

namespace shell {

using namespace gui;

TFBackupDB* FBackupDB = nullptr;

namespace {

TRunProcess& RunProcess() {
  static TRunProcess run = ShellRunHidden;
  return run;
}

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  DWORD a = GetFileAttributesW(rtl::W(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The target shows as flat text on the group's face, without the sunken edit frame.
class TBorderlessEdit : public TEdit {
 public:
  using TEdit::TEdit;

 protected:
  void CreateParams(TCreateParams& p) override {
    TEdit::CreateParams(p);
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    p.Style &= ~static_cast<DWORD>(WS_BORDER);
  }
};

// The buttons' pictures, drawn once; the bottom-left pixel's colour is the transparent one.
void PrepareGlyph(TBitmap& b, int size) {
  b.SetPixelFormat(pf24bit);
  b.SetSize(size, size);
  b.Canvas().Brush().SetColor(clFuchsia);
  b.Canvas().FillRect(Rect(0, 0, size, size));
}

void DrawDatabaseGlyph(TBitmap& b) {
  PrepareGlyph(b, 32);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clNavy);
  c.Brush().SetColor(TColor(0xD08040));
  c.Rectangle(5, 7, 23, 25);
  c.Ellipse(5, 20, 23, 29);
  c.Pen().SetColor(TColor(0xD08040));
  c.Rectangle(6, 8, 22, 25);
  c.Pen().SetColor(clNavy);
  c.Brush().SetColor(TColor(0xF0C090));
  c.Ellipse(5, 3, 23, 12);
  // The arrow into the file.
  c.Pen().SetColor(clGreen);
  c.Brush().SetColor(clLime);
  const TPoint arrow[] = {{22, 14}, {30, 14}, {30, 22}, {31, 22}, {26, 28}, {21, 22}, {22, 22}};
  c.Polygon(arrow, 7);
}

void DrawCloseGlyph(TBitmap& b) {
  PrepareGlyph(b, 32);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clMaroon);
  c.Brush().SetColor(TColor(0x3030D0));
  c.Ellipse(3, 3, 29, 29);
  c.Pen().SetColor(clWhite);
  c.Pen().SetWidth(3);
  c.MoveTo(11, 11);
  c.LineTo(21, 21);
  c.MoveTo(21, 11);
  c.LineTo(11, 21);
}

}  // namespace

std::string BackupCommandLine(const std::string& target) {
  return std::string("/c mysqldump -e -u") + "root" + " -hlocalhost " + "selvaran" + " > " + "\"" + target + "\"";
}

std::string DefaultBackupFileName(rtl::TDateTime day) { return "BackupKorvan" + rtl::FormatDateTime("ddmmyy", day); }

std::optional<unsigned long> ShellRunHidden(HWND owner, const std::string& file, const std::string& parameters) {
  std::wstring wfile = rtl::W(file);
  std::wstring wparams = rtl::W(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // No shell error box of its own: the caller reports the failure in the program's words.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"open";
  info.lpFile = wfile.c_str();
  info.lpParameters = wparams.c_str();
  info.lpDirectory = nullptr;
  info.nShow = SW_HIDE;
  gui::UseCom();  // the shell may hand the file to a COM handler
  if (!ShellExecuteExW(&info)) return std::nullopt;
  // Only a process handle proves the program runs, and only its end tells its outcome.
  if (!info.hProcess) return std::nullopt;
  DWORD code = 0;
  bool ended = WaitForSingleObject(info.hProcess, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  if (!ended) return std::nullopt;
  return code;
}

bool FileHasData(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA a{};
  if (!GetFileAttributesExW(rtl::W(path).c_str(), GetFileExInfoStandard, &a)) return false;
  return !(a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (a.nFileSizeHigh != 0 || a.nFileSizeLow != 0);
}

void SetBackupRunProcess(TRunProcess run) { RunProcess() = run ? std::move(run) : TRunProcess(ShellRunHidden); }

TFBackupDB::TFBackupDB(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FBackupDB",
                         .caption = "Backup Database",
                         .width = 424,
                         .height = 168,
                         .border = TFormBorderStyle::bsDialog,
                         .fontHeight = 0});

  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName("GroupBox1");
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 8, 408, 88);
  GroupBox1->SetCaption(" Backup ");

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(GroupBox1);
  Label1->SetBounds(16, 24, 0, 0);
  Label1->SetCaption("Lokasi Backup");

  Edit1 = new TBorderlessEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(GroupBox1);
  Edit1->SetBounds(16, 48, 340, 21);
  Edit1->SetReadOnly(true);
  // Not reached by Tab: the window opens with the placeholder in sight, and a click into
  // the field is what clears it.
  Edit1->TabStop = false;
  Edit1->OnEnter = [this](TObject* s) { Edit1Enter(s); };

  SpeedButton1 = new TSpeedButton(this);
  SpeedButton1->SetName("SpeedButton1");
  SpeedButton1->SetParent(GroupBox1);
  SpeedButton1->SetBounds(364, 46, 28, 24);
  SpeedButton1->SetCaption("...");
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };

  SpeedButton6 = new TSpeedButton(this);
  SpeedButton6->SetName("SpeedButton6");
  SpeedButton6->SetParent(this);
  SpeedButton6->SetBounds(264, 104, 72, 56);
  SpeedButton6->SetFlat(true);
  SpeedButton6->SetCaption("Backup");
  SpeedButton6->Hint = "Backup";
  SpeedButton6->ShowHint = true;
  SpeedButton6->SetLayout(TButtonLayout::blGlyphTop);
  SpeedButton6->SetCursor(crHandPoint);
  DrawDatabaseGlyph(SpeedButton6->Glyph());
  SpeedButton6->OnClick = [this](TObject* s) { SpeedButton6Click(s); };

  SpeedButton9 = new TSpeedButton(this);
  SpeedButton9->SetName("SpeedButton9");
  SpeedButton9->SetParent(this);
  SpeedButton9->SetBounds(344, 104, 72, 56);
  SpeedButton9->SetFlat(true);
  SpeedButton9->Hint = "Close";
  SpeedButton9->ShowHint = true;
  SpeedButton9->SetCursor(crHandPoint);
  DrawCloseGlyph(SpeedButton9->Glyph());
  SpeedButton9->OnClick = [this](TObject* s) { SpeedButton9Click(s); };

  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = "sql|*.sql";
  SaveDialog1->DefaultExt = "sql";

  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFBackupDB::FormActivate(TObject*) {
  Edit1->SetText(kBackupPlaceholder);
  Edit1->Font().SetColor(clGray);
}

void TFBackupDB::Edit1Enter(TObject*) { Edit1->SetText(""); }

void TFBackupDB::SpeedButton1Click(TObject*) {
  SaveDialog1->FileName = DefaultBackupFileName(rtl::Date());
  if (SaveDialog1->Execute()) Edit1->SetText(SaveDialog1->FileName);
}

void TFBackupDB::SpeedButton6Click(TObject*) {
  const std::string target = Edit1->Text();
  // The placeholder and an emptied field name no file: a dump into "" would only make
  // the interpreter fail unseen behind a success message.
  bool placeholder = !DirectoryExists(target) && target == kBackupPlaceholder;
  if (placeholder || rtl::Trim(target).empty()) {
    MessageDlg("Direktori Lokasi Backup tidak ditemukan", TMsgDlgType::mtError, mbOK);
    FormActivate(this);
    return;
  }
  // The dump is waited for: only an interpreter that ends well and a file with the dump
  // in it are a backup. A missing tool, a refused login or an unwritable target end the
  // interpreter with an error code or leave the file empty.
  bool done = false;
  try {
    if (!SetEnvironmentVariableW(L"Path", rtl::W(kBackupSearchPath).c_str()))
      throw rtl::Exception("The program search path cannot be set");
    TBusyCursor busy;
    std::optional<unsigned long> code = RunProcess()(Handle(), "cmd.exe", BackupCommandLine(target));
    done = code && *code == 0 && FileHasData(target);
  } catch (...) {
    done = false;
  }
  if (done)
    MessageDlg("Database Berhasil di backup", TMsgDlgType::mtInformation, mbOK);
  else
    MessageDlg("Backup Database Gagal", TMsgDlgType::mtError, mbOK);
  FormActivate(this);
}

void TFBackupDB::SpeedButton9Click(TObject*) { Close(); }

}  // namespace shell
