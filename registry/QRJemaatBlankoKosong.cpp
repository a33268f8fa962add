#include "registry/QRJemaatBlankoKosong.h"

namespace registry {

using namespace report;

TFQRJemaatBlankoKosong* FQRJemaatBlankoKosong = nullptr;

TFQRJemaatBlankoKosong::TFQRJemaatBlankoKosong(rtl::TComponent* owner)
    : kit::TChurchReport(owner, poLandscape, kit::THeaderPicture::None) {
  SetName("FQRJemaatBlankoKosong");
  ReportTitle = "Form Pendaftaran Warga Jemaat";
  const int w = BandWidth();

  TitleBand1 = AddBand(rbTitle, "TitleBand1", 34);
  auto* title = AddLabel(TitleBand1, "QRLabel4", 0, 6, w, "Form Pendaftaran Warga Jemaat", gui::fsBold);
  title->Alignment = gui::TAlignment::taCenter;
  title->Font().SetSize(13);

  ColumnHeaderBand1 = AddBand(rbColumnHeader, "ColumnHeaderBand1", 46);
  AddLabel(ColumnHeaderBand1, "QRLabel5", 0, 4, 150, "NIK");
  AddLabel(ColumnHeaderBand1, "QRLabel6", 150, 4, 150, "[Auto]", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel7", 0, 24, 150, "Nama Kepala Keluarga");
  AddLabel(ColumnHeaderBand1, "QRLabel8", 150, 24, 150, "[Auto]", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel9", 520, 4, 110, "No.Registrasi");
  AddLabel(ColumnHeaderBand1, "QRLabel10", 630, 4, 150, "[Auto]", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel11", 520, 24, 110, "Tgl.Registrasi");
  AddLabel(ColumnHeaderBand1, "QRLabel12", 630, 24, 150, "[Auto]", gui::fsBold);

  DetailBand1 = AddBand(rbDetail, "DetailBand1", 560);
  // Three columns across the landscape page; each blank is a caption over a line.
  const int c1 = 0, c2 = 330, c3 = 660, cw = 300;
  int y = 6;
  const int step = 44;
  auto next = [&] { int v = y; y += step; return v; };
  Blank("NIJ", c1, next(), cw, "NIJ", "(Auto)");
  Blank("NamaDepan", c1, next(), cw, "Nama Depan");
  Blank("NamaTengah", c1, next(), cw, "Nama Tengah");
  Blank("NamaBelakang", c1, next(), cw, "Nama Belakang");
  Blank("TempatLahir", c1, next(), cw, "Tempat Lahir");
  Blank("TglLahir", c1, next(), cw, "Tgl.Lahir");
  Blank("JenisKelamin", c1, next(), cw, "Jenis Kelamin", "(Pria/Wanita)");
  Blank("Sektor", c1, next(), cw, "Sektor", "(1...10)");
  Blank("Pelkat", c1, next(), cw, "PELKAT");
  Blank("Pekerjaan", c1, next(), cw, "Pekerjaan");
  Blank("StatusKeluarga", c1, next(), cw, "Status Keluarga",
        "**(Kepala Keluarga/Suami/Istri/Anak/Cucu/Kakak/Adik/Orang Tua/Keponakan/Lainnya");
  y = 6;
  Blank("Alamat", c2, next(), cw, "Alamat");
  Blank("NoHP", c2, next(), cw, "No.HP");
  Blank("Suku", c2, next(), cw, "Suku");
  Blank("GolDarah", c2, next(), cw, "Gol.Darah");
  Blank("IDCard", c2, next(), cw, "ID.Card", "(KTP/SIM/Passport)");
  Blank("Nomor", c2, next(), cw, "Nomor");
  Blank("SukuBangsa", c2, next(), cw, "Suku Bangsa", "(WNI/WNA)");
  Blank("PendAkhir", c2, next(), cw, "Pend.Akhir");
  Blank("Gelar", c2, next(), cw, "Gelar");
  Blank("Jurusan", c2, next(), cw, "Jurusan");
  Blank("Email", c2, next(), cw, "Email");
  y = 6;
  Blank("BhsAsing", c3, next(), cw, "Bhs.Asing");
  Blank("Keahlian", c3, next(), cw, "Keahlian");
  for (const char* s : {"Baptis", "Sidi", "Nikah"}) {
    std::string n(s);
    // The question carries its answers: a wider caption, a shorter line.
    Blank((n + "Status").c_str(), c3, next(), cw, n + "? (SUDAH/BELUM)", {}, 176);
    Blank((n + "Tempat").c_str(), c3 + 20, next(), cw - 20, "Tempat");
    Blank((n + "Tanggal").c_str(), c3 + 20, next(), cw - 20, "Tanggal");
  }
}

void TFQRJemaatBlankoKosong::Blank(const char* name, int x, int y, int w, const std::string& caption,
                                   const std::string& hint, int captionWidth) {
  std::string n(name);
  AddLabel(DetailBand1, ("Cap" + n).c_str(), x, y, captionWidth, caption);
  auto* line = new TQRShape(this);
  line->SetName("Line" + n);
  line->SetParent(DetailBand1);
  line->Shape = TShapeType::qrsHorLine;
  const int lineLeft = captionWidth + 6;
  line->SetBounds(x + lineLeft, y + 15, w - lineLeft, 1);
  if (!hint.empty()) {
    auto* h = AddLabel(DetailBand1, ("Hint" + n).c_str(), x, y + 17, w, hint);
    h->Font().SetSize(7);
    h->Font().SetStyle(gui::fsItalic);
  }
  ++blanks_;
}

}  // namespace registry
