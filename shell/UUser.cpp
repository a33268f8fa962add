#include "shell/UUser.h"

#include "kit/FormKit.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"

namespace shell {

using namespace gui;
using app::DM;

TFUser* FUser = nullptr;

namespace {

// The categories in the order of their ids "10" to "90".
const char* const kCategories[] = {"Admin", "Kepala Kantor", "Pegawai", "Keuangan", "KMJ", "PJ", "PHMJ", "Majelis", "BPPJ"};

void ListUsers(data::TZQuery& q) {
  kit::SetSQL(q, {"select u.*,k.nm_kategori from user u,kategori_user k", "where u.id_kategori=k.id_kategori"});
}

}  // namespace

TFUser::TFUser(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this,
                 {.name = "FUser", .caption = "Tools >> Pengguna >> Administrasi User", .width = 640, .height = 470});

  auto label = [this](const char* name, const char* caption, int x, int y) {
    return kit::MakeLabel(this, this, name, x, y, caption);
  };
  auto edit = [this](const char* name, int x, int y, int w) { return kit::MakeEdit(this, this, name, x, y, w); };
  auto button = [this](const char* name, const char* caption, int x, int y) {
    return kit::MakeButton(this, this, name, x, y, 90, caption);
  };

  Label1 = label("Label1", "Nama Lengkap", 16, 20);
  Edit1 = edit("Edit1", 130, 16, 300);
  Edit1->SetCharCase(TEditCharCase::ecUpperCase);
  Label2 = label("Label2", "Username", 16, 52);
  Edit2 = edit("Edit2", 130, 48, 200);
  Label3 = label("Label3", "Password", 16, 84);
  Edit3 = edit("Edit3", 130, 80, 200);
  Edit3->SetPasswordChar(L'*');
  Label4 = label("Label4", "(Max.8 Karakter)", 340, 84);
  Label5 = label("Label5", "Kategori", 16, 116);
  ComboBox1 = new TComboBox(this);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetParent(this);
  ComboBox1->SetStyle(TComboBoxStyle::csDropDownList);
  ComboBox1->SetBounds(130, 112, 200, 24);
  for (const char* c : kCategories) ComboBox1->Items().Add(c);
  ComboBox1->DropDownCount = 9;
  Label6 = label("Label6", "Active", 16, 148);
  RadioButton1 = new TRadioButton(this);
  RadioButton1->SetName("RadioButton1");
  RadioButton1->SetParent(this);
  RadioButton1->SetBounds(130, 146, 70, 20);
  RadioButton1->SetCaption("Tidak");
  RadioButton2 = new TRadioButton(this);
  RadioButton2->SetName("RadioButton2");
  RadioButton2->SetParent(this);
  RadioButton2->SetBounds(210, 146, 70, 20);
  RadioButton2->SetCaption("Ya");

  Button1 = button("Button1", "Simpan", 16, 184);
  Button2 = button("Button2", "Hapus", 114, 184);
  Button5 = button("Button5", "Reset", 212, 184);
  Button3 = button("Button3", "Close", 310, 184);

  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName("GroupBox1");
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(440, 100, 184, 114);
  GroupBox1->SetCaption(" Cari ");
  Label7 = new TLabel(this);
  Label7->SetName("Label7");
  Label7->SetParent(GroupBox1);
  Label7->SetBounds(12, 24, 0, 0);
  Label7->SetCaption("Nama");
  Edit4 = new TEdit(this);
  Edit4->SetName("Edit4");
  Edit4->SetParent(GroupBox1);
  Edit4->SetBounds(12, 42, 160, 24);
  Button4 = new TButton(this);
  Button4->SetName("Button4");
  Button4->SetParent(GroupBox1);
  Button4->SetBounds(12, 74, 90, 30);
  Button4->SetCaption("Cari");

  DBGrid1 = new TDBGrid(this);
  DBGrid1->SetName("DBGrid1");
  DBGrid1->SetParent(this);
  DBGrid1->SetBounds(16, 230, 608, 224);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("nm_kategori", "Kategori", 200);
  DBGrid1->Columns().Add("username", "Username", 250);
  DBGrid1->Columns().Add("active", "Active", 80);
  if (DM) DBGrid1->SetDataSource(DM->DS_QUser);

  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  Button3->OnClick = [this](TObject* s) { Button3Click(s); };
  Button4->OnClick = [this](TObject* s) { Button4Click(s); };
  Button5->OnClick = [this](TObject* s) { Button5Click(s); };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
  // Nothing longer than its column can be typed.
  kit::LimitLength(*Edit1, "user", "nama");
  kit::LimitLength(*Edit2, "user", "username");
  kit::LimitLength(*Edit3, "user", "pswd");
  kit::LimitLength(*Edit4, "user", "nama");
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFUser::FormActivate(TObject*) {
  if (!DBGrid1->DataSource()) DBGrid1->SetDataSource(DM->DS_QUser);
  Edit1->SetText("");
  Edit2->SetText("");
  Edit3->SetText("");
  Edit4->SetText("");
  ComboBox1->SetItemIndex(0);
  RadioButton1->SetChecked(true);
  RadioButton2->SetChecked(false);
  if (Showing()) Edit1->SetFocus();
  SetActiveControl(Edit1);
  auto* q = DM->QUser;
  ListUsers(*q);
  q->Open();
}

void TFUser::Button1Click(TObject*) {
  // The account's key and its password may not be empty: a blank account would let
  // anyone in with empty fields.
  if (Edit2->Text().empty()) {
    kit::Refuse("Maaf...Username belum diisi!");
    return;
  }
  if (Edit3->Text().empty()) {
    kit::Refuse("Maaf...Password belum diisi!");
    return;
  }
  auto* q = DM->QUser;
  kit::SetSQL(*q, {"select * from kategori_user", "where nm_kategori=:nk"});
  q->ParamByName("nk")->AsString(ComboBox1->Text());
  q->Open();
  std::string category = q->FieldByName("id_kategori")->AsString();

  kit::SetSQL(*q, {"select * from user", "where username=:un"});
  q->ParamByName("un")->AsString(Edit2->Text());
  q->Open();
  bool exists = q->RecordCount() > 0;

  if (!exists)
    kit::SetSQL(*q, {"insert into user(nama,username,pswd,id_kategori,active)values(:na,:un,:ps,:ik,:ac)"});
  else
    kit::SetSQL(*q, {"update user set nama=:na,pswd=:ps,id_kategori=:ik,active=:ac", "where username=:un"});
  q->ParamByName("un")->AsString(Edit2->Text());
  q->ParamByName("na")->AsString(Edit1->Text());
  q->ParamByName("ps")->AsString(Edit3->Text());
  q->ParamByName("ik")->AsString(category);
  // "Tidak" stores "T", which also releases an account left marked as logged in.
  if (RadioButton1->Checked())
    q->ParamByName("ac")->AsString("T");
  else if (RadioButton2->Checked())
    q->ParamByName("ac")->AsString("Y");
  q->ExecSQL();
  kit::Inform(exists ? "Data User telah berhasil di-update" : "Data User telah berhasil di-input");
  FormActivate(this);
}

void TFUser::DBGrid1DblClick(TObject*) {
  auto* q = DM->QUser;
  Edit1->SetText(q->FieldByName("nama")->AsString());
  Edit2->SetText(q->FieldByName("username")->AsString());
  Edit3->SetText(q->FieldByName("pswd")->AsString());
  std::string id = q->FieldByName("id_kategori")->AsString();
  for (int i = 0; i < 9; ++i)
    if (id == std::to_string((i + 1) * 10)) ComboBox1->SetItemIndex(i);
  std::string active = q->FieldByName("active")->AsString();
  if (active == "T")
    RadioButton1->SetChecked(true);
  else if (active == "Y")
    RadioButton2->SetChecked(true);
}

void TFUser::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin mau hapus record ini?")) return;
  std::string username = DM->QUser->FieldByName("username")->AsString();
  auto* q = DM->Q1;
  kit::SetSQL(*q, {"delete from user", "where username=:un"});
  q->ParamByName("un")->AsString(username);
  q->ExecSQL();
  DM->QUser->Refresh();
}

void TFUser::Button4Click(TObject*) {
  auto* q = DM->QUser;
  ListUsers(*q);
  q->SQL.Add("and u.nama like :na");
  q->ParamByName("na")->AsString("%" + Edit4->Text() + "%");
  q->Open();
}

void TFUser::Button5Click(TObject*) { FormActivate(this); }

void TFUser::Button3Click(TObject*) { Close(); }

}  // namespace shell
