// The council groups: council members assigned to numbered service groups one at a time
// by hand, listed, filtered and deleted, or all active council members dealt at random
// into a chosen number of groups.
#pragma once
#include "data/ZQuery.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Gauges.h"
#include "gui/StdCtrls.h"

namespace registry {

using rtl::TObject;

// The number of groups the random deal makes: 0 (not set) at start-up, set by the
// setup panel, kept for the rest of the run.
extern int GroupCount;

class TFGroupMajelis : public gui::TForm {
  KORVAN_CLASS(TFGroupMajelis)
 public:
  explicit TFGroupMajelis(rtl::TComponent* owner);

  gui::TPanel* Panel1;
  gui::TEdit* Edit1;  // council-member number, written by the council-member lookup
  gui::TSpeedButton* SpeedButton1;
  gui::TEdit* Edit7;
  gui::TEdit* Edit2;
  gui::TEdit* Edit3;
  gui::TEdit* Edit4;
  gui::TEdit* Edit5;
  gui::TEdit* Edit6;  // the group number (digits only)
  gui::TPanel* Panel2;
  gui::TImage* Image1;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TButton* Button3;
  gui::TButton* Button5;
  gui::TButton* Button7;
  gui::TButton* Button4;
  gui::TDBGrid* DBGrid1;
  gui::TGroupBox* GroupBox1;  // " Filter "
  gui::TRadioButton* RadioButton1;
  gui::TComboBox* ComboBox1;
  gui::TRadioButton* RadioButton2;
  gui::TEdit* Edit8;
  gui::TButton* Button6;
  gui::TSpeedButton* SpeedButton2;
  gui::TGauge* Gauge1;
  // The setup panel of the group count.
  gui::TPanel* Panel3;
  gui::TPanel* Panel4;
  gui::TImage* Image2;
  gui::TLabel* Label10;
  gui::TEdit* Edit9;
  gui::TButton* Button8;
  gui::TButton* Button9;

  void FormActivate(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void Edit6KeyPress(TObject* sender, wchar_t& key);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);
  void Button6Click(TObject* sender);
  void Button7Click(TObject* sender);
  void Button8Click(TObject* sender);
  void Button9Click(TObject* sender);
  void Edit9KeyPress(TObject* sender, wchar_t& key);
  void DBGrid1DblClick(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);

 private:
  void ShowSetup();
  // One office's pass of the random deal: draw, then deal into the groups.
  void DealPass(const char* office);
};

extern TFGroupMajelis* FGroupMajelis;

}  // namespace registry
