#include "registry/UDetailJemaat.h"

#include <tuple>

#include "kit/Photo.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/QRJemaat.h"
#include "registry/UPenambahanJemaat.h"
#include "registry/rules/Records.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFDetailJemaat* FDetailJemaat = nullptr;

TFDetailJemaat::TFDetailJemaat(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FDetailJemaat", .caption = "File >> Warga Jemaat >> Detail", .width = 760, .height = 560});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, 560, 190, " Kepala Keluarga ");
  const int lx = 12, ex = 200;
  MakeLabel(this, GroupBox1, "Label1", lx, 28, "Nomor Induk Keluarga (NIK)");
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", ex, 24, 140, false, true);
  MakeLabel(this, GroupBox1, "Label2", lx, 54, "Nama Kepala Keluarga (KK)");
  Edit2 = MakeEdit(this, GroupBox1, "Edit2", ex, 50, 340, false, true);
  MakeLabel(this, GroupBox1, "Label3", lx, 80, "Title");
  Edit3 = MakeEdit(this, GroupBox1, "Edit3", ex, 76, 80, false, true);
  MakeLabel(this, GroupBox1, "Label4", lx, 106, "Alamat");
  Edit4 = MakeEdit(this, GroupBox1, "Edit4", ex, 102, 340, false, true);
  MakeLabel(this, GroupBox1, "Label5", lx, 132, "Tgl.Input Daftar");
  Edit5 = MakeEdit(this, GroupBox1, "Edit5", ex, 128, 120, false, true);
  MakeLabel(this, GroupBox1, "Label6", lx, 158, "SekPel");
  Edit6 = MakeEdit(this, GroupBox1, "Edit6", ex, 154, 60, false, true);

  Panel1 = Make<TPanel>(this, this, "Panel1", 590, 10, 150, 186);
  Panel1->SetCaption("Photo");
  Panel1->SetBevelOuter(TBevelCut::bvLowered);
  Image1 = Make<TImage>(this, Panel1, "Image1", 2, 2, 146, 182);
  Image1->SetStretch(true);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 10, 202, 740, 296, " Detail Keluarga ");
  DBGrid1 = Make<TDBGrid>(this, GroupBox2, "DBGrid1", 10, 22, 720, 262);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("nij", "NIJ", 120);
  DBGrid1->Columns().Add("nama_gabung", "Nama", 240);
  DBGrid1->Columns().Add("tgl_lahir", "Tgl.Lahir", 90);
  DBGrid1->Columns().Add("sex", "Sex", 60);
  DBGrid1->Columns().Add("sts_kel", "Sts.Kel", 110);
  DBGrid1->Columns().Add("sts_hidup", "Status", 80);
  DBGrid1->SetDataSource(DM ? DM->DS_Q4 : nullptr);

  Panel2 = MakeActionBar(
      *this, "Panel2", 50,
      {{&SpeedButton1, "SpeedButton1", "Tambah", [this](TObject* s) { SpeedButton1Click(s); }},
       {&SpeedButton2, "SpeedButton2", "Update", [this](TObject* s) { SpeedButton2Click(s); }},
       {&SpeedButton3, "SpeedButton3", "Hapus", [this](TObject* s) { SpeedButton3Click(s); }},
       {&SpeedButton4, "SpeedButton4", "Print Keluarga", [this](TObject* s) { SpeedButton4Click(s); }, 110},
       {&SpeedButton5, "SpeedButton5", "Close", [this](TObject* s) { SpeedButton5Click(s); }}},
      8);

  DBGrid1->OnGetRowColor = [this](TObject* s, int recNo, TColor& bg, TColor& fg) {
    DBGrid1DrawColumnCell(s, recNo, bg, fg);
  };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFDetailJemaat::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_Q4) DBGrid1->SetDataSource(DM->DS_Q4);
  auto& q = *DM->Q4;
  kit::SetSQL(q, {"select * from detail_kk", "where nik=:ni"});
  q.ParamByName("ni")->AsString(Edit1->Text());
  q.Open();
}

void TFDetailJemaat::DBGrid1DrawColumnCell(TObject*, int recNo, TColor& background, TColor&) {
  if (DBGrid1->FieldText(recNo, "sts_hidup") == "Meninggal") background = clRed;
}

void TFDetailJemaat::DBGrid1DblClick(TObject*) { SpeedButton2->Click(); }

void TFDetailJemaat::SpeedButton1Click(TObject*) {
  auto* m = FPenambahanJemaat;
  m->Edit1->SetText(Edit1->Text());
  m->Edit2->SetText(Edit2->Text());
  m->Edit4->SetText("[Auto]");
  m->Edit7->SetText("[Auto]");
  m->Edit5->SetText(rtl::DateToStr(rtl::Date()));
  for (TEdit* e : {m->Edit3, m->Edit8, m->Edit9, m->Edit10, m->Edit11, m->Edit12, m->Edit13, m->Edit14, m->Edit15,
                   m->Edit17, m->Edit18, m->Edit19, m->Edit20, m->Edit21, m->Edit22, m->Edit23, m->Edit24, m->Edit25})
    e->Clear();
  for (TComboBox* c : {m->ComboBox1, m->ComboBox2, m->ComboBox3, m->ComboBox4, m->ComboBox5, m->ComboBox6,
                       m->ComboBox7, m->ComboBox8, m->ComboBox9, m->ComboBox10, m->ComboBox11, m->ComboBox12})
    c->SetItemIndex(0);
  for (TDateTimePicker* d : {m->DateTimePicker1, m->DateTimePicker2, m->DateTimePicker3, m->DateTimePicker4,
                             m->DateTimePicker5, m->DateTimePicker6})
    d->SetDateTime(rtl::Now());
  TFPenambahanJemaat::SetSacramentInputs(*m->Edit22, *m->DateTimePicker3, true);
  TFPenambahanJemaat::SetSacramentInputs(*m->Edit23, *m->DateTimePicker4, true);
  TFPenambahanJemaat::SetSacramentInputs(*m->Edit24, *m->DateTimePicker5, true);
  m->SetDeathInputs(false);
  // Without a default photo the member window keeps the photo it showed last.
  kit::ShowDefaultPhoto(*DM->Q3, *m->Image2);
  m->ShowModal();
}

void TFDetailJemaat::SpeedButton2Click(TObject*) {
  auto& q = *DM->Q4;
  if (q.RecordCount() == 0) {
    kit::Refuse("Maaf...Data Detail masih kosong!");
    return;
  }
  auto* m = FPenambahanJemaat;
  auto text = [&](const char* f) { return q.FieldByName(f)->AsString(); };
  m->Edit2->SetText(Edit2->Text());
  const std::string nij = text("nij");
  LoadRecord(rules::MemberRecord(), *m, q);
  // Each sacrament's place and date are open to change as its list now reads, whatever
  // the member shown before left them; the stored place and date stay in the inputs.
  for (auto [list, place, date] : {std::tuple{m->ComboBox8, m->Edit22, m->DateTimePicker3},
                                   std::tuple{m->ComboBox9, m->Edit23, m->DateTimePicker4},
                                   std::tuple{m->ComboBox10, m->Edit24, m->DateTimePicker5}}) {
    const bool done = Chosen(*list) == "SUDAH";
    SetEditable(*place, done);
    date->SetEnabled(done);
  }
  // The death inputs follow the stored state; the stored date stays in its picker.
  const bool deceased = text("sts_hidup") == "Meninggal";
  if (!deceased) m->Edit25->Clear();
  SetEditable(*m->Edit25, deceased);
  m->DateTimePicker6->SetEnabled(deceased);
  m->Edit25->SetText(text("tmpt_meninggal"));

  auto& q5 = *DM->Q5;
  kit::SetSQL(q5, {"select * from registrasi", "where nik=:ni and nij=:nj"});
  q5.ParamByName("ni")->AsString(Edit1->Text());
  q5.ParamByName("nj")->AsString(nij);
  q5.Open();
  if (q5.RecordCount() == 0) {
    m->Edit4->SetText("[Auto]");
    m->Edit5->SetText(rtl::DateToStr(rtl::Date()));
  } else {
    m->Edit4->SetText(q5.FieldByName("no_reg")->AsString());
    m->Edit5->SetText(q5.FieldByName("tgl_reg")->AsString());
  }
  m->ShowModal();
}

void TFDetailJemaat::SpeedButton3Click(TObject*) {
  auto& grid = *DM->Q4;
  if (grid.RecordCount() == 0) {
    kit::Refuse("Maaf...Data Detail masih kosong!");
    return;
  }
  if (!kit::Confirm("Apakah anda yakin mau hapus record ini ?")) return;
  auto& q = *DM->Q3;
  kit::SetSQL(q, {"delete from detail_kk", "where nij=:ni"});
  q.ParamByName("ni")->AsString(grid.FieldByName("nij")->AsString());
  q.ExecSQL();
  grid.Refresh();
}

void TFDetailJemaat::SpeedButton4Click(TObject*) {
  auto* r = FQRJemaat;
  r->QRLabel15->SetCaption(Edit1->Text());
  r->QRLabel16->SetCaption(Edit2->Text());
  r->QRLabel17->SetCaption(Edit4->Text());
  r->QRLabel18->SetCaption(Edit5->Text());
  r->QRLabel19->SetCaption(Edit3->Text());
  r->QRLabel20->SetCaption(Edit6->Text());
  r->QRImage1->Picture().Assign(&Image1->Picture());
  r->Preview();
}

void TFDetailJemaat::SpeedButton5Click(TObject*) { Close(); }

}  // namespace registry
