#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "gui/Dialogs.h"
#include "report/Render.h"
#include "rtl/DateUtils.h"
#include "tests/shell/ShellTestSupport.h"

using namespace gui;
using shell::FMenu;

namespace {

class Dashboard : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Start();  // the login window's activation connects the data module
  }
  void TearDown() override {
    for (TTimer* t : {FMenu->Timer2, FMenu->Timer3, FMenu->Timer5, FMenu->Timer6, FMenu->Timer7, FMenu->Timer8})
      t->SetEnabled(false);
    ShellFixture::TearDown();
  }
  // The points of a series as "label=value" texts.
  static std::vector<std::string> Points(const TChartSeries& s) {
    std::vector<std::string> points;
    for (int i = 0; i < s.Count(); ++i) points.push_back(s.XLabel(i) + "=" + rtl::FloatToStr(s.YValue(i)));
    return points;
  }
};

// Every bar chart sums what one service of its kind gives, per day, over the days of
// the month from the first to the last (February of a leap year: the 29th), and
// nothing of the months around it.
TEST_F(Dashboard, EachBarChartSumsItsKindOfServicePerDayOfTheMonth) {
  struct Case {
    const char* table;
    std::vector<std::string> summed;  // every column that belongs to the sum
    const char* left_out;             // a column of the table that does not
  } cases[] = {
      {"ibadah_minggu", {"kantong_rutin", "kantong_pembangunan", "persepuluhan", "syukur", "sbu"}, "kantong_lainlain"},
      {"ibadah_sektor", {"kolekte", "syukur"}, "jml_jemaat"},
      {"ibadah_syukur", {"kolekte", "syukur"}, "jml_jemaat"},
      {"ibadah_pelkat", {"total_kolekte", "total_syukur"}, nullptr},
      {"ibadah_hariraya_gerejawi", {"kantong_rutin", "kantong_pembangunan", "persepuluhan", "syukur", "sbu"},
       "jml_jemaat"},
  };
  int n = 0;
  for (int i = 0; i < 5; ++i) {
    const Case& c = cases[i];
    Exec(std::string("delete from ") + c.table + " where kode like 'TDASH%'");
    // Each summed column carries its own power of two, so a column missing from the sum
    // or counted twice shows in the total.
    auto row = [&](const char* date, int times) {
      std::string cols = "kode,tgl", vals = "'TDASH-" + std::to_string(++n) + "','" + date + "'";
      int weight = 1;
      for (const std::string& col : c.summed) {
        cols += "," + col;
        vals += "," + std::to_string(weight * times);
        weight *= 2;
      }
      if (c.left_out) {
        cols += std::string(",") + c.left_out;
        vals += ",100000";
      }
      Exec(std::string("insert into ") + c.table + "(" + cols + ") values (" + vals + ")");
    };
    const int all = (1 << c.summed.size()) - 1;
    row("2096-01-31", 1000);  // the day before the month
    row("2096-02-01", 1);
    row("2096-02-29", 10);    // two services on the same day give one bar
    row("2096-02-29", 100);
    row("2096-03-01", 1000);  // the day after
    FMenu->ShowOfferings(i, rtl::EncodeDate(2096, 2, 14) + 0.75);
    EXPECT_EQ(Points(*FMenu->BarSeries(i)),
              (std::vector<std::string>{"1=" + std::to_string(all), "29=" + std::to_string(110 * all)}))
        << c.table;
    EXPECT_EQ(FMenu->Label8->Caption(), "*Bulan : Februari 2096");
    // A month without services leaves the chart empty and still names the month.
    FMenu->ShowOfferings(i, rtl::EncodeDate(2095, 2, 28));
    EXPECT_EQ(FMenu->BarSeries(i)->Count(), 0) << c.table;
    EXPECT_EQ(FMenu->Label8->Caption(), "*Bulan : Februari 2095");
    Exec(std::string("delete from ") + c.table + " where kode like 'TDASH%'");
  }
}

// The pie counts the living members of each category group in the groups' display
// order; a group without a living member has no slice, a group that is not listed is
// not counted. The same tick sets the clock.
TEST_F(Dashboard, ThePieShowsOnlyGroupsWithLivingMembers) {
  Exec("drop table if exists tst_dash_members");
  Exec("create table tst_dash_members as select * from detail_kk");
  Exec("delete from detail_kk");
  const char* members[][2] = {
      {"PKB", "Hidup"},     {"PA", "Hidup"},  {"PA", "Hidup"},      {"PT", "Hidup"},
      {"PT", "Meninggal"},  {"GP", "Meninggal"}, {"PKP", "Attestasi"}, {"PKB", "Hidup"},
      {"PKB", "Hidup"},     {"PKLU", "Hidup"}, {"XX", "Hidup"},      {"", "Hidup"},
  };
  int n = 0;
  for (auto [group, state] : members)
    Exec(std::string("insert into detail_kk(nij,pelkat,sts_hidup) values ('NJ-TDASH.") + std::to_string(++n) +
         "','" + group + "','" + state + "')");
  FMenu->Label10->SetCaption("");
  FMenu->Timer2Timer(FMenu->Timer2);
  EXPECT_EQ(Points(*FMenu->Series1), (std::vector<std::string>{"PA=2", "PT=1", "PKB=3", "PKLU=1"}));
  EXPECT_TRUE(std::regex_match(FMenu->Label10->Caption(), std::regex(R"(\d\d:\d\d:\d\d)")))
      << FMenu->Label10->Caption();
  Exec("delete from detail_kk");
  Exec("insert into detail_kk select * from tst_dash_members");
  Exec("drop table tst_dash_members");
}

TEST_F(Dashboard, TheListShowsOneBarChartAndRunsOnlyItsTimer) {
  auto expectChosen = [](int chosen) {
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(FMenu->BarTimer(i)->Enabled(), i == chosen) << i;
      EXPECT_EQ(FMenu->BarChart(i)->Visible(), i == chosen) << i;
    }
  };
  FMenu->Activate();
  EXPECT_EQ(FMenu->ComboBox1->ItemIndex(), 0);
  EXPECT_EQ(FMenu->ComboBox1->Items().Count(), 5);
  EXPECT_TRUE(FMenu->Timer2->Enabled());
  EXPECT_TRUE(FMenu->Timer4->Enabled());
  expectChosen(0);
  for (int chosen : {3, 1, 4}) {
    FMenu->ComboBox1->SetItemIndex(chosen);
    FMenu->ComboBox1Change(FMenu->ComboBox1);
    expectChosen(chosen);
  }
  EXPECT_EQ(FMenu->Chart5->Title(), "Jumlah Persembahan Ibadah PelKat Bulanan");
  // Logout stops the blinking alone; the next login starts over with "Ibadah Minggu".
  TCloseAction action = TCloseAction::caHide;
  FMenu->FormClose(FMenu, action);
  EXPECT_FALSE(FMenu->Timer4->Enabled());
  EXPECT_TRUE(FMenu->Timer2->Enabled());
  expectChosen(4);
  FMenu->Activate();
  EXPECT_EQ(FMenu->ComboBox1->ItemIndex(), 0);
  expectChosen(0);
}

// With the connection lost every running dashboard timer fails at each tick. A timer
// whose error box is open does not tick again until the box is closed, so at most one
// box per timer is open at a time instead of boxes piling up.
TEST_F(Dashboard, ALostConnectionOpensAtMostOneBoxPerTimer) {
  FMenu->Activate();
  FMenu->Timer2->SetInterval(5);
  FMenu->Timer3->SetInterval(5);
  data::TZConnection* conn = app::DM->ZConnection1;
  const int port = conn->Port;
  conn->Disconnect();
  conn->Port = 1;  // nothing answers there

  TForm window(nullptr);  // any modal loop: the main window's own would re-run its activation
  TTimer probe(nullptr);
  probe.SetInterval(5);
  int probeTicks = 0, depth = 0, deepest = 0;
  bool firstClosed = false;
  probe.OnTimer = [&](rtl::TObject*) {
    ++probeTicks;
    if (firstClosed) window.ModalResult = mrOk;
  };
  dialogs.onShow = [&](const TMessageRequest&) {
    deepest = std::max(deepest, ++depth);
    if (depth == 1 && !firstClosed) {
      // The first box stays open while both timers tick many times over.
      const int until = probeTicks + 40;
      while (probeTicks < until) Application->HandleMessage();
      firstClosed = true;
    }
    --depth;
  };
  window.ShowModal();
  FMenu->Timer2->SetEnabled(false);
  FMenu->Timer3->SetEnabled(false);
  conn->Port = port;
  EXPECT_EQ(deepest, 2) << "one box of each failing timer at most";
  ASSERT_GE(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown.front().Type, TMsgDlgType::mtError);
}

// The main window as a user sees it after login, with a congregation's members and the
// current month's services: saved as pictures to be looked at, and checked where the
// pie and the bars stand.
TEST_F(Dashboard, TheMainWindowShowsTheFilledDashboard) {
  for (const char* t : {"detail_kk", "gereja", "tema_tahunan"}) {
    Exec(std::string("drop table if exists tst_dash_") + t);
    Exec(std::string("create table tst_dash_") + t + " as select * from " + t);
    Exec(std::string("delete from ") + t);
  }
  Exec("insert into gereja(nama_gereja,alamat) values ('GPIB JEMAAT SELVARAN','Jl. Merdeka No. 17')");
  Exec("insert into tema_tahunan(periode,tema,aktif) values "
       "('2026-2027','Hidup Sebagai Anak-Anak Terang dalam Kasih dan Kebenaran (Efesus 5:8-9)','Ya')");
  // Living members per group, and some who died or moved away.
  const std::pair<const char*, int> groups[] = {{"PA", 86}, {"PT", 41}, {"GP", 63}, {"PKP", 72}, {"PKB", 58},
                                                {"PKLU", 35}};
  std::string members;
  int n = 0;
  for (auto [group, living] : groups)
    for (int i = 0; i < living + 3; ++i)
      members += std::string(members.empty() ? "" : ",") + "('NJ-TDASH." + std::to_string(++n) + "','" + group +
                 "','" + (i < living ? "Hidup" : i % 2 ? "Meninggal" : "Attestasi") + "')";
  Exec("insert into detail_kk(nij,pelkat,sts_hidup) values " + members);
  // This month: three Sunday services every Sunday, sector services on most weekdays.
  const rtl::DateParts today = rtl::DecodeDateTime(rtl::Date());
  const int days = rtl::DaysInAMonth(today.year, today.month);
  auto date = [&](int d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", today.year, today.month, d);
    return std::string(text);
  };
  Exec("delete from ibadah_minggu where kode like 'TDASH%'");
  Exec("delete from ibadah_sektor where kode like 'TDASH%'");
  int k = 0;
  for (int d = 1; d <= days; ++d) {
    const int weekday = static_cast<int>(rtl::EncodeDate(today.year, today.month, d) + 6) % 7;  // 0 = Sunday
    if (weekday == 0)
      for (int service = 0; service < 3; ++service)
        Exec("insert into ibadah_minggu(kode,tgl,kantong_rutin,kantong_pembangunan,persepuluhan,syukur,sbu) values "
             "('TDASH-" + std::to_string(++k) + "','" + date(d) + "'," + std::to_string(2150000 + 175000 * d) +
             ",850000," + std::to_string(1200000 + 50000 * service) + ",640000,300000)");
    else if (weekday != 6 && d % 5 != 3)
      Exec("insert into ibadah_sektor(kode,tgl,kolekte,syukur) values ('TDASH-" + std::to_string(++k) + "','" +
           date(d) + "'," + std::to_string(450000 + 37000 * (d % 7)) + "," + std::to_string(150000 + 25000 * (d % 4)) +
           ")");
  }
  FMenu->Label4->SetCaption("admin");
  // At its designed size: a maximised window reaches past the screen's edges, where the
  // screen has no pixels to read.
  FMenu->WindowState = TWindowState::wsNormal;

  auto onScreen = [](gui::TBitmap& shot, HWND form, TControl* c, chart::Pt p) {
    TPoint s = c->ClientToScreen({p.x, p.y});
    RECT wr;
    GetWindowRect(form, &wr);
    return shot.Canvas().Pixels(s.X - wr.left, s.Y - wr.top) & 0xFFFFFF;
  };
  TColor sliceShown = 0, barShown = 0, sectorBarShown = 0;
  auto* t = new TTimer(Application);
  t->SetInterval(1);
  t->OnTimer = [&, t](rtl::TObject*) {
    if (!FMenu->Showing()) return;
    t->SetEnabled(false);
    FMenu->Timer2Timer(FMenu->Timer2);
    FMenu->Timer3Timer(FMenu->Timer3);
    Application->ProcessMessages();
    gui::TBitmap shot;
    guitest::ShotOfWindow(FMenu->Handle(), shot);
    report::SaveBitmapToPng(shot, std::string("Z:") + KORVAN_SHELL_OUT + "/main_dashboard.png");
    const TChartGeometry& pie = FMenu->Chart1->Geometry();
    if (!pie.slices.empty())
      sliceShown = onScreen(shot, FMenu->Handle(), FMenu->Chart1,
                            chart::PointOnEllipse(pie.pie, pie.slices[0].Middle(), 0.6));
    const TChartGeometry& bars = FMenu->Chart2->Geometry();
    if (!bars.bars.empty()) {
      const chart::Box& b = bars.bars.back();
      barShown = onScreen(shot, FMenu->Handle(), FMenu->Chart2, {(b.left + b.right) / 2, b.bottom - 2});
    }
    FMenu->ComboBox1->SetItemIndex(1);
    FMenu->ComboBox1Change(FMenu->ComboBox1);
    FMenu->Timer5Timer(FMenu->Timer5);
    Application->ProcessMessages();
    guitest::ShotOfWindow(FMenu->Handle(), shot);
    report::SaveBitmapToPng(shot, std::string("Z:") + KORVAN_SHELL_OUT + "/main_dashboard_sektor.png");
    const TChartGeometry& sector = FMenu->Chart3->Geometry();
    if (!sector.bars.empty()) {
      const chart::Box& b = sector.bars.front();
      sectorBarShown = onScreen(shot, FMenu->Handle(), FMenu->Chart3, {(b.left + b.right) / 2, b.bottom - 2});
    }
    FMenu->Close();
  };
  FMenu->ShowModal();

  EXPECT_EQ(FMenu->Label11->Caption(), "GPIB JEMAAT SELVARAN");
  EXPECT_EQ(FMenu->Series1->Count(), 6);
  EXPECT_EQ(sliceShown, FMenu->Series1->ValueColor(0));
  EXPECT_GE(FMenu->BarSeries1->Count(), 4);
  EXPECT_EQ(barShown, FMenu->BarSeries1->ValueColor(FMenu->BarSeries1->Count() - 1));
  EXPECT_GE(FMenu->BarSeries2->Count(), 10);
  EXPECT_EQ(sectorBarShown, FMenu->BarSeries2->ValueColor(0));

  Exec("delete from ibadah_minggu where kode like 'TDASH%'");
  Exec("delete from ibadah_sektor where kode like 'TDASH%'");
  for (const char* t : {"detail_kk", "gereja", "tema_tahunan"}) {
    Exec(std::string("delete from ") + t);
    Exec(std::string("insert into ") + t + " select * from tst_dash_" + t);
    Exec(std::string("drop table tst_dash_") + t);
  }
}

}  // namespace
