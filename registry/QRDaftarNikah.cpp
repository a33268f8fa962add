#include "registry/QRDaftarNikah.h"

#include <array>

#include "kit/Records.h"

namespace registry {

using namespace report;

TFQRDaftarNikah* FQRDaftarNikah = nullptr;

namespace {
// The value labels of the two columns, row by row: groom, bride.
struct TPair {
  const char* caption;
  const char* groom;
  const char* bride;
};
constexpr TPair kRows[] = {
    {"1. Nama", "QRLabel68", "QRLabel85"},           {"2. Tempat/Tgl.Lahir", "QRLabel69", "QRLabel86"},
    {"3. Pekerjaan", "QRLabel70", "QRLabel87"},      {"4. Alamat/Sektor", "QRLabel71", "QRLabel88"},
    {"5. No.Telpon", "QRLabel72", "QRLabel90"},      {"6. Anggota Jemaat", "QRLabel73", "QRLabel91"},
    {"7. Tempat/Tgl.Baptis", "QRLabel74", "QRLabel92"}, {"8. Tempat/Tgl.Sidi", "QRLabel75", "QRLabel93"},
    {"9. Suku Bangsa", "QRLabel76", "QRLabel94"},
};
}  // namespace

TFQRDaftarNikah::TFQRDaftarNikah(rtl::TComponent* owner)
    : TSacramentForm(owner, "FQRDaftarNikah", "FORM PERMOHONAN PEMBERKATAN NIKAH GEREJA", 660,
                     "QRLabelTempat") {
  const int w = BandWidth(), half = w / 2, step = 18;
  AddLabel(DetailBand1, "QRLabel13", 0, 2, w, "", gui::fsBold)->Alignment = gui::TAlignment::taCenter;
  int y = 24;
  // One row of the groom's and the bride's value side by side, captioned alike, at an indent.
  auto pair = [&](const char* caption, const char* groom, const char* bride, int indent) {
    const int captionW = 120 - indent;
    Item(groom, indent, y, captionW, caption, half - 140);
    Item(bride, half + indent, y, captionW, caption, half - 140);
    y += step;
  };
  Heading("QRLabelPria", 0, y, "Mempelai Pria");
  Heading("QRLabelWanita", half, y, "Mempelai Wanita");
  y += step + 4;
  for (const TPair& r : kRows) pair(r.caption, r.groom, r.bride, 0);
  // The sector after the address.
  AddLabel(DetailBand1, "QRLabel84", half - 60, y - step * 6, 60, "");
  AddLabel(DetailBand1, "QRLabel89", w - 60, y - step * 6, 60, "");
  const char* people[][5] = {{"10. Nama Ayah", "QRLabel105", "QRLabel77", "QRLabel108", "QRLabel95"},
                             {"11. Nama Ibu", "QRLabel106", "QRLabel78", "QRLabel109", "QRLabel96"},
                             {"12. Nama Wali", "QRLabel107", "QRLabel79", "QRLabel110", "QRLabel97"}};
  for (auto& p : people) {
    pair(p[0], p[1], p[3], 0);
    pair("Tempat/Tgl.Lahir", p[2], p[4], 14);
  }
  AddLabel(DetailBand1, "QRLabelSaksi", 0, y, 200, "13. Saksi-Saksi Nikah");
  y += step;
  const char* witness[][3] = {{"Nama", "QRLabel80", "QRLabel98"},
                              {"Umur", "QRLabel81", "QRLabel99"},
                              {"Pekerjaan", "QRLabel82", "QRLabel100"},
                              {"Alamat", "QRLabel83", "QRLabel101"}};
  for (auto& r : witness) pair(r[0], r[1], r[2], 14);
  y += 8;
  Heading("QRLabelCapil", 0, y, "CATATAN SIPIL");
  Heading("QRLabelGereja", half, y, "PEMBERKATAN GEREJA");
  y += step + 2;
  AddLabel(DetailBand1, "QRLabelPelaksanaan", 0, y, 200, "14. Pelaksanaan Nikah");
  y += step;
  const char* ceremony[][3] = {{"Tempat/Tanggal", "QRLabel111", "QRLabel114"},
                               {"Waktu", "QRLabel112", "QRLabel115"},
                               {"Oleh", "QRLabel113", "QRLabel116"}};
  for (auto& r : ceremony) pair(r[0], r[1], r[2], 14);
  y += 8;
  AddLabel(DetailBand1, "QRLabelCatatan", 0, y, 200, "15. Catatan Majelis", gui::fsBold);
  y += step;
  Item("QRLabelBersedia", 14, y, 370, "- Bersedia mengikuti Pengembalaan & Katekisasi Pranikah", 100);
  Item("QRLabelPelayanan", 14, y + step, 370, "- Pelayanan Pemberkatan", 100);

  ChildBand1->Height = 170;
  AddLabel(ChildBand1, "QRLabelPemohon", 0, 24, 200, "Pemohon")->Alignment = gui::TAlignment::taCenter;
  Signature("QRLabel12", 0, 70, "", "Mempelai Pria");
  Signature("QRLabel117", 210, 70, "", "Mempelai Wanita");
  AddLabel(ChildBand1, "QRLabelMajelis", w - 200, 24, 200, "Majelis Jemaat")->Alignment = gui::TAlignment::taCenter;
  AddLabel(ChildBand1, "QRLabel120", w - 200, 42, 200, "")->Alignment = gui::TAlignment::taCenter;
  Signature("QRLabel121", w - 200, 70, "", "Ketua");
  Signature("QRLabelKordinator", w - 200, 120, "", "Kordinator Sektor");
}

void TFQRDaftarNikah::Fill(data::TZQuery& row, data::TZQuery& q) {
  auto set = [this](const char* name, const std::string& text) {
    dynamic_cast<TQRLabel*>(FindComponent(name))->SetCaption(text);
  };
  // No row (an empty grid): every value empty, the number line alone.
  const bool any = row.Active() && row.RecordCount() > 0;
  auto s = [&](const std::string& field) { return any ? row.FieldByName(field)->AsString() : std::string(); };
  auto placeDate = [&](const std::string& place, const std::string& date) {
    return any ? s(place) + "," + DateText(row, date.c_str()) : std::string();
  };
  set("QRLabel13", "No. " + s("no_reg"));
  for (auto [side, names] : {std::pair{std::string("pria"), std::array{"QRLabel68", "QRLabel69", "QRLabel70",
                                                                        "QRLabel71", "QRLabel84", "QRLabel72",
                                                                        "QRLabel73", "QRLabel74", "QRLabel75",
                                                                        "QRLabel76", "QRLabel105", "QRLabel77",
                                                                        "QRLabel106", "QRLabel78", "QRLabel107",
                                                                        "QRLabel79", "QRLabel80", "QRLabel81",
                                                                        "QRLabel82", "QRLabel83", "QRLabel111",
                                                                        "QRLabel112", "QRLabel113", "QRLabel12"}},
                             std::pair{std::string("wanita"), std::array{"QRLabel85", "QRLabel86", "QRLabel87",
                                                                          "QRLabel88", "QRLabel89", "QRLabel90",
                                                                          "QRLabel91", "QRLabel92", "QRLabel93",
                                                                          "QRLabel94", "QRLabel108", "QRLabel95",
                                                                          "QRLabel109", "QRLabel96", "QRLabel110",
                                                                          "QRLabel97", "QRLabel98", "QRLabel99",
                                                                          "QRLabel100", "QRLabel101", "QRLabel114",
                                                                          "QRLabel115", "QRLabel116", "QRLabel117"}}}) {
    const std::string x = "_" + side;
    int i = 0;
    set(names[i++], s("nama" + x));
    set(names[i++], placeDate("tmpt_lahir" + x, "tgl_lahir" + x));
    set(names[i++], s("pekerjaan" + x));
    set(names[i++], s("alamat" + x));
    set(names[i++], "/" + s("sekpel" + x));
    set(names[i++], s("no_tlp" + x));
    set(names[i++], s("jemaat" + x));
    set(names[i++], placeDate("tmpt_baptis" + x, "tgl_baptis" + x));
    set(names[i++], placeDate("tmpt_sidi" + x, "tgl_sidi" + x));
    set(names[i++], s("suku_bangsa" + x));
    set(names[i++], s("nama_ayah" + x));
    set(names[i++], placeDate("tmpt_lahir_ayah" + x, "tgl_lahir_ayah" + x));
    set(names[i++], s("nama_ibu" + x));
    set(names[i++], placeDate("tmpt_lahir_ibu" + x, "tgl_lahir_ibu" + x));
    set(names[i++], s("nama_wali" + x));
    // The guardian's birth only when a guardian is named.
    set(names[i++], s("nama_wali" + x).empty() ? "" : placeDate("tmpt_lahir_wali" + x, "tgl_lahir_wali" + x));
    set(names[i++], s("nama_saksi" + x));
    set(names[i++], s("umur_saksi" + x));
    set(names[i++], s("pekerjaan_saksi" + x));
    set(names[i++], s("alamat_saksi" + x));
    const std::string c = side == "pria" ? "capil" : "pemberkatan";
    set(names[i++], placeDate("tmpt_" + c, "tgl_" + c));
    set(names[i++], any ? TimeText(row, ("jam_" + c).c_str()) : "");
    set(names[i++], s("dilayani_oleh_" + c));
    set(names[i++], s("nama" + x));
  }
  kit::SetSQL(q, {"select * from gereja"});
  q.Open();
  set("QRLabel120", q.RecordCount() ? q.FieldByName("nama_gereja")->AsString() : "");
  kit::SetSQL(q, {"select nama_pdt from pendeta", "where jabatan=:ja and sts_aktif=:sa"});
  q.ParamByName("ja")->AsString("KMJ");
  q.ParamByName("sa")->AsString("Aktif");
  q.Open();
  set("QRLabel121", q.RecordCount() ? q.FieldByName("nama_pdt")->AsString() : "");
}

}  // namespace registry
