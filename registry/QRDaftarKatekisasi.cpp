#include "registry/QRDaftarKatekisasi.h"

#include <array>

#include "kit/Records.h"
#include "registry/rules/Council.h"

namespace registry {

using namespace report;

TFQRDaftarKatekisasi* FQRDaftarKatekisasi = nullptr;

namespace {
constexpr const char* kNoSigner = "...........................";
}

std::string AgeText(rtl::TDateTime birth, rtl::TDateTime now) {
  return rtl::IntToStr(rules::AgeInYears(birth, now)) + " Tahun";
}

TFQRDaftarKatekisasi::TFQRDaftarKatekisasi(rtl::TComponent* owner)
    : TSacramentForm(owner, "FQRDaftarKatekisasi", "FORM PERMOHONAN PELAYANAN KATEKISASI SIDI", 700) {
  const int w = BandWidth();
  const int right = w - 300, step = 20;

  Item("QRLabel59", right, 4, 100, "No.Registrasi", 190)->Font().SetStyle(gui::fsBold);
  AddLabel(DetailBand1, "QRLabel60", right + 110, 22, 190, "");
  Item("QRLabel97", right, 40, 100, "No.Surat Gereja", 190);

  int y = 66;
  Heading("QRLabelCalon", 0, y, "CALON KATEKISASI");
  y += step + 4;
  Item("QRLabel90", 10, y, 150, "1. Nama", 380);
  AddLabel(DetailBand1, "QRLabel94", 170, y += step, 380, "");
  Item("QRLabel102", 10, y += step, 150, "2. Tempat/Tgl.Lahir", 380);
  Item("QRLabel103", 10, y += step, 150, "3. Tempat/Tgl.Baptis", 380);
  Item("QRLabel104", 10, y += step, 150, "4. Pekerjaan", 380);
  Item("QRLabel105", 10, y += step, 150, "5. Alamat", 250);
  Item("QRLabel106", 430, y, 40, "Telp.", 150);
  Item("QRLabel107", 10, y += step, 150, "6. Sektor Pelayanan", 380);
  Item("QRLabel108", 10, y += step, 150, "7. Asal Gereja/Agama", 380);

  y += step + 10;
  Heading("QRLabelOrangTua", 0, y, "KETERANGAN ORANG TUA");
  y += step + 4;
  const int half = w / 2;
  const char* father[] = {"QRLabel109", "QRLabel128", "QRLabel110", "QRLabel111", "QRLabel112", "QRLabel113",
                          "QRLabel114", "QRLabel115"};
  const char* mother[] = {"QRLabel116", "QRLabel129", "QRLabel117", "QRLabel118", "QRLabel119", "QRLabel120",
                          "QRLabel121", "QRLabel122"};
  auto parent = [&](int x, const char* const* n, int first, const char* who) {
    int py = y;
    Item(n[0], x, py, 135, std::to_string(first) + ". Nama " + who, 200);
    AddLabel(DetailBand1, n[1], x + 145, py += step, 200, "");
    Item(n[2], x, py += step, 135, std::to_string(first + 1) + ". Umur", 200);
    Item(n[3], x, py += step, 135, std::to_string(first + 2) + ". Pekerjaan", 200);
    Item(n[4], x, py += step, 135, std::to_string(first + 3) + ". Alamat", 200);
    Item(n[5], x, py += step, 135, "Telp.", 200);
    Item(n[6], x, py += step, 135, std::to_string(first + 4) + ". SekPel", 200);
    Item(n[7], x, py += step, 135, std::to_string(first + 5) + ". Asal Gereja/Agama", 200);
    return py;
  };
  parent(10, father, 8, "Ayah");
  y = parent(half, mother, 14, "Ibu");

  y += step + 12;
  const int frameTop = y;
  y = CouncilNotes(y, "Sidi");
  const char* left[] = {"Copy Kartu Warga Jemaat (Print dari Gereja)", "Copy Akte Kelahiran", "Copy Tanda Pengenal",
                        "2 Lembar Pas Photo Berwarna (Uk.3X4 Memakai Kemeja)", "Copy Surat Baptis"};
  const char* leftMarks[] = {"QRLabel80", "QRLabel81", "QRLabel82", "QRLabel83", "QRLabel84"};
  for (int i = 0; i < 5; ++i) Check(leftMarks[i], 20, y + step * i, left[i]);
  Check("QRLabel126", half + 20, y, "Surat Pernyataan");
  AddLabel(DetailBand1, "QRLabelPernyataan", half + 38, y + step - 4, 300, "(Bagi yang berasal dari Agama lain)")
      ->Font().SetSize(7);
  Check("QRLabel127", half + 20, y + step * 2, "Biaya Administrasi");
  y += step * 5 + 6;
  Frame("QRShape1", 0, frameTop, w, y - frameTop);

  Signature("QRLabel88", 0, 50, kNoSigner, "Pendeta");
  Signature("QRLabel85", (w - 200) / 2, 50, "-------------------------", "Kordinator Sektor");
  Signature("QRLabel92", w - 200, 50, "", "Yang Memohon");
}

void TFQRDaftarKatekisasi::Fill(data::TZQuery& row, data::TZQuery& signer) {
  auto set = [this](const char* name, const std::string& text) {
    dynamic_cast<TQRLabel*>(FindComponent(name))->SetCaption(text);
  };
  auto s = [&row](const char* field) { return row.FieldByName(field)->AsString(); };
  const rtl::TDateTime now = rtl::Now();
  set("QRLabel59", s("no_reg"));
  set("QRLabel60", s("internal_eksternal"));
  set("QRLabel97", s("no_surat_gereja_luar"));
  set("QRLabel90", Bracketed(row, "nij"));
  set("QRLabel94", s("nama_sidi"));
  set("QRLabel102", s("tmpt_lahir_sidi") + ", " + DateText(row, "tgl_lahir_sidi"));
  set("QRLabel103", s("tmpt_baptis") + ", " + DateText(row, "tgl_baptis"));
  set("QRLabel104", s("pekerjaan_sidi"));
  set("QRLabel105", s("alamat_sidi"));
  set("QRLabel106", s("no_tlp_sidi"));
  set("QRLabel107", s("sekpel_sidi"));
  set("QRLabel108", s("asal_gereja_agama_sidi"));
  for (auto [prefix, n] : {std::pair{"ayah", std::array{"QRLabel109", "QRLabel128", "QRLabel110", "QRLabel111",
                                                         "QRLabel112", "QRLabel113", "QRLabel114", "QRLabel115"}},
                           std::pair{"ibu", std::array{"QRLabel116", "QRLabel129", "QRLabel117", "QRLabel118",
                                                       "QRLabel119", "QRLabel120", "QRLabel121", "QRLabel122"}}}) {
    const std::string p(prefix);
    set(n[0], Bracketed(row, ("nij_" + p).c_str()));
    set(n[1], s(("nama_" + p).c_str()));
    set(n[2], AgeText(row.FieldByName("tgl_lahir_" + p)->AsDateTime(), now));
    set(n[3], s(("pekerjaan_" + p).c_str()));
    set(n[4], s(("alamat_" + p).c_str()));
    set(n[5], s(("no_tlp_" + p).c_str()));
    set(n[6], s(("sekpel_" + p).c_str()));
    set(n[7], s(("asal_gereja_agama_" + p).c_str()));
  }
  FillCouncilNotes(row);
  const char* marks[][2] = {{"QRLabel80", "cp_kartu_warga_jemaat"}, {"QRLabel81", "cp_akte_lahir"},
                            {"QRLabel82", "cp_td_pengenal"},        {"QRLabel83", "2_lbr_pas_foto"},
                            {"QRLabel84", "cp_srt_bpts"},           {"QRLabel126", "srt_pernyataan"},
                            {"QRLabel127", "biaya_admin"}};
  for (auto& m : marks) set(m[0], Mark(row, m[1]));
  set("QRLabel92", s("nama_sidi"));
  // A member of this congregation signs with the active head minister; anyone else, or
  // no such minister, leaves the dotted line.
  std::string minister = kNoSigner;
  if (s("internal_eksternal") == "Internal") {
    kit::SetSQL(signer, {"select nama_pdt from pendeta", "where sts_aktif=:sa and jabatan=:ja"});
    signer.ParamByName("sa")->AsString("Aktif");
    signer.ParamByName("ja")->AsString("KMJ");
    signer.Open();
    if (signer.RecordCount() > 0) minister = signer.FieldByName("nama_pdt")->AsString();
  }
  set("QRLabel88", minister);
}

}  // namespace registry
