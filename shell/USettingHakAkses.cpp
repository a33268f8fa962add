#include "shell/USettingHakAkses.h"

#include "kit/FormKit.h"
#include "kit/Records.h"
#include "app/UDM.h"

namespace shell {

using namespace gui;
using app::DM;

TFSettingHakAkses* FSettingHakAkses = nullptr;

namespace {

const char* const kRights[] = {"Master",  "Warga Jemaat", "Majelis", "Attestasi Pindah", "Peminjaman Barang", "Pembayaran MPAG",
                               "Ibadah",  "Pendaftaran",  "E-Vote",  "Report",           "Tools"};

}  // namespace

TFSettingHakAkses::TFSettingHakAkses(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FSettingHakAkses",
                         .caption = "Tools >> Pengguna >> Setting Hak Akses",
                         .width = 560,
                         .height = 420,
                         .border = TFormBorderStyle::bsSizeable,
                         .icons = biSystemMenu | biMinimize | biMaximize});

  auto label = [this](const char* name, const char* caption, int x, int y) {
    return kit::MakeLabel(this, this, name, x, y, caption);
  };
  auto combo = [this](const char* name, int x, int y) {
    auto* c = kit::Make<TComboBox>(this, this, name, x, y, 240, 24);
    c->SetStyle(TComboBoxStyle::csDropDownList);
    return c;
  };
  auto button = [this](const char* name, const char* caption, int x, int y) {
    return kit::MakeButton(this, this, name, x, y, 90, caption);
  };

  Label1 = label("Label1", "Kategori", 16, 20);
  ComboBox1 = combo("ComboBox1", 100, 16);
  ComboBox1->DropDownCount = 12;
  Label2 = label("Label2", "Menu", 16, 52);
  ComboBox2 = combo("ComboBox2", 100, 48);
  for (const char* r : kRights) ComboBox2->Items().Add(r);
  ComboBox2->DropDownCount = 11;

  Button1 = button("Button1", "Simpan", 16, 88);
  Button2 = button("Button2", "Hapus", 114, 88);
  Button3 = button("Button3", "Reset", 212, 88);
  Button4 = button("Button4", "Close", 310, 88);

  DBGrid1 = new TDBGrid(this);
  DBGrid1->SetName("DBGrid1");
  DBGrid1->SetParent(this);
  DBGrid1->SetBounds(16, 132, 528, 272);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("id_kategori", "ID.Kategori", 90);
  DBGrid1->Columns().Add("nm_kategori", "Kategori", 180);
  DBGrid1->Columns().Add("menu", "Menu", 220);
  if (DM) DBGrid1->SetDataSource(DM->DS_Q3);

  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  Button3->OnClick = [this](TObject* s) { Button3Click(s); };
  Button4->OnClick = [this](TObject* s) { Button4Click(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFSettingHakAkses::FormActivate(TObject*) {
  if (!DBGrid1->DataSource()) DBGrid1->SetDataSource(DM->DS_Q3);
  auto* q = DM->Q1;
  kit::SetSQL(*q, {"select * from kategori_user", "order by id_kategori"});
  q->Open();
  if (q->RecordCount() > 0) {
    ComboBox1->Clear();
    for (q->First(); !q->Eof(); q->Next())
      ComboBox1->Items().Add(q->FieldByName("id_kategori")->AsString() + " " + q->FieldByName("nm_kategori")->AsString());
  }
  ComboBox1->SetItemIndex(0);
  ComboBox2->SetItemIndex(0);
  auto* g = DM->Q3;
  kit::SetSQL(*g, {"select h.*,k.nm_kategori from hak_akses h,kategori_user k", "where h.id_kategori=k.id_kategori",
                   "order by h.id_kategori"});
  g->Open();
}

void TFSettingHakAkses::Button1Click(TObject*) {
  std::string category = ComboBox1->Text().substr(0, 2);
  std::string right = ComboBox2->Text();
  auto* q = DM->Q2;
  kit::SetSQL(*q, {"select h.*,k.nm_kategori from hak_akses h,kategori_user k", "where h.id_kategori=k.id_kategori",
                   "and h.id_kategori=:ik and h.menu=:me", "order by h.id_kategori"});
  q->ParamByName("ik")->AsString(category);
  q->ParamByName("me")->AsString(right);
  q->Open();
  if (q->RecordCount() == 0) {
    kit::SetSQL(*q, {"insert into hak_akses(id_kategori,menu)values(:ik,:me)"});
    q->ParamByName("ik")->AsString(category);
    q->ParamByName("me")->AsString(right);
    q->ExecSQL();
    kit::Inform("Menu sesuai Kategori yang dipilih berhasil di-input");
  } else {
    kit::Refuse("Maaf...Menu sesuai Kategori tersebut sudah pernah di-input");
  }
  FormActivate(this);
}

void TFSettingHakAkses::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah mau hapus record ini?")) return;
  auto* g = DM->Q3;
  std::string category = g->FieldByName("id_kategori")->AsString();
  std::string right = g->FieldByName("menu")->AsString();
  auto* q = DM->Q1;
  kit::SetSQL(*q, {"delete from hak_akses", "where id_kategori=:ik and menu=:me"});
  q->ParamByName("ik")->AsString(category);
  q->ParamByName("me")->AsString(right);
  q->ExecSQL();
  FormActivate(this);
}

void TFSettingHakAkses::Button3Click(TObject*) { FormActivate(this); }

void TFSettingHakAkses::Button4Click(TObject*) { Close(); }

}  // namespace shell
