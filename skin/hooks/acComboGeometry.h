// Where a skinned combo box draws its drop-down button and its text, free of Win32 so that
// it is tested natively.
#pragma once
#include <cstdint>

#include "skin/hooks/acScrollGeometry.h"

namespace skin {

enum class TacComboStyle : uint8_t { Simple, DropDown, DropDownList };

// The button of a combo box of Width x Height: as wide as the system's scroll bar plus one,
// inside the skin's combo margin, on the right (on the left with right-to-left reading). A
// native dialog's drop-down combo takes the bar's width alone and its simple one none.
TBarRect ComboButtonRect(int32_t width, int32_t height, int32_t scrollBarWidth, int32_t margin, bool rtlReading,
                         bool nativeDialog, TacComboStyle style);
// The text of a drop-down list between the frame and the button: 3 pixels in from the
// frame at top and bottom and on the side away from the button.
TBarRect ComboTextRect(int32_t width, int32_t height, const TBarRect& button, bool rtlReading);

}  // namespace skin
