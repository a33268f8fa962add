// The generated pages of a report as plain data: every page holds the items placed on
// it, each with its kind, the band it came from, its text and its rectangle in page
// units (1/96 inch, the units layouts are drawn in). The preview, the printer and the
// tests all read this model; nothing in it depends on a device.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gui/Graphics.h"
#include "gui/Types.h"

namespace report {

using gui::TColor;
using gui::TRect;

// Page units per inch.
inline constexpr int kUnitsPerInch = 96;

enum class TQRBandType {
  rbTitle,
  rbPageHeader,
  rbColumnHeader,
  rbDetail,
  rbSummary,
  rbPageFooter,
  rbGroupHeader,
  rbGroupFooter,
  rbChild,
};
const char* BandTypeName(TQRBandType t);

enum class TPlacedKind {
  BandBackground,  // the band's colour behind its items
  Text,            // labels, data fields, system data, expressions, rich text
  Image,           // fixed pictures and pictures from blob fields
  Line,            // horizontal or vertical line (a shape)
  Rectangle,       // framed and/or filled rectangle (a shape)
  Ellipse,
};

enum class TTextAlign { Left, Right, Center };

struct TFontSpec {
  std::string Name = "Arial";
  int Size = 10;                // points
  gui::TFontStyles Style = 0;   // gui::fsBold, ...
  TColor Color = gui::clBlack;
  friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

struct TPlacedItem {
  TPlacedKind Kind = TPlacedKind::Text;
  std::string Name;       // the item's component name ("QRLabel2"); empty for band backgrounds
  std::string Band;       // the band's component name
  TQRBandType BandType = TQRBandType::rbDetail;
  std::string Text;       // texts only; lines separated by "\n"
  TRect Rect;             // page units, page's top-left corner at 0,0
  TFontSpec Font;
  TTextAlign Align = TTextAlign::Left;
  bool WordWrap = false;
  TColor Color = gui::clNone;      // background of texts, fill of shapes and bands
  TColor PenColor = gui::clBlack;  // shapes
  int PenWidth = 1;
  std::shared_ptr<gui::TGraphic> Picture;  // images (shared, the model can be copied)
  bool Stretch = true;
};

struct TReportPage {
  int Number = 0;  // 1-based
  std::vector<TPlacedItem> Items;

  // Lookups for tests and owners: the first item named so, or nullptr.
  const TPlacedItem* Find(const std::string& name) const;
  std::vector<const TPlacedItem*> InBand(TQRBandType t) const;
  // The texts of every item named so, in page order.
  std::vector<std::string> Texts(const std::string& name) const;
};

struct TReportPages {
  int PageWidth = 816;    // Letter portrait
  int PageHeight = 1056;
  std::vector<TReportPage> Pages;
  int Count() const { return static_cast<int>(Pages.size()); }
};

}  // namespace report
