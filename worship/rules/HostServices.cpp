#include "worship/rules/HostServices.h"

#include <cctype>

namespace worship::rules {

using kit::rules::kInsert;
using kit::rules::TMap;
using kit::rules::TRecordSpec;

namespace {

constexpr TMap kText = TMap::Text, kDate = TMap::Date, kTime = TMap::Time, kChoice = TMap::Choice,
               kUser = TMap::User, kDerived = TMap::Derived;

const TRecordSpec& SectorRecord() {
  static const TRecordSpec r{"ibadah_sektor",
                             {{"kode", "ko", kDerived, {}, {}, "", kInsert},
                              {"tgl", "tgl", kDate, {"DateTimePicker1"}},
                              {"jam", "jam", kTime, {"DateTimePicker2"}},
                              {"sekpel", "se", kChoice, {"ComboBox1"}},
                              {"tuan_rumah", "tr", kText, {"Edit2"}},
                              {"ayat", "ay", kText, {"Edit4"}},
                              {"tema_kotbah", "tk", kText, {"Edit5"}},
                              {"pf", "pf", kText, {"Edit6"}},
                              {"nama_pf", "np", kText, {"Edit7"}},
                              {"liturgos", "li", kDerived},
                              {"pkt", "pkt", kDerived},
                              {"kolekte", "kol", kDerived, {"Edit10"}},
                              {"syukur", "sy", kDerived, {"Edit11"}},
                              {"jml_jemaat", "jj", kDerived, {"Edit14"}},
                              {"keterangan", "ke", kDerived},
                              {"validasi", "va", kText, {"Edit12"}},
                              {"nama_tuan_rumah", "ntr", kText, {"Edit3"}},
                              {"sts_pf", "sp", kChoice, {"ComboBox3"}},
                              {"username", "un", kUser}},
                             {},
                             {{"kode", "ko"}}};
  return r;
}

const TRecordSpec& ThanksgivingRecord() {
  static const TRecordSpec r{"ibadah_syukur",
                             {{"kode", "ko", kDerived, {}, {}, "", kInsert},
                              {"tgl", "tgl", kDate, {"DateTimePicker1"}},
                              {"jam", "jam", kTime, {"DateTimePicker2"}},
                              {"sekpel", "se", kChoice, {"ComboBox1"}},
                              {"tuan_rumah", "tr", kChoice, {"ComboBox2"}},
                              {"nij", "ni", kText, {"Edit2"}},
                              {"ayat", "ay", kText, {"Edit4"}},
                              {"judul_ibadah", "ji", kChoice, {"ComboBox4"}},
                              {"pf", "pf", kText, {"Edit6"}},
                              {"nama_pf", "np", kText, {"Edit7"}},
                              {"liturgos", "li", kText, {"Edit8"}},
                              {"pkt", "pkt", kText, {"Edit9"}},
                              {"kolekte", "kol", kDerived, {"Edit10"}},
                              {"syukur", "sy", kDerived, {"Edit11"}},
                              {"keterangan", "ke", kDerived},
                              {"validasi", "va", kText, {"Edit12"}},
                              {"nama_tuan_rumah", "ntr", kText, {"Edit3"}},
                              {"sts_pf", "sp", kChoice, {"ComboBox3"}},
                              {"username", "un", kUser},
                              {"jml_jemaat", "jj", kDerived, {"Edit5"}}},
                             {},
                             {{"kode", "ko"}}};
  return r;
}

}  // namespace

const THostKind& SectorService() {
  static const THostKind k{"IS", "ibadah_sektor", "Ibadah Sektor", true, {"Pendeta", "Jemaat", "Presbiter"},
                           "Edit14", SectorRecord};
  return k;
}

const THostKind& ThanksgivingService() {
  static const THostKind k{"IY",  "ibadah_syukur", "Ibadah Syukur", false, {"Pendeta", "Vikaris", "Mahasiswa Praktek", "Jemaat"},
                           "Edit5", ThanksgivingRecord};
  return k;
}

const std::vector<const char*>& Occasions() {
  static const std::vector<const char*> o{"Ulang Tahun Kelahiran",    "Ulang Tahun Perkawinan", "Syukur Baptis",
                                          "Syukur Sidi",              "Masuk Rumah Baru",       "Kenaikan Jabatan/Pangkat",
                                          "Pekerjaan Baru",           "Kelulusan Pendidikan",   "Dan Lain-Lain"};
  return o;
}

std::string ShownCouncil(std::string_view nimp, std::string_view name) {
  if (nimp.empty()) return {};
  return "[" + std::string(nimp) + "]" + std::string(name);
}

std::string CouncilNumberOf(std::string_view shown) {
  if (shown.empty() || shown.front() != '[') return {};
  shown.remove_prefix(1);
  return std::string(shown.substr(0, shown.find(']')));
}

std::optional<int> SectorEntry(std::string_view sekpel) {
  if (sekpel.empty() || sekpel.size() > 2) return std::nullopt;
  int n = 0;
  for (char c : sekpel) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > 10) return std::nullopt;
  return n - 1;
}

const char* SectorHostKind(std::string_view tuanRumah) {
  return tuanRumah.substr(0, 3) == "NIP" ? "Pendeta" : "Jemaat";
}

std::string PreacherLine(std::string_view kind, std::string_view name, std::string_view councilTitle) {
  if (kind == "Pendeta") return "Pdt. " + std::string(name);
  if (kind == "Vikaris") return "Vik. " + std::string(name);
  if (kind == "Majelis") return std::string(councilTitle) + ". " + std::string(name);
  return std::string(name);
}

}  // namespace worship::rules
