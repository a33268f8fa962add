#include "registry/UPrintGroupMajelis.h"

#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/QRGroupMajelis.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFPrintGroupMajelis* FPrintGroupMajelis = nullptr;

TFPrintGroupMajelis::TFPrintGroupMajelis(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FPrintGroupMajelis", .caption = "Print", .width = 300, .height = 150});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 96, " Print Group ");
  RadioButton1 = Make<TRadioButton>(this, GroupBox1, "RadioButton1", 12, 24, 120, 20);
  RadioButton1->SetCaption("Semua Group");
  RadioButton2 = Make<TRadioButton>(this, GroupBox1, "RadioButton2", 12, 58, 100, 20);
  RadioButton2->SetCaption("Per Group");
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 120, 56, 80, {});
  Button1 = MakeButton(this, this, "Button1", 116, 114, 84, "Preview");
  Button2 = MakeButton(this, this, "Button2", 206, 114, 84, "Close");

  RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFPrintGroupMajelis::FormActivate(TObject*) {
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  SetInputEnabled(*ComboBox1, false);
  auto& q = *DM->Q1;
  kit::SetSQL(q, {"select distinct(grup) from majelis_group", "order by grup"});
  q.Open();
  ComboBox1->Items().Clear();
  for (q.First(); !q.Eof(); q.Next()) ComboBox1->Items().Add(rtl::IntToStr(q.FieldByName("grup")->AsInteger()));
  ComboBox1->SetItemIndex(0);
}

void TFPrintGroupMajelis::RadioButton1Click(TObject*) { SetInputEnabled(*ComboBox1, false); }

void TFPrintGroupMajelis::RadioButton2Click(TObject*) {
  SetInputEnabled(*ComboBox1, true);
  if (Showing()) ComboBox1->SetFocus();
}

void TFPrintGroupMajelis::Button1Click(TObject*) {
  auto& q = *DM->Q5;
  kit::SetSQL(q, {"select m.grup,m.nimp,d.nama_gabung,m.foto,d.sex,j.pnt_dkn,d.sekpel "
                  "from majelis_group m,detail_kk d,majelis j",
                  "where m.nimp=j.nimp and j.nij=d.nij"});
  auto* layout = FQRGroupMajelis;
  const bool perGroup = RadioButton2->Checked();
  const std::string group = Chosen(*ComboBox1);
  if (perGroup) q.SQL.Add("and m.grup=:gr");
  q.SQL.Add("order by m.grup,m.nimp");
  // Bound once the text is complete: changing the text drops the values bound so far.
  if (perGroup) q.ParamByName("gr")->AsInteger(rtl::StrToInt(group));
  if (perGroup)
    layout->QRLabel9->SetCaption("Cetak Berdasarkan : Group " + group);
  else if (RadioButton1->Checked())
    layout->QRLabel9->SetCaption("Cetak Berdasarkan : Semua Group");
  else
    // Nothing chosen prints every group; the line must not repeat an earlier criterion.
    layout->QRLabel9->SetCaption("");
  q.Open();
  layout->Preview();
}

void TFPrintGroupMajelis::Button2Click(TObject*) { Close(); }

}  // namespace registry
