// The member list and the member window: a new member's two numbers and every column
// stored, the three-second close that reloads the list, a change, a failed save that
// takes its registration back or stops the pending close, numbers never given twice,
// the sacrament inputs of a loaded member, the photo's bytes, deleting, the empty list's
// double click, and the deceased in red.
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

// A deleted member's registration stays: its number is not given again, so the next
// member shows its own registration and not the deleted one's.
TEST_F(Members, ADeletedMembersNumberIsNotGivenAgain) {
  AddMember([](TFPenambahanJemaat* m) { Name(m, "PERTAMA", "ANGGOTA"); });
  AddMember([](TFPenambahanJemaat* m) { Name(m, "KEDUA", "ANGGOTA"); });
  const std::string deletedReg = Value("select no_reg from registrasi where nij='NJ-97100.10001'");
  app::DM->Q4->Last();
  ASSERT_EQ(app::DM->Q4->FieldByName("nij")->AsString(), "NJ-97100.10001");
  FDetailJemaat->SpeedButton3->Click();  // "Hapus" the last member, answered Yes
  ASSERT_EQ(Value("select count(*) from detail_kk where nik='NK-97100'"), "1");

  std::string shownNij;
  dialogs.onShow = [&](const TMessageRequest&) { shownNij = FPenambahanJemaat->Edit7->Text(); };
  AddMember([](TFPenambahanJemaat* m) { Name(m, "KETIGA", "ANGGOTA"); });
  dialogs.onShow = nullptr;
  EXPECT_EQ(shownNij, "NJ-97100.10002");
  EXPECT_EQ(Value("select count(*) from registrasi where nij='NJ-97100.10001'"), "1");
  EXPECT_EQ(Value("select no_reg from registrasi where nij='NJ-97100.10001'"), deletedReg);
  const std::string newReg = Value("select no_reg from registrasi where nij='NJ-97100.10002'");
  EXPECT_NE(newReg, deletedReg);

  // Loaded for a change, the new member shows its own registration.
  app::DM->Q4->Last();
  WhileShown(FPenambahanJemaat, [&] {
    EXPECT_EQ(FPenambahanJemaat->Edit7->Text(), "NJ-97100.10002");
    EXPECT_EQ(FPenambahanJemaat->Edit4->Text(), newReg);
    FPenambahanJemaat->Close();
  });
  FDetailJemaat->SpeedButton2->Click();
}

// A save that fails (here an unreadable registration date) within the pause after a good
// one: the window stays open, and closing it does not reload the list as if saved.
TEST_F(Members, AFailedSaveStopsThePendingCloseAndTheReload) {
  bool threw = false, stillShown = false;
  WhileShown(FPenambahanJemaat, [&] {
    auto* m = FPenambahanJemaat;
    Name(m, "SEKALI", "SIMPAN");
    m->SpeedButton1->Click();
    ASSERT_TRUE(m->Timer1->Enabled());
    m->Edit5->SetText("bukan tanggal");
    try {
      m->SpeedButton1Click(m);
    } catch (const std::exception&) {
      threw = true;
    }
    EXPECT_FALSE(m->Timer1->Enabled());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    stillShown = m->Showing();
    m->SpeedButton5->Click();
  });
  FDetailJemaat->SpeedButton1->Click();
  EXPECT_TRUE(threw);
  EXPECT_TRUE(stillShown);
  EXPECT_EQ(Texts(), "Data Warga Jemaat [Detail] berhasil di-input|");
  EXPECT_EQ(Value("select count(*) from detail_kk where nama_dpn='SEKALI'"), "1");
  EXPECT_FALSE(app::DM->Q4->Active()) << "the list was reloaded after the failed save";
}

// The place and date of each sacrament are open to change exactly when the loaded member
// has it, whatever the member shown before left them; stored values stay shown.
TEST_F(Members, LoadingAMemberSetsEachSacramentsInputsFromItsOwnValues) {
  MakeMember("NK-97100", "NJ-97100.10000", "BELUM");  // baptis BELUM, the others empty
  Exec("update detail_kk set sidi='BELUM',nikah='BELUM' where nij='NJ-97100.10000'");
  MakeMember("NK-97100", "NJ-97100.10001", "SUDAH");
  Exec("update detail_kk set baptis='SUDAH',tmpt_baptis='GPIB Bogor',tgl_baptis='1991-06-02',sidi='SUDAH',"
       "tmpt_sidi='GPIB Depok',tgl_sidi='2007-04-08',nikah='SUDAH',tmpt_nikah='GPIB Sion',tgl_nikah='2015-10-10' "
       "where nij='NJ-97100.10001'");
  OpenFamily("NK-97100");
  struct Block {
    TEdit* place;
    TDateTimePicker* date;
  };
  auto blocks = [] {
    auto* m = FPenambahanJemaat;
    return std::vector<Block>{{m->Edit22, m->DateTimePicker3}, {m->Edit23, m->DateTimePicker4},
                              {m->Edit24, m->DateTimePicker5}};
  };
  auto open = [&](int recNo, const std::function<void()>& check) {
    app::DM->Q4->MoveTo(recNo);
    WhileShown(FPenambahanJemaat, [&] {
      check();
      FPenambahanJemaat->Close();
    });
    FDetailJemaat->SpeedButton2->Click();
  };
  for (int round = 0; round < 2; ++round) {
    open(1, [&] {
      for (const Block& b : blocks()) {
        EXPECT_TRUE(b.place->ReadOnly());
        EXPECT_FALSE(b.date->Enabled());
      }
    });
    open(2, [&] {
      for (const Block& b : blocks()) {
        EXPECT_FALSE(b.place->ReadOnly());
        EXPECT_TRUE(b.date->Enabled());
      }
      EXPECT_EQ(FPenambahanJemaat->Edit23->Text(), "GPIB Depok");
      EXPECT_EQ(rtl::DateToStr(FPenambahanJemaat->DateTimePicker5->Date()), "10/10/2015");
    });
  }
  // Kept and saved unchanged.
  app::DM->Q4->MoveTo(2);
  WhileShown(FPenambahanJemaat, [] { FPenambahanJemaat->SpeedButton1->Click(); });
  FDetailJemaat->SpeedButton2->Click();
  EXPECT_EQ(Value("select concat_ws('|',tmpt_baptis,tgl_baptis,tmpt_sidi,tgl_sidi,tmpt_nikah,tgl_nikah) from "
                  "detail_kk where nij='NJ-97100.10001'"),
            "GPIB Bogor|1991-06-02|GPIB Depok|2007-04-08|GPIB Sion|2015-10-10");
}

// A real double click on the list of a family without members.
TEST_F(Members, ADoubleClickOnTheEmptyListRefuses) {
  ASSERT_EQ(app::DM->Q4->RecordCount(), 0);
  WhileShown(FDetailJemaat, [] {
    HWND grid = FDetailJemaat->DBGrid1->Handle();
    const LPARAM at = MAKELPARAM(60, 60);
    PostMessageW(grid, WM_LBUTTONUP, 0, at);
    SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(grid, WM_LBUTTONUP, 0, at);
    FDetailJemaat->Close();
  });
  FDetailJemaat->ShowModal();
  EXPECT_EQ(Texts(), "Maaf...Data Detail masih kosong!|");
  EXPECT_FALSE(FPenambahanJemaat->Showing());
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
