#include "worship/rules/DuesReport.h"

namespace worship::rules {

kit::rules::TStatement LivingMemberCount() {
  kit::rules::TStatement s;
  s.Line("select count(nij) as jml from detail_kk").Line("where sts_hidup=:sh").Text("sh", "Hidup");
  return s;
}

std::optional<kit::rules::TReportQuery> DuesLines(const TDuesCriteria& c) {
  if (!c.period && !c.dates) return std::nullopt;
  kit::rules::TReportQuery r;
  kit::rules::TStatement& s = r.statement;
  // Lines of members no longer registered drop out with the join; no order is asked
  // for, so the lines come as the tables give them.
  s.Line("select m.no_kwitansi,m.periode,m.tgl_bayar,t.nij,d.nama_gabung,t.nominal,d.sex,d.sekpel "
         "from mpag m,detail_kk d,mpag_detail t")
      .Line("where d.nij=t.nij")
      .Line("and m.no_kwitansi=t.no_kwitansi");
  if (c.period) {
    s.Line("and m.periode=:pe").Text("pe", *c.period);
    r.filter = "Filter : Berdasarkan Periode " + *c.period;
  } else {
    s.Line("and m.tgl_bayar>=:t1 and m.tgl_bayar<=:t2").Date("t1", c.dates->from).Date("t2", c.dates->to);
    r.filter = "Filter : Berdasarkan Tanggal Pembayaran " + rtl::DateToStr(c.dates->from) + "-" +
               rtl::DateToStr(c.dates->to);
  }
  return r;
}

}  // namespace worship::rules
