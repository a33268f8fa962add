#include "shell/UUpdatePswd.h"

#include "kit/FormKit.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "shell/Upantra.h"

namespace shell {

using namespace gui;
using app::DM;

TFUpdatePswd* FUpdatePswd = nullptr;

TFUpdatePswd::TFUpdatePswd(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FUpdatePswd",
                         .caption = "Update Password",
                         .width = 400,
                         .height = 170,
                         .border = TFormBorderStyle::bsDialog});

  auto label = [this](const char* name, const char* caption, int x, int y) {
    return kit::MakeLabel(this, this, name, x, y, caption);
  };
  Label1 = label("Label1", "Username", 16, 20);
  Edit1 = new TEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(100, 16, 180, 24);
  Edit1->SetReadOnly(true);
  Edit1->SetColor(clBtnFace);
  Label2 = label("Label2", "Password", 16, 52);
  Edit2 = new TEdit(this);
  Edit2->SetName("Edit2");
  Edit2->SetParent(this);
  Edit2->SetBounds(100, 48, 180, 24);
  Edit2->SetPasswordChar(L'*');
  Label3 = label("Label3", "(Max.8 Karakter)", 288, 52);
  CheckBox1 = new TCheckBox(this);
  CheckBox1->SetName("CheckBox1");
  CheckBox1->SetParent(this);
  CheckBox1->SetBounds(100, 80, 180, 20);
  CheckBox1->SetCaption("Show Password");

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(100, 120, 90, 30);
  Button1->SetCaption("Update");
  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(this);
  Button2->SetBounds(198, 120, 90, 30);
  Button2->SetCaption("Close");

  CheckBox1->OnClick = [this](TObject* s) { CheckBox1Click(s); };
  Edit2->OnKeyPress = [this](TObject* s, wchar_t& k) { Edit2KeyPress(s, k); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  kit::LimitLength(*Edit2, "user", "pswd");  // nothing longer than its column can be typed
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFUpdatePswd::FormActivate(TObject*) {
  Edit1->SetText(CurrentUserName());
  Edit2->SetText(DefaultPassword);
  if (Showing()) Edit2->SetFocus();
  SetActiveControl(Edit2);
  Edit2->SelectAll();
  Edit2->SetPasswordChar(L'*');
  CheckBox1->SetChecked(false);
}

void TFUpdatePswd::CheckBox1Click(TObject*) { Edit2->SetPasswordChar(CheckBox1->Checked() ? L'\0' : L'*'); }

void TFUpdatePswd::Edit2KeyPress(TObject*, wchar_t& key) {
  if (key == 13) Button1->Click();
}

void TFUpdatePswd::Button1Click(TObject*) {
  // An empty password would open the account to anyone who knows its name.
  if (Edit2->Text().empty()) {
    kit::Refuse("Maaf...Password belum diisi!");
    return;
  }
  auto* q = DM->Q1;
  // The account may have been deleted while its user was logged in: say so instead of
  // reporting a change that did not happen.
  kit::SetSQL(*q, {"select * from user", "where username=:un"});
  q->ParamByName("un")->AsString(Edit1->Text());
  q->Open();
  if (q->RecordCount() == 0) {
    kit::Refuse("Maaf...Username tidak terdaftar!");
    return;
  }
  kit::SetSQL(*q, {"update user set pswd=:ps", "where username=:un"});
  q->ParamByName("un")->AsString(Edit1->Text());
  q->ParamByName("ps")->AsString(Edit2->Text());
  q->ExecSQL();
  kit::Inform("Password berhasil di-ubah");
  Close();
}

void TFUpdatePswd::Button2Click(TObject*) { Close(); }

}  // namespace shell
