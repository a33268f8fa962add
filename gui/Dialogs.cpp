#include "gui/Dialogs.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/Utf.h"

namespace gui {

namespace {

// The program's own message box: an icon, the text and the buttons, centred.
class TMessageForm : public TForm {
  KORVAN_CLASS(TMessageForm)
 public:
  TMessageForm(const TMessageRequest& r) : TForm(nullptr) {
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poScreenCenter;
    SetCaption(r.Caption);
    SetName("MessageForm");
    font_.SetName("Tahoma");
    font_.SetHeight(-11);
    icon_ = IconFor(r.Type);

    // Measure the text to size the box.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    RECT tr{0, 0, 420, 0};
    std::wstring w = rtl::W(r.Text);
    DrawTextW(dc, w.c_str(), -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);

    const int margin = 12, iconSize = icon_ ? 32 : 0, gap = icon_ ? 12 : 0;
    int textLeft = margin + iconSize + gap;
    int textH = std::max<int>(tr.bottom, iconSize);
    std::vector<std::pair<TMsgDlgBtn, int>> buttons;
    static const std::pair<TMsgDlgBtn, int> order[] = {
        {mbYes, mrYes}, {mbNo, mrNo}, {mbOK, mrOk}, {mbCancel, mrCancel}};
    for (auto& b : order)
      if (r.Buttons & b.first) buttons.push_back(b);
    if (buttons.empty()) buttons.push_back({mbOK, mrOk});
    const int bw = 75, bh = 25, bgap = 8;
    int buttonsW = static_cast<int>(buttons.size()) * bw + (static_cast<int>(buttons.size()) - 1) * bgap;
    int clientW = std::max(textLeft + static_cast<int>(tr.right) + margin, buttonsW + 2 * margin);
    int clientH = margin + textH + margin + bh + margin;
    SetClientSize(clientW, clientH);
    if (r.Left != -1 || r.Top != -1) {
      Position = TPosition::poDesigned;
      SetBounds(std::max(0, r.Left), std::max(0, r.Top), Width(), Height());
    }

    auto* message = new TLabel(this);
    message->SetName("Message");
    message->WordWrap = true;
    message->SetParent(this);
    message->SetBounds(textLeft, margin + (textH - tr.bottom) / 2, tr.right, tr.bottom);
    message->SetCaption(r.Text);

    // Escape answers as the system's boxes do: Cancel, else No, else the only button.
    TMsgDlgBtn escape = (r.Buttons & mbCancel) ? mbCancel
                        : (r.Buttons & mbNo)   ? mbNo
                        : buttons.size() == 1  ? buttons[0].first
                                               : TMsgDlgBtn{};
    int x = (clientW - buttonsW) / 2;
    bool first = true;
    for (auto& [flag, result] : buttons) {
      auto* b = new TButton(this);
      b->SetName(ButtonName(flag));
      b->SetParent(this);
      b->SetCaption(ButtonCaption(flag));
      b->SetBounds(x, clientH - margin - bh, bw, bh);
      b->ModalResult = result;
      b->TabStop = true;
      b->Cancel = flag == escape;
      if (first) {
        b->Default = true;
        SetActiveControl(b);
        first = false;
      }
      x += bw + bgap;
    }
  }
  ~TMessageForm() override { DestroyComponents(); }

 protected:
  void PaintWindow(HDC dc) override {
    TForm::PaintWindow(dc);
    if (icon_) DrawIconEx(dc, 12, 12, icon_, 32, 32, 0, nullptr, DI_NORMAL);
  }

 private:
  static HICON IconFor(TMsgDlgType t) {
    LPCWSTR id = nullptr;
    switch (t) {
      case TMsgDlgType::mtWarning: id = reinterpret_cast<LPCWSTR>(IDI_WARNING); break;
      case TMsgDlgType::mtError: id = reinterpret_cast<LPCWSTR>(IDI_ERROR); break;
      case TMsgDlgType::mtInformation: id = reinterpret_cast<LPCWSTR>(IDI_INFORMATION); break;
      case TMsgDlgType::mtConfirmation: id = reinterpret_cast<LPCWSTR>(IDI_QUESTION); break;
      case TMsgDlgType::mtCustom: return nullptr;
    }
    return LoadIconW(nullptr, id);
  }
  static const char* ButtonCaption(TMsgDlgBtn b) {
    switch (b) {
      case mbYes: return "&Yes";
      case mbNo: return "&No";
      case mbCancel: return "Cancel";
      default: return "OK";
    }
  }
  static const char* ButtonName(TMsgDlgBtn b) {
    switch (b) {
      case mbYes: return "Yes";
      case mbNo: return "No";
      case mbCancel: return "Cancel";
      default: return "OK";
    }
  }
  HICON icon_ = nullptr;
};

class TDefaultDialogService : public IDialogService {
 public:
  int ShowMessageBox(const TMessageRequest& r) override {
    TMessageForm f(r);
    return f.ShowModal();
  }
};

IDialogService* g_service = nullptr;

}  // namespace

void SetDialogService(IDialogService* service) { g_service = service; }

IDialogService& DialogService() {
  static TDefaultDialogService def;
  return g_service ? *g_service : def;
}

const char* MsgDlgCaption(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return "Warning";
    case TMsgDlgType::mtError: return "Error";
    case TMsgDlgType::mtInformation: return "Information";
    case TMsgDlgType::mtConfirmation: return "Confirm";
    case TMsgDlgType::mtCustom: break;
  }
  return "";
}

static std::string AppTitle() { return Application ? Application->Title() : std::string(); }

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  TMessageRequest r;
  r.Caption = type == TMsgDlgType::mtCustom ? AppTitle() : MsgDlgCaption(type);
  r.Text = text;
  r.Type = type;
  r.Buttons = buttons;
  return DialogService().ShowMessageBox(r);
}

void ShowMessage(const std::string& text) {
  TMessageRequest r;
  r.Caption = AppTitle();
  r.Text = text;
  r.Type = TMsgDlgType::mtCustom;
  r.Buttons = mbOK;
  DialogService().ShowMessageBox(r);
}

std::string ExceptionBoxText(const std::string& message) {
  if (message.empty()) return message;
  unsigned char last = static_cast<unsigned char>(message.back());
  if (last <= '.') return message;
  return message + ".";
}

void ShowExceptionBox(const std::string& message) {
  TMessageRequest r;
  r.Caption = AppTitle();
  r.Text = ExceptionBoxText(message);
  r.Type = TMsgDlgType::mtError;
  r.Buttons = mbOK;
  DialogService().ShowMessageBox(r);
}

}  // namespace gui
