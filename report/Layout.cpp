#include "report/Layout.h"

#include <stdexcept>

namespace report {

int TLayoutReport::BandWidth() const { return PageWidth() - Page.LeftMargin - Page.RightMargin; }

TQRLabel* TLayoutReport::AddLabel(TQRCustomBand* band, const char* name, int x, int y, int w,
                                  const std::string& caption, gui::TFontStyles style) {
  auto* l = new TQRLabel(this);
  l->SetName(name);
  l->SetParent(band);
  l->AutoSize = false;
  l->SetBounds(x, y, w, 17);
  l->SetCaption(caption);
  l->Font().SetStyle(style);
  return l;
}

TQRDBText* TLayoutReport::AddField(TQRCustomBand* band, const char* name, int x, int y, int w, const char* field,
                                   gui::TFontStyles style) {
  auto* t = new TQRDBText(this);
  t->SetName(name);
  t->SetParent(band);
  t->AutoSize = false;
  t->SetBounds(x, y, w, 17);
  t->DataField = field;
  t->Font().SetStyle(style);
  return t;
}

TQRExpr* TLayoutReport::AddExpr(TQRCustomBand* band, const char* name, int x, int y, int w,
                                 const std::string& expression, const char* mask, gui::TFontStyles style) {
  auto* e = new TQRExpr(this);
  e->SetName(name);
  e->SetParent(band);
  e->AutoSize = false;
  e->SetBounds(x, y, w, 17);
  e->SetExpression(expression);
  e->Mask = mask;
  e->Alignment = gui::TAlignment::taRightJustify;
  e->Font().SetStyle(style);
  return e;
}

TQRBand* TLayoutReport::AddBand(TQRBandType type, const char* name, int height) {
  auto* b = new TQRBand(this, type);
  b->SetName(name);
  b->Height = height;
  return b;
}

TQRShape* TLayoutReport::AddFrame(TQRCustomBand* band, const char* name, int x, int y, int w, int h) {
  auto* s = new TQRShape(this);
  s->SetName(name);
  s->SetParent(band);
  s->Shape = TShapeType::qrsRectangle;
  s->Brush().SetStyle(gui::bsClear);
  s->SetBounds(x, y, w, h);
  return s;
}

TQRLabel& TLayoutReport::Label(const char* name) {
  auto* l = dynamic_cast<TQRLabel*>(FindComponent(name));
  if (!l) throw std::logic_error(std::string(ClassName()) + " has no label " + name);
  return *l;
}

}  // namespace report
