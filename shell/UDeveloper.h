// The credits window: the people who surveyed, advised, coordinated and programmed.
// Its banner is kept in the skin engine's picture class, so the window can only be
// built once that class is registered.
#pragma once
#include <memory>

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace shell {

// The picture class the banner is kept under.
inline constexpr const char* kDeveloperPictureClass = "TPNGGraphic";

// The banner as a window layout reads it: a graphic of the stored class filled from the
// stored block. Raises rtl::EReadError when the class is not registered.
std::unique_ptr<gui::TGraphic> ReadDeveloperPicture();

class TFDeveloper : public gui::TForm {
  KORVAN_CLASS(TFDeveloper)
 public:
  explicit TFDeveloper(rtl::TComponent* owner);

  gui::TPanel* Panel1;
  gui::TImage* Image2;
  gui::TLabel* Label1;   // "Kami Adalah :"
  gui::TLabel* Label2;   // survey and documentation
  gui::TLabel* Label3;
  gui::TLabel* Label4;
  gui::TLabel* Label5;   // adviser
  gui::TLabel* Label6;
  gui::TLabel* Label7;   // coordinator
  gui::TLabel* Label8;
  gui::TLabel* Label9;   // analysis and programming
  gui::TLabel* Label10;
  gui::TLabel* Label11;
  gui::TButton* Button1;

  void Button1Click(rtl::TObject* sender);
};

extern TFDeveloper* FDeveloper;

}  // namespace shell
