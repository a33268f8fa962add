// Message boxes. Every box of the program goes through one replaceable service, so tests
// read the text and choose the answer; the default service draws the box itself, so its
// captions and buttons do not depend on the system's language.
#pragma once
#include <string>

namespace gui {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = unsigned;

struct TMessageRequest {
  std::string Caption;
  std::string Text;
  TMsgDlgType Type = TMsgDlgType::mtCustom;
  TMsgDlgButtons Buttons = mbOK;
  // The box's top-left corner on the screen; -1 for both centres it.
  int Left = -1, Top = -1;
};

class IDialogService {
 public:
  virtual ~IDialogService() = default;
  // Shows the box modally and returns the button chosen (mrOk, mrYes, mrNo, mrCancel).
  virtual int ShowMessageBox(const TMessageRequest& request) = 0;
};

// The service in use; nullptr puts the program's own boxes back.
void SetDialogService(IDialogService* service);
IDialogService& DialogService();

// Captioned "Warning", "Error", "Information" or "Confirm"; mtCustom boxes carry the
// application title.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
// A plain box with the application title and OK.
void ShowMessage(const std::string& text);
// The default exception box: application title, error icon, OK.
void ShowExceptionBox(const std::string& message);

// The exception box's text: a full stop is appended unless the message is empty or
// already ends in "." or in a character that sorts before it (such as "!" or ")").
std::string ExceptionBoxText(const std::string& message);

const char* MsgDlgCaption(TMsgDlgType type);

}  // namespace gui
