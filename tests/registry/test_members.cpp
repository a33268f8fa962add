// The member list and the member window: a new member's two numbers and every column
// stored, the three-second close that reloads the list, a change, a failed save that
// takes its registration back, the photo's bytes, deleting, and the deceased in red.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "registry/rules/Numbering.h"
#include "tests/registry/RegistryTestSupport.h"

using namespace gui;
using namespace registry;

namespace {

class Members : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    MakeFamily("NK-97100", "KELUARGA ANGGOTA");
    OpenFamily("NK-97100");
  }
  void OpenFamily(const std::string& nik) {
    FDetailJemaat->Edit1->SetText(nik);
    FDetailJemaat->Edit2->SetText("KELUARGA ANGGOTA");
    FDetailJemaat->FormActivate(FDetailJemaat);
  }
  std::optional<std::string> LastNoReg() {
    std::string v = Value("select coalesce(max(no_reg),'') from registrasi");
    if (v.empty()) return std::nullopt;
    return v;
  }
  // "Tambah", then `fill` and "Simpan" inside the member window; returns when the window
  // has closed, with the milliseconds from the save to the close.
  unsigned AddMember(const std::function<void(TFPenambahanJemaat*)>& fill) {
    ULONGLONG savedAt = 0;
    WhileShown(FPenambahanJemaat, [&] {
      fill(FPenambahanJemaat);
      FPenambahanJemaat->SpeedButton1->Click();
      savedAt = GetTickCount64();
    });
    FDetailJemaat->SpeedButton1->Click();
    return static_cast<unsigned>(GetTickCount64() - savedAt);
  }
  static void Name(TFPenambahanJemaat* m, const char* first, const char* last) {
    m->Edit8->SetText(first);
    m->Edit10->SetText(last);
  }
};

TEST_F(Members, NewMemberGetsBothNumbersEveryColumnAndTheWindowClosesAfterThreeSeconds) {
  std::string reg = rules::NextRegistrationNumber(LastNoReg(), rtl::Date());
  EXPECT_EQ(FPenambahanJemaat->Timer1->Interval(), 3000u);
  std::string shownNij, shownReg;
  dialogs.onShow = [&](const TMessageRequest&) {
    shownNij = FPenambahanJemaat->Edit7->Text();
    shownReg = FPenambahanJemaat->Edit4->Text();
  };
  unsigned ms = AddMember([](TFPenambahanJemaat* m) {
    EXPECT_EQ(m->Edit7->Text(), "[Auto]");
    EXPECT_EQ(m->Edit4->Text(), "[Auto]");
    EXPECT_EQ(m->Edit5->Text(), rtl::DateToStr(rtl::Date()));
    EXPECT_FALSE(m->DateTimePicker6->Enabled());
    Name(m, "MARIA", "SITOMPUL");  // no middle name: two blanks in the joined name
    m->Edit11->SetText("Medan");
    m->DateTimePicker1->SetDate(rtl::EncodeDate(1985, 7, 9));
    m->ComboBox3->SetItemIndex(1);                 // Wanita
    m->ComboBox8->SetItemIndex(0);                 // baptised
    m->Edit22->SetText("GPIB Medan");
    m->DateTimePicker3->SetDate(rtl::EncodeDate(1986, 1, 12));
    m->ComboBox9->SetItemIndex(1);                 // not confirmed
    m->ComboBox9Change(m->ComboBox9);
    m->DateTimePicker4->SetDate(rtl::EncodeDate(2001, 1, 1));
    m->ComboBox10->SetItemIndex(1);                // not married
    m->ComboBox10Change(m->ComboBox10);
    m->ComboBox12->SetItemIndex(1);                // WNA
    m->Edit3->SetText("maria@contoh.id");
  });
  EXPECT_EQ(Texts(), "Data Warga Jemaat [Detail] berhasil di-input|");
  EXPECT_EQ(shownNij, "NJ-97100.10000");
  EXPECT_EQ(shownReg, reg);
  // Closed by its timer, not at once, and the busy cursor is gone.
  EXPECT_GE(ms, 2900u);
  EXPECT_FALSE(FPenambahanJemaat->Showing());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  // The member list's query holds the family's members again.
  ASSERT_EQ(app::DM->Q4->RecordCount(), 1);
  EXPECT_EQ(app::DM->Q4->FieldByName("nij")->AsString(), "NJ-97100.10000");

  EXPECT_EQ(Value("select concat_ws('|',no_reg,tgl_reg,nik,nij) from registrasi where nij='NJ-97100.10000'"),
            reg + "|" + Value("select cast(curdate() as char)") + "|NK-97100|NJ-97100.10000");
  EXPECT_EQ(Value("select concat_ws('|',nama_gabung,tmpt_lahir,tgl_lahir,sex,sts_kel,sekpel,pelkat,id_card,baptis,"
                  "tmpt_baptis,tgl_baptis,sidi,tgl_sidi,nikah,tgl_nikah,sts_hidup,tgl_meninggal,suku_bangsa,email,"
                  "username) from detail_kk where nij='NJ-97100.10000'"),
            "MARIA  SITOMPUL|Medan|1985-07-09|Wanita|Kepala Keluarga|1|PA|KTP|SUDAH|GPIB Medan|1986-01-12|BELUM|"
            "1899-12-30|BELUM|1899-12-30|Hidup|1899-12-30|WNA|maria@contoh.id|tst_reg");

  // The second member continues both counters.
  dialogs.onShow = nullptr;
  AddMember([](TFPenambahanJemaat* m) { Name(m, "YOHANES", "SITOMPUL"); });
  EXPECT_EQ(Value("select no_reg from registrasi where nij='NJ-97100.10001'"), rules::NextRegistrationNumber(reg, rtl::Date()));
  EXPECT_EQ(app::DM->Q4->RecordCount(), 2);
}

TEST_F(Members, UpdateLoadsTheStoredMemberAndChangesItWithoutNewNumbers) {
  MakeMember("NK-97100", "NJ-97100.10000", "RUTH");
  Exec("update detail_kk set sts_hidup='Meninggal',tmpt_meninggal='Bogor',tgl_meninggal='2020-05-06',pelkat='PKLU',"
       "sekpel='7' where nij='NJ-97100.10000'");
  Exec("insert into registrasi(no_reg,tgl_reg,nik,nij) values ('TST-97100-1','2021-08-17','NK-97100','NJ-97100.10000')");
  OpenFamily("NK-97100");
  std::string registrations = Value("select count(*) from registrasi");
  WhileShown(FPenambahanJemaat, [&] {
    auto* m = FPenambahanJemaat;
    EXPECT_EQ(m->Edit7->Text(), "NJ-97100.10000");
    EXPECT_EQ(m->Edit4->Text(), "TST-97100-1");
    EXPECT_EQ(m->Edit5->Text(), "17/08/2021");
    EXPECT_EQ(m->ComboBox12->Text(), "WNA");
    EXPECT_EQ(m->ComboBox11->Text(), "Meninggal");
    EXPECT_EQ(m->ComboBox6->Text(), "7");
    EXPECT_EQ(m->Edit25->Text(), "Bogor");
    EXPECT_TRUE(m->DateTimePicker6->Enabled());
    EXPECT_EQ(rtl::DateToStr(m->DateTimePicker6->Date()), "06/05/2020");
    m->Edit9->SetText("ESTER");
    m->SpeedButton1->Click();
  });
  FDetailJemaat->DBGrid1DblClick(FDetailJemaat->DBGrid1);  // a double click is "Update"
  EXPECT_EQ(Texts(), "Data Warga Jemaat [Detail] berhasil di-ubah|");
  EXPECT_EQ(Value("select concat_ws('|',nik,nama_gabung,suku_bangsa,sts_hidup,tgl_meninggal,sekpel) from detail_kk "
                  "where nij='NJ-97100.10000'"),
            "NK-97100|RUTH ESTER |WNA|Meninggal|2020-05-06|7");
  EXPECT_EQ(Value("select count(*) from registrasi"), registrations);
}

TEST_F(Members, ClosingBeforeTheThreeSecondsStillReloadsTheMemberList) {
  WhileShown(FPenambahanJemaat, [] {
    Name(FPenambahanJemaat, "CEPAT", "TUTUP");
    FPenambahanJemaat->SpeedButton1->Click();
    FPenambahanJemaat->SpeedButton5->Click();
  });
  FDetailJemaat->SpeedButton1->Click();
  EXPECT_FALSE(FPenambahanJemaat->Timer1->Enabled());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  ASSERT_EQ(app::DM->Q4->RecordCount(), 1);
  EXPECT_EQ(app::DM->Q4->FieldByName("nama_dpn")->AsString(), "CEPAT");
}

// The member number is taken already (by a row filed under another family): the insert
// fails loudly, and the registration row it made first is taken back.
TEST_F(Members, AFailedMemberInsertLeavesNoRegistrationBehind) {
  Exec("insert into detail_kk(nik,nij,nama_dpn,username) values ('NK-97999','NJ-97100.10000','PENGHALANG','tst_reg')");
  std::string registrations = Value("select count(*) from registrasi");
  bool threw = false;
  WhileShown(FPenambahanJemaat, [&] {
    Name(FPenambahanJemaat, "GAGAL", "SIMPAN");
    try {
      FPenambahanJemaat->SpeedButton1Click(FPenambahanJemaat);
    } catch (const std::exception&) {
      threw = true;
    }
    EXPECT_EQ(FPenambahanJemaat->Edit7->Text(), "[Auto]");
    EXPECT_EQ(FPenambahanJemaat->Edit4->Text(), "[Auto]");
    EXPECT_FALSE(FPenambahanJemaat->Timer1->Enabled());
    FPenambahanJemaat->Close();
  });
  FDetailJemaat->SpeedButton1->Click();
  EXPECT_TRUE(threw);
  EXPECT_EQ(Texts(), "");
  EXPECT_EQ(Value("select count(*) from registrasi"), registrations);
  EXPECT_EQ(Value("select count(*) from detail_kk where nama_dpn='GAGAL'"), "0");
}

TEST_F(Members, PhotoTravelsByteForByteAndDeletingAsksFirst) {
  const std::string bytes = regtest::ReadFile(KORVAN_REG_MEMBER_PHOTO);
  ASSERT_GT(bytes.size(), 100u);
  files.path = KORVAN_REG_MEMBER_PHOTO;
  AddMember([](TFPenambahanJemaat* m) {
    Name(m, "FOTO", "ANGGOTA");
    m->Button1->Click();
  });
  std::string hex;
  for (unsigned char c : bytes) hex += rtl::Format("%02X", c);
  EXPECT_EQ(Value("select hex(foto) from detail_kk where nik='NK-97100'"), hex);
  WhileShown(FPenambahanJemaat, [] { FPenambahanJemaat->Close(); });
  FDetailJemaat->SpeedButton2->Click();
  EXPECT_EQ(regtest::PhotoBytes(*FPenambahanJemaat->Image2), bytes);

  dialogs.shown.clear();
  dialogs.answers = {mrNo};
  FDetailJemaat->SpeedButton3->Click();
  EXPECT_EQ(Texts(), "Apakah anda yakin mau hapus record ini ?|");
  EXPECT_EQ(app::DM->Q4->RecordCount(), 1);
  FDetailJemaat->SpeedButton3->Click();
  EXPECT_EQ(app::DM->Q4->RecordCount(), 0);
  EXPECT_EQ(Value("select count(*) from detail_kk where nik='NK-97100'"), "0");
  EXPECT_EQ(Value("select count(*) from registrasi where nik='NK-97100'"), "1");
  // On the empty list "Update" and "Hapus" refuse.
  dialogs.shown.clear();
  FDetailJemaat->SpeedButton2->Click();
  FDetailJemaat->SpeedButton3->Click();
  EXPECT_EQ(Texts(), "Maaf...Data Detail masih kosong!|Maaf...Data Detail masih kosong!|");
}

TEST_F(Members, DeceasedMembersAreDrawnOnRed) {
  MakeMember("NK-97100", "NJ-97100.10000", "HIDUP");
  MakeMember("NK-97100", "NJ-97100.10001", "WAFAT", "Meninggal");
  MakeMember("NK-97100", "NJ-97100.10002", "PINDAH", "Attestasi");
  OpenFamily("NK-97100");
  ASSERT_EQ(FDetailJemaat->DBGrid1->RowCount(), 3);
  std::vector<bool> red;
  for (int rec = 1; rec <= 3; ++rec) {
    TColor bg = clWindow, fg = clWindowText;
    FDetailJemaat->DBGrid1->OnGetRowColor(FDetailJemaat->DBGrid1, rec, bg, fg);
    red.push_back(bg == clRed);
  }
  EXPECT_EQ(red, (std::vector<bool>{false, true, false}));
}

}  // namespace
