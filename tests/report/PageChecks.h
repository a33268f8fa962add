// Checks on a generated page model that a reader of the printed page would make: no
// text runs into another text, a writing line, a picture or a frame's edge. A text's
// place is where its ink lands (measured in its font, aligned in its frame), not its
// frame, so a caption wider than its frame is caught where it runs over.
#pragma once
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "report/PageModel.h"
#include "report/PageReport.h"

namespace reptest {

// A text keeps this many page units (about a thin space) clear of the item beside it, so
// that the two do not touch.
inline constexpr int kTextGap = 3;

// The box a text's ink covers on the page.
inline report::TRect InkOf(const report::TPlacedItem& it) {
  if (it.WordWrap) return it.Rect;  // wrapped text stays inside its frame
  int width = 0, lines = 0;
  size_t start = 0;
  while (true) {
    size_t nl = it.Text.find('\n', start);
    std::string line = it.Text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    width = std::max(width, report::MeasureText(it.Font, line));
    ++lines;
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  // Ascent and descent of the usual faces together are about 1.15 of the em.
  const int lineHeight = static_cast<int>(std::ceil(it.Font.Size * 96.0 / 72.0 * 1.15));
  report::TRect r = it.Rect;
  switch (it.Align) {
    case report::TTextAlign::Left: r.Right = r.Left + width; break;
    case report::TTextAlign::Right: r.Left = r.Right - width; break;
    case report::TTextAlign::Center:
      r.Left = (it.Rect.Left + it.Rect.Right - width) / 2;
      r.Right = r.Left + width;
      break;
  }
  r.Bottom = r.Top + lines * lineHeight;
  return r;
}

inline bool Meet(const report::TRect& a, const report::TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Every place on the pages where a text meets another item, as "page 1: A over B".
inline std::vector<std::string> TextsRunningIntoOtherItems(const report::TReportPages& pages) {
  using report::TPlacedKind;
  std::vector<std::string> found;
  for (const report::TReportPage& page : pages.Pages) {
    const auto& items = page.Items;
    auto named = [&](const report::TPlacedItem& it) {
      return (it.Name.empty() ? std::string("(") + it.Band + ")" : it.Name) + " \"" + it.Text + "\"";
    };
    for (size_t i = 0; i < items.size(); ++i) {
      const report::TPlacedItem& text = items[i];
      if (text.Kind != TPlacedKind::Text || text.Text.empty()) continue;
      report::TRect ink = InkOf(text);
      ink.Left -= kTextGap;
      ink.Right += kTextGap;
      for (size_t j = 0; j < items.size(); ++j) {
        const report::TPlacedItem& other = items[j];
        if (j == i) continue;
        report::TRect box = other.Rect;
        switch (other.Kind) {
          case TPlacedKind::BandBackground: continue;  // texts sit on their band's colour
          case TPlacedKind::Text:
            if (other.Text.empty() || j < i) continue;  // each pair once
            box = InkOf(other);
            break;
          case TPlacedKind::Line:
            box.Bottom = std::max(box.Bottom, box.Top + 1);
            box.Right = std::max(box.Right, box.Left + 1);
            break;
          case TPlacedKind::Rectangle:
          case TPlacedKind::Ellipse: {
            // A text inside a frame is what frames are for; crossing its edge is not.
            const report::TRect& f = other.Rect;
            if (ink.Left >= f.Left && ink.Right <= f.Right && ink.Top >= f.Top && ink.Bottom <= f.Bottom) continue;
            break;
          }
          case TPlacedKind::Image: break;
        }
        if (Meet(ink, box))
          found.push_back("page " + std::to_string(page.Number) + ": " + named(text) + " over " + named(other));
      }
    }
  }
  return found;
}

}  // namespace reptest
