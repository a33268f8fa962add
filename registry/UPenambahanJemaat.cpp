#include "registry/UPenambahanJemaat.h"

#include "kit/Photo.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/QRJemaatPerseorangan.h"
#include "registry/rules/Numbering.h"
#include "registry/rules/Records.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFPenambahanJemaat* FPenambahanJemaat = nullptr;

TFPenambahanJemaat::TFPenambahanJemaat(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FPenambahanJemaat",
                    .caption = "File >> Warga Jemaat >> Detail >> Penambahan",
                    .width = 1010,
                    .height = 656,
                    .fontHeight = -11});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, 300, 80, " Kepala Keluarga ");
  TRows kk{this, GroupBox1, 10, 110, 180, 22, 25, 0, "LabelKK"};
  Edit1 = kk.Edit("Edit1", "Nomor Induk Keluarga (NIK)", false, true);
  Edit2 = kk.Edit("Edit2", "Nama KK", true, true);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 10, 92, 300, 80, " Registrasi ");
  TRows reg{this, GroupBox2, 10, 110, 180, 22, 25, 0, "LabelReg"};
  Edit4 = reg.Edit("Edit4", "No.Registrasi", false, true);
  Edit5 = reg.Edit("Edit5", "Tanggal", false, true);

  MakePhotoBlock(*this, {.x = 80, .y = 182, .image = "Image2", .reset = "Button2", .title = "Penambahan Jemaat"})
      .Into(Panel1, Image2, Button1, Button2, OpenDialog1);

  GroupBox3 = MakeGroup(this, this, "GroupBox3", 320, 6, 420, 590, " Identitas Jemaat ");
  TRows id{this, GroupBox3, 10, 165, 240, 22, 25, 0, "LabelId"};
  Edit7 = id.Edit("Edit7", "Nomor Induk Jemaat (NIJ)", false, true, 150);
  Edit8 = id.Edit("Edit8", "Nama Depan", true);
  Edit9 = id.Edit("Edit9", "Nama Tengah", true);
  Edit10 = id.Edit("Edit10", "Nama Belakang", true);
  Edit11 = id.Edit("Edit11", "Tempat Lahir");
  DateTimePicker1 = id.Picker("DateTimePicker1", "Tgl.Lahir");
  Edit12 = id.Edit("Edit12", "Alamat");
  Edit13 = id.Edit("Edit13", "No.HP");
  Edit14 = id.Edit("Edit14", "Suku");
  DateTimePicker2 = id.Picker("DateTimePicker2", "Tgl.Input Data");
  ComboBox1 = id.List("ComboBox1", "ID.Card", {"KTP", "SIM", "PASSPORT"});
  Edit15 = id.Edit("Edit15", "No.ID Card");
  ComboBox2 = id.List("ComboBox2", "Status Keluarga",
                      {"Kepala Keluarga", "Suami", "Istri", "Anak", "Cucu", "Kakak", "Adik", "Orang Tua", "Keponakan",
                       "Lainnya"},
                      160);
  ComboBox3 = id.List("ComboBox3", "Jenis Kelamin", {"Pria", "Wanita"});
  ComboBox6 = id.List("ComboBox6", "SekPel", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 60);
  ComboBox7 = id.List("ComboBox7", "Pelkat", {"PA", "PT", "GP", "PKP", "PKB", "PKLU"}, 80);
  ComboBox4 = id.List("ComboBox4", "Gol.Darah", {"A", "B", "AB", "O"}, 60);
  ComboBox12 = id.List("ComboBox12", "Suku Bangsa", {"WNI", "WNA"}, 80);
  Edit3 = id.Edit("Edit3", "Email");
  ComboBox11 = id.List("ComboBox11", "Status", {"Hidup", "Meninggal", "Attestasi"});
  Edit25 = id.Edit("Edit25", "Tempat (Jika Meninggal)", false, true);
  DateTimePicker6 = id.Picker("DateTimePicker6", "Tanggal (Jika Meninggal)");
  DateTimePicker6->SetEnabled(false);

  GroupBox4 = MakeGroup(this, this, "GroupBox4", 750, 6, 250, 184, " Pendidikan && Pekerjaan ");
  TRows edu{this, GroupBox4, 10, 130, 110, 22, 25, 0, "LabelEdu"};
  ComboBox5 = edu.List("ComboBox5", "Pendidikan Terakhir", {"SD", "SMP", "SMA", "DIPLOMA", "S1", "S2", "S3", "NON"},
                       100);
  Edit18 = edu.Edit("Edit18", "Jurusan");
  Edit17 = edu.Edit("Edit17", "Gelar");
  Edit19 = edu.Edit("Edit19", "Pekerjaan");
  Edit20 = edu.Edit("Edit20", "Bhs. Asing");
  Edit21 = edu.Edit("Edit21", "Skill");

  GroupBox5 = MakeGroup(this, this, "GroupBox5", 750, 196, 250, 258, " Dokumentasi Gereja ");
  TRows doc{this, GroupBox5, 10, 100, 140, 22, 25, 0, "LabelDoc"};
  ComboBox8 = doc.List("ComboBox8", "Baptis ?", {"SUDAH", "BELUM"}, 90);
  Edit22 = doc.Edit("Edit22", "Tempat");
  DateTimePicker3 = doc.Picker("DateTimePicker3", "Tanggal");
  ComboBox9 = doc.List("ComboBox9", "Sidi ?", {"SUDAH", "BELUM"}, 90);
  Edit23 = doc.Edit("Edit23", "Tempat");
  DateTimePicker4 = doc.Picker("DateTimePicker4", "Tanggal");
  ComboBox10 = doc.List("ComboBox10", "Nikah ?", {"SUDAH", "BELUM"}, 90);
  Edit24 = doc.Edit("Edit24", "Tempat");
  DateTimePicker5 = doc.Picker("DateTimePicker5", "Tanggal");

  Panel2 = MakeActionBar(
      *this, "Panel2", 50,
      {{&SpeedButton1, "SpeedButton1", "Simpan", [this](TObject* s) { SpeedButton1Click(s); }},
       {&SpeedButton4, "SpeedButton4", "Print Perorangan", [this](TObject* s) { SpeedButton4Click(s); }, 120},
       {&SpeedButton5, "SpeedButton5", "Close", [this](TObject* s) { SpeedButton5Click(s); }}},
      8);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(3000);

  ComboBox8->OnChange = [this](TObject* s) { ComboBox8Change(s); };
  ComboBox9->OnChange = [this](TObject* s) { ComboBox9Change(s); };
  ComboBox10->OnChange = [this](TObject* s) { ComboBox10Change(s); };
  ComboBox11->OnChange = [this](TObject* s) { ComboBox11Change(s); };
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
  LimitLengths(rules::MemberRecord(), *this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TFPenambahanJemaat::FormActivate(TObject*) {
  if (Showing()) Edit8->SetFocus();
  SetActiveControl(Edit8);
  Edit8->SelectAll();
  Timer1->SetEnabled(false);
}

void TFPenambahanJemaat::SetSacramentInputs(TEdit& place, TDateTimePicker& date, bool done) {
  if (done) place.Clear();
  SetEditable(place, done);
  date.SetDateTime(rtl::Now());
  date.SetEnabled(done);
}

void TFPenambahanJemaat::SetDeathInputs(bool deceased) {
  if (!deceased) Edit25->Clear();
  SetEditable(*Edit25, deceased);
  DateTimePicker6->SetDateTime(rtl::Now());
  DateTimePicker6->SetEnabled(deceased);
}

void TFPenambahanJemaat::ComboBox8Change(TObject*) {
  SetSacramentInputs(*Edit22, *DateTimePicker3, Chosen(*ComboBox8) == "SUDAH");
}
void TFPenambahanJemaat::ComboBox9Change(TObject*) {
  SetSacramentInputs(*Edit23, *DateTimePicker4, Chosen(*ComboBox9) == "SUDAH");
}
void TFPenambahanJemaat::ComboBox10Change(TObject*) {
  SetSacramentInputs(*Edit24, *DateTimePicker5, Chosen(*ComboBox10) == "SUDAH");
}
void TFPenambahanJemaat::ComboBox11Change(TObject*) { SetDeathInputs(Chosen(*ComboBox11) == "Meninggal"); }

void TFPenambahanJemaat::BindMember(data::TZQuery& q, kit::rules::TIn statement) {
  BindRecord(rules::MemberRecord(), *this, q, statement, [this](std::string_view) {
    return Edit8->Text() + " " + Edit9->Text() + " " + Edit10->Text();
  });
}

void TFPenambahanJemaat::InsertMember(rtl::TDateTime regDate) {
  auto& q4 = *DM->Q4;
  auto& q5 = *DM->Q5;
  bool registered = false;
  try {
    kit::SetSQL(q5, {"select * from registrasi", "order by no_reg"});
    q5.Open();
    Edit4->SetText(rules::NextRegistrationNumber(kit::LastKey(q5, "no_reg"), regDate));
    kit::SetSQL(q4, {"select nij from detail_kk", "where nik=:ni", "order by nij"});
    q4.ParamByName("ni")->AsString(Edit1->Text());
    q4.Open();
    const std::optional<std::string> lastNij = kit::LastKey(q4, "nij");
    kit::SetSQL(q5, {"select nij from registrasi", "where nik=:ni", "order by nij"});
    q5.ParamByName("ni")->AsString(Edit1->Text());
    q5.Open();
    Edit7->SetText(rules::NextMemberNumber(Edit1->Text(), lastNij, kit::LastKey(q5, "nij")));

    kit::SetSQL(q5, {"insert into registrasi(no_reg,tgl_reg,nik,nij)values(:nr,:tr,:ni,:nj)"});
    q5.ParamByName("nr")->AsString(Edit4->Text());
    q5.ParamByName("tr")->AsDate(regDate);
    q5.ParamByName("ni")->AsString(Edit1->Text());
    q5.ParamByName("nj")->AsString(Edit7->Text());
    q5.ExecSQL();
    registered = true;

    SetRecordSQL(q4, rules::MemberRecord(), kit::rules::kInsert);
    BindMember(q4, kit::rules::kInsert);
    q4.ExecSQL();
  } catch (...) {
    // A registration without its member would stay behind and use up its number, and
    // the numbers shown would belong to no stored member: both are taken back before
    // the error is reported.
    if (registered) {
      try {
        kit::SetSQL(q5, {"delete from registrasi", "where no_reg=:nr"});
        q5.ParamByName("nr")->AsString(Edit4->Text());
        q5.ExecSQL();
      } catch (...) {
        // The original error is the one to report.
      }
    }
    Edit4->SetText("[Auto]");
    Edit7->SetText("[Auto]");
    throw;
  }
}

void TFPenambahanJemaat::SpeedButton1Click(TObject*) {
  // A save that fails ends the pause of an earlier one: the window stays open with what
  // was typed, and closing it does not reload the list as if this save had gone through.
  Timer1->SetEnabled(false);
  Screen->SetCursor(crDefault);
  // The registration date first: a date that does not parse stops the save before any
  // statement runs.
  rtl::TDateTime regDate = rtl::StrToDate(Edit5->Text());
  auto& q4 = *DM->Q4;
  kit::SetSQL(q4, {"select nij from detail_kk", "where nij=:ni"});
  q4.ParamByName("ni")->AsString(Edit7->Text());
  q4.Open();
  if (q4.RecordCount() == 0) {
    InsertMember(regDate);
    kit::Inform("Data Warga Jemaat [Detail] berhasil di-input");
  } else {
    SetRecordSQL(q4, rules::MemberRecord(), kit::rules::kUpdate);
    BindMember(q4, kit::rules::kUpdate);
    q4.ExecSQL();
    kit::Inform("Data Warga Jemaat [Detail] berhasil di-ubah");
  }
  Screen->SetCursor(crHourGlass);
  Timer1->SetEnabled(true);
}

void TFPenambahanJemaat::SpeedButton4Click(TObject*) {
  auto& q5 = *DM->Q5;
  kit::SetSQL(q5, {"select * from detail_kk", "where nij=:ni"});
  q5.ParamByName("ni")->AsString(Edit7->Text());
  q5.Open();
  auto* r = FQRJemaatPerseorangan;
  r->QRLabel15->SetCaption(Edit1->Text());
  r->QRLabel16->SetCaption(Edit2->Text());
  r->QRImage1->Picture().Assign(&Image2->Picture());
  r->QRLabel36->SetCaption(Edit4->Text());
  r->QRLabel37->SetCaption(Edit5->Text());
  r->Preview();
}

void TFPenambahanJemaat::SpeedButton5Click(TObject*) { Close(); }

void TFPenambahanJemaat::ReloadMemberList() {
  auto& q4 = *DM->Q4;
  kit::SetSQL(q4, {"select * from detail_kk", "where nik=:ni"});
  q4.ParamByName("ni")->AsString(Edit1->Text());
  q4.Open();
}

void TFPenambahanJemaat::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  ReloadMemberList();
  Close();
}

void TFPenambahanJemaat::FormClose(TObject*, TCloseAction&) {
  // Closed before the pause after a successful save ran out: the member list's query
  // still holds the save's statements, so it is reloaded now instead of staying empty.
  bool pending = Timer1->Enabled();
  Timer1->SetEnabled(false);
  Screen->SetCursor(crDefault);
  if (pending) ReloadMemberList();
}

}  // namespace registry
