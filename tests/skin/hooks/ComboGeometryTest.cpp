// Where a skinned combo box puts its drop-down button and its text.
#include <gtest/gtest.h>

#include "skin/hooks/acComboGeometry.h"

namespace skin {
namespace {

TEST(ComboGeometry, ButtonRectangles) {
  using S = TacComboStyle;
  struct Case {
    const char* what;
    bool rtl, dialog;
    S style;
    TBarRect expected;
  };
  // A combo of 120 x 24, bars 17 wide, margin 2.
  const Case cases[] = {
      {"drop-down list", false, false, S::DropDownList, {120 - 18 - 2, 2, 120 - 2, 22}},
      {"drop-down", false, false, S::DropDown, {100, 2, 118, 22}},
      {"simple outside a dialog keeps its width", false, false, S::Simple, {100, 2, 118, 22}},
      {"right to left", true, false, S::DropDownList, {2, 2, 20, 22}},
      {"dialog drop-down: the bar's width", false, true, S::DropDown, {101, 2, 118, 22}},
      {"dialog simple: no button", false, true, S::Simple, {118, 2, 118, 22}},
      {"dialog drop-down list as anywhere", false, true, S::DropDownList, {100, 2, 118, 22}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ComboButtonRect(120, 24, 17, 2, c.rtl, c.dialog, c.style), c.expected) << c.what;
}

TEST(ComboGeometry, TextBesideTheButton) {
  const TBarRect b = ComboButtonRect(120, 24, 17, 1, false, false, TacComboStyle::DropDownList);
  EXPECT_EQ(ComboTextRect(120, 24, b, false), (TBarRect{3, 3, b.Left, 21}));
  const TBarRect r = ComboButtonRect(120, 24, 17, 1, true, false, TacComboStyle::DropDownList);
  EXPECT_EQ(ComboTextRect(120, 24, r, true), (TBarRect{r.Right, 3, 117, 21})) << "right to left: up to 3 from the right";
}

}  // namespace
}  // namespace skin
