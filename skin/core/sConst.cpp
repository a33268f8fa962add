#include "skin/core/sConst.h"

namespace skin {

TacGlobals& Globals() {
  static TacGlobals g;
  return g;
}

int32_t WinVersionFlagOf(uint32_t major, uint32_t minor) {
  if (major > 6 || (major == 6 && minor == 2)) return 8;
  return static_cast<int32_t>(major);
}

bool IsSkipSkinTag(int64_t tag) {
  const int64_t bits = Globals().SkipSkinTag;
  return (tag & bits) == bits;
}

const std::array<std::string_view, kThirdPartyKinds> ThirdPartyPropNames{
    "ThirdEdits", "ThirdButtons", "ThirdBitBtns", "ThirdCheckBoxes", "ThirdComboBoxes", "ThirdGrids",
    "ThirdGroupBoxes", "ThirdListViews", "ThirdPanels", "ThirdTreeViews", "ThirdWWEdits", "ThirdGridEh",
    "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl", "ThirdToolBar", "ThirdStatusBar",
    "ThirdSpeedButton", "ThirdScrollControl", "ThirdUpDown", "ThirdScrollBar", "ThirdStaticText",
    "ThirdNativePaint"};

const std::array<std::string_view, kThirdPartyKinds> ThirdPartyDefaultLists{
    "TEdit\r\nTMemo\r\nTMaskEdit\r\nTLabeledEdit\r\nTHotKey\r\nTListBox\r\nTCheckListBox\r\nTRichEdit\r\n"
    "TDateTimePicker",
    "TButton",
    "TBitBtn",
    "TCheckBox\r\nTRadioButton\r\nTGroupButton",
    "TComboBox\r\nTColorBox",
    "TStringGrid\r\nTDrawGrid",
    "TGroupBox\r\nTRadioGroup",
    "TListView",
    "TPanel",
    "TTreeView",
    " ",
    " ",
    " ",
    "TPageControl",
    "TTabControl",
    "TToolBar",
    "TStatusBar",
    "TSpeedButton",
    "TScrollBox",
    "TUpDown",
    "TScrollBar",
    "TStaticText",
    " "};

const std::array<std::string_view, 16> TabElementNames{
    "TABLEFTFIRST",  "TABTOPFIRST",  "TABRIGHTFIRST",  "TABBOTTOMFIRST",  "TABLEFTLAST", "TABTOPLAST",
    "TABRIGHTLAST",  "TABBOTTOMLAST", "TABLEFTMIDDLE", "TABTOPMIDDLE",    "TABRIGHTMIDDLE",
    "TABBOTTOMMIDDLE", "TABLEFT",     "TABTOP",        "TABRIGHT",        "TABBOTTOM"};
const std::array<std::string_view, 4> ScrollBtnElementNames{"SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT",
                                                            "SCROLLBTNBOTTOM"};
const std::array<std::string_view, 4> ScrollBarElementNames{"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H",
                                                            "SCROLLBAR2V"};
// The third name has no underscore: skins are written with exactly these keys.
const std::array<std::string_view, 4> UpDownElementNames{"UPDOWNBTN_LEFT", "UPDOWNBTN_TOP", "UPDOWNBTNRIGHT",
                                                         "UPDOWNBTN_BOTTOM"};
const std::array<std::string_view, 2> SliderElementNames{"SCROLLSLIDERH", "SCROLLSLIDERV"};
const std::array<std::string_view, 2> RadioElementNames{"RADIOUNCHECKED", "RADIOCHECKED"};
const std::array<std::string_view, 3> CheckBoxElementNames{"BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED"};
const std::array<std::string_view, 3> SmallCheckElementNames{"SMALLUNCHECKED", "SMALLCHECKED", "SMALLGRAYED"};

}  // namespace skin
