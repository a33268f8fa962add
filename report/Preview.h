// The print preview: a modal window that pages through a generated report, zooms, and
// prints to a Windows printer chosen in the system's print dialog. Owners reach it only
// through TPageReport::Preview(), which goes through one replaceable service so tests can
// take the generated pages instead of a window.
#pragma once
#include <windows.h>

#include <string>

#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "report/PageModel.h"

namespace report {

class TPageReport;

class IPreviewService {
 public:
  virtual ~IPreviewService() = default;
  // Shows the pages and returns when the user is done with them.
  virtual void ShowPreview(TPageReport& report, const TReportPages& pages) = 0;
};

// The service in use; nullptr puts the preview window back.
void SetPreviewService(IPreviewService* service);
IPreviewService& PreviewService();

enum class TQRZoom { FitPage, FitWidth, Actual };

class TQRPreview;

// The page on a grey workspace, scrolled with the scroll bars and the mouse wheel.
class TQRPageView : public gui::TCustomControl {
  KORVAN_CLASS(TQRPageView)
 public:
  TQRPageView(rtl::TComponent* owner, TQRPreview* preview);
  // Back to the top-left corner after a change of page or zoom.
  void Reset();
  // The page's place on the view at the current zoom and scroll position.
  gui::TRect PageRect() const;
  void WndProc(gui::TMessage& msg) override;

 protected:
  void CreateParams(gui::TCreateParams& p) override;
  void PaintWindow(HDC dc) override;

 private:
  void UpdateScrollBars();
  void SetRange(int bar, int content, int client, int& pos);
  void SetPos(int bar, int v);
  void Scroll(int bar, int code);
  TQRPreview* preview_;
  int hPos_ = 0, vPos_ = 0;
};

class TQRPreview : public gui::TForm {
  KORVAN_CLASS(TQRPreview)
 public:
  explicit TQRPreview(rtl::TComponent* owner);
  ~TQRPreview() override;

  // The pages shown (kept by the caller while the window is up).
  void SetPages(const TReportPages* pages, const std::string& title);
  const TReportPages* Pages() const { return pages_; }
  int PageCount() const { return pages_ ? pages_->Count() : 0; }
  // 1-based.
  int PageNumber() const { return page_ + 1; }
  void ShowPage(int number);
  void FirstPage() { ShowPage(1); }
  void PriorPage() { ShowPage(PageNumber() - 1); }
  void NextPage() { ShowPage(PageNumber() + 1); }
  void LastPage() { ShowPage(PageCount()); }

  TQRZoom Zoom() const { return zoom_; }
  void SetZoom(TQRZoom z);
  // Screen pixels per page unit at the current zoom and window size.
  double Scale() const;

  // Prints every page after the print dialog.
  void PrintReport();

  gui::TButton* FirstButton;
  gui::TButton* PriorButton;
  gui::TButton* NextButton;
  gui::TButton* LastButton;
  gui::TLabel* PageLabel;
  gui::TButton* FitPageButton;
  gui::TButton* FitWidthButton;
  gui::TButton* ActualSizeButton;
  gui::TButton* PrintButton;
  gui::TButton* CloseButton;
  TQRPageView* View;

 private:
  void UpdateState();
  const TReportPages* pages_ = nullptr;
  std::string title_;
  int page_ = 0;
  TQRZoom zoom_ = TQRZoom::FitWidth;
};

// The preview window shown now (nullptr when none is up).
TQRPreview* ActivePreview();

// Opens the print dialog and prints the pages (all, or the range chosen) to the printer
// chosen there; returns false when the user cancels.
bool PrintReportPages(const TReportPages& pages, const std::string& title);
// Prints pages from..to (1-based) onto a printer DC between StartDoc and EndDoc.
void PrintPagesToDC(HDC dc, const TReportPages& pages, int from, int to, const std::string& title);

}  // namespace report
