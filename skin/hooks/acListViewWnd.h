// The hook of list views (ours and native "SysListView32" windows): an edit hook that gives
// the list view the skin's background and text colours and turns the skinned bars' thumb
// drags into scrolls of the list view, which does not follow track positions it did not
// make itself: a details view moves by whole item heights.
#pragma once
#include "skin/hooks/acEditWnd.h"

namespace skin {

class TacListViewWnd : public TacEditWnd {
 public:
  // The list view's view: 3 details, 2 list, 1 small icons, 0 icons.
  int ListViewKind();

 protected:
  void SaveOriginalLook() override;
  void RestoreOriginalLook() override;
  void TakeSkinColors(TsCommonData& data) override;
  void HandleMessage(gui::TMessage& msg) override;
  bool HandleSkinCommand(gui::TMessage& msg) override;

 private:
  void ThumbTrack(gui::TMessage& msg, bool vertical);
  COLORREF savedBk_ = COLORREF(0xFFFFFFFF), savedTextBk_ = COLORREF(0xFFFFFFFF), savedText_ = 0;
  bool savedLv_ = false;
};

}  // namespace skin
