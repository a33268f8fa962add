// The minister, vicar and practice-student registers: insert, the warning and update of
// a typed key that exists, the photo's bytes through the database and back into the
// window, search by name and status, and the delete with its confirmation.
#include <gtest/gtest.h>

#include <functional>

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/UCariMahasiswaPraktek.h"
#include "registry/UCariPendeta.h"
#include "registry/UCariVikaris.h"
#include "registry/UMahasiswaPraktek.h"
#include "registry/UPendeta.h"
#include "registry/UVikaris.h"
#include "tests/registry/RegistryTestSupport.h"

using namespace gui;
using namespace registry;
using namespace kit;

namespace {

// One register as the tests drive it.
struct Register {
  const char* label;
  const char* table;
  const char* key;
  const char* name;
  std::function<TForm*()> window;
  std::function<TPersonSearch*()> search;
  std::function<TEdit*()> keyEdit, nameEdit;
  std::function<TImage*()> image;
  std::function<TButton*()> upload;
  std::function<TSpeedButton*()> save;
  std::function<TRadioButton*()> lastState;  // "Emeritus", "Peneguhan", "Selesai"
  const char* lastStateText;
  const char* exists;
  const char* updated;
  const char* inserted;
};

const std::vector<Register>& Registers() {
  static const std::vector<Register> r = {
      {"minister", "pendeta", "nip", "nama_pdt", [] { return FPendeta; }, [] { return FCariPendeta; },
       [] { return FPendeta->Edit1; }, [] { return FPendeta->Edit2; }, [] { return FPendeta->Image1; },
       [] { return FPendeta->Button1; }, [] { return FPendeta->SpeedButton1; }, [] { return FPendeta->RadioButton3; },
       "Emeritus", "Maaf...NIP Sudah ada!, Anda masuk dalam mode: Perubahan Data", "Data Pendeta berhasil di-ubah",
       "Data Pendeta Baru berhasil di-input"},
      {"vicar", "vikaris", "niv", "nama_vik", [] { return FVikaris; }, [] { return FCariVikaris; },
       [] { return FVikaris->Edit1; }, [] { return FVikaris->Edit2; }, [] { return FVikaris->Image1; },
       [] { return FVikaris->Button1; }, [] { return FVikaris->SpeedButton1; }, [] { return FVikaris->RadioButton3; },
       "Peneguhan", "Maaf...NIV Sudah ada!, Anda masuk dalam mode: Perubahan Data", "Data Vikaris berhasil di-ubah",
       "Data Vikaris Baru berhasil di-input"},
      {"student", "mhs_praktek", "nim", "nama", [] { return FMahasiswaPraktek; },
       [] { return FCariMahasiswaPraktek; }, [] { return FMahasiswaPraktek->Edit1; },
       [] { return FMahasiswaPraktek->Edit2; }, [] { return FMahasiswaPraktek->Image1; },
       [] { return FMahasiswaPraktek->Button1; }, [] { return FMahasiswaPraktek->SpeedButton2; },
       [] { return FMahasiswaPraktek->RadioButton2; }, "Selesai",
       "Maaf...NIM Sudah ada!, Anda masuk dalam mode: Perubahan Data", "Data Mahasiswa Praktek berhasil di-ubah",
       "Data Mahasiswa Praktek berhasil di-input"},
  };
  return r;
}

class PersonRegisters : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Application->CreateForm(FPendeta);
    Application->CreateForm(FCariPendeta);
    Application->CreateForm(FVikaris);
    Application->CreateForm(FCariVikaris);
    Application->CreateForm(FMahasiswaPraktek);
    Application->CreateForm(FCariMahasiswaPraktek);
    Mine();
  }
  void TearDown() override {
    Mine();
    delete FCariPendeta;
    delete FPendeta;
    delete FCariVikaris;
    delete FVikaris;
    delete FCariMahasiswaPraktek;
    delete FMahasiswaPraktek;
    FCariPendeta = nullptr;
    FPendeta = nullptr;
    FCariVikaris = nullptr;
    FVikaris = nullptr;
    FCariMahasiswaPraktek = nullptr;
    FMahasiswaPraktek = nullptr;
    RegistryFixture::TearDown();
  }
  void Mine() {
    for (const Register& r : Registers())
      Exec(std::string("delete from ") + r.table + " where " + r.key + " like 'ZRG-%'");
  }
  std::string Row(const Register& r, const std::string& columns, const std::string& key) {
    return Value(std::string("select concat_ws('|',") + columns + ") from " + r.table + " where " + r.key + "='" +
                 key + "'");
  }
};

TEST_F(PersonRegisters, SaveInsertsThenWarnsAndUpdatesTheTypedKeyWithThePhoto) {
  const std::string photo = regtest::ReadFile(KORVAN_REG_MEMBER_PHOTO);
  std::string hex;
  for (unsigned char c : photo) hex += rtl::Format("%02X", c);
  for (const Register& r : Registers()) {
    SCOPED_TRACE(r.label);
    dialogs.shown.clear();
    r.window()->Activate();
    r.keyEdit()->SetText("ZRG-1");
    r.nameEdit()->SetText("ZRG NAMA");
    r.save()->Click();
    EXPECT_EQ(Texts(), std::string(r.inserted) + "|");
    EXPECT_EQ(dialogs.shown.back().Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(Row(r, std::string(r.name) + ",sts_aktif,username", "ZRG-1"), "ZRG NAMA|Aktif|tst_reg");
    EXPECT_EQ(r.keyEdit()->Text(), "");  // the window is emptied for the next one

    // Opened from the search by name, changed, photo uploaded, saved: the warning first.
    auto* s = r.search();
    s->Activate();
    s->RadioButton1->SetChecked(true);
    s->RadioButton1Click(s);
    EXPECT_EQ(s->StatusBar1->Panels()[0]->Text().rfind("Pencarian Berdasarkan : \"Nama ", 0), 0u);
    s->Edit1->SetText("ZRG NAM");
    s->Button1->Click();
    ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
    s->DBGrid1DblClick(s->DBGrid1);
    ASSERT_EQ(r.keyEdit()->Text(), "ZRG-1");
    r.nameEdit()->SetText("ZRG NAMA BARU");
    r.lastState()->SetChecked(true);
    files.path = KORVAN_REG_MEMBER_PHOTO;
    r.upload()->Click();
    dialogs.shown.clear();
    r.save()->Click();
    ASSERT_EQ(Texts(), std::string(r.exists) + "|" + r.updated + "|");
    EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(Row(r, std::string(r.name) + ",sts_aktif,hex(foto)", "ZRG-1"),
              "ZRG NAMA BARU|" + std::string(r.lastStateText) + "|" + hex);

    // The stored photo comes back byte for byte; the state by its radio button.
    s->Activate();
    s->RadioButton2->SetChecked(true);
    s->RadioButton2Click(s);
    s->ComboBox1->SetItemIndex(s->ComboBox1->Items().Count() - 1);
    if (std::string(r.table) == "pendeta") SelectExact(*s->ComboBox1, "KMJ");
    s->Button1->Click();
    bool found = false;
    for (int i = 0; i < app::DM->Q3->RecordCount(); ++i)
      found |= app::DM->Q3->FieldByName(r.key)->AsStringAt(i) == "ZRG-1";
    ASSERT_TRUE(found);
    r.window()->Activate();
    s->Activate();
    s->RadioButton1->SetChecked(true);
    s->Edit1->SetText("ZRG NAMA BARU");
    s->Button1->Click();
    s->DBGrid1DblClick(s->DBGrid1);
    EXPECT_EQ(regtest::PhotoBytes(*r.image()), photo);
    EXPECT_TRUE(r.lastState()->Checked());
    EXPECT_EQ(Value(std::string("select count(*) from ") + r.table + " where " + r.key + " like 'ZRG-%'"), "1");
  }
}

// An empty number would be stored as a row nobody can open again: the save refuses it,
// also when it is nothing but blanks, and stores nothing.
TEST_F(PersonRegisters, AnEmptyOrBlankTypedKeyIsRefused) {
  const char* refusal[] = {"Maaf...NIP belum dimasukkan", "Maaf...NIV belum dimasukkan",
                           "Maaf...NIM belum dimasukkan"};
  int i = 0;
  for (const Register& r : Registers()) {
    SCOPED_TRACE(r.label);
    const std::string before = Value(std::string("select count(*) from ") + r.table);
    for (const char* key : {"", "   "}) {
      dialogs.shown.clear();
      r.window()->Activate();
      r.keyEdit()->SetText(key);
      r.nameEdit()->SetText("ZRG TANPA NOMOR");
      r.save()->Click();
      EXPECT_EQ(Texts(), std::string(refusal[i]) + "|");
      ASSERT_FALSE(dialogs.shown.empty());
      EXPECT_EQ(dialogs.shown.back().Type, TMsgDlgType::mtError);
      // What was typed stays, to be completed.
      EXPECT_EQ(r.nameEdit()->Text(), "ZRG TANPA NOMOR");
    }
    EXPECT_EQ(Value(std::string("select count(*) from ") + r.table), before);
    ++i;
  }
}

// Nothing longer than its column can be typed: the inputs carry the column's length.
TEST_F(PersonRegisters, EveryInputIsLimitedToItsColumn) {
  for (const Register& r : Registers()) {
    SCOPED_TRACE(r.label);
    EXPECT_EQ(r.keyEdit()->MaxLength(), ColumnLength(r.table, r.key));
    EXPECT_EQ(r.nameEdit()->MaxLength(), ColumnLength(r.table, r.name));
  }
}

TEST_F(PersonRegisters, DeleteAsksFirstAndANoKeepsTheRow) {
  for (const Register& r : Registers()) {
    SCOPED_TRACE(r.label);
    Exec(std::string("insert into ") + r.table + "(" + r.key + "," + r.name + ") values ('ZRG-9','ZRG HAPUS')");
    auto* s = r.search();
    s->Activate();
    s->RadioButton1->SetChecked(true);
    s->Edit1->SetText("ZRG HAPUS");
    s->Button1->Click();
    ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
    dialogs.shown.clear();
    dialogs.answers = {mrNo};
    s->Button2->Click();
    EXPECT_EQ(Texts(), "Apakah anda yakin record yang dipilih ini mau dihapus?|");
    EXPECT_EQ(Row(r, r.key, "ZRG-9"), "ZRG-9");
    s->Button1->Click();
    dialogs.answers = {mrYes};
    s->Button2->Click();
    EXPECT_EQ(Row(r, r.key, "ZRG-9"), "");
  }
}

TEST_F(PersonRegisters, PhotoResetWithoutADefaultPhotoClosesTheWindow) {
  std::string saved = Value("select count(*) from foto_default");
  if (saved != "0") GTEST_SKIP() << "the shared database holds a default photo";
  FPendeta->Show();
  FPendeta->Button5->Click();
  EXPECT_EQ(Texts(),
            "Foto tidak dapat di-Reset! Silahkan Masukkan Foto Default Terlebih dahulu. Form Pendeta akan tertutup|");
  EXPECT_FALSE(FPendeta->Showing());
}

}  // namespace
