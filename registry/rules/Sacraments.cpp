#include "registry/rules/Sacraments.h"

namespace registry::rules {

using kit::rules::kInsert;
using kit::rules::TMap;
using kit::rules::TRecordSpec;

namespace {
constexpr TMap kText = TMap::Text, kDate = TMap::Date, kTime = TMap::Time, kChoice = TMap::Choice,
               kRadio = TMap::Radio, kFlag = TMap::Flag, kUser = TMap::User;
}  // namespace

// The church status decides the person fields' states; the validation stays NULL until
// the sacrament is carried out or cancelled.
const TRecordSpec& BaptismRecord() {
  static const TRecordSpec r{
      "daftar_baptis",
      {{"no_reg", "nr", kText, {"Edit6"}, {}, "[Auto]", kInsert},
       {"internal_eksternal", "ie", kRadio, {"RadioButton1", "RadioButton2"}, {"Internal", "Eksternal"}},
       {"nij", "ni", kText, {"Edit1"}},
       {"nama_baptis", "nb", kText, {"Edit2"}},
       {"tmpt_lahir_baptis", "tlb", kText, {"Edit3"}},
       {"tgl_lahir_baptis", "tgllb", kDate, {"DateTimePicker4"}},
       {"no_akte_kelahiran", "nak", kText, {"Edit5"}},
       {"nij_ayah", "na", kText, {"Edit10"}},
       {"nama_ayah", "nay", kText, {"Edit11"}},
       {"tmpt_lahir_ayah", "tla", kText, {"Edit12"}},
       {"tgl_lahir_ayah", "tglla", kDate, {"DateTimePicker5"}},
       {"pekerjaan_ayah", "pa", kText, {"Edit14"}},
       {"alamat", "al", kText, {"Edit15"}},
       {"nij_ibu", "niji", kText, {"Edit16"}},
       {"nama_ibu", "nib", kText, {"Edit17"}},
       {"tmpt_lahir_ibu", "tli", kText, {"Edit18"}},
       {"tgl_lahir_ibu", "tglli", kDate, {"DateTimePicker6"}},
       {"pekerjaan_ibu", "pi", kText, {"Edit20"}},
       {"no_akte_nikah", "nan", kText, {"Edit21"}},
       {"tgl_pengembalaan", "tglp", kDate, {"DateTimePicker1"}},
       {"jam_pengembalaan", "jamp", kTime, {"DateTimePicker3"}},
       {"tgl_pelaksanaan", "tglpe", kDate, {"DateTimePicker2"}},
       {"jam_pelaksanaan", "jampe", kChoice, {"ComboBox2"}},
       {"dilayani_oleh", "do", kText, {"Edit24"}},
       {"no_surat_gereja_luar", "nsgl", kText, {"Edit7"}},
       {"nama_gereja", "ng", kText, {"Edit8"}},
       {"nama_kmj", "nk", kText, {"Edit9"}},
       {"cp_kartu_warga_jemaat", "ckwj", kFlag, {"CheckBox1"}},
       {"cp_akte_lahir", "cal", kFlag, {"CheckBox2"}},
       {"cp_srt_nkh_grj", "csng", kFlag, {"CheckBox3"}},
       {"cp_akt_nkh_capil", "canc", kFlag, {"CheckBox4"}},
       {"biaya_admin", "ba", kFlag, {"CheckBox5"}},
       {"no_tlp", "ntp", kText, {"Edit4"}},
       {"sekpel", "se", kText, {"Edit13"}},
       {"validasi", "va", kRadio, {"RadioButton3", "RadioButton4"}, {"Sudah", "Batal"}, nullptr},
       {"username", "un", kUser}},
      {},
      {{"no_reg", "nr"}}};
  return r;
}

const TRecordSpec& CatechismRecord() {
  static const TRecordSpec r{
      "daftar_katekisasi_sidi",
      {{"no_reg", "nr", kText, {"Edit6"}, {}, "[Auto]", kInsert},
       {"internal_eksternal", "ie", kRadio, {"RadioButton1", "RadioButton2"}, {"Internal", "Eksternal"}},
       {"nij", "nij", kText, {"Edit1"}},
       {"nama_sidi", "ns", kText, {"Edit2"}},
       {"tmpt_lahir_sidi", "tls", kText, {"Edit3"}},
       {"tgl_lahir_sidi", "tglls", kDate, {"DateTimePicker4"}},
       {"tmpt_baptis", "tb", kText, {"Edit5"}},
       {"tgl_baptis", "tglb", kDate, {"DateTimePicker7"}},
       {"alamat_sidi", "as", kText, {"Edit22"}},
       {"no_tlp_sidi", "nts", kText, {"Edit19"}},
       {"sekpel_sidi", "ss", kText, {"Edit13"}},
       {"no_surat_gereja_luar", "nsgl", kText, {"Edit7"}},
       {"asal_gereja_agama_sidi", "agas", kText, {"Edit8"}},
       {"nij_ayah", "nija", kText, {"Edit10"}},
       {"nama_ayah", "na", kText, {"Edit11"}},
       {"tmpt_lahir_ayah", "tla", kText, {"Edit12"}},
       {"tgl_lahir_ayah", "tglla", kDate, {"DateTimePicker5"}},
       {"pekerjaan_ayah", "pa", kText, {"Edit14"}},
       {"alamat_ayah", "aa", kText, {"Edit15"}},
       {"sekpel_ayah", "sa", kText, {"Edit23"}},
       {"no_tlp_ayah", "nta", kText, {"Edit4"}},
       {"asal_gereja_agama_ayah", "agaa", kText, {"Edit25"}},
       {"nij_ibu", "niji", kText, {"Edit16"}},
       {"nama_ibu", "ni", kText, {"Edit17"}},
       {"tmpt_lahir_ibu", "tli", kText, {"Edit18"}},
       {"tgl_lahir_ibu", "tglli", kDate, {"DateTimePicker6"}},
       {"pekerjaan_ibu", "pi", kText, {"Edit20"}},
       {"sekpel_ibu", "si", kText, {"Edit27"}},
       {"alamat_ibu", "ai", kText, {"Edit21"}},
       {"no_tlp_ibu", "nti", kText, {"Edit26"}},
       {"asal_gereja_agama_ibu", "agai", kText, {"Edit28"}},
       {"tgl_pengembalaan", "tglp", kDate, {"DateTimePicker1"}},
       {"jam_pengembalaan", "jamp", kTime, {"DateTimePicker3"}},
       {"tgl_pelaksanaan", "tglpe", kDate, {"DateTimePicker2"}},
       {"jam_pelaksanaan", "jampe", kChoice, {"ComboBox2"}},
       {"dilayani_oleh", "do", kText, {"Edit24"}},
       {"cp_kartu_warga_jemaat", "ckwj", kFlag, {"CheckBox1"}},
       {"cp_akte_lahir", "cal", kFlag, {"CheckBox2"}},
       {"cp_td_pengenal", "ctp", kFlag, {"CheckBox3"}},
       {"2_lbr_pas_foto", "2lpf", kFlag, {"CheckBox4"}},
       {"cp_srt_bpts", "csb", kFlag, {"CheckBox5"}},
       {"srt_pernyataan", "sp", kFlag, {"CheckBox6"}},
       {"biaya_admin", "ba", kFlag, {"CheckBox7"}},
       {"validasi", "va", kRadio, {"RadioButton3", "RadioButton4"}, {"Sudah", "Batal"}, nullptr},
       {"pekerjaan_sidi", "ps", kText, {"Edit9"}},
       {"username", "un", kUser}},
      {},
      {{"no_reg", "nr"}}};
  return r;
}

}  // namespace registry::rules
