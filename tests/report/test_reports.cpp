// Layouts generated over known rows of the dev server and read back through the page
// model: rows, headers and summaries, empty results, page breaks, groups, sums and masks,
// photos from blobs, the before-print hook, layouts without a query, page sizes, and PNG
// snapshots of the first pages for a person to look at.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "report/Preview.h"
#include "report/Render.h"
#include "tests/report/SampleLayouts.h"

using namespace reptest;

namespace {

std::vector<std::string> DetailTexts(const TReportPages& pages, const std::string& name) {
  std::vector<std::string> out;
  for (const TReportPage& p : pages.Pages)
    for (const std::string& s : p.Texts(name)) out.push_back(s);
  return out;
}

using ListReport = MemberTable;

TEST_F(ListReport, PrintsEveryRowInOrderWithHeaderMasksAndSummary) {
  Fill(5);
  // The zero date marks a date that does not apply: printed empty.
  conn_->ExecuteDirect("update tst_rep_jemaat set tgl_lahir='1899-12-30' where id=2");
  OpenMembers();
  TFQRSampleList r(nullptr, q_.get());
  ChurchHeader church{q9_.get(), "tst_rep_gereja"};
  conn_->ExecuteDirect("insert into tst_rep_gereja values('GPIB Immanuel','Jl. Merdeka 1')");
  r.BeforePrint = [&](TPageReport*, bool&) { church.Load(r.Header.QRLabel2, r.Header.QRLabel3); };
  r.QRLabel22->SetCaption("Filter : Semua Warga Jemaat");
  q_->MoveTo(4);  // where a grid left the query

  const TReportPages& pages = r.Prepare();
  ASSERT_EQ(pages.Count(), 1);
  const TReportPage& p = pages.Pages[0];
  EXPECT_EQ(p.Find("QRLabel1")->Text, "Kerukunan Vikaria Raya Barisan");
  EXPECT_EQ(p.Find("QRLabel2")->Text, "GPIB Immanuel");
  EXPECT_EQ(p.Find("QRLabel3")->Text, "Jl. Merdeka 1");
  EXPECT_EQ(p.Find("QRLabel22")->Text, "Filter : Semua Warga Jemaat");
  EXPECT_EQ(p.Find("QRSysData1")->Text, rtl::DateToStr(r.PrintMoment()));
  EXPECT_EQ(p.Find("QRSysData2")->Text, rtl::TimeToStr(r.PrintMoment()));

  EXPECT_EQ(p.Texts("QRDBText1"), (std::vector<std::string>{"J10001", "J10002", "J10003", "J10004", "J10005"}));
  EXPECT_EQ(p.Texts("QRSysDataNo"), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(p.Texts("QRDBText3")[0], rtl::DateToStr(rtl::EncodeDate(1980, 2, 2)));
  EXPECT_EQ(p.Texts("QRDBText3")[1], "");
  // Thousands separators of the locale, no decimals; a zero amount prints nothing.
  EXPECT_EQ(p.Texts("QRDBText4"), (std::vector<std::string>{"250.000", "500.000", "", "1.000.000", "1.250.000"}));
  EXPECT_EQ(p.Find("QRExprCount")->Text, "5");
  EXPECT_EQ(p.Find("QRExprSum")->Text, "3.000.000");

  // Bands follow each other down the page: header, title, headings, rows, summary.
  auto top = [&](const char* n) { return p.Find(n)->Rect.Top; };
  EXPECT_LT(top("QRLabel1"), top("QRLabel4"));
  EXPECT_LT(top("QRLabel4"), top("HeadNIJ"));
  std::vector<int> rows;
  for (const TPlacedItem* i : p.InBand(rbDetail))
    if (i->Name == "QRDBText1") rows.push_back(i->Rect.Top);
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i] - rows[i - 1], r.DetailBand1->Height);
  EXPECT_GT(top("HeadNIJ"), top("QRLabel22"));
  EXPECT_GT(top("LabelJumlah"), rows.back());
  // Right-aligned amount keeps the right edge of its frame.
  const TPlacedItem* amount = p.Find("QRDBText4");
  EXPECT_EQ(amount->Rect.Right, r.Page.LeftMargin + 450 + 110);
  EXPECT_EQ(amount->Align, TTextAlign::Right);
  // The grey heading row has its band colour behind it.
  auto heading = p.InBand(rbColumnHeader);
  ASSERT_FALSE(heading.empty());
  EXPECT_EQ(heading[0]->Kind, TPlacedKind::BandBackground);
  EXPECT_EQ(heading[0]->Color, gui::clSilver);
  // The query stays open on the row it stood on.
  EXPECT_TRUE(q_->Active());
  EXPECT_EQ(q_->RecNo(), 4);
}

TEST_F(ListReport, AQueryWithoutRowsStillGivesOnePageWithHeaderTitleAndHeadings) {
  OpenMembers();
  TFQRSampleList r(nullptr, q_.get());
  ChurchHeader church{q9_.get(), "tst_rep_gereja"};
  r.BeforePrint = [&](TPageReport*, bool&) { church.Load(r.Header.QRLabel2, r.Header.QRLabel3); };
  const TReportPages& pages = r.Prepare();
  ASSERT_EQ(pages.Count(), 1);
  const TReportPage& p = pages.Pages[0];
  EXPECT_EQ(p.Find("QRLabel2")->Text, "Nama Gereja belum dimasukkan");
  EXPECT_EQ(p.Find("QRLabel3")->Text, "Alamat Gereja belum dimasukkan");
  EXPECT_NE(p.Find("QRLabel4"), nullptr);
  EXPECT_NE(p.Find("HeadNama"), nullptr);
  EXPECT_TRUE(p.InBand(rbDetail).empty());
  EXPECT_EQ(p.Find("QRExprCount")->Text, "0");
  EXPECT_EQ(p.Find("QRExprSum")->Text, "");  // a zero sum under the mask
  EXPECT_EQ(p.Find("QRSysDataPage")->Text, "Hal. 1");

  // A closed query prints the same empty report; with printing when empty off, nothing.
  q_->Close();
  EXPECT_EQ(r.Prepare().Count(), 1);
  r.PrintIfEmpty = false;
  EXPECT_EQ(r.Prepare().Count(), 0);
}

TEST_F(ListReport, LongListsBreakPagesRepeatingHeadersWithTheFooterOnEveryPage) {
  Fill(100);
  OpenMembers();
  TFQRSampleList r(nullptr, q_.get());
  const TReportPages& pages = r.Prepare();
  ASSERT_GE(pages.Count(), 3);
  int footerTop = r.PageHeight() - r.Page.BottomMargin - r.PageFooterBand1->Height;
  int printed = 0;
  for (const TReportPage& p : pages.Pages) {
    SCOPED_TRACE("page " + std::to_string(p.Number));
    ASSERT_NE(p.Find("QRLabel1"), nullptr);   // page header, first page included
    ASSERT_NE(p.Find("HeadNIJ"), nullptr);    // column headings on every page
    EXPECT_EQ(p.Find("QRLabel4") != nullptr, p.Number == 1);  // the title once
    const TPlacedItem* hal = p.Find("QRSysDataPage");
    ASSERT_NE(hal, nullptr);
    EXPECT_EQ(hal->Text, "Hal. " + std::to_string(p.Number));
    EXPECT_EQ(hal->Rect.Top, footerTop + 4);
    for (const TPlacedItem* i : p.InBand(rbDetail)) {
      EXPECT_LE(i->Rect.Bottom, footerTop);
      EXPECT_GT(i->Rect.Top, p.Find("HeadNIJ")->Rect.Top);
    }
    printed += static_cast<int>(p.Texts("QRDBText1").size());
    // Every page but the last is filled: one more row would not have fitted.
    if (p.Number < pages.Count()) {
      int lastRow = p.Texts("QRDBText1").empty() ? 0 : p.InBand(rbDetail).back()->Rect.Top;
      EXPECT_GT(lastRow - 2 + 2 * r.DetailBand1->Height, footerTop);
    }
  }
  EXPECT_EQ(printed, 100);
  EXPECT_EQ(DetailTexts(pages, "QRSysDataNo").back(), "100");
  EXPECT_NE(pages.Pages.back().Find("QRExprCount"), nullptr);
  EXPECT_EQ(pages.Pages.back().Find("QRExprCount")->Text, "100");

  // The options that leave the header off the first page and the footer off the last.
  r.FirstPageHeader = false;
  r.LastPageFooter = false;
  const TReportPages& other = r.Prepare();
  EXPECT_EQ(other.Pages.front().Find("QRLabel1"), nullptr);
  EXPECT_NE(other.Pages[1].Find("QRLabel1"), nullptr);
  EXPECT_EQ(other.Pages.back().Find("QRSysDataPage"), nullptr);
  EXPECT_NE(other.Pages.front().Find("QRSysDataPage"), nullptr);
}

TEST_F(ListReport, ForcedNewPageAndPageCountAndASkippedBand) {
  Fill(3);
  OpenMembers();
  TFQRSampleList r(nullptr, q_.get());
  r.SummaryBand1->ForceNewPage = true;
  auto* of = new TQRSysData(&r);
  of->SetName("PageCount");
  of->SetParent(r.PageFooterBand1);
  of->Data = TQRSysDataType::qrsPageCount;
  of->Text = "dari ";
  int skipped = 0;
  r.DetailBand1->BeforePrint = [&](TQRCustomBand*, bool& print) {
    if (q_->FieldByName("id")->AsInteger() == 2) {
      print = false;
      ++skipped;
    }
  };
  const TReportPages& pages = r.Prepare();
  ASSERT_EQ(pages.Count(), 2);
  EXPECT_EQ(pages.Pages[0].Find("QRExprCount"), nullptr);
  EXPECT_NE(pages.Pages[1].Find("QRExprCount"), nullptr);
  EXPECT_EQ(pages.Pages[0].Find("PageCount")->Text, "dari 2");
  EXPECT_EQ(pages.Pages[1].Find("PageCount")->Text, "dari 2");
  EXPECT_EQ(skipped, 1);
  EXPECT_EQ(pages.Pages[0].Texts("QRDBText1"), (std::vector<std::string>{"J10001", "J10003"}));
}

// ---- groups

class TFQRSampleGroups : public TPageReport {
 public:
  TFQRSampleGroups(rtl::TComponent* owner, data::TZQuery* q) : TPageReport(owner) {
    SetDataSet(q);
    QRGroup1 = new TQRGroup(this);
    QRGroup1->SetName("QRGroup1");
    QRGroup1->Expression = "Q5.nik";
    QRGroup1->Height = 24;
    Label(this, QRGroup1, "LabelKK", 0, 2, "Nama Kepala Keluarga :");
    auto* key = new TQRExpr(this);
    key->SetName("GroupKey");
    key->SetParent(QRGroup1);
    key->SetBounds(160, 2, 60, 17);
    key->SetExpression("Q5.nik");
    key->Font().SetColor(gui::clRed);
    Field(this, QRGroup1, "GroupName", 230, 2, "nama_kk");
    ChildBand1 = new TQRChildBand(this);
    ChildBand1->SetName("ChildBand1");
    ChildBand1->SetParentBand(QRGroup1);
    ChildBand1->Color = gui::clSilver;
    ChildBand1->Height = 20;
    Label(this, ChildBand1, "HeadNIJ", 0, 2, "NIJ");
    DetailBand1 = new TQRBand(this, rbDetail);
    DetailBand1->SetName("DetailBand1");
    DetailBand1->Height = 20;
    Field(this, DetailBand1, "QRDBText1", 0, 2, "nij");
    GroupFooter1 = new TQRBand(this, rbGroupFooter);
    GroupFooter1->SetName("GroupFooter1");
    GroupFooter1->Height = 22;
    QRGroup1->FooterBand = GroupFooter1;
    Field(this, GroupFooter1, "FooterKK", 0, 2, "nik");
    auto* sum = new TQRExpr(this);
    sum->SetName("GroupSum");
    sum->SetParent(GroupFooter1);
    sum->SetBounds(300, 2, 100, 17);
    sum->SetExpression("SUM(nominal)");
    sum->Mask = "#,##";
    sum->ResetAfterPrint = true;
    SummaryBand1 = new TQRBand(this, rbSummary);
    SummaryBand1->SetName("SummaryBand1");
    auto* total = new TQRExpr(this);
    total->SetName("Total");
    total->SetParent(SummaryBand1);
    total->SetExpression("SUM(nominal+id)");
    total->Mask = "#,##";
  }
  TQRGroup* QRGroup1;
  TQRChildBand* ChildBand1;
  TQRBand *DetailBand1, *GroupFooter1, *SummaryBand1;
};

using GroupReport = MemberTable;

TEST_F(GroupReport, AGroupHeaderStartsEachFamilyWithItsChildBandAndFooterSums) {
  Fill(7, 3);  // families K1 (1-3), K2 (4-6), K3 (7)
  OpenMembers();
  TFQRSampleGroups r(nullptr, q_.get());
  const TReportPages& pages = r.Prepare();
  ASSERT_EQ(pages.Count(), 1);
  const TReportPage& p = pages.Pages[0];
  EXPECT_EQ(p.Texts("GroupKey"), (std::vector<std::string>{"K1", "K2", "K3"}));
  EXPECT_EQ(p.Texts("GroupName"), (std::vector<std::string>{"KEPALA 1", "KEPALA 2", "KEPALA 3"}));
  EXPECT_EQ(p.Texts("HeadNIJ").size(), 3u);  // the child band under every group header
  // Footers read the group's own last row and sum only that group.
  EXPECT_EQ(p.Texts("FooterKK"), (std::vector<std::string>{"K1", "K2", "K3"}));
  EXPECT_EQ(p.Texts("GroupSum"), (std::vector<std::string>{"750.000", "3.750.000", "1.750.000"}));
  EXPECT_EQ(p.Find("Total")->Text, "6.250.028");
  // Order on the page: header, headings, the family's rows, footer.
  std::vector<std::string> order;
  for (const TPlacedItem& i : p.Items)
    if (i.Name == "GroupKey" || i.Name == "QRDBText1" || i.Name == "FooterKK") order.push_back(i.Text);
  EXPECT_EQ(order, (std::vector<std::string>{"K1", "J10001", "J10002", "J10003", "K1", "K2", "J10004", "J10005",
                                             "J10006", "K2", "K3", "J10007", "K3"}));
  const TPlacedItem* child = nullptr;
  for (const TPlacedItem& i : p.Items)
    if (i.BandType == rbChild && i.Kind == TPlacedKind::BandBackground) {
      child = &i;
      break;
    }
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->Rect.Top, p.Find("GroupKey")->Rect.Top - 2 + r.QRGroup1->Height);
}

TEST(Expressions, ReadFieldsSumsAndAggregatesAndRefuseTheRest) {
  std::map<std::string, TExprValue> row{{"a", {"2", 2, true}}, {"b", {"5", 5, true}}, {"t", {"PA", 0, false}}};
  auto read = [&](const std::string& f) { return row.at(f); };
  struct Case {
    const char* text;
    TExpression::TKind kind;
    std::string value;
  };
  for (const Case& c : std::vector<Case>{{"Q5.t", TExpression::TKind::Value, "PA"},
                                         {"a + b - 1", TExpression::TKind::Value, "6"},
                                         {"count", TExpression::TKind::Count, ""},
                                         {"SUM( a+b )", TExpression::TKind::Sum, "7"},
                                         {"-a", TExpression::TKind::Value, "-2"}}) {
    SCOPED_TRACE(c.text);
    TExpression e = TExpression::Parse(c.text);
    EXPECT_EQ(e.Kind(), c.kind);
    if (!c.value.empty()) {
      EXPECT_EQ(e.Evaluate(read).Text, c.value);
    }
  }
  TExpression sum = TExpression::Parse("SUM(a+b)");
  TAggregate agg(&sum);
  agg.Add(read);
  agg.Add(read);
  EXPECT_EQ(agg.Value(), 14);
  for (const char* bad : {"", "SUM(a", "a +", "a b", "SUM()", "a * b"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(TExpression::Parse(bad), EReportError);
  }
}

// ---- pictures

std::vector<uint8_t> RedJpeg() {
  gui::TBitmap bmp(40, 30);
  bmp.Canvas().Brush().SetColor(gui::clRed);
  bmp.Canvas().FillRect(gui::Rect(0, 0, 40, 30));
  gui::TJPEGImage jpg;
  jpg.Assign(&bmp);
  return jpg.Data();
}

class TFQRPhoto : public TPageReport {
 public:
  TFQRPhoto(rtl::TComponent* owner, data::TZQuery* q) : TPageReport(owner) {
    SetDataSet(q);
    auto* d = new TQRBand(this, rbDetail);
    d->SetName("DetailBand1");
    d->Height = 140;
    Field(this, d, "QRDBText1", 0, 0, "nij");
    Photo = new TQRDBImage(this);
    Photo->SetName("QRDBImage1");
    Photo->SetParent(d);
    Photo->SetBounds(200, 10, 120, 90);
    Photo->DataField = "foto";
  }
  TQRDBImage* Photo;
};

using PhotoReport = MemberTable;

TEST_F(PhotoReport, APhotoFromAJpegBlobIsStretchedToItsFrame) {
  Fill(2);
  data::TZQuery up(nullptr);
  up.SetConnection(conn_);
  up.SQL.Add("update tst_rep_jemaat set foto=:fo where id=1");
  rtl::TMemoryStream ms(RedJpeg());
  up.ParamByName("fo")->LoadFromStream(ms);
  up.ExecSQL();
  OpenMembers();
  TFQRPhoto r(nullptr, q_.get());
  const TReportPages& pages = r.Prepare();
  ASSERT_EQ(pages.Count(), 1);
  std::vector<const TPlacedItem*> photos;
  for (const TPlacedItem& i : pages.Pages[0].Items)
    if (i.Name == "QRDBImage1") photos.push_back(&i);
  ASSERT_EQ(photos.size(), 2u);
  ASSERT_NE(photos[0]->Picture, nullptr);
  EXPECT_EQ(photos[0]->Picture->Width(), 40);
  EXPECT_EQ(photos[1]->Picture, nullptr);  // no photo stored: an empty frame

  gui::TBitmap page;
  RenderPageToBitmap(pages.Pages[0], pages, page);
  gui::TRect f = photos[0]->Rect;
  gui::TColor inside = page.Canvas().Pixels(f.Right - 3, f.Bottom - 3);  // stretched to the corner
  EXPECT_GT(inside & 0xFF, 0xC0);
  EXPECT_LT((inside >> 8) & 0xFF, 0x40);
  EXPECT_EQ(page.Canvas().Pixels(f.Right + 3, f.Bottom + 3) & 0xFFFFFF, gui::clWhite);
}

// ---- the before-print hook, layouts without a query, page sizes

class TFQRForm : public TPageReport {
 public:
  explicit TFQRForm(rtl::TComponent* owner) : TPageReport(owner) {
    Page.Orientation = poLandscape;
    auto* title = new TQRBand(this, rbTitle);
    title->SetName("TitleBand1");
    title->Height = 110;
    Header.Build(this, title);
    QRLabel13 = Label(this, title, "QRLabel13", 300, 70, "No. ");
    auto* detail = new TQRBand(this, rbDetail);
    detail->SetName("DetailBand1");
    detail->Height = 200;
    Label(this, detail, "LabelNama", 0, 4, "1. Nama");
    QRRichText1 = new TQRRichText(this);
    QRRichText1->SetName("QRRichText1");
    QRRichText1->SetParent(detail);
    QRRichText1->SetBounds(0, 30, 400, 80);
    auto* line = new TQRShape(this);
    line->SetName("QRShape1");
    line->SetParent(detail);
    line->Shape = TShapeType::qrsHorLine;
    line->SetBounds(0, 120, 600, 9);
    auto* box = new TQRShape(this);
    box->SetName("QRShape2");
    box->SetParent(detail);
    box->SetBounds(620, 30, 200, 40);
    box->Brush().SetColor(gui::clSilver);
    auto* summary = new TQRBand(this, rbSummary);
    summary->SetName("SummaryBand1");
    Label(this, summary, "LabelPemohon", 0, 4, "Pemohon");
  }
  HeaderBlock Header;
  TQRLabel* QRLabel13;
  TQRRichText* QRRichText1;
};

using FormReport = MemberTable;

TEST_F(FormReport, ALayoutWithoutAQueryPrintsItsBandsOnceAndTheHookRunsOncePerGeneration) {
  conn_->ExecuteDirect("insert into tst_rep_gereja values('Jemaat Lama','Jl. Satu')");
  TFQRForm r(nullptr);
  ChurchHeader church{q9_.get(), "tst_rep_gereja"};
  r.BeforePrint = [&](TPageReport* sender, bool& printReport) {
    EXPECT_EQ(sender, &r);
    EXPECT_TRUE(printReport);  // the flag comes set and the handler leaves it so
    church.Load(r.Header.QRLabel2, r.Header.QRLabel3);
  };
  r.QRLabel13->SetCaption("No. NKH-0001");
  r.QRRichText1->Lines.Add("Baris pertama");
  r.QRRichText1->Lines.Add("Baris kedua");

  const TReportPages& pages = r.Prepare();
  EXPECT_EQ(church.runs, 1);
  ASSERT_EQ(pages.Count(), 1);
  const TReportPage& p = pages.Pages[0];
  EXPECT_EQ(p.Texts("LabelNama").size(), 1u);
  EXPECT_EQ(p.Find("QRLabel2")->Text, "Jemaat Lama");
  EXPECT_EQ(p.Find("QRLabel13")->Text, "No. NKH-0001");
  EXPECT_EQ(p.Find("QRRichText1")->Text, "Baris pertama\nBaris kedua");
  EXPECT_TRUE(p.Find("QRRichText1")->WordWrap);
  EXPECT_EQ(p.Find("QRShape1")->Kind, TPlacedKind::Line);
  EXPECT_EQ(p.Find("QRShape1")->Rect.Height(), 0);
  EXPECT_EQ(p.Find("QRShape2")->Color, gui::clSilver);
  EXPECT_NE(p.Find("LabelPemohon"), nullptr);

  // The church record is read anew for every generation.
  conn_->ExecuteDirect("update tst_rep_gereja set nama_gereja='Jemaat Baru'");
  EXPECT_EQ(r.Prepare().Pages[0].Find("QRLabel2")->Text, "Jemaat Baru");
  EXPECT_EQ(church.runs, 2);

  // A handler that clears the flag cancels the report.
  r.BeforePrint = [](TPageReport*, bool& printReport) { printReport = false; };
  EXPECT_EQ(r.Prepare().Count(), 0);
}

TEST_F(FormReport, PortraitAndLandscapeLetterPages) {
  TFQRForm r(nullptr);
  struct Case {
    TPrinterOrientation o;
    int w, h;
  };
  for (Case c : {Case{poPortrait, 816, 1056}, Case{poLandscape, 1056, 816}}) {
    r.Page.Orientation = c.o;
    const TReportPages& pages = r.Prepare();
    EXPECT_EQ(pages.PageWidth, c.w);
    EXPECT_EQ(pages.PageHeight, c.h);
    gui::TBitmap bmp;
    RenderPageToBitmap(pages.Pages[0], pages, bmp, 0.5);
    EXPECT_EQ(bmp.Width(), c.w / 2);
    EXPECT_EQ(bmp.Height(), c.h / 2);
  }
}

// ---- text widths

// The measurer keeps its fonts and the widths it measured; whatever it kept must measure
// as a font made afresh does (another thread measures that way), for specs differing in
// face, size, style or colour alone and after more fonts than it keeps have let the
// first ones go.
TEST(TextWidths, KeptFontsAndWidthsMeasureAsAFontMadeAfresh) {
  std::vector<TFontSpec> fonts = {{"Arial", 10, 0},
                                  {"Arial", 10, gui::fsBold},
                                  {"Arial", 10, gui::fsItalic},
                                  {"Tahoma", 10, 0},
                                  {"Arial", 10, 0, gui::clRed}};
  for (int size = 6; size < 6 + 2 * static_cast<int>(kMeasureFonts); ++size) fonts.push_back({"Arial", size, 0});
  const std::vector<std::string> texts = {"Warga Jemaat", "Ñusantara 1.250.000", "iiiiiiii", "WWWWWWWW"};
  // This thread measures first, so it is the one that keeps fonts and widths.
  MeasureTextGdi(fonts[0], "x");
  std::vector<int> fresh;
  std::thread([&] {
    for (const TFontSpec& f : fonts)
      for (const std::string& t : texts) fresh.push_back(MeasureTextGdi(f, t));
  }).join();
  // The table measures apart, or agreeing with it would prove nothing.
  auto freshOf = [&](size_t font, size_t text) { return fresh[font * texts.size() + text]; };
  EXPECT_GT(freshOf(1, 0), freshOf(0, 0));
  auto row = [&](size_t font) {
    return std::vector<int>(fresh.begin() + font * texts.size(), fresh.begin() + (font + 1) * texts.size());
  };
  EXPECT_NE(row(3), row(0));
  EXPECT_GT(freshOf(fonts.size() - 1, 0), freshOf(5, 0));

  for (int round = 0; round < 2; ++round) {  // the second round after every first font went
    for (size_t f = 0; f < fonts.size(); ++f)
      for (size_t t = 0; t < texts.size(); ++t)
        for (int again = 0; again < 2; ++again)  // measured, then kept
          EXPECT_EQ(MeasureTextGdi(fonts[f], texts[t]), freshOf(f, t))
              << fonts[f].Name << " " << fonts[f].Size << " style " << fonts[f].Style << " \"" << texts[t] << "\"";
  }
}

// ---- snapshots and the preview service

TEST_F(ListReport, FirstPagesRenderToPngFilesInTheBuildTree) {
  Fill(12, 4);
  OpenMembers();
  conn_->ExecuteDirect("insert into tst_rep_gereja values('GPIB Immanuel','Jl. Merdeka 1, Jakarta')");
  ChurchHeader church{q9_.get(), "tst_rep_gereja"};
  gui::TBitmap logo(64, 64);
  logo.Canvas().Brush().SetColor(gui::clNavy);
  logo.Canvas().Ellipse(0, 0, 64, 64);

  TFQRSampleList list(nullptr, q_.get());
  list.BeforePrint = [&](TPageReport*, bool&) { church.Load(list.Header.QRLabel2, list.Header.QRLabel3); };
  list.Header.QRImage1->Picture().SetGraphic(&logo);
  TFQRSampleGroups groups(nullptr, q_.get());
  TFQRForm form(nullptr);
  form.BeforePrint = [&](TPageReport*, bool&) { church.Load(form.Header.QRLabel2, form.Header.QRLabel3); };
  form.Header.QRImage1->Picture().SetGraphic(&logo);
  form.QRRichText1->Lines.SetText("Ibadah berjalan dengan baik dan tertib, jemaat yang hadir cukup banyak.");

  for (auto [name, rep] : std::vector<std::pair<std::string, TPageReport*>>{
           {"sample_list", &list}, {"sample_groups", &groups}, {"sample_form", &form}}) {
    SCOPED_TRACE(name);
    const TReportPages& pages = rep->Prepare();
    ASSERT_GE(pages.Count(), 1);
    gui::TBitmap bmp;
    RenderPageToBitmap(pages.Pages[0], pages, bmp);
    std::string path = std::string(KORVAN_REPORT_OUT) + "/" + name + ".png";
    std::string winPath = "Z:" + path;
    SaveBitmapToPng(bmp, winPath);
    std::ifstream f(path, std::ios::binary);
    ASSERT_TRUE(f.good()) << path;
    char sig[8] = {};
    f.read(sig, 8);
    EXPECT_EQ(std::string(sig + 1, 3), "PNG");
    f.seekg(0, std::ios::end);
    EXPECT_GT(f.tellg(), 2000);  // a page with text, not a blank
  }
}

struct RecordingPreview : IPreviewService {
  void ShowPreview(TPageReport& r, const TReportPages& pages) override {
    ++shown;
    report = &r;
    count = pages.Count();
    firstTitle = pages.Count() ? pages.Pages[0].Find("QRLabel4")->Text : "";
  }
  int shown = 0;
  int count = 0;
  TPageReport* report = nullptr;
  std::string firstTitle;
};

TEST_F(ListReport, PreviewGeneratesAndHandsThePagesToTheService) {
  Fill(3);
  OpenMembers();
  TFQRSampleList r(nullptr, q_.get());
  int hooks = 0;
  r.BeforePrint = [&](TPageReport*, bool&) { ++hooks; };
  RecordingPreview service;
  SetPreviewService(&service);
  r.Preview();
  r.Preview();
  SetPreviewService(nullptr);
  EXPECT_EQ(service.shown, 2);
  EXPECT_EQ(hooks, 2);
  EXPECT_EQ(service.report, &r);
  EXPECT_EQ(service.count, 1);
  EXPECT_EQ(service.firstTitle, "LAPORAN WARGA JEMAAT");
}

}  // namespace
