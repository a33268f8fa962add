#include "skin/forms/sSkinPreview.h"

#include "gui/Forms.h"
#include "skin/core/sSkinManager.h"

namespace skin {

bool PreviewMode = false;
HWND PreviewWindow = nullptr;

void InitPreviewMode(const std::vector<std::string>& params) {
  PreviewMode = !params.empty() && params[0] == "/acpreview";
}

bool NotifySkinEditor(HWND wnd) {
  if (!PreviewMode || PreviewWindow) return false;
  if (gui::Application && gui::Application->MainForm()) {
    gui::TCustomForm* main = gui::Application->MainForm();
    if (!main->HandleAllocated() || main->Handle() != wnd) return false;
  }
  PreviewWindow = wnd;
  PreviewMode = false;
  for (int i = 0; i < kEditorAnnouncements; ++i) {
    HWND editor = FindWindowW(nullptr, L"Skin Editor");
    if (!editor) return false;
    DWORD_PTR answer = 0;
    // A hung or slow editor must not hold this program's window: it is given up.
    if (!SendMessageTimeoutW(editor, kPreviewMessage, 3, LPARAM(wnd), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kEditorAnswerTimeoutMs, &answer))
      return false;
    if (answer == 1) return true;
  }
  return false;
}

bool AnswerEditorRequest(HWND wnd, WPARAM request, LRESULT& result) {
  if (!wnd || wnd != PreviewWindow) return false;
  switch (request) {
    case 1:
      PostMessageW(wnd, WM_CLOSE, 0, 0);
      result = 0;
      return true;
    case 4:
      result = 1;
      return true;
    default:
      return false;
  }
}

bool ReceiveEditorBlock(HWND wnd, WPARAM id, LPARAM data) {
  static bool busy = false;
  if (!wnd || wnd != PreviewWindow || busy || !data) return false;
  TsSkinManager* m = DefaultManager();
  if (!m) return false;
  busy = true;
  const bool taken = m->ReceiveLivePreview(id, reinterpret_cast<const COPYDATASTRUCT*>(data));
  busy = false;
  return taken;
}

}  // namespace skin
