#include "worship/QRHostService.h"

#include "app/UDM.h"
#include "kit/Records.h"
#include "worship/rules/HostServices.h"
#include "worship/rules/Services.h"

namespace worship {

using namespace report;

THostServiceReport::THostServiceReport(rtl::TComponent* owner, const char* name, const char* title, THostForm form)
    : kit::TChurchReport(owner, poPortrait, kit::THeaderPicture::ChurchLogo), form_(form) {
  SetName(name);
  ReportTitle = title;
  const bool pelkat = form == THostForm::Pelkat;
  if (app::DM)
    SetDataSet(form == THostForm::Sector ? app::DM->QRepIS : pelkat ? app::DM->QRepIP : app::DM->QRepIY);
  const int w = BandWidth();

  PageHeaderBand1->Height = 144;
  QRLabel4 = AddLabel(PageHeaderBand1, "QRLabel4", 0, 98, w, title, gui::fsBold);
  QRLabel4->Alignment = gui::TAlignment::taCenter;
  QRLabel4->Font().SetSize(12);
  QRLabel87 = AddLabel(PageHeaderBand1, "QRLabel87", w - 260, 120, 260, "", gui::fsItalic);
  QRLabel87->Alignment = gui::TAlignment::taRightJustify;

  // The service on the left; those who served and the offerings framed on the right.
  TitleBand1 = AddBand(rbTitle, "TitleBand1", 236);
  const int half = w / 2, cap = 0, val = 100, vw = half - 110;
  std::vector<std::pair<const char*, const char*>> left = {
      {"Kode", "QRLabel24"},       {"Tanggal", "QRLabel25"}, {"Jam", "QRLabel26"},
      {pelkat ? "PelKat" : "SekPel", "QRLabel27"}, {"Tuan Rumah", "QRLabel28"}, {"Nama", "QRLabel94"},
      {"Ayat Bacaan", "QRLabel31"}};
  if (!pelkat) left.push_back({form == THostForm::Sector ? "Tema Khotbah" : "Jenis Ibadah", "QRLabel91"});
  left.push_back({"Jumlah Jemaat", "QRLabel32"});
  // A category-group line's area, place and class stand beside the date, time and
  // category, whose values are short.
  const std::pair<const char*, const char*> beside[] = {
      {"Wilayah", "QRLabel36"}, {"Tempat", "QRLabel41"}, {"Kelas", "QRLabel53"}};
  const int besideCap = val + 116, besideVal = besideCap + 56, besideW = half - besideVal;
  int y = 4, n = 100, row = 0;
  for (const auto& [caption, value] : left) {
    const bool shared = pelkat && row >= 1 && row <= 3;
    AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), cap, y, val - 6, caption);
    AddLabel(TitleBand1, value, val, y, shared ? besideCap - val - 6 : vw, "", gui::fsBold);
    if (shared) {
      const auto& [bc, bv] = beside[row - 1];
      AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), besideCap, y, 52, bc);
      AddLabel(TitleBand1, bv, besideVal, y, besideW, "", std::string(bv) == "QRLabel36" ? gui::TFontStyles(gui::fsBold) : gui::TFontStyles(0));
    }
    y += 22;
    ++row;
  }
  const int fx = half + 10, fw = w - fx, fcap = fx + 8, fval = fx + 90, fvw = w - fval - 8;
  AddFrame(TitleBand1, "QRShapePelayan", fx, 2, fw, 112);
  AddLabel(TitleBand1, "QRLabelPelayan", fcap, 6, 200, " Pelayan Ibadah ", gui::fsBold);
  const std::pair<const char*, const char*> serving[] = {
      {"PF", "QRLabel29"}, {"Nama PF", "QRLabel30"}, {"Liturgos", "QRLabel97"}, {"PKT", "QRLabel100"}};
  y = 26;
  for (const auto& [caption, value] : serving) {
    AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), fcap, y, 80, caption);
    AddLabel(TitleBand1, value, fval, y, fvw, "", gui::fsBold);
    y += 21;
  }
  AddFrame(TitleBand1, "QRShapePersembahan", fx, 120, fw, 110);
  AddLabel(TitleBand1, "QRLabelPersembahanJudul", fcap, 124, 200, " Persembahan ", gui::fsBold);
  AddLabel(TitleBand1, "QRLabelPersembahan", fcap, 144, 120, "[Persembahan]");
  const std::pair<const char*, const char*> offerings[] = {{"Kolekte", "QRLabel33"}, {"Syukur", "QRLabel34"}};
  const int amountX = w - 8 - 140;
  y = 144;
  for (const auto& [caption, value] : offerings) {
    AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), fval + 30, y, 80, caption);
    AddLabel(TitleBand1, value, amountX, y, 140, "", gui::fsBold)->Alignment = gui::TAlignment::taRightJustify;
    y += 22;
  }
  AddLabel(TitleBand1, "QRLabelTotal", fval - 50, y + 6, 150, "Total Persembahan :", gui::fsBold);
  AddLabel(TitleBand1, "QRLabel65", amountX, y + 6, 140, "", gui::fsBold)->Alignment =
      gui::TAlignment::taRightJustify;

  // The evaluation.
  ChildBand1 = new TQRChildBand(this);
  ChildBand1->SetName("ChildBand1");
  ChildBand1->Height = 130;
  ChildBand1->SetParentBand(TitleBand1);
  AddLabel(ChildBand1, "QRLabelEvaluasi", 0, 6, 200, "Evaluasi Ibadah :", gui::fsBold);
  QRRichText1 = new TQRRichText(this);
  QRRichText1->SetName("QRRichText1");
  QRRichText1->SetParent(ChildBand1);
  QRRichText1->SetBounds(0, 26, w, 100);

  // Whoever confirmed the deposit signs.
  SummaryBand1 = AddBand(rbSummary, "SummaryBand1", 110);
  const int sx = w - 240;
  AddLabel(SummaryBand1, "QRLabelPengesahan", sx, 6, 240, "Pengesahan", gui::fsBold)->Alignment =
      gui::TAlignment::taCenter;
  AddLabel(SummaryBand1, "QRLabelKordinator", sx, 26, 240, pelkat ? "Pengurus PelKat" : "Kordinator Sektor")->Alignment =
      gui::TAlignment::taCenter;
  AddLabel(SummaryBand1, "QRLabel59", sx, 84, 240, "", gui::fsBold)->Alignment = gui::TAlignment::taCenter;

  PageFooterBand1 = AddBand(rbPageFooter, "PageFooterBand1", 20);
  AddLabel(PageFooterBand1, "QRLabelFooter", 0, 2, w, "KORVAN - Administrasi Jemaat", gui::fsItalic)->Alignment =
      gui::TAlignment::taRightJustify;
}

void THostServiceReport::FillFrom(data::TZQuery& row) {
  using app::DM;
  auto text = [&row](const char* column) { return row.IsEmpty() ? std::string() : row.FieldByName(column)->AsString(); };
  auto amount = [&row](const char* column) { return row.IsEmpty() ? 0.0 : row.FieldByName(column)->AsFloat(); };
  // A council member's title and name by the stored number (". " when none is found).
  auto council = [](const std::string& nimp) {
    kit::SetSQL(*DM->Q8, {"select m.pnt_dkn,d.nama_gabung from majelis m,detail_kk d", "where m.nij=d.nij",
                          "and m.nimp=:ni"});
    DM->Q8->ParamByName("ni")->AsString(nimp);
    DM->Q8->Open();
    const bool found = !DM->Q8->IsEmpty();
    return std::pair{found ? DM->Q8->FieldByName("pnt_dkn")->AsString() : std::string(),
                     found ? DM->Q8->FieldByName("nama_gabung")->AsString() : std::string()};
  };
  const bool pelkat = form_ == THostForm::Pelkat;
  const std::string validator = text("validasi");

  QRLabel87->SetCaption(rules::FormStatus(validator));
  Label("QRLabel24").SetCaption(text("kode"));
  Label("QRLabel25").SetCaption(row.IsEmpty() ? "" : rtl::DateToStr(row.FieldByName("tgl")->AsDateTime()));
  Label("QRLabel26").SetCaption(row.IsEmpty() || row.FieldByName("jam")->IsNull()
                                    ? ""
                                    : rtl::TimeToStr(row.FieldByName("jam")->AsDateTime()));
  Label("QRLabel27").SetCaption(text(pelkat ? "pelkat" : "sekpel"));
  Label("QRLabel28").SetCaption(text("tuan_rumah"));
  Label("QRLabel94").SetCaption(text("nama_tuan_rumah"));
  Label("QRLabel29").SetCaption(text("sts_pf"));
  const std::string kindOfPreacher = text("sts_pf");
  const std::string title = kindOfPreacher == "Majelis" ? council(text("pf")).first : "";
  Label("QRLabel30").SetCaption(rules::PreacherLine(kindOfPreacher, text("nama_pf"), title));
  Label("QRLabel31").SetCaption(text("ayat"));
  if (pelkat) {
    Label("QRLabel36").SetCaption(text("wilayah"));
    Label("QRLabel41").SetCaption(text("tempat"));
    Label("QRLabel53").SetCaption(text("kelas"));
    // A line keeps its liturgist's and PKT's names as they were picked.
    Label("QRLabel97").SetCaption(text("nama_liturgos"));
    Label("QRLabel100").SetCaption(text("nama_pkt"));
  } else {
    Label("QRLabel91").SetCaption(text(form_ == THostForm::Sector ? "tema_kotbah" : "judul_ibadah"));
    for (auto [label, column] : {std::pair{"QRLabel97", "liturgos"}, {"QRLabel100", "pkt"}}) {
      const auto [office, name] = council(text(column));
      Label(label).SetCaption(office + ". " + name);
    }
  }
  Label("QRLabel32").SetCaption(text("jml_jemaat"));
  Label("QRLabel33").SetCaption(rules::PrintedAmount(amount("kolekte")));
  Label("QRLabel34").SetCaption(rules::PrintedAmount(amount("syukur")));
  Label("QRLabel65").SetCaption(rules::PrintedAmount(amount("kolekte") + amount("syukur")));
  QRRichText1->Lines.SetText(text("keterangan"));

  // The name of whoever confirmed the deposit; empty when nobody has.
  data::TZQuery& q = *DataSet();
  kit::SetSQL(q, {"select nama_gabung from detail_kk", "where nij=:ni"});
  q.ParamByName("ni")->AsString(validator);
  q.Open();
  Label("QRLabel59").SetCaption(q.IsEmpty() ? "" : q.FieldByName("nama_gabung")->AsString());
}

}  // namespace worship
