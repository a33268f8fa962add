// The exchange with the outside skin editor (its main window titled "Skin Editor"): a
// program started with "/acpreview" announces its main form's window to the editor, answers
// its requests on message 0xA400 and takes the skin being edited from its WM_COPYDATA
// block. The editor is another program: it is asked with short timeouts, and its block is
// read only when it is whole.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace skin {

inline constexpr UINT kPreviewMessage = 0xA400;
// How long one announcement waits for the editor's answer.
inline constexpr UINT kEditorAnswerTimeoutMs = 200;
inline constexpr int kEditorAnnouncements = 101;

// Set by a provider made while the first command-line parameter is exactly "/acpreview";
// cleared once a window has been announced.
extern bool PreviewMode;
// The window announced to the editor; only its messages of the exchange are taken.
extern HWND PreviewWindow;

void InitPreviewMode(const std::vector<std::string>& params);
// Announces Wnd (the main form's, or the first form's before there is a main form) to the
// editor; True when an editor accepted it. An editor that does not answer in time is given
// up, and one that never accepts hears of it at most 101 times.
bool NotifySkinEditor(HWND wnd);
// The editor's requests to the announced window: 1 closes it, 4 answers 1; anything else is
// the window's own (False).
bool AnswerEditorRequest(HWND wnd, WPARAM request, LRESULT& result);
// A WM_COPYDATA block on the announced window given to the default manager: True when it
// was the editor's block, whole or not.
bool ReceiveEditorBlock(HWND wnd, WPARAM id, LPARAM data);

}  // namespace skin
