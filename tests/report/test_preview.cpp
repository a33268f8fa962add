// The print preview as a real window: the owner's call returns only when the preview
// closes; paging, zoom and the page drawn on the view.
#include <gtest/gtest.h>

#include "report/Preview.h"
#include "report/Render.h"
#include "tests/report/SampleLayouts.h"

using namespace reptest;
using guitest::RunSoon;

namespace {

void Click(gui::TButton* b) { SendMessageW(b->Handle(), BM_CLICK, 0, 0); }

using PreviewWindow = MemberTable;

TEST_F(PreviewWindow, PagesZoomsAndClosesBeforeTheOwnersCallReturns) {
  Fill(100);
  OpenMembers();
  TFQRSampleList r(nullptr, q_.get());
  r.ReportTitle = "Laporan Warga Jemaat";
  bool closedFromWindow = false;
  std::vector<std::string> labels;
  RunSoon([&] {
    TQRPreview* pv = ActivePreview();
    ASSERT_NE(pv, nullptr);
    auto close = [&] {
      closedFromWindow = true;
      Click(pv->CloseButton);
    };
    EXPECT_TRUE(pv->Showing());
    EXPECT_EQ(pv->Caption(), "Preview - Laporan Warga Jemaat");
    const int n = pv->PageCount();
    EXPECT_EQ(n, r.Pages().Count());
    if (n < 3) {
      ADD_FAILURE() << "expected several pages, got " << n;
      close();
      return;
    }
    std::string of = " dari " + std::to_string(n);
    labels.push_back(pv->PageLabel->Caption());
    EXPECT_FALSE(pv->PriorButton->Enabled());
    Click(pv->NextButton);
    labels.push_back(pv->PageLabel->Caption());
    Click(pv->LastButton);
    labels.push_back(pv->PageLabel->Caption());
    EXPECT_FALSE(pv->NextButton->Enabled());
    EXPECT_FALSE(pv->LastButton->Enabled());
    Click(pv->NextButton);  // disabled: stays on the last page
    Click(pv->PriorButton);
    labels.push_back(pv->PageLabel->Caption());
    Click(pv->FirstButton);
    labels.push_back(pv->PageLabel->Caption());
    EXPECT_EQ(labels, (std::vector<std::string>{"Halaman 1" + of, "Halaman 2" + of, "Halaman " + std::to_string(n) + of,
                                                "Halaman " + std::to_string(n - 1) + of, "Halaman 1" + of}));

    // Zoom: the whole page fits; the width fills the view; 100% is one page unit per pixel
    // on a 96-dpi screen.
    Click(pv->FitPageButton);
    double fitPage = pv->Scale();
    gui::TRect page = pv->View->PageRect();
    EXPECT_LE(page.Height(), pv->View->ClientHeight());
    EXPECT_LE(page.Width(), pv->View->ClientWidth());
    Click(pv->FitWidthButton);
    EXPECT_GT(pv->Scale(), fitPage);
    Click(pv->ActualSizeButton);
    EXPECT_DOUBLE_EQ(pv->Scale(), gui::Screen->PixelsPerInch() / 96.0);

    // What the view draws: the white page on the grey workspace, the column headings'
    // grey band where the page model puts it.
    Click(pv->FitPageButton);
    page = pv->View->PageRect();
    gui::TBitmap shot(pv->View->ClientWidth(), pv->View->ClientHeight());
    SendMessageW(pv->View->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()), PRF_CLIENT);
    gui::TColor workspace = gui::ColorToRGB(gui::clAppWorkSpace) & 0xFFFFFF;
    EXPECT_EQ(shot.Canvas().Pixels(2, 2) & 0xFFFFFF, workspace);
    EXPECT_EQ(shot.Canvas().Pixels(page.Left + 4, page.Top + 4) & 0xFFFFFF, gui::clWhite);
    const TPlacedItem* band = r.Pages().Pages[0].InBand(rbColumnHeader)[0];
    double s = pv->Scale();
    int bx = page.Left + static_cast<int>((band->Rect.Right - 3) * s);
    int by = page.Top + static_cast<int>((band->Rect.Top + band->Rect.Bottom) / 2.0 * s);
    EXPECT_EQ(shot.Canvas().Pixels(bx, by) & 0xFFFFFF, gui::clSilver);

    // The whole window, for a person to look at.
    gui::TBitmap window;
    guitest::ShotOfWindow(pv->Handle(), window);
    SaveBitmapToPng(window, "Z:" + std::string(KORVAN_REPORT_OUT) + "/preview_window.png");
    close();
  });
  r.Preview();
  EXPECT_TRUE(closedFromWindow);
  EXPECT_EQ(ActivePreview(), nullptr);
}

TEST_F(PreviewWindow, AnEmptyReportShowsItsOnePage) {
  OpenMembers();
  TFQRSampleList r(nullptr, q_.get());
  std::string label;
  RunSoon([&] {
    TQRPreview* pv = ActivePreview();
    ASSERT_NE(pv, nullptr);
    label = pv->PageLabel->Caption();
    EXPECT_FALSE(pv->NextButton->Enabled());
    EXPECT_TRUE(pv->PrintButton->Enabled());
    pv->Close();
  });
  r.Preview();
  EXPECT_EQ(label, "Halaman 1 dari 1");
}

}  // namespace
