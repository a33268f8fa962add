// A member list of the bench database's first 10,000 members laid out into pages, and
// pages turned in the print preview; prints the median layout time and the median time
// of a page turn (the new page drawn on the screen).
//
//   bench_report DATABASE [ROUNDS]
#include <cstdlib>
#include <vector>

#include "bench/win/BenchDb.h"
#include "bench/win/BenchSupport.h"
#include "data/ZQuery.h"
#include "gui/Forms.h"
#include "report/PageReport.h"
#include "report/Preview.h"

namespace {

using namespace report;

template <typename Item>
Item* Put(TPageReport* r, TQRCustomBand* band, int x, int y, int w) {
  auto* item = new Item(r);
  item->SetParent(band);
  item->SetBounds(x, y, w, 17);
  return item;
}

// Church header, column headings, one line per member, the count, the page number.
class TMemberList : public TPageReport {
 public:
  explicit TMemberList(data::TZQuery* q) : TPageReport(nullptr) {
    SetDataSet(q);
    ReportTitle = "Laporan Warga Jemaat";
    auto* header = new TQRBand(this, rbPageHeader);
    header->Height = 90;
    Put<TQRLabel>(this, header, 0, 4, 400)->SetCaption("Kerukunan Vikaria Raya Barisan");
    Put<TQRLabel>(this, header, 0, 24, 400)->SetCaption("Jl. Selvaran 1");
    Put<TQRSysData>(this, header, 0, 60, 120)->Data = TQRSysDataType::qrsDate;

    auto* heads = new TQRBand(this, rbColumnHeader);
    heads->Height = 20;
    heads->Color = gui::clSilver;
    const char* titles[] = {"No", "NIJ", "Nama Lengkap", "Tgl.Lahir", "Alamat", "L/P"};
    const int xs[] = {0, 40, 150, 360, 450, 680};
    for (int i = 0; i < 6; ++i) Put<TQRLabel>(this, heads, xs[i], 2, 100)->SetCaption(titles[i]);

    auto* detail = new TQRBand(this, rbDetail);
    detail->Height = 18;
    Put<TQRSysData>(this, detail, xs[0], 1, 35)->Data = TQRSysDataType::qrsDetailNo;
    const char* fields[] = {"nij", "nama_gabung", "tgl_lahir", "alamat", "sex"};
    for (int i = 0; i < 5; ++i) Put<TQRDBText>(this, detail, xs[i + 1], 1, 100)->DataField = fields[i];

    auto* summary = new TQRBand(this, rbSummary);
    summary->Height = 30;
    Put<TQRLabel>(this, summary, 0, 4, 120)->SetCaption("Jumlah Jemaat :");
    Put<TQRExpr>(this, summary, 130, 4, 80)->SetExpression("COUNT");

    auto* footer = new TQRBand(this, rbPageFooter);
    footer->Height = 24;
    auto* page = Put<TQRSysData>(this, footer, 600, 4, 80);
    page->Data = TQRSysDataType::qrsPageNumber;
    page->Text = "Hal. ";
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_report DATABASE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  try {
    gui::InitApplication();
    auto conn = bench::Connect(argv[1]);
    data::TZQuery q(nullptr);
    q.SetConnection(conn.get());
    q.SQL.Add("select * from detail_kk order by id limit 10000");
    q.Open();
    TMemberList list(&q);

    std::vector<double> layout;
    for (int r = 0; r < rounds; ++r) {
      const double t0 = bench::NowMs();
      list.Prepare();
      layout.push_back(bench::NowMs() - t0);
    }
    const TReportPages& pages = list.Pages();
    bench::Report("report_rows", q.RecordCount());
    bench::Report("report_pages", pages.Count());
    bench::Report("report_layout_ms", bench::Median(layout));

    TQRPreview preview(nullptr);
    preview.SetPages(&pages, list.ReportTitle);
    preview.Show();
    Pump();
    std::vector<double> turns;
    for (int i = 0; i < 30 && preview.PageNumber() < preview.PageCount(); ++i) {
      const double t0 = bench::NowMs();
      preview.NextPage();
      UpdateWindow(preview.Handle());
      UpdateWindow(preview.View->Handle());
      turns.push_back(bench::NowMs() - t0);
      Pump();
    }
    bench::Report("page_turn_ms", bench::Median(turns));
    bench::Report("page_turn_max_ms", turns.empty() ? 0 : *std::max_element(turns.begin(), turns.end()));
    preview.Hide();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_report: %s\n", e.what());
    return 1;
  }
  return 0;
}
