#include "registry/QRJemaatPerseorangan.h"

#include "app/UDM.h"

namespace registry {

using namespace report;

TFQRJemaatPerseorangan* FQRJemaatPerseorangan = nullptr;

TFQRJemaatPerseorangan::TFQRJemaatPerseorangan(rtl::TComponent* owner)
    : kit::TChurchReport(owner, poLandscape, kit::THeaderPicture::OwnerPhoto) {
  SetName("FQRJemaatPerseorangan");
  ReportTitle = "Kartu Jemaat";
  if (app::DM) SetDataSet(app::DM->Q5);
  const int w = BandWidth();

  TitleBand1 = AddBand(rbTitle, "TitleBand1", 44);
  auto* title = AddLabel(TitleBand1, "QRLabel4", 0, 4, w, "Kartu Jemaat", gui::fsBold);
  title->Alignment = gui::TAlignment::taCenter;
  title->Font().SetSize(13);
  auto* sub = AddLabel(TitleBand1, "QRLabel5", 0, 24, w, "[Pemutahiran Data]");
  sub->Alignment = gui::TAlignment::taCenter;

  ColumnHeaderBand1 = AddBand(rbColumnHeader, "ColumnHeaderBand1", 46);
  AddLabel(ColumnHeaderBand1, "QRLabel6", 0, 4, 150, "NIK");
  QRLabel15 = AddLabel(ColumnHeaderBand1, "QRLabel15", 150, 4, 250, "", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel7", 0, 24, 150, "Nama Kepala Keluarga");
  QRLabel16 = AddLabel(ColumnHeaderBand1, "QRLabel16", 150, 24, 330, "", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel8", 540, 4, 110, "No.Registrasi");
  QRLabel36 = AddLabel(ColumnHeaderBand1, "QRLabel36", 650, 4, 220, "", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel9", 540, 24, 110, "Tgl.Registrasi");
  QRLabel37 = AddLabel(ColumnHeaderBand1, "QRLabel37", 650, 24, 220, "", gui::fsBold);

  DetailBand1 = AddBand(rbDetail, "DetailBand1", 450);
  AddLabel(DetailBand1, "QRLabel10", 0, 4, 60, "NIJ");
  AddField(DetailBand1, "QRDBText_nij", 60, 4, 220, "nij", gui::fsBold);

  const int c1 = 0, c2 = 330, c3 = 660, step = 34;
  int y = 30;
  auto next = [&] { int v = y; y += step; return v; };
  Pair(c1, next(), "Nama Depan", "nama_dpn");
  Pair(c1, next(), "Nama Tengah", "nama_tengah");
  Pair(c1, next(), "Nama Belakang", "nama_blkg");
  Pair(c1, next(), "Tempat Lahir", "tmpt_lahir");
  Pair(c1, next(), "Tgl.Lahir", "tgl_lahir");
  Pair(c1, next(), "Jenis Kelamin", "sex", "(Pria/Wanita)");
  Pair(c1, next(), "Sektor", "sekpel", "(1...10)");
  Pair(c1, next(), "PELKAT", "pelkat");
  Pair(c1, next(), "Pekerjaan", "pekerjaan");
  Pair(c1, next(), "Gol.Darah", "gol_darah");
  Pair(c1, next(), "ID.Card", "id_card", "(KTP/SIM/Passport)");
  Pair(c1, next(), "Status Keluarga", "sts_kel",
       "**(Kepala Keluarga/Suami/Istri/Anak/Cucu/Kakak/Adik/Orang Tua/Keponakan/Lainnya");
  y = 30;
  Pair(c2, next(), "Alamat", "alamat");
  Pair(c2, next(), "No.HP", "no_hp");
  Pair(c2, next(), "Suku", "suku");
  Pair(c2, next(), "Nomor", "no_id_card");
  for (auto [caption, flag, place, date] :
       {std::tuple{"Baptis?", "baptis", "tmpt_baptis", "tgl_baptis"},
        std::tuple{"Sidi?", "sidi", "tmpt_sidi", "tgl_sidi"}, std::tuple{"Nikah?", "nikah", "tmpt_nikah", "tgl_nikah"}}) {
    Pair(c2, next(), caption, flag, {}, gui::fsBold);
    Pair(c2, y - 14, "Tempat", place, {}, 0, 20);
    Pair(c2, y + 4, "Tanggal", date, {}, 0, 20);
    y += 22;
  }
  y = 30;
  Pair(c3, next(), "Suku Bangsa", "suku_bangsa");
  Pair(c3, next(), "Pend.Akhir", "pend_akhir");
  Pair(c3, next(), "Gelar", "gelar");
  Pair(c3, next(), "Jurusan", "jurusan");
  Pair(c3, next(), "Email", "email");
  Pair(c3, next(), "Bhs.Asing", "bhs_asing_1");
  Pair(c3, next(), "Keahlian", "skill");
}

TQRDBText* TFQRJemaatPerseorangan::Pair(int x, int y, const std::string& caption, const char* field,
                                        const std::string& hint, gui::TFontStyles style, int indent) {
  std::string f(field);
  // Caption, colon and value each with room to spare, so that none touches the next; the
  // value ends short of the next column.
  AddLabel(DetailBand1, ("Cap_" + f).c_str(), x + indent, y, 112 - indent, caption);
  AddLabel(DetailBand1, ("Colon_" + f).c_str(), x + 116, y, 8, ":");
  auto* t = AddField(DetailBand1, ("QRDBText_" + f).c_str(), x + 126, y, 194, field, style);
  if (!hint.empty()) {
    // Beneath the caption, clear of its descenders.
    auto* h = AddLabel(DetailBand1, ("Hint_" + f).c_str(), x, y + 17, 320, hint);
    h->Font().SetSize(7);
    h->Font().SetStyle(gui::fsItalic);
  }
  return t;
}

}  // namespace registry
