#include "shell/UDeveloper.h"

#include <vector>

#include "kit/FormKit.h"
#include "rtl/SysUtils.h"

namespace shell {

using namespace gui;

TFDeveloper* FDeveloper = nullptr;

namespace {
#include "shell/UDeveloperPicture.inc"
}  // namespace

std::unique_ptr<TGraphic> ReadDeveloperPicture() {
  auto graphic = TPicture::CreateGraphicByClassName(kDeveloperPictureClass);
  if (!graphic)
    throw rtl::EReadError(std::string("Class ") + kDeveloperPictureClass +
                          " not found: the skin engine's picture format must be registered before the "
                          "credits window is created");
  rtl::TMemoryStream block(std::vector<uint8_t>(std::begin(kDeveloperPicture), std::end(kDeveloperPicture)));
  graphic->ReadData(block);
  return graphic;
}

TFDeveloper::TFDeveloper(rtl::TComponent* owner) : TForm(owner) {
  // Read before anything else is built: without the picture class there is no window.
  std::unique_ptr<TGraphic> banner = ReadDeveloperPicture();

  kit::SetupForm(*this,
                 {.name = "FDeveloper", .caption = "Developer Team", .width = 369, .height = 470, .fontHeight = 0});

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(TAlign::alClient);
  Panel1->SetColor(clWhite);
  Panel1->SetBevelOuter(TBevelCut::bvNone);
  Panel1->SetCaption("");

  Image2 = new TImage(this);
  Image2->SetName("Image2");
  Image2->SetParent(Panel1);
  Image2->SetBounds(16, 16, 337, 126);
  Image2->SetStretch(true);
  Image2->Picture().SetGraphic(std::move(banner));

  struct Line {
    TLabel** label;
    const char* name;
    const char* caption;
    int left, top;
    bool heading;
  };
  const Line lines[] = {
      {&Label1, "Label1", "Kami Adalah :", 16, 156, true},
      {&Label2, "Label2", "Survey && Dokumentasi", 16, 188, true},
      {&Label3, "Label3", "Lidia Korwatan", 32, 206, false},
      {&Label4, "Label4", "Natan Selmaru", 32, 224, false},
      {&Label5, "Label5", "Penasihat", 16, 256, true},
      {&Label6, "Label6", "Pdt. Elia Marsanto, S.Th.", 32, 274, false},
      {&Label7, "Label7", "Kordinator", 16, 306, true},
      {&Label8, "Label8", "Daniel Tumewan", 32, 324, false},
      {&Label9, "Label9", "Ananlys && Programmer", 16, 356, true},
      {&Label10, "Label10", "Ruben Latuwael", 32, 374, false},
      {&Label11, "Label11", "Priska Wenas", 32, 392, false},
  };
  for (const Line& l : lines) {
    auto* label = new TLabel(this);
    label->SetName(l.name);
    label->SetParent(Panel1);
    label->Transparent = true;
    label->SetBounds(l.left, l.top, 0, 0);
    label->SetCaption(l.caption);
    if (l.heading) label->Font().SetStyle(fsBold);
    *l.label = label;
  }

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(Panel1);
  Button1->SetBounds(273, 428, 80, 28);
  Button1->SetCaption("Close");
  Button1->OnClick = [this](rtl::TObject* s) { Button1Click(s); };
}

void TFDeveloper::Button1Click(rtl::TObject*) { Close(); }

}  // namespace shell
