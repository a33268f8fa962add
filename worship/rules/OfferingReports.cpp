#include "worship/rules/OfferingReports.h"

#include "worship/rules/PelkatServices.h"
#include "worship/rules/Services.h"

namespace worship::rules {

namespace {

const std::vector<const char*> kSectors{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

}  // namespace

const TOfferingReport& SundayOfferings() {
  static const TOfferingReport r{
      "FRepPersembahanIbadahMinggu",
      "FQRRepPersembahanIbadahMinggu",
      "Laporan Persembahan Ibadah Minggu",
      "Jam Ibadah",
      Sunday().times,
      {"select * from ibadah_minggu", "where tgl>=:t1 and tgl<=:t2"},
      "and jam=:ja",
      "ja",
      "Jam : ",
      "Semua Jam Ibadah Minggu",
      "LAPORAN PERSEMBAHAN IBADAH MINGGU",
      {{"Kode", "kode", 140},
       {"Tanggal", "tgl", 76},
       {"Jam", "jam", 46},
       {"Lokasi", "tempat", 54},
       {"Rutin", "kantong_rutin", 105, true},
       {"Pembangunan", "kantong_pembangunan", 105, true},
       {"Persepuluhan", "persepuluhan", 105, true},
       {"Syukur", "syukur", 105, true},
       {"SBU", "sbu", 105, true},
       {"Lain-Lain", "kantong_lainlain", 105, true}}};
  return r;
}

const TOfferingReport& SectorOfferings() {
  static const TOfferingReport r{
      "FRepPersembahanIbadahSektor",
      "FQRRepPersembahanIbadahSektor",
      "Laporan Persembahan Ibadah Sektor",
      "Sektor",
      kSectors,
      {"select * from ibadah_sektor", "where tgl>=:t1 and tgl<=:t2"},
      "and sekpel=:se",
      "se",
      "Sektor Pelayanan : ",
      "Semua Sektor Pelayanan",
      "LAPORAN PERSEMBAHAN IBADAH SEKTOR/RUMAH TANGGA",
      {{"Kode", "kode", 120},
       {"Tanggal", "tgl", 72},
       {"SekPel", "sekpel", 52},
       {"Tuan Rumah", "nama_tuan_rumah", 144},
       {"Pel.Firman", "sts_pf", 84},
       {"Nama Pel.Firman", "nama_pf", 150},
       {"Liturgos", "liturgos", 80},
       {"PKT", "pkt", 80},
       {"Kolekte", "kolekte", 84, true},
       {"Syukur", "syukur", 84, true}}};
  return r;
}

const TOfferingReport& PelkatOfferings() {
  static const TOfferingReport r{
      "FRepPersembahanIbadahPelkat",
      "FQRRepPersembahanIbadahPelkat",
      "Laporan Persembahan Ibadah Pelkat",
      "Pelkat",
      Categories(),
      {"select i.kode,i.tgl,i.pelkat,d.wilayah,d.nama_tuan_rumah,d.sts_pf,d.nama_pf,d.kolekte,d.syukur,d.jml_jemaat "
       "from ibadah_pelkat i,ibadah_pelkat_detail d",
       "where i.kode=d.kode", "and i.tgl>=:t1 and i.tgl<=:t2"},
      "and pelkat=:pe",
      "pe",
      "Pelayanan Kategorial : ",
      "Semua Pelayanan Kategorial",
      "LAPORAN PERSEMBAHAN IBADAH PELAYANAN KATEGORIAL",
      {{"Kode", "kode", 120},
       {"Tanggal", "tgl", 72},
       {"Pelkat", "pelkat", 52},
       {"Wilayah", "wilayah", 60},
       {"Tuan Rumah", "nama_tuan_rumah", 134},
       {"Pel.Firman", "sts_pf", 100},
       {"Nama Pel.Firman", "nama_pf", 140},
       {"Kolekte", "kolekte", 90, true},
       {"Syukur", "syukur", 90, true},
       {"Jml.Jemaat", "jml_jemaat", 82, false, true}}};
  return r;
}

const TOfferingReport& ThanksgivingOfferings() {
  static const TOfferingReport r{
      "FRepPersembahanIbadahSyukur",
      "FQRRepPersembahanIbadahSyukur",
      "Laporan Persembahan Ibadah Syukur",
      "Sektor",
      kSectors,
      {"select * from ibadah_syukur", "where tgl>=:t1 and tgl<=:t2"},
      "and sekpel=:se",
      "se",
      "Sektor Pelayanan : ",
      "Semua Sektor Pelayanan",
      "LAPORAN PERSEMBAHAN IBADAH SYUKUR",
      {{"Kode", "kode", 120},
       {"Tanggal", "tgl", 72},
       {"SekPel", "sekpel", 52},
       {"Ibadah", "judul_ibadah", 150},
       {"Tuan Rumah", "nama_tuan_rumah", 134},
       {"Pel.Firman", "sts_pf", 100},
       {"Nama Pel.Firman", "nama_pf", 140},
       {"Kolekte", "kolekte", 91, true},
       {"Syukur", "syukur", 91, true}}};
  return r;
}

const TOfferingReport& FeastOfferings() {
  static const TOfferingReport r{
      "FRepPersembahanIbadahHariRayaGerejawi",
      "FQRRepPersembahanIbadahHariRayaGerejawi",
      "Laporan Persembahan Ibadah Hari Raya Gerejawi",
      "Ibadah",
      Feasts(),
      {"select * from ibadah_hariraya_gerejawi", "where tgl>=:t1 and tgl<=:t2"},
      "and judul_ibadah=:ji",
      "ji",
      "Ibadah : ",
      "Semua Ibadah Hari Raya Gerejawi",
      "LAPORAN PERSEMBAHAN IBADAH HARI RAYA GEREJAWI",
      {{"Kode", "kode", 134},
       {"Tanggal", "tgl", 72},
       {"Jam", "jam", 46},
       {"Lokasi", "tempat", 52},
       {"Ibadah", "judul_ibadah", 146},
       {"Rutin", "kantong_rutin", 100, true},
       {"Pembangunan", "kantong_pembangunan", 100, true},
       {"Persepuluhan", "persepuluhan", 100, true},
       {"Syukur", "syukur", 100, true},
       {"SBU", "sbu", 100, true}}};
  return r;
}

const std::vector<const TOfferingReport*>& OfferingReports() {
  static const std::vector<const TOfferingReport*> all{&SundayOfferings(), &SectorOfferings(), &PelkatOfferings(),
                                                        &ThanksgivingOfferings(), &FeastOfferings()};
  return all;
}

std::vector<std::string> OfferingStatement(const TOfferingReport& r, bool filtered) {
  std::vector<std::string> lines(r.select.begin(), r.select.end());
  if (filtered) lines.emplace_back(r.filter);
  return lines;
}

std::string OfferingPeriod(std::string_view from, std::string_view to) {
  return "Tanggal : " + std::string(from) + " Sampai " + std::string(to);
}

std::string OfferingFilterText(const TOfferingReport& r, bool filtered, std::string_view value) {
  return filtered ? r.prefix + std::string(value) : std::string(r.all);
}

std::string OfferingGrandTotal(const TOfferingReport& r) {
  std::string terms;
  for (const TOfferingColumn& c : r.columns)
    if (c.amount) terms += (terms.empty() ? "" : "+") + std::string(c.field);
  return "SUM(" + terms + ")";
}

}  // namespace worship::rules
