#include "gui/DBCtrls.h"

#include <bit>

#include "data/ZQuery.h"

namespace gui {

namespace {
constexpr TNavigateBtn kOrder[] = {nbFirst, nbPrior, nbNext, nbLast, nbRefresh};
}

class TDBNavigator::Link : public data::TDataLink {
 public:
  explicit Link(TDBNavigator* nav) : nav_(nav) {}
  void ActiveChanged() override { nav_->Invalidate(); }
  void DataSetChanged() override { nav_->Invalidate(); }
  void RecordChanged() override { nav_->Invalidate(); }

 private:
  TDBNavigator* nav_;
};

TDBNavigator::TDBNavigator(TComponent* owner) : TCustomControl(owner), link_(std::make_unique<Link>(this)) {
  width_ = 150;
  height_ = 25;
}

TDBNavigator::~TDBNavigator() { link_.reset(); }

void TDBNavigator::SetDataSource(data::TDataSource* source) {
  link_->SetDataSource(source);
  Invalidate();
}

data::TDataSource* TDBNavigator::DataSource() const { return link_->DataSource(); }

void TDBNavigator::SetVisibleButtons(TNavButtonSet buttons) {
  visible_ = buttons;
  Invalidate();
}

int TDBNavigator::ButtonCount() const { return std::popcount(visible_ & (nbFirst | nbPrior | nbNext | nbLast | nbRefresh)); }

TRect TDBNavigator::ButtonRect(int index) const {
  int n = ButtonCount();
  int w = n ? width_ / n : width_;
  return Rect(index * w, 0, index == n - 1 ? width_ : (index + 1) * w, height_);
}

TNavigateBtn TDBNavigator::ButtonAt(int x) const {
  int index = 0;
  for (TNavigateBtn b : kOrder) {
    if (!(visible_ & b)) continue;
    TRect r = ButtonRect(index++);
    if (x >= r.Left && x < r.Right) return b;
  }
  return static_cast<TNavigateBtn>(0);
}

bool TDBNavigator::ButtonEnabled(TNavigateBtn button) const {
  data::TZQuery* q = link_->DataSet();
  if (!enabled_ || !q || !q->Active()) return false;
  switch (button) {
    case nbFirst:
    case nbPrior: return q->RecNo() > 1;
    case nbNext:
    case nbLast: return q->RecNo() < q->RecordCount();
    case nbRefresh: return true;
  }
  return false;
}

void TDBNavigator::BtnClick(TNavigateBtn button) {
  if (!ButtonEnabled(button)) return;
  data::TZQuery* q = link_->DataSet();
  switch (button) {
    case nbFirst: q->First(); break;
    case nbPrior: q->Prior(); break;
    case nbNext: q->Next(); break;
    case nbLast: q->Last(); break;
    case nbRefresh: q->Refresh(); break;
  }
  Invalidate();
}

void TDBNavigator::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
      pressed_ = msg.XPos();
      SetCapture(handle_);
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == handle_) ReleaseCapture();
      // A click acts on the button under both the press and the release.
      if (pressed_ >= 0 && ButtonAt(pressed_) == ButtonAt(msg.XPos()) &&
          Rect(0, 0, width_, height_).Contains({msg.XPos(), msg.YPos()}))
        if (TNavigateBtn b = ButtonAt(msg.XPos())) BtnClick(b);
      pressed_ = -1;
      return;
    default:
      break;
  }
  TCustomControl::WndProc(msg);
}

void TDBNavigator::Paint() {
  TCanvas& c = canvas_;
  HDC dc = c.Handle();
  int index = 0;
  for (TNavigateBtn b : kOrder) {
    if (!(visible_ & b)) continue;
    TRect r = ButtonRect(index++);
    RECT wr{r.Left, r.Top, r.Right, r.Bottom};
    DrawEdge(dc, &wr, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    const bool on = ButtonEnabled(b);
    HBRUSH brush = CreateSolidBrush(GetSysColor(on ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2, s = 4;
    auto triangle = [&](int tipX, bool left) {
      POINT p[3] = {{tipX, cy}, {tipX + (left ? s + 1 : -s - 1), cy - s}, {tipX + (left ? s + 1 : -s - 1), cy + s}};
      Polygon(dc, p, 3);
    };
    auto bar = [&](int x) {
      RECT br{x, cy - s, x + 2, cy + s + 1};
      FillRect(dc, &br, brush);
    };
    switch (b) {
      case nbFirst: bar(cx - s - 2); triangle(cx - s + 1, true); break;
      case nbPrior: triangle(cx - s / 2, true); break;
      case nbNext: triangle(cx + s / 2, false); break;
      case nbLast: triangle(cx + s - 1, false); bar(cx + s); break;
      case nbRefresh: {
        RECT rr{cx - s, cy - s, cx + s + 1, cy + s + 1};
        SelectObject(dc, oldPen);
        HPEN pen = CreatePen(PS_SOLID, 2, GetSysColor(on ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        HGDIOBJ prev = SelectObject(dc, pen);
        Arc(dc, rr.left, rr.top, rr.right, rr.bottom, cx + s, cy, cx, cy - s);
        SelectObject(dc, prev);
        DeleteObject(pen);
        SelectObject(dc, GetStockObject(NULL_PEN));
        break;
      }
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  }
}

}  // namespace gui
