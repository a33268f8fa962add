#include "skin/hooks/acComboGeometry.h"

namespace skin {

TBarRect ComboButtonRect(int32_t width, int32_t height, int32_t scrollBarWidth, int32_t margin, bool rtlReading,
                         bool nativeDialog, TacComboStyle style) {
  int32_t w = scrollBarWidth + 1;
  if (nativeDialog && style != TacComboStyle::DropDownList) w = style == TacComboStyle::DropDown ? scrollBarWidth : 0;
  TBarRect r;
  r.Left = rtlReading ? margin : width - w - margin;
  r.Top = margin;
  r.Right = r.Left + w;
  r.Bottom = height - margin;
  return r;
}

TBarRect ComboTextRect(int32_t width, int32_t height, const TBarRect& button, bool rtlReading) {
  if (rtlReading) return {button.Right, 3, width - 3, height - 3};
  return {3, 3, button.Left, height - 3};
}

}  // namespace skin
