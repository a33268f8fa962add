#include "shell/UWhatisKorvan.h"

#include "kit/FormKit.h"

namespace shell {

using namespace gui;

TFWhatisKorvan* FWhatisKorvan = nullptr;

namespace {

// The program's emblem: a white cross on a blue shield above a golden base.
void DrawEmblem(TBitmap& b) {
  b.SetPixelFormat(pf24bit);
  b.SetSize(96, 96);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(Rect(0, 0, 96, 96));
  c.Pen().SetColor(TColor(0x6E3A1F));
  c.Brush().SetColor(TColor(0x6E3A1F));
  const TPoint shield[] = {{12, 8}, {84, 8}, {84, 52}, {48, 88}, {12, 52}};
  c.Polygon(shield, 5);
  c.Pen().SetColor(clWhite);
  c.Brush().SetColor(clWhite);
  c.Rectangle(43, 16, 53, 72);
  c.Rectangle(28, 30, 68, 40);
  c.Pen().SetColor(TColor(0x17A0D4));
  c.Brush().SetColor(TColor(0x17A0D4));
  c.Rectangle(20, 62, 76, 68);
}

}  // namespace

TFWhatisKorvan::TFWhatisKorvan(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(
      *this, {.name = "FWhatisKorvan", .caption = "What is KORVANS ?", .width = 520, .height = 330, .fontHeight = 0});

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(TAlign::alClient);
  Panel1->SetColor(clWhite);
  Panel1->SetBevelOuter(TBevelCut::bvNone);
  Panel1->SetCaption("");

  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetParent(Panel1);
  Image1->SetBounds(16, 16, 96, 96);
  DrawEmblem(Image1->Picture().Bitmap());

  struct Line {
    TLabel** label;
    const char* name;
    const char* caption;
    int top;
  };
  const Line lines[] = {
      {&Label1, "Label1", "KORVAN", 16},
      {&Label2, "Label2", "Sistem Informasi Manajemen Jemaat untuk gereja-gereja KVRB", 48},
      {&Label3, "Label3", "Nama KORVAN berasal dari kata \"korban\", persembahan syukur", 80},
      {&Label4, "Label4", "umat kepada Tuhan dalam setiap pelayanan.", 98},
      {&Label5, "Label5", "Dibuat oleh Tim Pengembang Selvaran", 130},
      {&Label6, "Label6", "untuk Jemaat KVRB \"Selvaran\".", 148},
      {&Label7, "Label7", "Tuhan Memberkati Pelayanan Kita Bersama", 184},
      {&Label8, "Label8", "Pelok,", 220},
      {&Label9, "Label9", "12 Maret 2012", 238},
  };
  for (const Line& l : lines) {
    auto* label = new TLabel(this);
    label->SetName(l.name);
    label->SetParent(Panel1);
    label->Transparent = true;
    label->SetBounds(128, l.top, 0, 0);
    label->SetCaption(l.caption);
    *l.label = label;
  }
  Label1->Font().SetHeight(-24);
  Label1->Font().SetStyle(fsBold);
  Label7->Font().SetStyle(fsBold | fsItalic);

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(Panel1);
  Button1->SetBounds(424, 288, 80, 28);
  Button1->SetCaption("Close");
  Button1->OnClick = [this](rtl::TObject* s) { Button1Click(s); };
}

void TFWhatisKorvan::Button1Click(rtl::TObject*) { Close(); }

}  // namespace shell
