#include "gui/DBGrids.h"

#include <commctrl.h>

#include <algorithm>

#include "data/ZQuery.h"
#include "rtl/Utf.h"

namespace gui {

// Every change of the query reaches the grid: opened, closed, re-run, refreshed, moved.
class TDBGrid::Link : public data::TDataLink {
 public:
  explicit Link(TDBGrid* grid) : grid_(grid) {}
  void ActiveChanged() override { grid_->Refresh(); }
  void DataSetChanged() override { grid_->Refresh(); }
  void Scrolled() override { grid_->SelectCurrent(); }
  void RecordChanged() override { grid_->Invalidate(); }

 private:
  TDBGrid* grid_;
};

TColumn* TDBGridColumns::Add(const std::string& fieldName, const std::string& title, int width) {
  items_.push_back(std::make_unique<TColumn>());
  TColumn* c = items_.back().get();
  c->FieldName = fieldName;
  c->TitleCaption = title;
  c->Width = width;
  grid_->Refresh();
  return c;
}

void TDBGridColumns::Clear() {
  items_.clear();
  grid_->Refresh();
}

TDBGrid::TDBGrid(TComponent* owner) : TWinControl(owner), link_(std::make_unique<Link>(this)) {
  width_ = 320;
  height_ = 120;
  color_ = clWindow;
  TabStop = true;
}

TDBGrid::~TDBGrid() {
  MarkDestroying();
  link_.reset();  // no notification may reach a grid that is going
}

data::TDataSource* TDBGrid::DataSource() const { return link_->DataSource(); }

void TDBGrid::SetDataSource(data::TDataSource* source) { link_->SetDataSource(source); }

void TDBGrid::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = WC_LISTVIEWW;
  p.Style |= LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL;
  if (Options & dgAlwaysShowSelection) p.Style |= LVS_SHOWSELALWAYS;
  if (!(Options & dgTitles)) p.Style |= LVS_NOCOLUMNHEADER;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDBGrid::CreateHandleDone() {
  DWORD ex = 0;
  if (Options & dgRowSelect) ex |= LVS_EX_FULLROWSELECT;
  if (Options & (dgColLines | dgRowLines)) ex |= LVS_EX_GRIDLINES;
  SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  SendMessageW(handle_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(color_)));
  SendMessageW(handle_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(color_)));
  pushed_.clear();
  Refresh();
}

void TDBGrid::BuildColumns() {
  shown_.clear();
  data::TZQuery* q = link_ ? link_->DataSet() : nullptr;
  bool active = q && q->Active();
  if (columns_.Count() > 0) {
    for (int i = 0; i < columns_.Count(); ++i) {
      TColumn* c = columns_[i];
      shown_.push_back({c->FieldName, c->TitleCaption.empty() ? c->FieldName : c->TitleCaption, c->Width, c->Alignment});
    }
  } else if (active) {
    for (int i = 0; i < q->FieldCount(); ++i) {
      const std::string& name = q->Fields(i)->FieldName();
      int w = std::max(64, static_cast<int>(name.size()) * 8 + 16);
      shown_.push_back({name, name, w, TAlignment::taLeftJustify});
    }
  }
}

void TDBGrid::PushColumns() {
  bool same = shown_.size() == pushed_.size();
  for (size_t i = 0; same && i < shown_.size(); ++i)
    same = shown_[i].title == pushed_[i].title && shown_[i].width == pushed_[i].width;
  if (same) return;
  while (SendMessageW(handle_, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (size_t i = 0; i < shown_.size(); ++i) {
    std::wstring title = rtl::W(shown_[i].title);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.pszText = title.data();
    col.cx = shown_[i].width;
    // The list view's first column is always left-aligned.
    col.fmt = i == 0 ? LVCFMT_LEFT
                     : shown_[i].alignment == TAlignment::taRightJustify ? LVCFMT_RIGHT
                     : shown_[i].alignment == TAlignment::taCenter       ? LVCFMT_CENTER
                                                                         : LVCFMT_LEFT;
    SendMessageW(handle_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
  }
  pushed_ = shown_;
}

void TDBGrid::Refresh() {
  if (ComponentState() & rtl::csDestroying) return;
  data::TZQuery* q = link_ ? link_->DataSet() : nullptr;
  rowCount_ = q && q->Active() ? q->RecordCount() : 0;
  BuildColumns();
  if (!handle_) return;
  PushColumns();
  syncing_ = true;
  SendMessageW(handle_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rowCount_), 0);
  syncing_ = false;
  SelectCurrent();
  InvalidateRect(handle_, nullptr, TRUE);
}

// The query's current row becomes the selected row of the list.
void TDBGrid::SelectCurrent() {
  if (!handle_) return;
  data::TZQuery* q = link_ ? link_->DataSet() : nullptr;
  int row = q && q->Active() ? q->RecNo() - 1 : -1;
  syncing_ = true;
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  if (row >= 0 && row < rowCount_) {
    LVITEMW sel{};
    sel.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    sel.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sel));
    SendMessageW(handle_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  syncing_ = false;
}

std::string TDBGrid::ColumnTitle(int col) const { return shown_.at(static_cast<size_t>(col)).title; }

std::string TDBGrid::CellText(int row, int col) const {
  if (col < 0 || col >= static_cast<int>(shown_.size())) return {};
  return FieldText(row + 1, shown_[static_cast<size_t>(col)].field);
}

std::string TDBGrid::FieldText(int recNo, std::string_view fieldName) const {
  data::TZQuery* q = link_ ? link_->DataSet() : nullptr;
  if (!q || !q->Active()) return {};
  data::TField* f = q->FindField(fieldName);
  return f ? f->AsStringAt(recNo - 1) : std::string();
}

void TDBGrid::Notify(NMHDR* hdr, TMessage& msg) {
  switch (hdr->code) {
    case LVN_GETDISPINFOW: {
      auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
      if ((di->item.mask & LVIF_TEXT) && di->item.pszText && di->item.cchTextMax > 0) {
        dispText_ = rtl::W(CellText(di->item.iItem, di->item.iSubItem));
        size_t n = std::min(dispText_.size(), static_cast<size_t>(di->item.cchTextMax - 1));
        std::copy_n(dispText_.c_str(), n, di->item.pszText);
        di->item.pszText[n] = L'\0';
      }
      break;
    }
    case LVN_ITEMCHANGED: {
      // The user's choice of row (mouse or keys) moves the query there.
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if (syncing_ || nm->iItem < 0 || !(nm->uChanged & LVIF_STATE)) break;
      if ((nm->uNewState & LVIS_SELECTED) && !(nm->uOldState & LVIS_SELECTED)) {
        data::TZQuery* q = link_->DataSet();
        if (q && q->Active() && q->RecNo() != nm->iItem + 1) {
          syncing_ = true;
          try {
            q->MoveTo(nm->iItem + 1);
          } catch (...) {
            syncing_ = false;
            throw;
          }
          syncing_ = false;
        }
      }
      break;
    }
    case NM_CLICK:
      if (OnCellClick) {
        auto* ia = reinterpret_cast<NMITEMACTIVATE*>(hdr);
        int sub = ia->iSubItem;
        TColumn* c = columns_.Count() > sub && sub >= 0 ? columns_[sub] : nullptr;
        if (ia->iItem >= 0) OnCellClick(c);
      }
      break;
    case NM_DBLCLK:
      // Anywhere in the rows' area, below the last row and on an empty grid too: the
      // handler decides what a grid without rows means (most refuse with a message).
      DblClick();
      break;
    case NM_CUSTOMDRAW: {
      auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
      if (!OnGetRowColor) {
        msg.Result = CDRF_DODEFAULT;
        break;
      }
      if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
        msg.Result = CDRF_NOTIFYITEMDRAW;
      } else if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        TColor bg = color_, fg = font_.Color();
        OnGetRowColor(this, static_cast<int>(cd->nmcd.dwItemSpec) + 1, bg, fg);
        cd->clrTextBk = ColorToRGB(bg);
        cd->clrText = ColorToRGB(fg);
        msg.Result = CDRF_NEWFONT;
      }
      break;
    }
    default:
      break;
  }
}

void TDBGrid::WndProc(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY) {
    Notify(reinterpret_cast<NMHDR*>(msg.LParam), msg);
    return;
  }
  // The list view reports double clicks itself (NM_DBLCLK).
  if (msg.Msg == WM_LBUTTONDBLCLK) {
    DefaultHandler(msg);
    return;
  }
  TWinControl::WndProc(msg);
}

}  // namespace gui
