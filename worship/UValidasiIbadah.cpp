#include "worship/UValidasiIbadah.h"

#include "app/UDM.h"
#include "kit/ChurchHeader.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "registry/LookupProtocol.h"
#include "worship/UIbadahMinggu.h"
#include "worship/UIbadahSektor.h"
#include "worship/rules/Services.h"

namespace worship {

using namespace gui;
using app::DM;

TFValidasiIbadah* FValidasiIbadah = nullptr;

namespace {

TCustomForm* Window(const char* name) {
  return dynamic_cast<TCustomForm*>(Application->FindComponent(name));
}
bool Shown(const char* name) {
  TCustomForm* f = Window(name);
  return f && f->Showing();
}
std::string Nimp(data::TZQuery& q) {
  return q.Active() && !q.IsEmpty() ? q.FieldByName("nimp")->AsString() : std::string();
}

}  // namespace

TFValidasiIbadah::TFValidasiIbadah(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FValidasiIbadah", .caption = "Validasi", .width = 400, .height = 170,
                         .border = TFormBorderStyle::bsDialog});
  Panel1 = kit::Make<TPanel>(this, this, "Panel1", 8, 8, 96, 104);
  Panel1->SetCaption("");
  Image1 = kit::Make<TImage>(this, Panel1, "Image1", 2, 2, 92, 100);
  Image1->SetStretch(true);
  kit::LoadChurchLogo(Image1->Picture());
  Label1 = kit::MakeLabel(this, this, "Label1", 116, 20, "Nama Majelis");
  Label3 = kit::MakeLabel(this, this, "Label3", 200, 20, ":");
  Label5 = kit::MakeLabel(this, this, "Label5", 210, 20, "");
  Label5->Font().SetStyle(fsBold);
  Label2 = kit::MakeLabel(this, this, "Label2", 116, 52, "PIN");
  Label4 = kit::MakeLabel(this, this, "Label4", 200, 52, ":");
  Edit1 = kit::MakeEdit(this, this, "Edit1", 210, 48, 90);
  Edit1->SetMaxLength(5);
  Edit1->SetPasswordChar(L'*');
  Edit1->Font().SetStyle(fsBold);
  Button1 = kit::MakeButton(this, this, "Button1", 210, 84, 80, "OK");
  Button2 = kit::MakeButton(this, this, "Button2", 296, 84, 80, "Cancel");
  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, 146, 400, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  TStatusPanel* panel = StatusBar1->Panels().Add();
  panel->SetWidth(400);
  panel->SetAlignment(TAlignment::taCenter);
  panel->SetText("Silahkan masukkan PIN anda!");

  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  Edit1->OnKeyPress = [this](TObject* s, wchar_t& k) { Edit1KeyPress(s, k); };

  // The council-member lookup hands the member picked for a validation to this dialog;
  // the member stays the lookup's current row, where the check reads the number.
  registry::lookup::SetHook(registry::lookup::kPinHandOver, [this](const registry::lookup::TPickContext& p) {
    Ask(p.rows.FieldByName("pnt_dkn")->AsString(), p.rows.FieldByName("nama_gabung")->AsString());
    ShowModal();
  });
}

TFValidasiIbadah::~TFValidasiIbadah() { registry::lookup::SetHook(registry::lookup::kPinHandOver, nullptr); }

void TFValidasiIbadah::Ask(const std::string& office, const std::string& name) {
  Label5->SetCaption(office + ". " + name);
  Edit1->Clear();
}

void TFValidasiIbadah::AskToUnlock(data::TZQuery& council) {
  const bool found = !council.IsEmpty();
  Ask(found ? council.FieldByName("pnt_dkn")->AsString() : "",
      found ? council.FieldByName("nama_gabung")->AsString() : "");
  ShowModal();
}

void TFValidasiIbadah::Edit1KeyPress(TObject*, wchar_t& key) {
  if (key == 13) Button1->Click();
}

void TFValidasiIbadah::Button2Click(TObject*) { Close(); }

void TFValidasiIbadah::Button1Click(TObject*) {
  using rules::TPinMode;
  const TPinMode mode = rules::PinMode(Shown("FCariIbadahMinggu"), Shown("FCariIbadahSektor"),
                                       Shown("FCariIbadahHariRayaGerejawi"));
  if (mode == TPinMode::None) return;
  const std::string nimp = Nimp(mode == TPinMode::Validator ? *DM->Q4 : *DM->Q1);
  const std::string pin = Edit1->Text();

  // A member without a PIN has none to give: an empty PIN is never right, and the
  // database compares the PIN exactly (case and trailing blanks count).
  bool right = false;
  if (rules::PinGiven(pin) && !nimp.empty()) {
    kit::SetSQL(*DM->Q2, {"select nimp from majelis", "where nimp=:ni and pswd=:ps"});
    DM->Q2->ParamByName("ni")->AsString(nimp);
    DM->Q2->ParamByName("ps")->AsString(pin);
    DM->Q2->Open();
    right = DM->Q2->RecordCount() >= 1;
  }
  if (!right) {
    kit::Refuse("Maaf...PIN anda salah!");
    Edit1->Clear();
    if (Edit1->Showing()) Edit1->SetFocus();
    return;
  }
  Close();

  switch (mode) {
    case TPinMode::Validator: {
      for (const char* name : {"FIbadahMinggu", "FIbadahHariRayaGerejawi"}) {
        auto* service = dynamic_cast<TServiceForm*>(Window(name));
        if (!service || !service->Showing()) continue;
        const rules::TValidator v = rules::ValidatorFor(service->SpeedButton1->Flat(), service->SpeedButton2->Flat());
        if (v == rules::TValidator::P1) service->Edit16->SetText(nimp);
        if (v == rules::TValidator::P5) service->Edit17->SetText(nimp);
        break;
      }
      if (TCustomForm* lookup = Window("FCariNIM")) lookup->Close();
      break;
    }
    case TPinMode::SundayUnlock:
    case TPinMode::FeastUnlock: {
      const bool sunday = mode == TPinMode::SundayUnlock;
      if (auto* service = dynamic_cast<TServiceForm*>(Window(sunday ? "FIbadahMinggu" : "FIbadahHariRayaGerejawi")))
        service->LoadService(*DM->Q3);
      if (TCustomForm* search = Window(sunday ? "FCariIbadahMinggu" : "FCariIbadahHariRayaGerejawi")) search->Close();
      break;
    }
    case TPinMode::SectorUnlock: {
      if (auto* service = dynamic_cast<THostServiceForm*>(Window("FIbadahSektor"))) service->LoadService(*DM->Q3);
      if (TCustomForm* search = Window("FCariIbadahSektor")) search->Close();
      break;
    }
    case TPinMode::None: break;
  }
}

}  // namespace worship
