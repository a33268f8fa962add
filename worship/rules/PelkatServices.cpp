#include "worship/rules/PelkatServices.h"

#include <string>

namespace worship::rules {

using kit::rules::kInsert;
using kit::rules::TMap;
using kit::rules::TRecordSpec;

const std::vector<const char*>& Categories() {
  static const std::vector<const char*> c{"PA", "PT", "GP", "PKP", "PKB", "PKLU"};
  return c;
}

std::vector<const char*> ClassesOf(std::string_view category) {
  if (category == "PA") return {"TK", "Kecil A", "Kecil B", "Tanggung", "Pra PT"};
  if (category == "PT") return {"Eka Junior", "Eka Senior", "Dwi"};
  for (const char* c : Categories())
    if (category == c) return {c};
  return {};
}

const std::vector<const char*>& Areas() {
  static const std::vector<const char*> a{"Gabung", "Utara", "Selatan"};
  return a;
}

const std::vector<const char*>& Places() {
  static const std::vector<const char*> p{"Gereja", "POS", "Rumah"};
  return p;
}

const std::vector<const char*>& HostStatuses() {
  static const std::vector<const char*> h{"Anggota", "Pengurus"};
  return h;
}

const std::vector<const char*>& PelkatPreacherKinds() {
  static const std::vector<const char*> k{"Pendeta", "Vikaris", "Mahasiswa Praktek", "Majelis", "Pengurus",
                                          "Eksternal"};
  return k;
}

const TRecordSpec& PelkatRecord() {
  static const TRecordSpec r{"ibadah_pelkat",
                             {{"kode", "ko", TMap::Derived, {}, {}, "", kInsert},
                              {"tgl", "tgl", TMap::Date, {"DateTimePicker1"}},
                              {"jam", "jam", TMap::Time, {"DateTimePicker2"}},
                              {"pelkat", "pe", TMap::Choice, {"ComboBox1"}},
                              {"validasi", "va", TMap::Text, {"Edit2"}},
                              {"total_kolekte", "tk", TMap::Derived},
                              {"total_syukur", "ts", TMap::Derived},
                              {"username", "un", TMap::User}},
                             {},
                             {{"kode", "ko"}}};
  return r;
}

const std::vector<TLineColumn>& PelkatLineColumns() {
  static const std::vector<TLineColumn> c{
      {"wilayah", "wi"},       {"tuan_rumah", "tr"},       {"nama_tuan_rumah", "ntr"},
      {"ayat", "ay"},          {"sts_pf", "sp"},           {"pf", "pf"},
      {"nama_pf", "np"},       {"liturgos", "li"},         {"nama_liturgos", "nl"},
      {"pkt", "pkt"},          {"nama_pkt", "npkt"},       {"kolekte", "kl", TLineColumn::Float},
      {"syukur", "sy", TLineColumn::Float}, {"keterangan", "ke"}, {"jml_jemaat", "jj", TLineColumn::Integer},
      {"sts_tuan_rumah", "str"}, {"tempat", "te"},         {"kelas", "ks"}};
  return c;
}

std::string PelkatLineInsert(std::string_view table, bool withNumber) {
  std::string columns = withNumber ? "kode" : "", values = withNumber ? ":ko" : "";
  for (const TLineColumn& c : PelkatLineColumns()) {
    if (!columns.empty()) {
      columns += ",";
      values += ",";
    }
    columns += c.column;
    values += std::string(":") + c.param;
  }
  return "insert into " + std::string(table) + "(" + columns + ")values(" + values + ")";
}

std::string LineExistsText(std::string_view area, std::string_view place, std::string_view klass) {
  return "Ibadah di Wilayah : " + std::string(area) + " dan Tempat : " + std::string(place) + " dan Kelas : " +
         std::string(klass) + " sudah ada. Perubahan akan dilakukan";
}

std::string LineChangedText(std::string_view area) { return "Tuan Rumah di Wilayah: " + std::string(area) + " sudah di-ubah"; }

}  // namespace worship::rules
