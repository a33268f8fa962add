#include "shell/rules/Dashboard.h"

namespace shell {

const std::array<TOfferingChart, 5>& OfferingCharts() {
  static const std::array<TOfferingChart, 5> kCharts = {{
      {"Ibadah Minggu", "ibadah_minggu", "kantong_rutin+kantong_pembangunan+persepuluhan+syukur+sbu",
       "Jumlah Persembahan Ibadah Minggu Bulanan", 0x000000},
      {"Ibadah Sektor", "ibadah_sektor", "kolekte+syukur", "Jumlah Persembahan Ibadah Sektor Bulanan", 0x0000FF},
      {"Ibadah Syukur", "ibadah_syukur", "kolekte+syukur", "Jumlah Persembahan Ibadah Syukur Bulanan", 0xFF0000},
      {"Ibadah PelKat", "ibadah_pelkat", "total_kolekte+total_syukur", "Jumlah Persembahan Ibadah PelKat Bulanan",
       0x800080},
      {"Ibadah Hari Raya Gerejawi", "ibadah_hariraya_gerejawi",
       "kantong_rutin+kantong_pembangunan+persepuluhan+syukur+sbu",
       "Jumlah Persembahan Ibadah Hari Raya Gerejawi Bulanan", 0x008000},
  }};
  return kCharts;
}

std::vector<std::string> OfferingStatement(const TOfferingChart& chart) {
  return {std::string("select day(tgl) as dt,sum(") + chart.sum + ") as kolekte from " + chart.table,
          "where tgl>=:t1 and tgl<=:t2", "group by dt"};
}

TMonthSpan MonthOf(rtl::TDateTime day) {
  const rtl::DateParts p = rtl::DecodeDateTime(day);
  return {rtl::EncodeDate(p.year, p.month, 1), rtl::EncodeDate(p.year, p.month, rtl::DaysInAMonth(p.year, p.month))};
}

std::string MonthCaption(rtl::TDateTime day) {
  const rtl::DateParts p = rtl::DecodeDateTime(day);
  return std::string("*Bulan : ") + rtl::IndonesianMonthNames[p.month - 1] + " " + std::to_string(p.year);
}

std::vector<std::string> PelkatStatement() {
  return {"select u.id,u.pelkat,count(d.pelkat) as jml from urutan_pelkat u left join detail_kk d on u.pelkat=d.pelkat",
          "where d.sts_hidup=:sh", "group by u.pelkat", "order by u.id"};
}

}  // namespace shell
