// A label that shows its text as a Code 39 bar code. With the bar-code font installed
// the font draws it; without it (the font is not part of the program) the label draws
// the bars itself from the same text, start and stop characters included, so the code
// stays scannable either way.
#pragma once
#include <string>

#include "gui/StdCtrls.h"

namespace registry {

class TBarcodeLabel : public gui::TLabel {
  KORVAN_CLASS(TBarcodeLabel)
 public:
  explicit TBarcodeLabel(rtl::TComponent* owner);

  // True when the bars are drawn by the label (the font is missing).
  bool DrawsBars() const;
  // The bars as modules ('1' bar, '0' space) at a wide element of three modules; empty
  // when the text has a character Code 39 lacks (the text is then shown as it is).
  std::string Modules() const;
  // Where the drawn bars start and how wide one module is, in the label's pixels.
  int BarsLeft() const;
  int ModuleWidth() const;

 protected:
  void Paint() override;
  void DoTextChanged() override {}  // keeps its size: the bars fill the label
};

// True when a font family of that name is installed.
bool FontInstalled(const std::string& name);

}  // namespace registry
