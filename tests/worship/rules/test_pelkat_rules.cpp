// The category-group and offering-report rules: the classes of each category, the
// line's statements, and every offering report's statement, filter text and grand total
// as one table.
#include <gtest/gtest.h>

#include "kit/rules/Record.h"
#include "worship/rules/OfferingReports.h"
#include "worship/rules/PelkatServices.h"

using namespace worship::rules;

namespace {

TEST(PelkatRules, ClassesFollowTheCategory) {
  using V = std::vector<std::string>;
  auto classes = [](const char* c) {
    V out;
    for (const char* k : ClassesOf(c)) out.emplace_back(k);
    return out;
  };
  EXPECT_EQ(classes("PA"), (V{"TK", "Kecil A", "Kecil B", "Tanggung", "Pra PT"}));
  EXPECT_EQ(classes("PT"), (V{"Eka Junior", "Eka Senior", "Dwi"}));
  for (const char* single : {"GP", "PKP", "PKB", "PKLU"}) EXPECT_EQ(classes(single), V{single});
  EXPECT_EQ(classes("pa"), V{});
  EXPECT_EQ(classes(""), V{});
}

TEST(PelkatRules, TheServiceAndItsLinesStatements) {
  EXPECT_EQ(PelkatRecord().Insert(),
            "insert into ibadah_pelkat(kode,tgl,jam,pelkat,validasi,total_kolekte,total_syukur,username)"
            "values(:ko,:tgl,:jam,:pe,:va,:tk,:ts,:un)");
  EXPECT_EQ(PelkatRecord().Update() + " " + PelkatRecord().Where(),
            "update ibadah_pelkat set tgl=:tgl,jam=:jam,pelkat=:pe,validasi=:va,total_kolekte=:tk,total_syukur=:ts,"
            "username=:un where kode=:ko");
  EXPECT_EQ(PelkatLineInsert("ibadah_pelkat_detail_temp", false),
            "insert into ibadah_pelkat_detail_temp(wilayah,tuan_rumah,nama_tuan_rumah,ayat,sts_pf,pf,nama_pf,liturgos,"
            "nama_liturgos,pkt,nama_pkt,kolekte,syukur,keterangan,jml_jemaat,sts_tuan_rumah,tempat,kelas)values(:wi,"
            ":tr,:ntr,:ay,:sp,:pf,:np,:li,:nl,:pkt,:npkt,:kl,:sy,:ke,:jj,:str,:te,:ks)");
  EXPECT_EQ(PelkatLineInsert("ibadah_pelkat_detail", true).substr(0, 48),
            "insert into ibadah_pelkat_detail(kode,wilayah,tu");
  EXPECT_NE(PelkatLineInsert("ibadah_pelkat_detail", true).find(")values(:ko,:wi,"), std::string::npos);
  // Every text column of a line fits the columns the schema gives it.
  for (const TLineColumn& c : PelkatLineColumns())
    if (c.as == TLineColumn::Text && std::string(c.column) != "keterangan") {
      EXPECT_TRUE(kit::rules::ColumnLength("ibadah_pelkat_detail", c.column).has_value()) << c.column;
    }
  EXPECT_EQ(LineExistsText("Utara", "POS", "Dwi"),
            "Ibadah di Wilayah : Utara dan Tempat : POS dan Kelas : Dwi sudah ada. Perubahan akan dilakukan");
}

TEST(OfferingReports, EveryKindsStatementFilterTextAndTotal) {
  struct Case {
    const TOfferingReport& report;
    const char* statement;  // the lines joined by " / ", filtered
    const char* filtered;   // the text under the header for the value "X"
    const char* all;
    const char* total;
    int columns;
  };
  const Case cases[] = {
      {SundayOfferings(), "select * from ibadah_minggu / where tgl>=:t1 and tgl<=:t2 / and jam=:ja", "Jam : X",
       "Semua Jam Ibadah Minggu",
       "SUM(kantong_rutin+kantong_pembangunan+persepuluhan+syukur+sbu+kantong_lainlain)", 10},
      {SectorOfferings(), "select * from ibadah_sektor / where tgl>=:t1 and tgl<=:t2 / and sekpel=:se",
       "Sektor Pelayanan : X", "Semua Sektor Pelayanan", "SUM(kolekte+syukur)", 10},
      {PelkatOfferings(),
       "select i.kode,i.tgl,i.pelkat,d.wilayah,d.nama_tuan_rumah,d.sts_pf,d.nama_pf,d.kolekte,d.syukur,d.jml_jemaat "
       "from ibadah_pelkat i,ibadah_pelkat_detail d / where i.kode=d.kode / and i.tgl>=:t1 and i.tgl<=:t2 / and "
       "pelkat=:pe",
       "Pelayanan Kategorial : X", "Semua Pelayanan Kategorial", "SUM(kolekte+syukur)", 10},
      {ThanksgivingOfferings(), "select * from ibadah_syukur / where tgl>=:t1 and tgl<=:t2 / and sekpel=:se",
       "Sektor Pelayanan : X", "Semua Sektor Pelayanan", "SUM(kolekte+syukur)", 9},
      {FeastOfferings(),
       "select * from ibadah_hariraya_gerejawi / where tgl>=:t1 and tgl<=:t2 / and judul_ibadah=:ji", "Ibadah : X",
       "Semua Ibadah Hari Raya Gerejawi", "SUM(kantong_rutin+kantong_pembangunan+persepuluhan+syukur+sbu)", 10},
  };
  ASSERT_EQ(OfferingReports().size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report.layout);
    auto joined = [](const std::vector<std::string>& lines) {
      std::string out;
      for (const std::string& l : lines) out += (out.empty() ? "" : " / ") + l;
      return out;
    };
    const std::string filtered = joined(OfferingStatement(c.report, true));
    EXPECT_EQ(filtered, c.statement);
    // Without the filter: the same statement without its last line.
    EXPECT_EQ(joined(OfferingStatement(c.report, false)), filtered.substr(0, filtered.rfind(" / ")));
    EXPECT_EQ(OfferingFilterText(c.report, true, "X"), c.filtered);
    EXPECT_EQ(OfferingFilterText(c.report, false, "X"), c.all);
    EXPECT_EQ(OfferingGrandTotal(c.report), c.total);
    EXPECT_EQ(static_cast<int>(c.report.columns.size()), c.columns);
    // The line number and the columns fit a landscape Letter page between its margins.
    int width = kOfferingNumberWidth;
    for (const TOfferingColumn& col : c.report.columns) width += col.width;
    EXPECT_LE(width, 1056 - 2 * 38);
  }
  EXPECT_EQ(OfferingPeriod("01/03/2026", "31/03/2026"), "Tanggal : 01/03/2026 Sampai 31/03/2026");
}

}  // namespace
