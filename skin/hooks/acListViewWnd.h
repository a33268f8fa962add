// The hook of list views (ours and native "SysListView32" windows): an edit hook that gives
// the list view the skin's background and text colours and turns the skinned bars' thumb
// drags into scrolls of the list view, which does not follow track positions it did not
// make itself: a details view moves by whole item heights.
#pragma once
#include <memory>

#include "gui/Subclass.h"
#include "skin/hooks/acEditWnd.h"

namespace skin {

// The column header of a skinned list view: every column from the skin's column-header
// section, the one under the mouse hot and the pressed one pressed.
class TacHeaderWnd : public gui::TWindowSubclass {
 public:
  explicit TacHeaderWnd(TsCommonData* listData) : listData_(listData) {}
  ~TacHeaderWnd() override;
  void WndProc(gui::TMessage& msg) override;
  int HotColumn() const { return hot_; }
  int PressedColumn() const { return pressed_; }
  // The header drawn into DC (the window's own when nullptr).
  void PaintHeader(HDC dc);

 private:
  int ColumnAt(LPARAM point);
  TsCommonData* listData_;
  int hot_ = -1, pressed_ = -1;
  bool tracking_ = false;
};

class TacListViewWnd : public TacEditWnd {
 public:
  // The list view's view: 3 details, 2 list, 1 small icons, 0 icons.
  int ListViewKind();
  // The column header's painter while the skin's look applies; nullptr otherwise.
  TacHeaderWnd* Header() const { return header_.get(); }

 protected:
  void SaveOriginalLook() override;
  void RestoreOriginalLook() override;
  void TakeSkinColors(TsCommonData& data) override;
  void HandleMessage(gui::TMessage& msg) override;
  bool HandleSkinCommand(gui::TMessage& msg) override;

 private:
  void ThumbTrack(gui::TMessage& msg, bool vertical);
  void PrintHeader(HDC dc);
  COLORREF savedBk_ = COLORREF(0xFFFFFFFF), savedTextBk_ = COLORREF(0xFFFFFFFF), savedText_ = 0;
  bool savedLv_ = false;
  std::unique_ptr<TacHeaderWnd> header_;
};

}  // namespace skin
