#include "report/PageReport.h"

#include <algorithm>
#include <cmath>

#include "gui/Jpeg.h"
#include "report/Preview.h"
#include "report/Render.h"
#include "rtl/FormatNumber.h"

namespace report {

// ------------------------------------------------------------------ page model lookups

const char* BandTypeName(TQRBandType t) {
  switch (t) {
    case rbTitle: return "Title";
    case rbPageHeader: return "PageHeader";
    case rbColumnHeader: return "ColumnHeader";
    case rbDetail: return "Detail";
    case rbSummary: return "Summary";
    case rbPageFooter: return "PageFooter";
    case rbGroupHeader: return "GroupHeader";
    case rbGroupFooter: return "GroupFooter";
    case rbChild: return "Child";
  }
  return "?";
}

const TPlacedItem* TReportPage::Find(const std::string& name) const {
  for (const TPlacedItem& i : Items)
    if (i.Name == name) return &i;
  return nullptr;
}

std::vector<const TPlacedItem*> TReportPage::InBand(TQRBandType t) const {
  std::vector<const TPlacedItem*> out;
  for (const TPlacedItem& i : Items)
    if (i.BandType == t) out.push_back(&i);
  return out;
}

std::vector<std::string> TReportPage::Texts(const std::string& name) const {
  std::vector<std::string> out;
  for (const TPlacedItem& i : Items)
    if (i.Name == name) out.push_back(i.Text);
  return out;
}

// ------------------------------------------------------------------ items

TQRPrintable::TQRPrintable(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TQRPrintable::~TQRPrintable() { SetParent(nullptr); }

void TQRPrintable::SetParent(TQRCustomBand* band) {
  if (parent_ == band) return;
  if (parent_) std::erase(parent_->items_, this);
  parent_ = band;
  if (band) band->items_.push_back(this);
}

void TQRPrintable::SetBounds(int left, int top, int width, int height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
}

TPlacedItem TQRPrintable::Base(TPlacedKind kind, int x, int y) const {
  TPlacedItem p;
  p.Kind = kind;
  p.Name = Name();
  if (parent_) {
    p.Band = parent_->Name();
    p.BandType = parent_->BandType();
  }
  p.Rect = gui::Bounds(x + Left, y + Top, Width, Height);
  p.Color = Color;
  return p;
}

TQRCustomLabel::TQRCustomLabel(rtl::TComponent* owner) : TQRPrintable(owner) {
  font_.SetName("Arial");
  font_.SetSize(10);
  font_.SetColor(gui::clBlack);
}

namespace {

TFontSpec SpecOf(gui::TFont& f) {
  TFontSpec s;
  s.Name = f.Name();
  s.Size = f.Size();
  s.Style = f.Style();
  s.Color = f.Color();
  return s;
}

TTextAlign AlignOf(TAlignment a) {
  switch (a) {
    case TAlignment::taRightJustify: return TTextAlign::Right;
    case TAlignment::taCenter: return TTextAlign::Center;
    default: return TTextAlign::Left;
  }
}

TTextMeasure& Measure() {
  static TTextMeasure m;
  return m;
}

}  // namespace

void SetTextMeasure(TTextMeasure measure) { Measure() = std::move(measure); }

int MeasureText(const TFontSpec& font, const std::string& text) {
  if (Measure()) return Measure()(font, text);
  return MeasureTextGdi(font, text);
}

void TQRCustomLabel::Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) {
  TPlacedItem p = Base(TPlacedKind::Text, x, y);
  p.Text = PrintText(gen);
  if (OnPrint) OnPrint(this, p.Text);
  const std::string& text = p.Text;
  p.Font = SpecOf(font_);
  p.Align = AlignOf(Alignment);
  p.WordWrap = WordWrap;
  if (AutoSize && !WordWrap) {
    int w = 0;
    if (text.find('\n') == std::string::npos) {
      w = MeasureText(p.Font, text);
    } else {
      size_t start = 0;
      while (true) {
        size_t nl = text.find('\n', start);
        w = std::max(w, MeasureText(p.Font, text.substr(start, nl == std::string::npos ? std::string::npos
                                                                                        : nl - start)));
        if (nl == std::string::npos) break;
        start = nl + 1;
      }
    }
    switch (p.Align) {
      case TTextAlign::Left: p.Rect.Right = p.Rect.Left + w; break;
      case TTextAlign::Right: p.Rect.Left = p.Rect.Right - w; break;
      case TTextAlign::Center: {
        int mid = (p.Rect.Left + p.Rect.Right) / 2;
        p.Rect.Left = mid - w / 2;
        p.Rect.Right = p.Rect.Left + w;
        break;
      }
    }
  }
  out.push_back(std::move(p));
}

namespace {

bool IsDateMask(const std::string& m) {
  for (char c : m) {
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 'n' || l == 's') return true;
  }
  return false;
}

// The zero date stands where a date does not apply (not baptised, not deceased); a
// printed document shows nothing there rather than 30/12/1899.
bool IsZeroDate(const data::TField& f) {
  const data::TFieldType t = f.DataType();
  if (t != data::TFieldType::ftDate && t != data::TFieldType::ftDateTime) return false;
  return f.AsDateTime() == rtl::ZeroDate;
}

}  // namespace

std::string PrintedDate(const data::TField& f) {
  return f.IsNull() || f.AsDateTime() == rtl::ZeroDate ? "" : rtl::DateToStr(f.AsDateTime());
}

std::string TQRDBText::PrintText(TGenerator& gen) {
  data::TZQuery* q = gen.Query(DataSet);
  if (!q || !q->Active() || q->IsEmpty()) return "";
  data::TField* f = q->FieldByName(DataField);
  if (f->IsNull() || IsZeroDate(*f)) return "";
  switch (f->DataType()) {
    case data::TFieldType::ftInteger:
    case data::TFieldType::ftFloat:
      if (!Mask.empty()) return rtl::FormatFloat(Mask, f->AsFloat());
      return f->AsString();
    case data::TFieldType::ftDate:
      return Mask.empty() ? rtl::DateToStr(f->AsDateTime()) : rtl::FormatDateTime(Mask, f->AsDateTime());
    case data::TFieldType::ftDateTime: {
      rtl::TDateTime v = f->AsDateTime();
      if (!Mask.empty()) return rtl::FormatDateTime(Mask, v);
      if (rtl::TimeOf(v) == 0) return rtl::DateToStr(v);
      return rtl::DateToStr(v) + " " + rtl::TimeToStr(v);
    }
    case data::TFieldType::ftTime:
      return Mask.empty() ? rtl::TimeToStr(f->AsDateTime()) : rtl::FormatDateTime(Mask, f->AsDateTime());
    case data::TFieldType::ftString:
      // Amounts kept as text still print through a number mask.
      if (!Mask.empty() && !IsDateMask(Mask)) {
        std::string s = f->AsString();
        char* end = nullptr;
        double v = std::strtod(s.c_str(), &end);
        if (!s.empty() && end && *end == '\0') return rtl::FormatFloat(Mask, v);
      }
      return f->AsString();
    case data::TFieldType::ftBlob:
      return "";
  }
  return f->AsString();
}

std::string TQRSysData::PrintText(TGenerator& gen) {
  TPageReport& r = gen.report;
  switch (Data) {
    case TQRSysDataType::qrsDate: return Text + rtl::DateToStr(r.PrintMoment());
    case TQRSysDataType::qrsTime: return Text + rtl::TimeToStr(r.PrintMoment());
    case TQRSysDataType::qrsDateTime:
      return Text + rtl::DateToStr(r.PrintMoment()) + " " + rtl::TimeToStr(r.PrintMoment());
    case TQRSysDataType::qrsPageNumber: return Text + std::to_string(r.PageNumber());
    case TQRSysDataType::qrsPageCount: return Text + "999";  // room for the count, set at the end
    case TQRSysDataType::qrsDetailNo:
    case TQRSysDataType::qrsDetailCount: return Text + std::to_string(r.RecordCount());
    case TQRSysDataType::qrsReportTitle: return Text + r.ReportTitle;
  }
  return Text;
}

void TQRSysData::Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) {
  TQRCustomLabel::Place(gen, x, y, out);
  if (Data == TQRSysDataType::qrsPageCount) gen.late.push_back({gen.currentPage, out.size() - 1, Text});
}

void TQRExpr::SetExpression(const std::string& e) {
  text_ = e;
  expr_.reset();
}

void TQRExpr::BeginGeneration() {
  if (!expr_) expr_ = std::make_unique<TExpression>(TExpression::Parse(text_));
  agg_ = TAggregate(expr_.get());
}

void TQRExpr::Accumulate(TGenerator& gen) {
  if (expr_ && expr_->IsAggregate()) agg_.Add(gen.Reader());
}

std::string TQRExpr::PrintText(TGenerator& gen) {
  if (!expr_) BeginGeneration();
  if (expr_->IsAggregate()) {
    double v = agg_.Value();
    if (!Mask.empty()) return rtl::FormatFloat(Mask, v);
    return rtl::FloatToStr(v);
  }
  data::TZQuery* q = gen.report.DataSet();
  if (!q || !q->Active() || q->IsEmpty()) return "";
  TExprValue v = expr_->Evaluate(gen.Reader());
  if (!Mask.empty() && v.IsNumber) return rtl::FormatFloat(Mask, v.Number);
  return v.Text;
}

void TQRExpr::Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) {
  TQRCustomLabel::Place(gen, x, y, out);
  if (ResetAfterPrint) agg_.Reset();
}

TQRRichText::TQRRichText(rtl::TComponent* owner) : TQRCustomLabel(owner) {
  AutoSize = false;
  WordWrap = true;
  Width = 200;
  Height = 60;
}

std::string TQRRichText::PrintText(TGenerator&) {
  std::string s;
  for (int i = 0; i < Lines.Count(); ++i) {
    if (i) s += '\n';
    s += Lines[i];
  }
  return s;
}

TQRImage::TQRImage(rtl::TComponent* owner) : TQRPrintable(owner) {
  Width = 100;
  Height = 100;
}

namespace {

std::shared_ptr<gui::TGraphic> CopyOf(const gui::TGraphic* g) {
  if (!g || g->Empty()) return nullptr;
  std::unique_ptr<gui::TGraphic> c = g->NewInstance();
  c->Assign(g);
  return std::shared_ptr<gui::TGraphic>(std::move(c));
}

}  // namespace

void TQRImage::BeginGeneration() { snapshot_ = CopyOf(picture_.Graphic()); }

void TQRImage::Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) {
  TPlacedItem p = Base(TPlacedKind::Image, x, y);
  p.Picture = snapshot_;
  p.Stretch = Stretch;
  out.push_back(std::move(p));
}

void TQRDBImage::Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) {
  TPlacedItem p = Base(TPlacedKind::Image, x, y);
  p.Stretch = Stretch;
  data::TZQuery* q = gen.Query(DataSet);
  if (q && q->Active() && !q->IsEmpty()) {
    data::TField* f = q->FieldByName(DataField);
    if (!f->IsNull()) {
      rtl::TMemoryStream ms;
      f->SaveToStream(ms);
      if (ms.Size() > 0) {
        ms.Seek(0, rtl::TSeekOrigin::soBeginning);
        auto jpeg = std::make_shared<gui::TJPEGImage>();
        jpeg->LoadFromStream(ms);
        p.Picture = jpeg;
      }
    }
  }
  out.push_back(std::move(p));
}

TQRShape::TQRShape(rtl::TComponent* owner) : TQRPrintable(owner) {
  Width = 65;
  Height = 65;
}

void TQRShape::Place(TGenerator&, int x, int y, std::vector<TPlacedItem>& out) {
  TPlacedKind kind = TPlacedKind::Rectangle;
  if (Shape == TShapeType::qrsHorLine || Shape == TShapeType::qrsVertLine) kind = TPlacedKind::Line;
  if (Shape == TShapeType::qrsEllipse) kind = TPlacedKind::Ellipse;
  TPlacedItem p = Base(kind, x, y);
  if (Shape == TShapeType::qrsHorLine) {
    int mid = p.Rect.Top + Height / 2;
    p.Rect.Top = mid;
    p.Rect.Bottom = mid;
  } else if (Shape == TShapeType::qrsVertLine) {
    int mid = p.Rect.Left + Width / 2;
    p.Rect.Left = mid;
    p.Rect.Right = mid;
  }
  p.PenColor = pen_.Style() == gui::psClear ? gui::clNone : pen_.Color();
  p.PenWidth = pen_.Width();
  p.Color = brush_.Style() == gui::bsClear ? gui::clNone : brush_.Color();
  out.push_back(std::move(p));
}

// ------------------------------------------------------------------ bands

TQRCustomBand::TQRCustomBand(rtl::TComponent* owner, TQRBandType type) : rtl::TComponent(owner), type_(type) {
  if (auto* r = dynamic_cast<TPageReport*>(owner)) SetParent(r);
}

TQRCustomBand::~TQRCustomBand() {
  SetParent(nullptr);
  for (TQRPrintable* i : items_) i->parent_ = nullptr;
  if (child_) child_->parentBand_ = nullptr;
}

void TQRCustomBand::SetParent(TPageReport* report) {
  if (report_ == report) return;
  if (report_) std::erase(report_->bands_, this);
  report_ = report;
  if (report) report->bands_.push_back(this);
}

TQRChildBand::~TQRChildBand() { SetParentBand(nullptr); }

void TQRChildBand::SetParentBand(TQRCustomBand* band) {
  if (parentBand_ == band) return;
  if (parentBand_) parentBand_->child_ = nullptr;
  parentBand_ = band;
  if (band) band->child_ = this;
}

// ------------------------------------------------------------------ generation

TExprValue TGenerator::ReadField(data::TZQuery* q, const std::string& field) const {
  TExprValue v;
  q = Query(q);
  if (!q || !q->Active() || q->IsEmpty()) return v;
  data::TField* f = q->FieldByName(field);
  if (!IsZeroDate(*f)) v.Text = f->AsString();
  if (f->DataType() == data::TFieldType::ftInteger || f->DataType() == data::TFieldType::ftFloat) {
    v.IsNumber = true;
    v.Number = f->AsFloat();
  }
  return v;
}

TFieldReader TGenerator::Reader(data::TZQuery* q) const {
  return [this, q](const std::string& field) { return ReadField(q, field); };
}

TPageReport::TPageReport(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TPageReport::~TPageReport() {
  // The bands may be owned by this report; they must still find it whole when they go.
  DestroyComponents();
  for (TQRCustomBand* b : bands_) b->report_ = nullptr;
}

int TPageReport::PageWidth() const { return Page.Orientation == poPortrait ? 816 : 1056; }
int TPageReport::PageHeight() const { return Page.Orientation == poPortrait ? 1056 : 816; }

// The band flow: bands go down the page; a band that does not fit above the page footer
// starts a new page, which begins with the page header and the column header.
class TBandFlow {
 public:
  TBandFlow(TPageReport& r, TGenerator& g) : r_(r), g_(g) {}

  void Run();

 private:
  TQRCustomBand* First(TQRBandType t) const {
    for (TQRCustomBand* b : r_.Bands())
      if (b->BandType() == t) return b;
    return nullptr;
  }
  // A band with its enabled children.
  static int StackHeight(TQRCustomBand* b) {
    int h = 0;
    for (; b; b = b->ChildBand())
      if (b->Enabled) h += b->Height;
    return h;
  }
  TReportPages& Pages() { return r_.pages_; }
  std::vector<TPlacedItem>& Items() { return Pages().Pages.back().Items; }
  int Bottom() const { return r_.PageHeight() - r_.Page.BottomMargin - footerHeight_; }

  void NewPage();
  void EndPage(bool last);
  // Prints the band and its children; returns false when the band's handler skipped it.
  void Print(TQRCustomBand* b, bool breakPages = true);
  void PlaceBand(TQRCustomBand* b);

  TPageReport& r_;
  TGenerator& g_;
  int y_ = 0;
  int contentTop_ = 0;  // below the page and column headers
  int footerHeight_ = 0;
  std::vector<TQRGroup*> groups_;
  std::vector<std::string> keys_;
  bool inGroups_ = false;
  std::vector<TQRExpr*> exprs_;
};

void TBandFlow::PlaceBand(TQRCustomBand* b) {
  int x = r_.Page.LeftMargin;
  int w = r_.PageWidth() - r_.Page.LeftMargin - r_.Page.RightMargin;
  if (b->Color != gui::clNone) {
    TPlacedItem bg;
    bg.Kind = TPlacedKind::BandBackground;
    bg.Band = b->Name();
    bg.BandType = b->BandType();
    bg.Rect = gui::Bounds(x, y_, w, b->Height);
    bg.Color = b->Color;
    bg.PenColor = gui::clNone;
    Items().push_back(bg);
  }
  for (TQRPrintable* i : b->Items())
    if (i->Enabled) i->Place(g_, x, y_, Items());
  y_ += b->Height;
}

void TBandFlow::Print(TQRCustomBand* b, bool breakPages) {
  if (!b || !b->Enabled) return;
  bool print = true;
  if (b->BeforePrint) b->BeforePrint(b, print);
  if (!print) return;
  if (breakPages) {
    bool pageHasContent = y_ > contentTop_;
    if ((b->ForceNewPage && pageHasContent) || (y_ + b->Height > Bottom() && pageHasContent)) {
      EndPage(false);
      NewPage();
    }
  }
  PlaceBand(b);
  Print(b->ChildBand(), breakPages);
}

void TBandFlow::NewPage() {
  // Pages of a list hold about as many items as the one before.
  const size_t before = Pages().Pages.empty() ? 0 : Items().size();
  Pages().Pages.emplace_back();
  Items().reserve(before);
  Pages().Pages.back().Number = static_cast<int>(Pages().Pages.size());
  r_.pageNumber_ = Pages().Pages.back().Number;
  g_.currentPage = Pages().Pages.size() - 1;
  y_ = r_.Page.TopMargin;
  contentTop_ = y_;
  TQRCustomBand* footer = First(rbPageFooter);
  footerHeight_ = footer && footer->Enabled ? StackHeight(footer) : 0;
  if (r_.pageNumber_ > 1 || r_.FirstPageHeader) Print(First(rbPageHeader), false);
  if (r_.pageNumber_ == 1) Print(First(rbTitle), false);
  Print(First(rbColumnHeader), false);
  if (r_.pageNumber_ > 1 && inGroups_)
    for (TQRGroup* g : groups_)
      if (g->ReprintOnNewPage) Print(g, false);
  contentTop_ = y_;
}

void TBandFlow::EndPage(bool last) {
  if (last && !r_.LastPageFooter) return;
  TQRCustomBand* footer = First(rbPageFooter);
  if (!footer || !footer->Enabled) return;
  y_ = r_.PageHeight() - r_.Page.BottomMargin - footerHeight_;
  Print(footer, false);
}

void TBandFlow::Run() {
  for (TQRCustomBand* b : r_.Bands()) {
    for (TQRPrintable* i : b->Items()) {
      i->BeginGeneration();
      if (auto* e = dynamic_cast<TQRExpr*>(i)) exprs_.push_back(e);
    }
    if (auto* g = dynamic_cast<TQRGroup*>(b)) groups_.push_back(g);
  }
  std::vector<TExpression> groupExprs;
  for (TQRGroup* g : groups_) groupExprs.push_back(TExpression::Parse(g->Expression));

  data::TZQuery* q = r_.DataSet();
  bool hasRows = q && q->Active() && !q->IsEmpty();
  if (!hasRows && q && !r_.PrintIfEmpty) return;

  NewPage();
  auto detail = [&] {
    r_.detailCount_++;
    for (TQRExpr* e : exprs_) e->Accumulate(g_);
    Print(First(rbDetail));
  };
  auto closeGroups = [&](size_t from) {
    for (size_t k = groups_.size(); k-- > from;) Print(groups_[k]->FooterBand);
  };
  if (!q) {
    detail();
  } else if (hasRows) {
    int saved = q->RecNo();
    q->First();
    bool firstRow = true;
    keys_.assign(groups_.size(), std::string());
    while (!q->Eof()) {
      // The outermost group whose value changed starts anew with every group inside it.
      size_t changed = groups_.size();
      for (size_t k = 0; k < groups_.size(); ++k) {
        std::string key = groupExprs[k].Evaluate(g_.Reader()).Text;
        if ((firstRow || key != keys_[k]) && changed == groups_.size()) changed = k;
        keys_[k] = key;
      }
      if (!firstRow && changed < groups_.size()) {
        // Footers of the groups that end read the group's last row.
        q->Prior();
        closeGroups(changed);
        q->Next();
      }
      inGroups_ = true;
      for (size_t k = changed; k < groups_.size(); ++k) Print(groups_[k]);
      detail();
      firstRow = false;
      q->Next();
    }
    // The footers of the last groups still read the last row.
    q->Last();
    closeGroups(0);
    inGroups_ = false;
    q->MoveTo(saved);
  }
  Print(First(rbSummary));
  EndPage(true);
}

const TReportPages& TPageReport::Prepare() {
  pages_ = TReportPages{};
  pages_.PageWidth = PageWidth();
  pages_.PageHeight = PageHeight();
  pageNumber_ = 0;
  detailCount_ = 0;
  moment_ = rtl::Now();
  bool go = true;
  if (BeforePrint) BeforePrint(this, go);
  if (!go) return pages_;
  TGenerator gen(*this);
  TBandFlow(*this, gen).Run();
  // The page count is known only now.
  std::string total = std::to_string(pages_.Count());
  for (auto& l : gen.late) pages_.Pages[l.page].Items[l.item].Text = l.prefix + total;
  return pages_;
}

void TPageReport::Preview() {
  Prepare();
  PreviewService().ShowPreview(*this, pages_);
}

void TPageReport::Print() {
  Prepare();
  if (pages_.Count() == 0) return;
  PrintReportPages(pages_, ReportTitle.empty() ? Name() : ReportTitle);
}

}  // namespace report
