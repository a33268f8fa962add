// The database backup window: the user picks a target file and the local mysqldump
// writes the church database into it through a hidden command interpreter, waited for.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "gui/Buttons.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"

namespace shell {

using rtl::TObject;

// The backup always dumps the local server's "selvaran" database as "root" without a
// password, whatever the login window connected to; mysqldump is found through this
// search path, which replaces the process's whole Path.
inline constexpr const char* kBackupSearchPath = "C:\\xampp\\mysql\\bin";
inline constexpr const char* kBackupPlaceholder = "Lokasi Backup";

// The interpreter's parameters for a dump into target. The target is quoted so that a
// file name with blanks reaches the redirection whole.
std::string BackupCommandLine(const std::string& target);
// "BackupKorvan" and the day as ddmmyy; the save dialog adds the extension.
std::string DefaultBackupFileName(rtl::TDateTime day);

// Runs file with parameters through the Windows shell, hidden, owned by owner, and waits
// for it to end: its exit code, or nothing when it could not be started.
std::optional<unsigned long> ShellRunHidden(HWND owner, const std::string& file, const std::string& parameters);
// True when path names a file holding at least one byte.
bool FileHasData(const std::string& path);
// How the backup runs its interpreter; tests put their own function here and an empty
// one puts ShellRunHidden back.
using TRunProcess =
    std::function<std::optional<unsigned long>(HWND owner, const std::string& file, const std::string& parameters)>;
void SetBackupRunProcess(TRunProcess run);

class TFBackupDB : public gui::TForm {
  KORVAN_CLASS(TFBackupDB)
 public:
  explicit TFBackupDB(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TLabel* Label1;
  gui::TEdit* Edit1;
  gui::TSpeedButton* SpeedButton1;
  gui::TSpeedButton* SpeedButton6;
  gui::TSpeedButton* SpeedButton9;
  gui::TSaveDialog* SaveDialog1;

  void FormActivate(TObject* sender);
  void Edit1Enter(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void SpeedButton9Click(TObject* sender);
};

extern TFBackupDB* FBackupDB;

}  // namespace shell
