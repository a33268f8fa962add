// Page reports built in code: a layout is a class deriving from TPageReport whose
// constructor creates its bands and the items on them, as the windows of the class layer
// create their controls. Generating a report walks the bound query and lays the bands out
// on Letter pages into a page model (PageModel.h); the preview and the printer draw that
// model.
//
//   class TFQRKK : public report::TPageReport {
//    public:
//     explicit TFQRKK(rtl::TComponent* owner) : TPageReport(owner) {
//       PageHeaderBand1 = new TQRBand(this, rbPageHeader);   // bands belong to the report
//       PageHeaderBand1->Height = 120;
//       QRLabel1 = new TQRLabel(this);
//       QRLabel1->SetParent(PageHeaderBand1);
//       QRLabel1->SetBounds(10, 8, 300, 18);
//       QRLabel1->SetCaption("...");
//       ...
//     }
//   };
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/DataLink.h"
#include "data/ZQuery.h"
#include "gui/Graphics.h"
#include "gui/StdCtrls.h"
#include "report/Expr.h"
#include "report/PageModel.h"
#include "rtl/Classes.h"
#include "rtl/DateUtils.h"

namespace report {

using gui::TAlignment;
using TQRBandType::rbChild;
using TQRBandType::rbColumnHeader;
using TQRBandType::rbDetail;
using TQRBandType::rbGroupFooter;
using TQRBandType::rbGroupHeader;
using TQRBandType::rbPageFooter;
using TQRBandType::rbPageHeader;
using TQRBandType::rbSummary;
using TQRBandType::rbTitle;

class TPageReport;
class TQRCustomBand;
class TQRChildBand;
struct TGenerator;
class TBandFlow;

enum class TPrinterOrientation { poPortrait, poLandscape };
inline constexpr TPrinterOrientation poPortrait = TPrinterOrientation::poPortrait;
inline constexpr TPrinterOrientation poLandscape = TPrinterOrientation::poLandscape;

// Measures the width of one line of text in page units. The default measures with GDI
// on the screen; tests may put a fixed-width measure in (nullptr restores the default).
using TTextMeasure = std::function<int(const TFontSpec& font, const std::string& text)>;
void SetTextMeasure(TTextMeasure measure);
int MeasureText(const TFontSpec& font, const std::string& text);

// ---- printable items ----

class TQRPrintable : public rtl::TComponent {
  KORVAN_CLASS(TQRPrintable)
 public:
  explicit TQRPrintable(rtl::TComponent* owner);
  ~TQRPrintable() override;

  TQRCustomBand* Parent() const { return parent_; }
  void SetParent(TQRCustomBand* band);

  int Left = 0, Top = 0, Width = 64, Height = 17;
  void SetBounds(int left, int top, int width, int height);
  bool Enabled = true;
  // Background of the item's frame; clNone leaves the band showing through.
  gui::TColor Color = gui::clNone;

  // Places the item on the page with its band's top-left corner at (x, y).
  virtual void Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) = 0;
  // Generation starts: pictures are taken, running values reset.
  virtual void BeginGeneration() {}

 protected:
  TPlacedItem Base(TPlacedKind kind, int x, int y) const;

 private:
  friend class TQRCustomBand;
  TQRCustomBand* parent_ = nullptr;
};

// Items that print one text in a font.
class TQRCustomLabel : public TQRPrintable {
  KORVAN_CLASS(TQRCustomLabel)
 public:
  explicit TQRCustomLabel(rtl::TComponent* owner);
  gui::TFont& Font() { return font_; }
  TAlignment Alignment = TAlignment::taLeftJustify;
  // The frame follows the text's width (keeping its left edge, its right edge when
  // right-aligned, its centre when centred).
  bool AutoSize = true;
  bool WordWrap = false;
  // Lets the layout change the text about to print.
  std::function<void(TQRCustomLabel* sender, std::string& value)> OnPrint;

  // The text the item prints now.
  virtual std::string PrintText(TGenerator& gen) = 0;
  void Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) override;

 protected:
  gui::TFont font_;
};

class TQRLabel : public TQRCustomLabel {
  KORVAN_CLASS(TQRLabel)
 public:
  using TQRCustomLabel::TQRCustomLabel;
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& s) { caption_ = s; }
  std::string PrintText(TGenerator& gen) override { return caption_; }

 private:
  std::string caption_;
};

// A date field as printed documents show it: dd/mm/yyyy, or nothing where the field is
// NULL or holds the zero date (a date that does not apply).
std::string PrintedDate(const data::TField& f);

// A field of the current row. Numbers print through the mask ("#,##", "#####,");
// dates print as the short date (or through a date mask such as "dd/mm/yyyy").
class TQRDBText : public TQRCustomLabel {
  KORVAN_CLASS(TQRDBText)
 public:
  using TQRCustomLabel::TQRCustomLabel;
  // nullptr: the report's own query.
  data::TZQuery* DataSet = nullptr;
  std::string DataField;
  std::string Mask;
  std::string PrintText(TGenerator& gen) override;
};

enum class TQRSysDataType {
  qrsDate,
  qrsTime,
  qrsDateTime,
  qrsPageNumber,
  qrsPageCount,   // the number of pages of the whole report
  qrsDetailNo,    // running number of the detail line
  qrsDetailCount, // detail lines printed so far
  qrsReportTitle,
};

class TQRSysData : public TQRCustomLabel {
  KORVAN_CLASS(TQRSysData)
 public:
  using TQRCustomLabel::TQRCustomLabel;
  TQRSysDataType Data = TQRSysDataType::qrsDate;
  // Printed in front of the value ("Hal. ").
  std::string Text;
  std::string PrintText(TGenerator& gen) override;
  void Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) override;
};

// A field expression or an aggregate over the detail lines printed ("COUNT",
// "SUM(nominal)"). Aggregates run over the whole report unless ResetAfterPrint starts
// them again after each print (a group footer).
class TQRExpr : public TQRCustomLabel {
  KORVAN_CLASS(TQRExpr)
 public:
  using TQRCustomLabel::TQRCustomLabel;
  std::string Expression() const { return text_; }
  void SetExpression(const std::string& e);
  std::string Mask;
  bool ResetAfterPrint = false;
  std::string PrintText(TGenerator& gen) override;
  void BeginGeneration() override;
  void Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) override;
  // One detail line printed.
  void Accumulate(TGenerator& gen);

 private:
  std::string text_;
  std::unique_ptr<TExpression> expr_;
  TAggregate agg_;
};

// Plain multi-line text in one font, wrapped inside its frame.
class TQRRichText : public TQRCustomLabel {
  KORVAN_CLASS(TQRRichText)
 public:
  explicit TQRRichText(rtl::TComponent* owner);
  rtl::TStringList Lines;
  std::string PrintText(TGenerator& gen) override;
};

// A picture stretched to its frame (the church logo, a photo the owner window puts in).
class TQRImage : public TQRPrintable {
  KORVAN_CLASS(TQRImage)
 public:
  explicit TQRImage(rtl::TComponent* owner);
  gui::TPicture& Picture() { return picture_; }
  bool Stretch = true;
  void BeginGeneration() override;
  void Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) override;

 private:
  gui::TPicture picture_;
  std::shared_ptr<gui::TGraphic> snapshot_;
};

// A JPEG photo from a blob field of the current row.
class TQRDBImage : public TQRPrintable {
  KORVAN_CLASS(TQRDBImage)
 public:
  using TQRPrintable::TQRPrintable;
  data::TZQuery* DataSet = nullptr;
  std::string DataField;
  bool Stretch = true;
  void Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) override;
};

enum class TShapeType { qrsRectangle, qrsHorLine, qrsVertLine, qrsEllipse };

class TQRShape : public TQRPrintable {
  KORVAN_CLASS(TQRShape)
 public:
  explicit TQRShape(rtl::TComponent* owner);
  TShapeType Shape = TShapeType::qrsRectangle;
  gui::TPen& Pen() { return pen_; }
  gui::TBrush& Brush() { return brush_; }
  void Place(TGenerator& gen, int x, int y, std::vector<TPlacedItem>& out) override;

 private:
  gui::TPen pen_;
  gui::TBrush brush_;
};

// ---- bands ----

class TQRCustomBand : public rtl::TComponent {
  KORVAN_CLASS(TQRCustomBand)
 public:
  // A band owned by a report belongs to it; one owned elsewhere (a report placed on a
  // window) joins its report through SetParent.
  TQRCustomBand(rtl::TComponent* owner, TQRBandType type);
  ~TQRCustomBand() override;

  TPageReport* Parent() const { return report_; }
  void SetParent(TPageReport* report);

  TQRBandType BandType() const { return type_; }
  int Height = 40;
  gui::TColor Color = gui::clNone;
  bool Enabled = true;
  // Starts a new page before the band unless the page holds nothing but its header.
  bool ForceNewPage = false;
  // The band printed right below this one each time it prints.
  TQRChildBand* ChildBand() const { return child_; }
  bool HasChild() const { return child_ != nullptr; }

  // Runs before the band prints; clearing the flag skips it this time.
  std::function<void(TQRCustomBand* sender, bool& printBand)> BeforePrint;

  const std::vector<TQRPrintable*>& Items() const { return items_; }

 protected:
  TQRBandType type_;

 private:
  friend class TQRPrintable;
  friend class TQRChildBand;
  friend class TPageReport;
  TPageReport* report_ = nullptr;
  TQRChildBand* child_ = nullptr;
  std::vector<TQRPrintable*> items_;
};

class TQRBand : public TQRCustomBand {
  KORVAN_CLASS(TQRBand)
 public:
  explicit TQRBand(rtl::TComponent* owner, TQRBandType type = TQRBandType::rbDetail)
      : TQRCustomBand(owner, type) {}
  void SetBandType(TQRBandType t) { type_ = t; }
};

class TQRChildBand : public TQRCustomBand {
  KORVAN_CLASS(TQRChildBand)
 public:
  explicit TQRChildBand(rtl::TComponent* owner) : TQRCustomBand(owner, TQRBandType::rbChild) {}
  ~TQRChildBand() override;
  TQRCustomBand* ParentBand() const { return parentBand_; }
  void SetParentBand(TQRCustomBand* band);

 private:
  friend class TQRCustomBand;
  TQRCustomBand* parentBand_ = nullptr;
};

// A group header: a new group starts on the first row and whenever the expression's
// value differs from the previous row's. Groups nest in the order they were created.
class TQRGroup : public TQRCustomBand {
  KORVAN_CLASS(TQRGroup)
 public:
  explicit TQRGroup(rtl::TComponent* owner) : TQRCustomBand(owner, TQRBandType::rbGroupHeader) {}
  std::string Expression;
  // Printed after the group's last row (a band of type rbGroupFooter), or nullptr.
  TQRCustomBand* FooterBand = nullptr;
  // Prints the header again at the top of each page the group continues on.
  bool ReprintOnNewPage = false;
};

// ---- the report ----

class TPageReport : public rtl::TComponent {
  KORVAN_CLASS(TPageReport)
 public:
  explicit TPageReport(rtl::TComponent* owner);
  ~TPageReport() override;

  // The query whose rows the detail band prints; nullptr prints the detail band once.
  data::TZQuery* DataSet() const { return link_.DataSet(); }
  void SetDataSet(data::TZQuery* q) { link_.SetDataSet(q); }

  struct TPage {
    TPrinterOrientation Orientation = poPortrait;
    // Page units (1/96 inch).
    int TopMargin = 38, BottomMargin = 38, LeftMargin = 38, RightMargin = 38;
  } Page;
  int PageWidth() const;   // Letter: 816 portrait, 1056 landscape
  int PageHeight() const;

  std::string ReportTitle;
  // A query without rows still gives one page with title, headers and summary.
  bool PrintIfEmpty = true;
  bool FirstPageHeader = true;
  bool LastPageFooter = true;

  // Runs each time generation starts; clearing the flag cancels the report (no pages).
  std::function<void(TPageReport* sender, bool& printReport)> BeforePrint;

  // Lays the report out anew; the pages are also kept in Pages().
  const TReportPages& Prepare();
  const TReportPages& Pages() const { return pages_; }
  // Generates the pages and shows them in the print preview; returns when it closes.
  void Preview();
  // Generates the pages and prints them after the print dialog.
  void Print();

  // While generating: the page being filled, the detail lines printed so far, and the
  // moment generation started (the print date and time on every page).
  int PageNumber() const { return pageNumber_; }
  int RecordCount() const { return detailCount_; }
  rtl::TDateTime PrintMoment() const { return moment_; }

  const std::vector<TQRCustomBand*>& Bands() const { return bands_; }

 private:
  friend class TQRCustomBand;
  friend class TBandFlow;
  data::TDataLink link_;
  std::vector<TQRCustomBand*> bands_;
  TReportPages pages_;
  int pageNumber_ = 0;
  int detailCount_ = 0;
  rtl::TDateTime moment_ = 0;
};

// The generation in progress; items read the current row and counters through it.
struct TGenerator {
  explicit TGenerator(TPageReport& r) : report(r) {}
  TPageReport& report;
  TExprValue ReadField(data::TZQuery* q, const std::string& field) const;
  TFieldReader Reader(data::TZQuery* q = nullptr) const;
  data::TZQuery* Query(data::TZQuery* own) const { return own ? own : report.DataSet(); }
  // Items whose text is known only once every page exists (page count).
  struct TLate {
    size_t page, item;
    std::string prefix;
  };
  std::vector<TLate> late;
  size_t currentPage = 0;
};

}  // namespace report
