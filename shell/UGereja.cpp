#include "shell/UGereja.h"

#include "kit/FormKit.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "shell/Upantra.h"

namespace shell {

using namespace gui;
using app::DM;

TFGereja* FGereja = nullptr;

TFGereja::TFGereja(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FGereja",
                         .caption = "Setup Gereja",
                         .width = 480,
                         .height = 150,
                         .border = TFormBorderStyle::bsDialog});

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetBounds(16, 20, 0, 0);
  Label1->SetCaption("Nama Gereja");
  Edit1 = new TEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(110, 16, 354, 24);
  Edit1->SetCharCase(TEditCharCase::ecUpperCase);
  Label2 = new TLabel(this);
  Label2->SetName("Label2");
  Label2->SetParent(this);
  Label2->SetBounds(16, 52, 0, 0);
  Label2->SetCaption("Alamat");
  Edit2 = new TEdit(this);
  Edit2->SetName("Edit2");
  Edit2->SetParent(this);
  Edit2->SetBounds(110, 48, 354, 24);
  // Nothing longer than its column can be typed.
  kit::LimitLength(*Edit1, "gereja", "nama_gereja");
  kit::LimitLength(*Edit2, "gereja", "alamat");

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(276, 100, 90, 30);
  Button1->SetCaption("Setup");
  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(this);
  Button2->SetBounds(374, 100, 90, 30);
  Button2->SetCaption("Close");

  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFGereja::FormActivate(TObject*) {
  auto* q = DM->Q1;
  kit::SetSQL(*q, {"select * from gereja"});
  q->Open();
  if (q->RecordCount() == 0) {
    Edit1->SetText("");
    Edit2->SetText("");
    if (Showing()) Edit1->SetFocus();
    SetActiveControl(Edit1);
    if (FMenu) FMenu->Label11->SetCaption("");
    return;
  }
  Edit1->SetText(q->FieldByName("nama_gereja")->AsString());
  Edit2->SetText(q->FieldByName("alamat")->AsString());
  if (Showing()) Edit1->SetFocus();
  SetActiveControl(Edit1);
  Edit1->SelectAll();
  // The main window shows the church at once, without waiting for its own activation.
  if (FMenu) FMenu->Label11->SetCaption(Edit1->Text());
}

void TFGereja::Button1Click(TObject*) {
  auto* q = DM->Q1;
  kit::SetSQL(*q, {"select * from gereja"});
  q->Open();
  bool exists = q->RecordCount() > 0;
  if (!exists)
    kit::SetSQL(*q, {"insert into gereja(nama_gereja,alamat)values(:ng,:al)"});
  else
    kit::SetSQL(*q, {"update gereja set nama_gereja=:ng,alamat=:al"});
  q->ParamByName("ng")->AsString(Edit1->Text());
  q->ParamByName("al")->AsString(Edit2->Text());
  q->ExecSQL();
  kit::Inform(exists ? "Data Gereja sudah berhasil di-update" : "Data Gereja sudah berhasil di-input");
  FormActivate(this);
}

void TFGereja::Button2Click(TObject*) { Close(); }

}  // namespace shell
