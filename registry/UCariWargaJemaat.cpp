#include "registry/UCariWargaJemaat.h"

#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/UCariNIJ.h"
#include "registry/UWargaJemaat.h"
#include "registry/rules/Records.h"
#include "rtl/FormatNumber.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFCariWargaJemaat* FCariWargaJemaat = nullptr;

TFCariWargaJemaat::TFCariWargaJemaat(rtl::TComponent* owner)
    : TSearchForm(owner,
                  {.name = "FCariWargaJemaat",
                   .caption = "File >> Warga Jemaat >> Pencarian",
                   .nameLabel = "Nama KK/Jemaat",
                   .listLabel = "SekPel",
                   .items = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
                   .editWidth = 260,
                   .listWidth = 60,
                   .gridHeight = 300},
                  {{"nik", "NIK", 90},
                   {"nama_kk", "Nama", 220},
                   {"bpk_ibu_sdr", "Title", 60},
                   {"sekpel", "SekPel", 60},
                   {"tgl_input_daftar", "Tgl-Input", 100}}) {
  // The member search that finds the family of a member.
  SpeedButton1 = Make<TSpeedButton>(this, GroupBox1, "SpeedButton1", 434, 22, 26, 22);
  SpeedButton1->SetCaption("...");

  DBNavigator1 = Make<TDBNavigator>(this, this, "DBNavigator1", 10, 414, 150, 25);
  DBNavigator1->SetVisibleButtons(nbFirst | nbPrior | nbNext | nbLast | nbRefresh);
  DBNavigator1->SetDataSource(DM ? DM->DS_Q3 : nullptr);

  StatusBar1->Panels().Add()->SetWidth(340);
  StatusBar1->Panels().Add()->SetWidth(300);
  StatusBar1->Panels()[1]->SetAlignment(TAlignment::taRightJustify);

  RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  Button3->OnClick = [this](TObject* s) { Button3Click(s); };
  Button4->OnClick = [this](TObject* s) { Button4Click(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  Edit1->OnKeyPress = [this](TObject* s, wchar_t& k) { Edit1KeyPress(s, k); };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFCariWargaJemaat::LoadAll() {
  kit::SetSQL(*DM->Q3, {"select * from header_kk"});
  DM->Q3->Open();
}

void TFCariWargaJemaat::FormActivate(TObject*) {
  // The grid is bound here as well: the data module may be created after this window.
  if (DBGrid1->DataSource() != DM->DS_Q3) DBGrid1->SetDataSource(DM->DS_Q3);
  if (DBNavigator1->DataSource() != DM->DS_Q3) DBNavigator1->SetDataSource(DM->DS_Q3);
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  Edit1->Clear();
  SetInputEnabled(*Edit1, false);
  SpeedButton1->SetEnabled(false);
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, false);
  StatusBar1->Panels()[0]->SetText("");
  auto& q = *DM->Q3;
  kit::SetSQL(q, {"select count(nik) as jml from header_kk"});
  q.Open();
  StatusBar1->Panels()[1]->SetText("Jumlah Kepala Keluarga : " +
                                   rtl::FormatFloat("#.##", static_cast<double>(q.FieldByName("jml")->AsInteger())));
  LoadAll();
}

void TFCariWargaJemaat::RadioButton1Click(TObject*) {
  Edit1->Clear();
  SetInputEnabled(*Edit1, true);
  if (Showing()) Edit1->SetFocus();
  SpeedButton1->SetEnabled(true);
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, false);
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Nama Kepala Keluarga\"");
  LoadAll();
}

void TFCariWargaJemaat::RadioButton2Click(TObject*) {
  Edit1->Clear();
  SetInputEnabled(*Edit1, false);
  SpeedButton1->SetEnabled(false);
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, true);
  if (Showing()) ComboBox1->SetFocus();
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Sektor Pelayanan\"");
  LoadAll();
}

void TFCariWargaJemaat::Button1Click(TObject*) {
  auto& q = *DM->Q3;
  kit::SetSQL(q, {"select * from header_kk"});
  if (RadioButton1->Checked()) {
    q.SQL.Add("where nama_kk like :nk");
    q.ParamByName("nk")->AsString("%" + Edit1->Text() + "%");
  } else if (RadioButton2->Checked()) {
    q.SQL.Add("where sekpel=:se");
    q.ParamByName("se")->AsString(Chosen(*ComboBox1));
  }
  q.Open();
}

void TFCariWargaJemaat::Edit1KeyPress(TObject*, wchar_t& key) {
  if (key == 13) {
    key = 0;
    Button1->Click();
  }
}

// The member lookup fills the name in; this window's part is the flag that tells the
// lookup who asked.
void TFCariWargaJemaat::SpeedButton1Click(TObject*) {
  SpeedButton1->SetFlat(true);
  FCariNIJ->Edit1->SetText("[Ketik Nama Jemaat Disini]");
  FCariNIJ->ShowModal();
}

void TFCariWargaJemaat::DBGrid1DblClick(TObject*) {
  auto& q = *DM->Q3;
  // A double click on an empty grid would turn the family window into a change of a
  // family without number.
  if (q.RecordCount() == 0) return;
  LoadRecord(rules::FamilyRecord(), *FWargaJemaat, q);
  Close();
}

void TFCariWargaJemaat::Button2Click(TObject*) {
  auto& grid = *DM->Q3;
  if (grid.RecordCount() == 0) return;
  if (!kit::Confirm("Apabila anda menghapus data Header maka data Detail akan ikut terhapus. Apakah anda yakin record "
                    "Header yang dipilih ini mau dihapus?"))
    return;
  std::string nik = grid.FieldByName("nik")->AsString();
  auto& q = *DM->Q1;
  // Members first: should the second statement fail, the family is still there to be
  // deleted again, instead of members left without a family.
  kit::SetSQL(q, {"delete from detail_kk where nik=:ni"});
  q.ParamByName("ni")->AsString(nik);
  q.ExecSQL();
  kit::SetSQL(q, {"delete from header_kk where nik=:ni"});
  q.ParamByName("ni")->AsString(nik);
  q.ExecSQL();
  FormActivate(this);
}

void TFCariWargaJemaat::Button3Click(TObject*) { FormActivate(this); }

void TFCariWargaJemaat::Button4Click(TObject*) { Close(); }

}  // namespace registry
