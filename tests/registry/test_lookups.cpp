// The lookup dialogs and their protocol: which caller a pick goes to, what it writes,
// the flags cleared at the closing, the search as the user types, empty results, and
// the status filters of the minister, vicar and practice-student lookups. Callers that
// this suite does not build are stand-in windows of the same instance and control names.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "kit/Records.h"
#include "app/UDM.h"
#include "registry/UCariNIJ.h"
#include "registry/UCariNIM.h"
#include "registry/UCariNIMPra.h"
#include "registry/UCariNIP.h"
#include "registry/UCariNIV.h"
#include "tests/registry/RegistryTestSupport.h"

using namespace gui;
using namespace registry;

namespace {

// A window named like a real caller, with the controls a lookup writes into.
class StandIn : public TForm {
 public:
  StandIn(const std::string& name, const std::vector<std::string>& controls) : TForm(Application) {
    SetName(name);
    SetClientSize(200, 100);
    for (const std::string& c : controls) {
      TControl* made;
      if (c.rfind("SpeedButton", 0) == 0) {
        made = new TSpeedButton(this);
      } else if (c.rfind("DateTimePicker", 0) == 0) {
        made = new TDateTimePicker(this);
      } else if (c.rfind("Image", 0) == 0) {
        made = new TImage(this);
      } else if (c.rfind("Label", 0) == 0) {
        made = new TLabel(this);
      } else if (c.rfind("ComboBox", 0) == 0) {
        auto* list = new TComboBox(this);
        list->SetStyle(TComboBoxStyle::csDropDownList);
        made = list;
      } else {
        made = new TEdit(this);
      }
      made->SetName(c);
      made->SetParent(this);
      if (auto* list = dynamic_cast<TComboBox*>(made))
        for (int i = 1; i <= 10; ++i) list->Items().Add(std::to_string(i));
    }
  }
  std::string Text(const char* control) { return static_cast<TControl*>(FindComponent(control))->Text(); }
  TSpeedButton* Button(const char* name) { return static_cast<TSpeedButton*>(FindComponent(name)); }
};

std::vector<std::string> Range(const char* prefix, int from, int to) {
  std::vector<std::string> out;
  for (int i = from; i <= to; ++i) out.push_back(prefix + std::to_string(i));
  return out;
}

class Lookups : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Application->CreateForm(FCariNIJ);
    Application->CreateForm(FCariNIM);
    Application->CreateForm(FCariNIP);
    Application->CreateForm(FCariNIV);
    Application->CreateForm(FCariNIMPra);
    Mine();
    Exec("insert into header_kk(nik,nama_kk,sekpel,username) values ('NK-97001','ZLK KEPALA','4','tst_reg')");
    Member("NJ-97001.10000", "ZLK ANAK SATU", "4", "Anak");
    Member("NJ-97001.10001", "ZLK ANAK DUA", "5", "Istri");
  }
  void TearDown() override {
    stand.clear();
    lookup::SetHook(lookup::kPinHandOver, nullptr);
    delete FCariNIJ;
    delete FCariNIM;
    delete FCariNIP;
    delete FCariNIV;
    delete FCariNIMPra;
    FCariNIJ = nullptr;
    FCariNIM = nullptr;
    FCariNIP = nullptr;
    FCariNIV = nullptr;
    FCariNIMPra = nullptr;
    Mine();
    RegistryFixture::TearDown();
  }
  void Mine() {
    for (const char* t : {"pendeta where nip", "vikaris where niv", "mhs_praktek where nim"})
      Exec(std::string("delete from ") + t + " like 'ZLK-%'");
    Exec("delete from majelis where nimp like 'ZLK-%'");
  }
  void Member(const std::string& nij, const std::string& name, const std::string& sector, const std::string& place) {
    Exec("insert into detail_kk(nik,nij,nama_gabung,tmpt_lahir,tgl_lahir,sekpel,sts_kel,baptis,sidi,alamat,username) "
         "values ('NK-97001','" + nij + "','" + name + "','AMBON','1990-03-04','" + sector + "','" + place +
         "','SUDAH','SUDAH','Jl. Uji','tst_reg')");
  }
  StandIn* Caller(const std::string& name, const std::vector<std::string>& controls, bool shown = true) {
    stand.push_back(std::make_unique<StandIn>(name, controls));
    if (shown) stand.back()->Show();
    return stand.back().get();
  }
  // Types into a lookup and presses "Pilih".
  void TypeAndPick(lookup::TLookupDialog& d, const std::string& text) {
    d.Show();
    d.Edit1->SetText(text);
    d.Button1->Click();
  }

  std::vector<std::unique_ptr<StandIn>> stand;
};

const std::vector<std::string> kSunday = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4",
                                          "Edit4", "Edit5", "Edit18", "Edit21", "Label27"};
const std::vector<std::string> kLoan = {"SpeedButton1", "Edit3", "Edit4", "Edit5"};

TEST_F(Lookups, MemberPickGoesToTheFirstCallerThatHoldsAndTheClosingClearsEveryFlag) {
  auto marriage = Range("Edit", 2, 37);
  for (auto& p : Range("DateTimePicker", 1, 11)) marriage.push_back(p);
  for (auto& b : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton9", "SpeedButton10"})
    marriage.push_back(b);
  StandIn* kawin = Caller("FDaftarKawin", marriage);
  StandIn* attest = Caller("FAttestasi", {"SpeedButton1", "SpeedButton2", "Edit3", "Edit4", "Edit5", "Edit11"}, false);
  StandIn* loan = Caller("FPeminjamanBarang", kLoan);

  // A flag on a hidden window is passed over; the bride's mother is asked for.
  attest->Button("SpeedButton1")->SetFlat(true);
  kawin->Button("SpeedButton10")->SetFlat(true);
  TypeAndPick(*FCariNIJ, "ZLK ANAK SATU");
  EXPECT_EQ(kawin->Text("Edit35"), "NJ-97001.10000");
  EXPECT_EQ(kawin->Text("Edit36"), "ZLK ANAK SATU");
  EXPECT_EQ(kawin->Text("Edit37"), "AMBON");
  EXPECT_EQ(rtl::DateToStr(static_cast<TDateTimePicker*>(kawin->FindComponent("DateTimePicker11"))->Date()),
            "04/03/1990");
  EXPECT_EQ(attest->Text("Edit3"), "");
  EXPECT_FALSE(FCariNIJ->Showing());
  EXPECT_FALSE(kawin->Button("SpeedButton10")->Flat());
  EXPECT_FALSE(attest->Button("SpeedButton1")->Flat());

  // The borrower takes the sector as the decimal text of a number.
  loan->Button("SpeedButton1")->SetFlat(true);
  TypeAndPick(*FCariNIJ, "ZLK ANAK DUA");
  EXPECT_EQ(loan->Text("Edit3"), "NJ-97001.10001");
  EXPECT_EQ(loan->Text("Edit5"), "5");

  // The council window, once shown, takes every pick whatever else is flagged; choosing
  // a member resets it first.
  StandIn* council = Caller("FMajelis", {"SpeedButton1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7",
                                         "Image1"});
  int resets = 0;
  council->OnActivate = [&](rtl::TObject*) { ++resets; };
  kawin->Button("SpeedButton1")->SetFlat(true);
  TypeAndPick(*FCariNIJ, "ZLK ANAK SATU");
  EXPECT_EQ(council->Text("Edit2"), "NJ-97001.10000");
  EXPECT_EQ(council->Text("Edit4"), "04/03/1990");
  EXPECT_EQ(council->Text("Edit7"), "4");
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(kawin->Text("Edit2"), "");
  EXPECT_FALSE(kawin->Button("SpeedButton1")->Flat());
}

TEST_F(Lookups, SearchRunsAsTheUserTypesAndTheSectorWindowSeesOnlyItsSector) {
  StandIn* sector = Caller("FIbadahSektor", {"SpeedButton1", "SpeedButton4", "ComboBox1", "Edit2", "Edit3",
                                             "Edit12", "Edit13"});
  auto* list = static_cast<TComboBox*>(sector->FindComponent("ComboBox1"));
  list->SetItemIndex(3);  // "4"
  sector->Button("SpeedButton1")->SetFlat(true);
  FCariNIJ->Show();
  FCariNIJ->Edit1->SetText("ZLK ANAK");
  ASSERT_EQ(app::DM->Q4->RecordCount(), 1);
  EXPECT_EQ(app::DM->Q4->FieldByName("nij")->AsString(), "NJ-97001.10000");
  list->SetItemIndex(4);  // "5"
  FCariNIJ->Edit1->SetText("ZLK ANAK ");  // each keystroke searches anew
  ASSERT_EQ(app::DM->Q4->RecordCount(), 1);
  EXPECT_EQ(app::DM->Q4->FieldByName("nij")->AsString(), "NJ-97001.10001");
  FCariNIJ->DBGrid1DblClick(FCariNIJ->DBGrid1);  // a double click picks as "Pilih" does
  EXPECT_EQ(sector->Text("Edit3"), "ZLK ANAK DUA");
  EXPECT_FALSE(sector->Button("SpeedButton1")->Flat());

  // Without a caller nothing is searched or picked, and the member lookup stays open.
  kit::SetSQL(*app::DM->Q4, {"select 1"});
  FCariNIJ->Show();
  FCariNIJ->Edit1->SetText("ZLK");
  EXPECT_FALSE(app::DM->Q4->Active());
  FCariNIJ->Button1->Click();
  EXPECT_TRUE(FCariNIJ->Showing());
}

TEST_F(Lookups, AnEmptyResultIsRefusedForTheCouncilAndResetsASacramentBlock) {
  auto controls = Range("Edit", 1, 21);
  for (auto& p : Range("DateTimePicker", 4, 6)) controls.push_back(p);
  for (auto& b : Range("SpeedButton", 1, 3)) controls.push_back(b);
  StandIn* baptism = Caller("FDaftarBaptis", controls);
  static_cast<TEdit*>(baptism->FindComponent("Edit10"))->SetText("NJ-LAMA");
  static_cast<TEdit*>(baptism->FindComponent("Edit11"))->SetText("NAMA LAMA");
  baptism->Button("SpeedButton2")->SetFlat(true);
  TypeAndPick(*FCariNIJ, "ZLK TIDAK ADA");
  EXPECT_EQ(baptism->Text("Edit10"), "Internal");
  EXPECT_EQ(baptism->Text("Edit11"), "");
  EXPECT_FALSE(FCariNIJ->Showing());
  EXPECT_EQ(Texts(), "");

  // The baptism child must be unbaptised: the baptised test members are not offered.
  baptism->Button("SpeedButton1")->SetFlat(true);
  FCariNIJ->Show();
  FCariNIJ->Edit1->SetText("ZLK ANAK");
  EXPECT_EQ(app::DM->Q4->RecordCount(), 0);
  FCariNIJ->Button2->Click();

  StandIn* council = Caller("FMajelis", {"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Image1"});
  static_cast<TEdit*>(council->FindComponent("Edit3"))->SetText("TETAP");
  TypeAndPick(*FCariNIJ, "ZLK TIDAK ADA");
  EXPECT_EQ(Texts(), "Maaf...Tidak ada data yang dicari|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_TRUE(FCariNIJ->Showing());
  EXPECT_EQ(council->Text("Edit3"), "TETAP");
}

TEST_F(Lookups, MinisterVicarAndStudentLookupsOfferTheirStatesAndFillTheBorrower) {
  for (auto [nip, state] : {std::pair{"ZLK-P1", "Aktif"}, {"ZLK-P2", "Mutasi"}, {"ZLK-P3", "Emeritus"}})
    Exec(std::string("insert into pendeta(nip,nama_pdt,sts_aktif,jabatan) values ('") + nip + "','ZLK PDT " + nip +
         "','" + state + "','KMJ')");
  for (auto [niv, state] : {std::pair{"ZLK-V1", "Aktif"}, {"ZLK-V2", "Mutasi"}, {"ZLK-V3", "Peneguhan"}})
    Exec(std::string("insert into vikaris(niv,nama_vik,sts_aktif) values ('") + niv + "','ZLK VIK " + niv + "','" +
         state + "')");
  for (auto [nim, state] : {std::pair{"ZLK-M1", "Aktif"}, {"ZLK-M2", "Selesai"}})
    Exec(std::string("insert into mhs_praktek(nim,nama,sts_aktif) values ('") + nim + "','ZLK MHS " + nim + "','" +
         state + "')");
  StandIn* loan = Caller("FPeminjamanBarang", kLoan);
  struct Case {
    lookup::TLookupDialog* dialog;
    const char* text;
    std::vector<std::string> offered;
    bool staysOpen;
  };
  for (const Case& c : {Case{FCariNIP, "ZLK PDT", {"ZLK-P1"}, false},
                        Case{FCariNIV, "ZLK VIK", {"ZLK-V1", "ZLK-V3"}, false},
                        Case{FCariNIMPra, "ZLK MHS", {"ZLK-M1", "ZLK-M2"}, true}}) {
    SCOPED_TRACE(c.dialog->Name());
    static_cast<TEdit*>(loan->FindComponent("Edit5"))->SetText("4");
    loan->Button("SpeedButton1")->SetFlat(true);
    c.dialog->Show();
    c.dialog->Edit1->SetText(c.text);
    auto& q = *app::DM->Q4;
    std::vector<std::string> offered;
    for (int i = 0; i < q.RecordCount(); ++i) offered.push_back(q.Fields(0)->AsStringAt(i));
    std::sort(offered.begin(), offered.end());
    EXPECT_EQ(offered, c.offered);
    c.dialog->Button1->Click();
    EXPECT_EQ(loan->Text("Edit3"), c.offered[0]);
    EXPECT_EQ(loan->Text("Edit5"), "");  // not a member: no sector
    EXPECT_EQ(c.dialog->Showing(), c.staysOpen);
    c.dialog->Button2->Click();
    EXPECT_FALSE(loan->Button("SpeedButton1")->Flat());
    // "Pilih" without any caller closes these three lookups.
    c.dialog->Show();
    c.dialog->Button1->Click();
    EXPECT_FALSE(c.dialog->Showing());
  }

  // The Sunday preacher also gets the church's name from the main window.
  StandIn* sunday = Caller("FIbadahMinggu", kSunday);
  shell::FMenu->Label11->SetCaption("GEREJA UJI");
  sunday->Button("SpeedButton4")->SetFlat(true);
  TypeAndPick(*FCariNIP, "ZLK PDT ZLK-P");  // a new text: an unchanged one would not search
  EXPECT_EQ(sunday->Text("Edit21"), "ZLK-P1");
  EXPECT_EQ(sunday->Text("Edit5"), "GEREJA UJI");
}

TEST_F(Lookups, CouncilLookupHandsTheSundayValidationToTheInstalledHookAndStaysOpen) {
  Exec("insert into majelis(nimp,nij,pnt_dkn,sts_aktif) values ('ZLK-N1','NJ-97001.10000','Pnt','Aktif'),"
       "('ZLK-N2','NJ-97001.10001','Dkn','Selesai')");
  StandIn* sunday = Caller("FIbadahMinggu", kSunday);
  std::vector<std::string> handed;
  lookup::SetHook(lookup::kPinHandOver, [&](const lookup::TPickContext& p) {
    handed.push_back(p.caller.Name() + ":" + p.rows.FieldByName("nimp")->AsString());
    EXPECT_TRUE(static_cast<StandIn&>(p.caller).Button("SpeedButton2")->Flat());  // still readable
  });
  sunday->Button("SpeedButton2")->SetFlat(true);  // P5
  TypeAndPick(*FCariNIM, "ZLK ANAK");
  EXPECT_EQ(app::DM->Q4->RecordCount(), 1);  // only active council members
  EXPECT_EQ(handed, std::vector<std::string>{"FIbadahMinggu:ZLK-N1"});
  EXPECT_TRUE(FCariNIM->Showing());
  FCariNIM->Button2->Click();
  EXPECT_FALSE(sunday->Button("SpeedButton2")->Flat());

  // The duty council member's button routes to the window's label instead.
  sunday->Button("SpeedButton3")->SetFlat(true);
  TypeAndPick(*FCariNIM, "ZLK ANAK");
  EXPECT_EQ(sunday->Text("Edit18"), "ZLK-N1");
  EXPECT_EQ(sunday->Text("Label27"), "ZLK ANAK SATU");
  EXPECT_EQ(handed.size(), 1u);
  EXPECT_FALSE(FCariNIM->Showing());
}

}  // namespace
