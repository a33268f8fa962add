#include "registry/SacramentForm.h"

#include "rtl/DateUtils.h"

namespace registry {

using namespace report;

TSacramentForm::TSacramentForm(rtl::TComponent* owner, const char* name, const char* title, int detailHeight,
                               const char* placeLabel)
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
  PlaceLabel = AddLabel(ChildBand1, placeLabel, w - 250, 4, 70, "Selvaran,");
  PlaceLabel->Alignment = gui::TAlignment::taRightJustify;
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
  return report::PrintedDate(*row.FieldByName(field));
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

int TSacramentForm::CouncilNotes(int y, const std::string& sacrament) {
  const int step = 20;
  Heading("QRLabelCatatan", 10, y + 6, "CATATAN MAJELIS");
  y += step + 10;
  AddLabel(DetailBand1, "QRLabelPengembalaan", 20, y, 200, "1. Pengembalaan " + sacrament);
  Item("QRLabel50", 230, y, 60, "Tanggal", 100);
  Item("QRLabel51", 420, y, 40, "Pukul", 120);
  y += step;
  AddLabel(DetailBand1, "QRLabelPelaksanaan", 20, y, 200, "2. Pelaksanaan " + sacrament);
  Item("QRLabel52", 230, y, 60, "Tanggal", 100);
  Item("QRLabel53", 420, y, 40, "Pukul", 120);
  y += step;
  Item("QRLabel54", 20, y, 200, "3. Dilayani Oleh", 360);
  y += step + 10;
  Heading("QRLabelPersyaratan", 10, y, "PERSYARATAN TERLAMPIR");
  return y + step + 2;
}

void TSacramentForm::FillCouncilNotes(data::TZQuery& row) {
  auto set = [this](const char* name, const std::string& text) {
    dynamic_cast<TQRLabel*>(FindComponent(name))->SetCaption(text);
  };
  set("QRLabel50", DateText(row, "tgl_pengembalaan"));
  set("QRLabel51", TimeText(row, "jam_pengembalaan"));
  set("QRLabel52", DateText(row, "tgl_pelaksanaan"));
  set("QRLabel53", row.FieldByName("jam_pelaksanaan")->AsString());
  set("QRLabel54", row.FieldByName("dilayani_oleh")->AsString());
}

void TSacramentForm::Frame(const char* name, int x, int y, int w, int h) { AddFrame(DetailBand1, name, x, y, w, h); }

TQRLabel* TSacramentForm::Signature(const char* name, int x, int y, const std::string& line,
                                    const std::string& caption) {
  auto* l = AddLabel(ChildBand1, name, x, y, 200, line);
  l->Alignment = gui::TAlignment::taCenter;
  auto* c = AddLabel(ChildBand1, ("Cap" + std::string(name)).c_str(), x, y + 18, 200, caption);
  c->Alignment = gui::TAlignment::taCenter;
  return l;
}

}  // namespace registry
