// The record navigator: buttons that move a data source's query to its first, previous,
// next or last row and run it again.
#pragma once
#include <memory>

#include "data/DataLink.h"
#include "gui/Controls.h"

namespace gui {

enum TNavigateBtn : unsigned { nbFirst = 1, nbPrior = 2, nbNext = 4, nbLast = 8, nbRefresh = 16 };
using TNavButtonSet = unsigned;

class TDBNavigator : public TCustomControl {
  KORVAN_CLASS(TDBNavigator)
 public:
  explicit TDBNavigator(TComponent* owner);
  ~TDBNavigator() override;

  void SetDataSource(data::TDataSource* source);
  data::TDataSource* DataSource() const;
  TNavButtonSet VisibleButtons() const { return visible_; }
  void SetVisibleButtons(TNavButtonSet buttons);
  // Whether a button can act now (the query open, not already at that end).
  bool ButtonEnabled(TNavigateBtn button) const;
  // Acts as a click on the button does.
  void BtnClick(TNavigateBtn button);

  void WndProc(TMessage& msg) override;

 protected:
  void Paint() override;

 private:
  class Link;
  int ButtonCount() const;
  TNavigateBtn ButtonAt(int x) const;
  TRect ButtonRect(int index) const;
  std::unique_ptr<Link> link_;
  TNavButtonSet visible_ = nbFirst | nbPrior | nbNext | nbLast | nbRefresh;
  int pressed_ = -1;
};

}  // namespace gui
