#include "report/Preview.h"

#include <commdlg.h>

#include <algorithm>
#include <cmath>

#include "report/PageReport.h"
#include "report/Render.h"
#include "rtl/Utf.h"

namespace report {

// ------------------------------------------------------------------ service

namespace {

TQRPreview* g_active = nullptr;

class TWindowPreviewService : public IPreviewService {
 public:
  void ShowPreview(TPageReport& report, const TReportPages& pages) override {
    TQRPreview f(nullptr);
    f.SetPages(&pages, report.ReportTitle.empty() ? report.Name() : report.ReportTitle);
    f.ShowModal();
  }
};

IPreviewService* g_service = nullptr;

}  // namespace

void SetPreviewService(IPreviewService* service) { g_service = service; }

IPreviewService& PreviewService() {
  static TWindowPreviewService window;
  return g_service ? *g_service : window;
}

TQRPreview* ActivePreview() { return g_active; }

// ------------------------------------------------------------------ page view

namespace {

constexpr int kGap = 12;

// A plain container for the tool buttons.
class TToolPanel : public gui::TCustomControl {
  KORVAN_CLASS(TToolPanel)
 public:
  using TCustomControl::TCustomControl;
};

}  // namespace

TQRPageView::TQRPageView(rtl::TComponent* owner, TQRPreview* preview) : TCustomControl(owner), preview_(preview) {
  SetColor(gui::clAppWorkSpace);
}

void TQRPageView::Reset() {
  hPos_ = vPos_ = 0;
  UpdateScrollBars();
  Invalidate();
}

void TQRPageView::WndProc(gui::TMessage& msg) {
  switch (msg.Msg) {
    case WM_SIZE:
      TCustomControl::WndProc(msg);
      UpdateScrollBars();
      Invalidate();
      return;
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(msg.WParam));
      return;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(msg.WParam));
      return;
    case WM_MOUSEWHEEL: {
      int delta = static_cast<short>(HIWORD(msg.WParam));
      SetPos(SB_VERT, vPos_ - delta * 60 / WHEEL_DELTA);
      return;
    }
    default:
      break;
  }
  TCustomControl::WndProc(msg);
}

gui::TRect TQRPageView::PageRect() const {
  double s = preview_->Scale();
  const TReportPages* p = preview_->Pages();
  int w = p ? static_cast<int>(std::lround(p->PageWidth * s)) : 0;
  int h = p ? static_cast<int>(std::lround(p->PageHeight * s)) : 0;
  int cw = ClientWidth(), ch = ClientHeight();
  int left = w + 2 * kGap <= cw ? (cw - w) / 2 : kGap - hPos_;
  int top = h + 2 * kGap <= ch ? (ch - h) / 2 : kGap - vPos_;
  return gui::Bounds(left, top, w, h);
}

void TQRPageView::CreateParams(gui::TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style |= WS_VSCROLL | WS_HSCROLL;
}

void TQRPageView::PaintWindow(HDC dc) {
  RECT cr;
  GetClientRect(handle_, &cr);
  int cw = cr.right, ch = cr.bottom;
  if (cw <= 0 || ch <= 0) return;
  // Drawn off screen first, so paging and scrolling do not flicker.
  gui::TBitmap buffer(cw, ch);
  gui::TCanvas& c = buffer.Canvas();
  c.Brush().SetColor(gui::clAppWorkSpace);
  c.FillRect(gui::Rect(0, 0, cw, ch));
  const TReportPages* pages = preview_->Pages();
  if (pages && preview_->PageCount() > 0) {
    gui::TRect r = PageRect();
    c.Brush().SetColor(gui::clGray);
    c.FillRect(r.Offset(3, 3));
    RenderPage(pages->Pages[static_cast<size_t>(preview_->PageNumber() - 1)], *pages, c, preview_->Scale(),
               r.Left, r.Top);
    c.Brush().SetColor(gui::clBlack);
    c.FrameRect(r);
  }
  BitBlt(dc, 0, 0, cw, ch, c.Handle(), 0, 0, SRCCOPY);
}

void TQRPageView::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  const TReportPages* p = preview_->Pages();
  double s = preview_->Scale();
  int w = p ? static_cast<int>(std::lround(p->PageWidth * s)) + 2 * kGap : 0;
  int h = p ? static_cast<int>(std::lround(p->PageHeight * s)) + 2 * kGap : 0;
  SetRange(SB_HORZ, w, ClientWidth(), hPos_);
  SetRange(SB_VERT, h, ClientHeight(), vPos_);
}

void TQRPageView::SetRange(int bar, int content, int client, int& pos) {
  pos = std::clamp(pos, 0, std::max(0, content - client));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, std::max(0, content - 1),
                static_cast<UINT>(std::max(0, client)), pos, 0};
  SetScrollInfo(handle_, bar, &si, TRUE);
}

void TQRPageView::SetPos(int bar, int v) {
  int& pos = bar == SB_VERT ? vPos_ : hPos_;
  pos = v;
  UpdateScrollBars();
  Invalidate();
}

void TQRPageView::Scroll(int bar, int code) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(handle_, bar, &si);
  int pos = si.nPos;
  int page = static_cast<int>(si.nPage);
  switch (code) {
    case SB_LINEUP: pos -= 40; break;
    case SB_LINEDOWN: pos += 40; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  SetPos(bar, pos);
}

// ------------------------------------------------------------------ preview window

namespace {

gui::TButton* MakeButton(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, const char* caption,
                         int& x, int width) {
  auto* b = new gui::TButton(owner);
  b->SetName(name);
  b->SetParent(parent);
  b->SetBounds(x, 4, width, 26);
  b->SetCaption(caption);
  x += width + 4;
  return b;
}

}  // namespace

TQRPreview::TQRPreview(rtl::TComponent* owner) : gui::TForm(owner) {
  SetCaption("Preview");
  SetClientSize(900, 680);
  Position = gui::TPosition::poScreenCenter;
  KeyPreview = true;

  auto* bar = new TToolPanel(this);
  bar->SetName("ToolPanel");
  bar->SetParent(this);
  bar->SetHeight(34);
  bar->SetAlign(gui::TAlign::alTop);

  int x = 6;
  FirstButton = MakeButton(this, bar, "FirstButton", "|<", x, 34);
  PriorButton = MakeButton(this, bar, "PriorButton", "<", x, 34);
  NextButton = MakeButton(this, bar, "NextButton", ">", x, 34);
  LastButton = MakeButton(this, bar, "LastButton", ">|", x, 34);
  PageLabel = new gui::TLabel(this);
  PageLabel->SetName("PageLabel");
  PageLabel->SetParent(bar);
  PageLabel->SetAutoSize(false);
  PageLabel->Alignment = gui::TAlignment::taCenter;
  PageLabel->SetBounds(x, 10, 130, 16);
  x += 134;
  FitPageButton = MakeButton(this, bar, "FitPageButton", "Satu Halaman", x, 96);
  FitWidthButton = MakeButton(this, bar, "FitWidthButton", "Lebar Halaman", x, 96);
  ActualSizeButton = MakeButton(this, bar, "ActualSizeButton", "100%", x, 50);
  x += 12;
  PrintButton = MakeButton(this, bar, "PrintButton", "Print...", x, 72);
  CloseButton = MakeButton(this, bar, "CloseButton", "Close", x, 72);
  CloseButton->Cancel = true;

  View = new TQRPageView(this, this);
  View->SetName("View");
  View->SetParent(this);
  View->SetAlign(gui::TAlign::alClient);

  FirstButton->OnClick = [this](rtl::TObject*) { FirstPage(); };
  PriorButton->OnClick = [this](rtl::TObject*) { PriorPage(); };
  NextButton->OnClick = [this](rtl::TObject*) { NextPage(); };
  LastButton->OnClick = [this](rtl::TObject*) { LastPage(); };
  FitPageButton->OnClick = [this](rtl::TObject*) { SetZoom(TQRZoom::FitPage); };
  FitWidthButton->OnClick = [this](rtl::TObject*) { SetZoom(TQRZoom::FitWidth); };
  ActualSizeButton->OnClick = [this](rtl::TObject*) { SetZoom(TQRZoom::Actual); };
  PrintButton->OnClick = [this](rtl::TObject*) { PrintReport(); };
  CloseButton->OnClick = [this](rtl::TObject*) { Close(); };
  OnKeyDown = [this](rtl::TObject*, WORD& key, gui::TShiftState) {
    switch (key) {
      case VK_NEXT: NextPage(); break;
      case VK_PRIOR: PriorPage(); break;
      case VK_HOME: FirstPage(); break;
      case VK_END: LastPage(); break;
      default: return;
    }
    key = 0;
  };
  OnShow = [this](rtl::TObject*) { g_active = this; };
  OnHide = [this](rtl::TObject*) {
    if (g_active == this) g_active = nullptr;
  };
  UpdateState();
}

TQRPreview::~TQRPreview() {
  if (g_active == this) g_active = nullptr;
}

void TQRPreview::SetPages(const TReportPages* pages, const std::string& title) {
  pages_ = pages;
  title_ = title;
  page_ = 0;
  SetCaption(title.empty() ? "Preview" : "Preview - " + title);
  View->Reset();
  UpdateState();
}

void TQRPreview::ShowPage(int number) {
  if (PageCount() == 0) return;
  number = std::clamp(number, 1, PageCount());
  if (number - 1 == page_) return;
  page_ = number - 1;
  View->Reset();
  UpdateState();
}

void TQRPreview::SetZoom(TQRZoom z) {
  zoom_ = z;
  View->Reset();
  UpdateState();
}

double TQRPreview::Scale() const {
  if (!pages_ || pages_->PageWidth <= 0) return 1.0;
  double actual = gui::Screen ? gui::Screen->PixelsPerInch() / 96.0 : 1.0;
  double cw = std::max(1, View->ClientWidth() - 2 * kGap);
  double ch = std::max(1, View->ClientHeight() - 2 * kGap);
  switch (zoom_) {
    case TQRZoom::FitPage: return std::min(cw / pages_->PageWidth, ch / pages_->PageHeight);
    case TQRZoom::FitWidth: return cw / pages_->PageWidth;
    case TQRZoom::Actual: return actual;
  }
  return actual;
}

void TQRPreview::UpdateState() {
  int n = PageCount();
  PageLabel->SetCaption(n ? "Halaman " + std::to_string(PageNumber()) + " dari " + std::to_string(n) : "");
  FirstButton->SetEnabled(n > 0 && page_ > 0);
  PriorButton->SetEnabled(n > 0 && page_ > 0);
  NextButton->SetEnabled(page_ + 1 < n);
  LastButton->SetEnabled(page_ + 1 < n);
  PrintButton->SetEnabled(n > 0);
}

void TQRPreview::PrintReport() {
  if (pages_ && pages_->Count()) PrintReportPages(*pages_, title_);
}

// ------------------------------------------------------------------ printing

void PrintPagesToDC(HDC dc, const TReportPages& pages, int from, int to, const std::string& title) {
  from = std::max(from, 1);
  to = std::min(to, pages.Count());
  std::wstring name = rtl::W(title.empty() ? "KORVAN" : title);
  DOCINFOW di{};
  di.cbSize = sizeof di;
  di.lpszDocName = name.c_str();
  if (StartDocW(dc, &di) <= 0) throw rtl::Exception("Printing could not start");
  // Page units are 1/96 inch; the printable area starts at the physical offset.
  double scale = GetDeviceCaps(dc, LOGPIXELSX) / 96.0;
  int offX = GetDeviceCaps(dc, PHYSICALOFFSETX), offY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  gui::TCanvas canvas;
  try {
    for (int p = from; p <= to; ++p) {
      if (StartPage(dc) <= 0) throw rtl::Exception("Printing failed");
      canvas.SetHandle(dc);
      RenderPage(pages.Pages[static_cast<size_t>(p - 1)], pages, canvas, scale, -offX, -offY, false);
      canvas.SetHandle(nullptr);
      if (EndPage(dc) <= 0) throw rtl::Exception("Printing failed");
    }
  } catch (...) {
    canvas.SetHandle(nullptr);
    AbortDoc(dc);
    throw;
  }
  EndDoc(dc);
}

bool PrintReportPages(const TReportPages& pages, const std::string& title) {
  if (pages.Count() == 0) return false;
  // Letter paper in the report's orientation, on whichever printer the user picks.
  HGLOBAL devMode = GlobalAlloc(GHND, sizeof(DEVMODEW));
  if (auto* dm = static_cast<DEVMODEW*>(GlobalLock(devMode))) {
    dm->dmSize = sizeof(DEVMODEW);
    dm->dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    dm->dmOrientation = pages.PageWidth > pages.PageHeight ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    dm->dmPaperSize = DMPAPER_LETTER;
    GlobalUnlock(devMode);
  }
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = GetActiveWindow();
  pd.hDevMode = devMode;
  pd.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
  pd.nMinPage = 1;
  pd.nMaxPage = static_cast<WORD>(std::min(pages.Count(), 0xFFFF));
  pd.nFromPage = 1;
  pd.nToPage = pd.nMaxPage;
  BOOL ok = PrintDlgW(&pd);
  auto release = [&] {
    if (pd.hDC) DeleteDC(pd.hDC);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
  };
  if (!ok || !pd.hDC) {
    release();
    return false;
  }
  int from = 1, to = pages.Count();
  if (pd.Flags & PD_PAGENUMS) {
    from = pd.nFromPage;
    to = pd.nToPage;
  }
  try {
    PrintPagesToDC(pd.hDC, pages, from, to, title);
  } catch (...) {
    release();
    throw;
  }
  release();
  return true;
}

}  // namespace report
