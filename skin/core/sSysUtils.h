// The engine's utilities over Win32: waits that keep the program responsive, the
// engine's message box, version tests, DPI-aware system parameters, files and icons,
// the pipette cursor and the optional system functions looked up at start-up.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/Icons.h"
#include "gui/Messages.h"
#include "skin/core/sCommonUtils.h"

namespace gui {
class TControl;
}

namespace skin {

// ---------------------------------------------------------------- waits
// Handles the program's messages (and work that threads hand to the GUI thread) until
// at least milliseconds have passed. Measured on the 64-bit tick count.
void WaitWithMessages(uint32_t milliseconds);
// Gives up the time slice until the tick count reaches start + interval; start is a
// value of GetTickCount64.
void WaitUntilTick(uint64_t start, uint32_t interval);

// ---------------------------------------------------------------- message box
// Where a box that is moved by the native-dialog hook goes; -1 leaves it where the
// system puts it.
extern int DialogPosX, DialogPosY;
// The modal box: the kind's icon and default caption, buttons by first match; answers
// IDOK, IDCANCEL, IDYES, ...
int MessageBoxEx(const std::string& caption, const std::string& text, int kind, unsigned buttons,
                 unsigned helpContext, int x, int y);
int ShowMessageDlg(const std::string& text, int kind, unsigned buttons, unsigned helpContext);
void ShowWarningMessage(const std::string& text);
void ShowErrorMessage(const std::string& text);

// ---------------------------------------------------------------- versions and system
bool IsWinXPOrLater();
bool IsWin81OrLater();
bool SystemParamsForDpi(UINT action, UINT param, void* pparam, UINT dpi);
// The caption font's character height, at least 11 pixels (as a negative lfHeight); 0
// when the metrics cannot be read.
int GetCaptionFontHeight(UINT dpi);
HFONT CreateCaptionFont(UINT dpi);
bool MinimizeAnimationOn();
void SetMinimizeAnimation(bool on);
bool IsDebuggerAttached();
bool RunningUnderWow64();

// ---------------------------------------------------------------- files and icons
// A directory test that never brings up the system's critical-error boxes.
bool DirExistsQuiet(const std::string& path);
// The program file's folder with its final "\".
std::string ExeFolder();
// The shell's icon of an existing file; nullptr when there is none.
std::unique_ptr<gui::TIcon> GetFileIcon(const std::string& fileName, bool small);

// File attributes a search may include.
inline constexpr int faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faVolumeID = 0x08, faDirectory = 0x10,
                     faArchive = 0x20, faAnyFile = 0x3F;
// One found file of a search.
struct TSearchRec {
  std::string Name;
  int64_t Size = 0;
  int Attr = 0;
  FILETIME LastWrite{};
  // The search: the attributes a file must not have, and the system's search handle.
  int ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
};
// Files matching a path with wildcards. Plain files are always found; hidden, system and
// directory entries only when attr includes their bit. Answers 0 for a file found, else
// the system's error code (ERROR_NO_MORE_FILES at the end); a search that answered 0
// is ended with SkinFindClose.
int SkinFindFirst(const std::string& path, int attr, TSearchRec& f);
int SkinFindNext(TSearchRec& f);
void SkinFindClose(TSearchRec& f);

// A message record with its fields given.
inline gui::TMessage BuildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result = 0) {
  return {msg, wParam, lParam, result};
}

// ---------------------------------------------------------------- form adapters
void AttachAdapterToForm(gui::TControl* adapter, gui::TControl* form);
void DetachAdapterFromForm(gui::TControl* control, gui::TControl* form);

// ---------------------------------------------------------------- start-up state
inline constexpr int crPipette = -50;
// The screen cursor -50, loaded from the program's cursor "CRASPIPETTE".
HCURSOR PipetteCursor();
// 18 custom colours of the colour dialogs, as hexadecimal text.
std::vector<std::string>& CustomColors();

// Step 4: the pipette cursor as screen cursor -50 and the custom colours.
void InitPipetteUnit();
void DonePipetteUnit();
// Step 19: the optional system functions.
void InitUtilitiesUnit();
void DoneUtilitiesUnit();

}  // namespace skin
