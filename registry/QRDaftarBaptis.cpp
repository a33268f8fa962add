#include "registry/QRDaftarBaptis.h"

namespace registry {

using namespace report;

TFQRDaftarBaptis* FQRDaftarBaptis = nullptr;

TFQRDaftarBaptis::TFQRDaftarBaptis(rtl::TComponent* owner)
    : TSacramentForm(owner, "FQRDaftarBaptis", "FORM PERMOHONAN PELAYANAN BAPTISAN", 640) {
  const int w = BandWidth();
  const int right = w - 300, cap = 150, val = 380, step = 20;

  // The registration block at the top right.
  Item("QRLabel59", right, 4, 100, "No.Registrasi", 190)->Font().SetStyle(gui::fsBold);
  AddLabel(DetailBand1, "QRLabel60", right + 110, 22, 190, "");
  AddLabel(DetailBand1, "QRLabel93", right, 40, 100, "");
  AddLabel(DetailBand1, "QRLabel95", right + 100, 40, 8, "");
  AddLabel(DetailBand1, "QRLabel97", right + 110, 40, 190, "");
  AddLabel(DetailBand1, "QRLabel94", right, 58, 100, "");
  AddLabel(DetailBand1, "QRLabel96", right + 100, 58, 8, "");
  AddLabel(DetailBand1, "QRLabel98", right + 110, 58, 190, "");

  int y = 84;
  Heading("QRLabelAnak", 0, y, "ANAK YANG AKAN DIBAPTIS");
  y += step + 4;
  Item("QRLabel24", 10, y, cap, "1. Nama", val);
  Item("QRLabel25", 10, y += step, cap, "2. Tempat/Tgl.Lahir", val);
  Item("QRLabel26", 10, y += step, cap, "3. No.Akte Kelahiran", val);
  y += step + 10;
  Heading("QRLabelOrangTua", 0, y, "KETERANGAN ORANG TUA/WALI");
  y += step + 4;
  Item("QRLabel27", 10, y, cap, "4. Nama Ayah", val);
  Item("QRLabel28", 10, y += step, cap, "5. Tempat/Tgl.Lahir", val);
  Item("QRLabel29", 10, y += step, cap, "6. Pekerjaan", val);
  Item("QRLabel30", 10, y += step, cap, "7. Nama Ibu", val);
  Item("QRLabel31", 10, y += step, cap, "8. Tempat/Tgl.Lahir", val);
  Item("QRLabel45", 10, y += step, cap, "9. Pekerjaan", val);
  Item("QRLabel46", 10, y += step, cap, "10. No.Akte Nikah", val);
  Item("QRLabel47", 10, y += step, cap, "11. Alamat", val);
  Item("QRLabel48", 10, y += step, cap, "12. SekPel", val);
  Item("QRLabel49", 10, y += step, cap, "No.Telpon/HP", val);

  y += step + 12;
  const int frameTop = y;
  y = CouncilNotes(y, "Baptisan");
  const char* documents[] = {"Copy Kartu Warga Jemaat (Print dari Gereja)", "Copy Akte Kelahiran",
                             "Copy Surat Nikah Gereja", "Copy Akte Nikah Catatan Sipil", "Biaya Administrasi"};
  const char* marks[] = {"QRLabel80", "QRLabel81", "QRLabel82", "QRLabel83", "QRLabel84"};
  for (int i = 0; i < 5; ++i) Check(marks[i], 20, y + step * i, documents[i]);
  y += step * 5 + 6;
  Frame("QRShape1", 0, frameTop, w, y - frameTop);

  Signature("QRLabelMajelis", 0, 30, "Mengetahui,", "Majelis Jemaat");
  Signature("QRLabelGarisKiri", 0, 84, "-------------------------", "Kordinator Sektor");
  Signature("QRLabelMemohon", w - 200, 30, "", "Yang Memohon");
  Signature("QRLabelGarisKanan", w - 200, 84, "-------------------------", "Orang Tua / Wali");
}

void TFQRDaftarBaptis::Fill(data::TZQuery& row) {
  auto set = [this](const char* name, const std::string& text) {
    dynamic_cast<TQRLabel*>(FindComponent(name))->SetCaption(text);
  };
  auto s = [&row](const char* field) { return row.FieldByName(field)->AsString(); };
  set("QRLabel59", s("no_reg"));
  set("QRLabel60", "[" + s("internal_eksternal") + "]");
  // The other church's lines only for an applicant of another church.
  const bool external = s("internal_eksternal") == "Eksternal";
  set("QRLabel93", external ? "No.Surat Gereja" : "");
  set("QRLabel95", external ? ":" : "");
  set("QRLabel97", external ? s("no_surat_gereja_luar") : "");
  set("QRLabel94", external ? "Nama Gereja" : "");
  set("QRLabel96", external ? ":" : "");
  set("QRLabel98", external ? s("nama_gereja") : "");
  set("QRLabel24", Bracketed(row, "nij") + " " + s("nama_baptis"));
  set("QRLabel25", s("tmpt_lahir_baptis") + ", " + DateText(row, "tgl_lahir_baptis"));
  set("QRLabel26", s("no_akte_kelahiran"));
  set("QRLabel27", Bracketed(row, "nij_ayah") + " " + s("nama_ayah"));
  set("QRLabel28", s("tmpt_lahir_ayah") + ", " + DateText(row, "tgl_lahir_ayah"));
  set("QRLabel29", s("pekerjaan_ayah"));
  set("QRLabel30", Bracketed(row, "nij_ibu") + " " + s("nama_ibu"));
  set("QRLabel31", s("tmpt_lahir_ibu") + ", " + DateText(row, "tgl_lahir_ibu"));
  set("QRLabel45", s("pekerjaan_ibu"));
  set("QRLabel46", s("no_akte_nikah"));
  set("QRLabel47", s("alamat"));
  set("QRLabel48", s("sekpel"));
  set("QRLabel49", s("no_tlp"));
  FillCouncilNotes(row);
  set("QRLabel80", Mark(row, "cp_kartu_warga_jemaat"));
  set("QRLabel81", Mark(row, "cp_akte_lahir"));
  set("QRLabel82", Mark(row, "cp_srt_nkh_grj"));
  set("QRLabel83", Mark(row, "cp_akt_nkh_capil"));
  set("QRLabel84", Mark(row, "biaya_admin"));
}

}  // namespace registry
