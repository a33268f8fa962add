#include "registry/rules/Records.h"

namespace registry::rules {

using kit::rules::kInsert;
using kit::rules::TMap;
using kit::rules::TRecordSpec;

namespace {
constexpr TMap kText = TMap::Text, kDate = TMap::Date, kDateIf = TMap::DateIf, kTextIf = TMap::TextIf,
               kChoice = TMap::Choice, kRadio = TMap::Radio, kPhoto = TMap::Photo, kUser = TMap::User,
               kDerived = TMap::Derived;
}  // namespace

const TRecordSpec& MinisterRecord() {
  static const TRecordSpec r{
      "pendeta",
      {{"nip", "ni", kText, {"Edit1"}, {}, "", kInsert},
       {"nama_pdt", "np", kText, {"Edit2"}},
       {"nama_istri_suami", "nis", kText, {"Edit3"}},
       {"jml_anak", "ja", kText, {"Edit4"}, {}, "0"},
       {"tmp_lahir", "tl", kText, {"Edit11"}},
       {"tgl_lahir", "tgl", kDate, {"DateTimePicker1"}},
       {"sts_aktif", "sa", kRadio, {"RadioButton1", "RadioButton2", "RadioButton3"}, {"Aktif", "Mutasi", "Emeritus"}},
       {"tgl_mulai", "tm", kDate, {"DateTimePicker2"}},
       {"tgl_selesai", "ts", kDate, {"DateTimePicker3"}},
       {"pindah_dari", "pd", kText, {"Edit12"}},
       {"no_sk_masuk", "nsm", kText, {"Edit13"}},
       {"pindah_ke", "pk", kText, {"Edit14"}},
       {"no_sk_keluar", "nsk", kText, {"Edit15"}},
       {"foto", "fo", kPhoto, {"Image1"}},
       {"nama_anak_1", "na1", kText, {"Edit5"}},
       {"nama_anak_2", "na2", kText, {"Edit6"}},
       {"nama_anak_3", "na3", kText, {"Edit7"}},
       {"nama_anak_4", "na4", kText, {"Edit8"}},
       {"nama_anak_5", "na5", kText, {"Edit9"}},
       {"nama_anak_6", "na6", kText, {"Edit10"}},
       {"jabatan", "jb", kChoice, {"ComboBox1"}},
       {"ktp", "kt", kText, {"Edit16"}},
       {"username", "un", kUser}},
      {},
      {{"nip", "ni"}}};
  return r;
}

const TRecordSpec& VicarRecord() {
  static const TRecordSpec r{
      "vikaris",
      {{"niv", "ni", kText, {"Edit1"}, {}, "", kInsert},
       {"nama_vik", "nv", kText, {"Edit2"}},
       {"tmp_lahir", "tl", kText, {"Edit3"}},
       {"tgl_lahir", "tgl", kDate, {"DateTimePicker1"}},
       {"masa_vik_ke", "mvk", kText, {"Edit4"}},
       {"sts_aktif", "sa", kRadio, {"RadioButton1", "RadioButton2", "RadioButton3"}, {"Aktif", "Mutasi", "Peneguhan"}},
       {"tgl_mulai", "tm", kDate, {"DateTimePicker2"}},
       {"tgl_selesai", "ts", kDate, {"DateTimePicker3"}},
       {"pindah_dari", "pd", kText, {"Edit6"}},
       {"no_sk_masuk", "nsm", kText, {"Edit7"}},
       {"pindah_ke", "pk", kText, {"Edit8"}},
       {"no_sk_keluar", "nsk", kText, {"Edit9"}},
       {"foto", "fo", kPhoto, {"Image1"}},
       {"ktp", "kt", kText, {"Edit5"}},
       {"username", "un", kUser}},
      {},
      {{"niv", "ni"}}};
  return r;
}

const TRecordSpec& StudentRecord() {
  static const TRecordSpec r{
      "mhs_praktek",
      {{"nim", "ni", kText, {"Edit1"}, {}, "", kInsert},
       {"nama", "na", kText, {"Edit2"}, {}, "", kit::rules::kBoth, "nm"},
       {"tmp_lahir", "tl", kText, {"Edit3"}},
       {"tgl_lahir", "tgl", kDate, {"DateTimePicker1"}},
       {"no_surat_praktek", "nsp", kText, {"Edit6"}},
       {"sts_aktif", "sa", kRadio, {"RadioButton1", "RadioButton2"}, {"Aktif", "Selesai"}},
       {"tgl_mulai", "tm", kDate, {"DateTimePicker2"}},
       {"tgl_selesai", "ts", kDate, {"DateTimePicker3"}},
       {"kampus", "ka", kText, {"Edit4"}},
       {"foto", "fo", kPhoto, {"Image1"}},
       {"ktp", "kt", kText, {"Edit5"}},
       {"username", "un", kUser}},
      {"nama", "tmp_lahir", "tgl_lahir", "sts_aktif", "tgl_mulai", "tgl_selesai", "no_surat_praktek", "foto", "ktp",
       "kampus", "username"},
      {{"nim", "ni"}}};
  return r;
}

const TRecordSpec& CouncilRecord() {
  static const TRecordSpec r{
      "majelis",
      {{"nimp", "nm", kText, {"Edit1"}, {}, "[Auto]", kInsert},
       {"nij", "ni", kText, {"Edit2"}},
       // No radio button checked stores an elder, as the window always did.
       {"pnt_dkn", "pd", kRadio, {"RadioButton1", "RadioButton2"}, {"Pnt", "Dkn"}, "Pnt"},
       // The period text is made from the two dates when the record binds; Edit8 shows it.
       {"periode", "pe", kDerived, {"Edit8"}, {}, "[Auto]"},
       {"sts_aktif", "sa", kChoice, {"ComboBox1"}},
       {"tgl_mulai", "tm", kDate, {"DateTimePicker1"}},
       {"tgl_selesai", "ts", kDate, {"DateTimePicker2"}},
       {"foto", "fo", kPhoto, {"Image1"}},
       // The reason belongs to an ended term only; an active one stores none.
       {"alasan_selesai", "as", kTextIf, {"Edit9", "ComboBox1"}, {"Selesai"}},
       {"username", "un", kUser}},
      {},
      {{"nimp", "nm"}}};
  return r;
}

const TRecordSpec& ExecutiveRecord() {
  static const TRecordSpec r{
      "phmj",
      {{"nimp", "nm", kText, {"Edit1"}, {}, "", kInsert},
       {"jabatan", "ja", kChoice, {"ComboBox1"}},
       {"sts_aktif", "sa", kRadio, {"RadioButton1", "RadioButton2"}, {"Aktif", "Selesai"}, "Aktif"},
       {"tgl_mulai", "tm", kDate, {"DateTimePicker1"}},
       {"tgl_selesai", "ts", kDate, {"DateTimePicker2"}},
       {"periode", "pe", kDerived, {"Edit6"}, {}, "[Auto]"},
       {"foto", "fo", kPhoto, {"Image1"}},
       {"username", "un", kUser}},
      {},
      {{"nimp", "nm"}}};
  return r;
}

const TRecordSpec& FamilyRecord() {
  static const TRecordSpec r{
      "header_kk",
      {{"nik", "ni", kText, {"Edit1"}, {}, "[Auto]", kInsert},
       {"nama_kk", "nk", kText, {"Edit2"}},
       {"bpk_ibu_sdr", "bis", kChoice, {"ComboBox1"}},
       {"alamat", "al", kText, {"Edit3"}},
       {"tgl_input_daftar", "tid", kDate, {"DateTimePicker1"}},
       {"sekpel", "se", kChoice, {"ComboBox2"}},
       {"foto", "fo", kPhoto, {"Image1"}},
       {"username", "un", kUser}},
      {},
      {{"nik", "ni"}}};
  return r;
}

const TRecordSpec& MemberRecord() {
  static const TRecordSpec r{
      "detail_kk",
      {{"nik", "nik", kText, {"Edit1"}, {}, "", kInsert},
       {"nij", "ni", kText, {"Edit7"}, {}, "[Auto]", kInsert},
       {"nama_dpn", "nd", kText, {"Edit8"}},
       {"nama_tengah", "nt", kText, {"Edit9"}},
       {"nama_blkg", "nb", kText, {"Edit10"}},
       // The three names joined with a blank between each.
       {"nama_gabung", "ng", kDerived},
       {"tmpt_lahir", "tl", kText, {"Edit11"}},
       {"tgl_lahir", "tgl", kDate, {"DateTimePicker1"}},
       {"alamat", "al", kText, {"Edit12"}},
       {"no_hp", "nh", kText, {"Edit13"}},
       {"suku", "su", kText, {"Edit14"}},
       {"tgl_input", "ti", kDate, {"DateTimePicker2"}},
       {"id_card", "ic", kChoice, {"ComboBox1"}},
       {"no_id_card", "nic", kText, {"Edit15"}},
       {"sts_kel", "sk", kChoice, {"ComboBox2"}},
       {"sex", "sx", kChoice, {"ComboBox3"}},
       {"sekpel", "se", kChoice, {"ComboBox6"}},
       {"pelkat", "pe", kChoice, {"ComboBox7"}},
       // A sacrament's or death's date counts only in the state it belongs to; otherwise
       // the zero date says that it does not apply.
       {"baptis", "ba", kChoice, {"ComboBox8"}},
       {"tmpt_baptis", "tb", kText, {"Edit22"}},
       {"tgl_baptis", "tglb", kDateIf, {"DateTimePicker3", "ComboBox8"}, {"SUDAH"}},
       {"sidi", "si", kChoice, {"ComboBox9"}},
       {"tmpt_sidi", "ts", kText, {"Edit23"}},
       {"tgl_sidi", "tgls", kDateIf, {"DateTimePicker4", "ComboBox9"}, {"SUDAH"}},
       {"nikah", "nk", kChoice, {"ComboBox10"}},
       {"tmpt_nikah", "tn", kText, {"Edit24"}},
       {"tgl_nikah", "tgln", kDateIf, {"DateTimePicker5", "ComboBox10"}, {"SUDAH"}},
       {"gol_darah", "gd", kChoice, {"ComboBox4"}},
       {"pend_akhir", "pa", kChoice, {"ComboBox5"}},
       {"jurusan", "ju", kText, {"Edit18"}},
       {"gelar", "ge", kText, {"Edit17"}},
       {"pekerjaan", "pk", kText, {"Edit19"}},
       {"email", "em", kText, {"Edit3"}},
       {"bhs_asing_1", "ba1", kText, {"Edit20"}},
       {"skill", "ski", kText, {"Edit21"}},
       {"sts_hidup", "sh", kChoice, {"ComboBox11"}},
       {"tmpt_meninggal", "tm", kText, {"Edit25"}},
       {"tgl_meninggal", "tglm", kDateIf, {"DateTimePicker6", "ComboBox11"}, {"Meninggal"}},
       {"foto", "fo", kPhoto, {"Image2"}},
       {"suku_bangsa", "sb", kChoice, {"ComboBox12"}},
       {"username", "un", kUser}},
      {},
      {{"nij", "ni"}}};
  return r;
}

}  // namespace registry::rules
