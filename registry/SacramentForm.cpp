#include "registry/SacramentForm.h"

#include "rtl/DateUtils.h"

namespace registry {

using namespace report;

TSacramentForm::TSacramentForm(rtl::TComponent* owner, const char* name, const char* title, int detailHeight)
    : kit::TChurchReport(owner, poPortrait, kit::THeaderPicture::ChurchLogo) {
  SetName(name);
  ReportTitle = title;
  const int w = BandWidth();

  TitleBand1 = AddBand(rbTitle, "TitleBand1", 30);
  auto* t = AddLabel(TitleBand1, "QRLabel4", 0, 6, w, title, gui::fsBold);
  t->Alignment = gui::TAlignment::taCenter;
  t->Font().SetSize(12);

  DetailBand1 = AddBand(rbDetail, "DetailBand1", detailHeight);

  ChildBand1 = new TQRChildBand(this);
  ChildBand1->SetName("ChildBand1");
  ChildBand1->Height = 120;
  ChildBand1->SetParentBand(DetailBand1);
  QRLabel89 = AddLabel(ChildBand1, "QRLabel89", w - 250, 4, 70, "Selvaran,");
  QRLabel89->Alignment = gui::TAlignment::taRightJustify;
  QRSysData3 = new TQRSysData(this);
  QRSysData3->SetName("QRSysData3");
  QRSysData3->SetParent(ChildBand1);
  QRSysData3->SetBounds(w - 176, 4, 176, 17);
  QRSysData3->Data = TQRSysDataType::qrsDateTime;

  PageFooterBand1 = AddBand(rbPageFooter, "PageFooterBand1", 22);
  auto* f = AddLabel(PageFooterBand1, "QRLabelFooter", 0, 4, w,
                     "Form ini diisi dengan lengkap dan diserahkan ke Sekretariat Gereja", gui::fsItalic);
  f->Font().SetSize(7);
}

std::string TSacramentForm::DateText(data::TZQuery& row, const char* field) {
  return rtl::DateToStr(row.FieldByName(field)->AsDateTime());
}

std::string TSacramentForm::TimeText(data::TZQuery& row, const char* field) {
  return rtl::TimeToStr(row.FieldByName(field)->AsDateTime());
}

std::string TSacramentForm::Mark(data::TZQuery& row, const char* field) {
  return row.FieldByName(field)->AsString() == "Y" ? "*" : "";
}

std::string TSacramentForm::Bracketed(data::TZQuery& row, const char* field) {
  return "[" + row.FieldByName(field)->AsString() + "]";
}

void TSacramentForm::Heading(const char* name, int x, int y, const std::string& text) {
  AddLabel(DetailBand1, name, x, y, 300, text, gui::fsBold | gui::fsUnderline);
}

TQRLabel* TSacramentForm::Item(const char* name, int x, int y, int captionW, const std::string& caption,
                               int valueW) {
  const std::string n(name);
  AddLabel(DetailBand1, ("Cap" + n).c_str(), x, y, captionW, caption);
  AddLabel(DetailBand1, ("Colon" + n).c_str(), x + captionW, y, 8, ":");
  return AddLabel(DetailBand1, name, x + captionW + 10, y, valueW, "");
}

TQRLabel* TSacramentForm::Check(const char* name, int x, int y, const std::string& caption) {
  auto* mark = AddLabel(DetailBand1, name, x, y, 14, "", gui::fsBold);
  AddLabel(DetailBand1, ("Cap" + std::string(name)).c_str(), x + 18, y, 320, caption);
  return mark;
}

void TSacramentForm::Frame(const char* name, int x, int y, int w, int h) {
  auto* s = new TQRShape(this);
  s->SetName(name);
  s->SetParent(DetailBand1);
  s->Shape = TShapeType::qrsRectangle;
  s->Brush().SetStyle(gui::bsClear);  // the items inside stay visible
  s->SetBounds(x, y, w, h);
}

TQRLabel* TSacramentForm::Signature(const char* name, int x, int y, const std::string& line,
                                    const std::string& caption) {
  auto* l = AddLabel(ChildBand1, name, x, y, 200, line);
  l->Alignment = gui::TAlignment::taCenter;
  auto* c = AddLabel(ChildBand1, ("Cap" + std::string(name)).c_str(), x, y + 18, 200, caption);
  c->Alignment = gui::TAlignment::taCenter;
  return l;
}

}  // namespace registry
