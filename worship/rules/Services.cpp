#include "worship/rules/Services.h"

#include <cctype>
#include <cmath>

#include "registry/rules/Numbering.h"
#include "rtl/FormatNumber.h"
#include "rtl/SysUtils.h"

namespace worship::rules {

using kit::rules::kInsert;
using kit::rules::TMap;
using kit::rules::TRecordSpec;

std::string NextServiceNumber(std::string_view prefix, const std::optional<std::string>& lastKode,
                              rtl::TDateTime day) {
  const int counter = registry::rules::NextCounter(lastKode, 13);
  return std::string(prefix) + "-" + registry::rules::DatePart(day) + "-" + rtl::IntToStr(counter);
}

TPinMode PinMode(bool sunday, bool sector, bool feast) {
  const int shown = int(sunday) + int(sector) + int(feast);
  if (shown == 0) return TPinMode::Validator;
  if (shown > 1) return TPinMode::None;
  if (sunday) return TPinMode::SundayUnlock;
  return sector ? TPinMode::SectorUnlock : TPinMode::FeastUnlock;
}

TValidator ValidatorFor(bool p1, bool p5) {
  if (p1) return TValidator::P1;
  return p5 ? TValidator::P5 : TValidator::None;
}

const char* ValidatorEdit(TValidator v) {
  switch (v) {
    case TValidator::P1: return "Edit16";
    case TValidator::P5: return "Edit17";
    case TValidator::None: break;
  }
  return nullptr;
}

bool MayValidateP1(std::string_view p5) { return !p5.empty(); }

bool PinGiven(std::string_view pin) { return !pin.empty(); }

int PlaceForTime(std::string_view time) { return time == "08:00" ? 1 : 0; }

std::optional<int> PlaceEntry(std::string_view tempat) {
  if (tempat == "PLK") return 0;
  if (tempat == "VRN") return 1;
  return std::nullopt;
}

int NextOrder(int rows) { return rows + 1; }

std::string PrintedAmount(double value) { return rtl::FormatFloat("#,##", std::round(value)); }

std::string PrintedTime(std::string_view jam) {
  const bool shaped = jam.size() == 5 && jam[2] == ':' && std::isdigit((unsigned char)jam[0]) &&
                      std::isdigit((unsigned char)jam[1]) && std::isdigit((unsigned char)jam[3]) &&
                      std::isdigit((unsigned char)jam[4]);
  if (!shaped) return std::string(jam);
  const int h = (jam[0] - '0') * 10 + (jam[1] - '0'), m = (jam[3] - '0') * 10 + (jam[4] - '0');
  if (h > 23 || m > 59) return std::string(jam);
  return rtl::TimeToStr(rtl::EncodeTime(h, m, 0));
}

std::string FormStatus(std::string_view validasi1) {
  return validasi1.empty() ? "Form : DRAFT Ibadah" : "Form : REALISASI Ibadah";
}

namespace {

constexpr TMap kText = TMap::Text, kDate = TMap::Date, kChoice = TMap::Choice, kUser = TMap::User,
               kDerived = TMap::Derived;

// The columns both kinds share, in the insert's order around their own ones.
const TRecordSpec& SundayRecord() {
  static const TRecordSpec r{
      "ibadah_minggu",
      {{"kode", "ko", kDerived, {}, {}, "", kInsert},
       {"tgl", "tgl", kDate, {"DateTimePicker1"}},
       {"jam", "jam", kChoice, {"ComboBox4"}},
       {"tempat", "te", kDerived},
       {"ayat", "ay", kText, {"Edit2"}},
       {"tema_kotbah", "tk", kText, {"Edit3"}},
       {"pf", "pf", kChoice, {"ComboBox2"}},
       {"nama_pf", "np", kText, {"Edit4"}},
       {"nama_gereja", "ng", kText, {"Edit5"}},
       {"pianis", "pi", kText, {"Edit6"}},
       {"prokantor", "pr", kText, {"Edit7"}},
       {"kantoria", "ka", kText, {"Edit8"}},
       {"multimedia", "mu", kText, {"Edit9"}},
       {"kantong_rutin", "kr", kDerived, {"Edit10"}},
       {"kantong_pembangunan", "kp", kDerived, {"Edit11"}},
       {"persepuluhan", "pe", kDerived, {"Edit12"}},
       {"syukur", "sy", kDerived, {"Edit13"}},
       {"sbu", "sbu", kDerived, {"Edit14"}},
       {"jml_jemaat", "jj", kDerived, {"Edit15"}},
       {"keterangan", "ke", kDerived},
       {"validasi_1", "v1", kText, {"Edit16"}},
       {"validasi_2", "v2", kText, {"Edit17"}},
       {"soundman1", "s1", kText, {"Edit19"}},
       {"soundman2", "s2", kText, {"Edit20"}},
       {"nip_pf", "nipp", kText, {"Edit21"}},
       {"username", "un", kUser},
       {"kantong_lainlain", "kll", kDerived, {"Edit22"}}},
      {},
      {{"kode", "ko"}}};
  return r;
}

const TRecordSpec& FeastRecord() {
  static const TRecordSpec r{
      "ibadah_hariraya_gerejawi",
      {{"kode", "ko", kDerived, {}, {}, "", kInsert},
       {"tgl", "tgl", kDate, {"DateTimePicker1"}},
       {"jam", "jam", kChoice, {"ComboBox4"}},
       {"tempat", "te", kDerived},
       {"ayat", "ay", kText, {"Edit2"}},
       {"judul_ibadah", "ji", kChoice, {"ComboBox5"}},
       {"sts_pf", "sp", kChoice, {"ComboBox2"}},
       {"pf", "pf", kText, {"Edit21"}},
       {"nama_pf", "np", kText, {"Edit4"}},
       {"nama_gereja", "ng", kText, {"Edit5"}},
       {"pianis", "pi", kText, {"Edit6"}},
       {"prokantor", "pr", kText, {"Edit7"}},
       {"kantoria", "ka", kText, {"Edit8"}},
       {"multimedia", "mu", kText, {"Edit9"}},
       {"kantong_rutin", "kr", kDerived, {"Edit10"}},
       {"kantong_pembangunan", "kp", kDerived, {"Edit11"}},
       {"persepuluhan", "pe", kDerived, {"Edit12"}},
       {"syukur", "sy", kDerived, {"Edit13"}},
       {"sbu", "sbu", kDerived, {"Edit14"}},
       {"jml_jemaat", "jj", kDerived, {"Edit15"}},
       {"keterangan", "ke", kDerived},
       {"validasi_1", "v1", kText, {"Edit16"}},
       {"validasi_2", "v2", kText, {"Edit17"}},
       {"soundman1", "s1", kText, {"Edit19"}},
       {"soundman2", "s2", kText, {"Edit20"}},
       {"username", "un", kUser}},
      {},
      {{"kode", "ko"}}};
  return r;
}

}  // namespace

const std::vector<const char*>& Feasts() {
  static const std::vector<const char*> f{"Tahun Baru",   "Jumat Agung",  "Paskah",        "Kenaikan Tuhan Yesus",
                                          "Kemerdekaan Indonesia", "Malam Natal", "Hari Natal I", "Hari Natal II",
                                          "Malam Tahun Baru"};
  return f;
}

const TServiceKind& Sunday() {
  static const TServiceKind k{"IM",
                              "ibadah_minggu",
                              "Ibadah Minggu",
                              15,
                              true,
                              true,
                              {"07:00", "08:00", "09:00", "18:00"},
                              {"Pendeta", "Vikaris", "Mahasiswa Praktek", "Majelis", "Eksternal"},
                              SundayRecord};
  return k;
}

const TServiceKind& Feast() {
  static const TServiceKind k{"IG",
                              "ibadah_hariraya_gerejawi",
                              "Ibadah Hari Raya Gerejawi",
                              30,
                              false,
                              false,
                              {"04:00", "07:00", "08:00", "09:00", "18:00"},
                              {"Pendeta", "Vikaris", "Majelis", "Mahasiswa Praktek", "Eksternal"},
                              FeastRecord};
  return k;
}

}  // namespace worship::rules
