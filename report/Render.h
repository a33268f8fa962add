// Drawing the page model onto a canvas at any scale: the preview's bitmaps, PNG
// snapshots and printer pages all come from RenderPage.
#pragma once
#include <string>

#include "gui/Graphics.h"
#include "report/PageModel.h"

namespace report {

// Draws the page with its top-left corner at (originX, originY) of the canvas, scale
// device pixels per page unit. The white paper is filled first unless paper is false.
void RenderPage(const TReportPage& page, const TReportPages& pages, gui::TCanvas& canvas, double scale,
                int originX = 0, int originY = 0, bool paper = true);

// A 32-bit bitmap of the whole page at the scale.
void RenderPageToBitmap(const TReportPage& page, const TReportPages& pages, gui::TBitmap& bmp, double scale = 1.0);

// Writes the bitmap as a PNG file through the system's PNG encoder (WIC).
void SaveBitmapToPng(gui::TBitmap& bmp, const std::string& utf8Path);

// Width of one line of text in page units, measured with GDI. The thread that measures
// first (the GUI thread) keeps the fonts of the last kMeasureFonts specs and up to
// kMeasuredTexts widths in each; other threads make a font for every measure.
inline constexpr size_t kMeasureFonts = 8;
inline constexpr size_t kMeasuredTexts = 4096;
int MeasureTextGdi(const TFontSpec& font, const std::string& text);

}  // namespace report
