// The entry window of a Sunday or church-feast service: the service, its preacher and
// helpers, the offerings, the evaluation, the duty roster in the connection's work
// table and the two validators (P5 first, then P1, each confirmed by the council
// member's PIN). Both windows are built here from their kind; they differ in the
// feast list, the times, the order of the preacher kinds, the roster's size and
// whether a duty can be removed.
#pragma once
#include "data/ZQuery.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "worship/rules/Services.h"

namespace worship {

struct TServiceSaved;

using rtl::TObject;

class TServiceForm : public gui::TForm {
  KORVAN_CLASS(TServiceForm)
 public:
  TServiceForm(rtl::TComponent* owner, const rules::TServiceKind& kind, const char* name, const char* caption,
               const char* search);

  gui::TPanel* Panel1;  // the toolbar
  gui::TSpeedButton *SpeedButton6, *SpeedButton7, *SpeedButton8, *SpeedButton9;
  gui::TGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5, *GroupBox6, *GroupBox7;
  gui::TEdit* Edit1;  // the service number, "[Auto]" for a new one
  gui::TDateTimePicker* DateTimePicker1;
  gui::TComboBox* ComboBox4;  // time
  gui::TComboBox* ComboBox1;  // place
  gui::TEdit* Edit2;
  gui::TEdit* Edit3 = nullptr;       // sermon theme (Sunday)
  gui::TComboBox* ComboBox5 = nullptr;  // the feast (church feast)
  gui::TComboBox* ComboBox2;  // preacher kind
  gui::TEdit* Edit21;
  gui::TSpeedButton* SpeedButton4;
  gui::TEdit *Edit4, *Edit5, *Edit15;
  gui::TEdit *Edit6, *Edit7, *Edit8, *Edit9, *Edit19, *Edit20;
  gui::TEdit *Edit10, *Edit11, *Edit12, *Edit13, *Edit14;
  gui::TEdit* Edit22 = nullptr;  // other bags (Sunday)
  gui::TMemo* Memo1;
  gui::TComboBox* ComboBox3;  // duty
  gui::TEdit* Edit18;
  gui::TSpeedButton* SpeedButton3;
  gui::TLabel* Label27;
  gui::TSpeedButton* SpeedButton5;  // "Add"
  gui::TDBGrid* DBGrid1;
  gui::TEdit *Edit16, *Edit17;  // validators P1 and P5
  gui::TSpeedButton *SpeedButton1, *SpeedButton2;
  gui::TCheckBox *CheckBox1, *CheckBox2;
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void ComboBox4Change(TObject* sender);
  void ComboBox2Change(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void SpeedButton3Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void SpeedButton7Click(TObject* sender);
  void SpeedButton8Click(TObject* sender);
  void SpeedButton9Click(TObject* sender);
  void Edit1Change(TObject* sender);
  void Edit16Change(TObject* sender);
  void Edit17Change(TObject* sender);
  void DBGrid1DblClick(TObject* sender);

  // Puts a stored service (the current row of `row`) into the window: the number first,
  // which loads its roster, then every other field. Lists are set without their change
  // handlers.
  void LoadService(data::TZQuery& row);

  const rules::TServiceKind& Kind() const { return kind_; }

 private:
  void OpenRoster(const char* order);
  void SetValidatorBox(gui::TCheckBox& box, const gui::TEdit& edit);
  void LookupCouncil(gui::TSpeedButton& button);
  std::string Derive(std::string_view param) const;
  void StoreRoster(const TServiceSaved& saved);

  const rules::TServiceKind& kind_;
  const char* search_;
  std::string churchName_;  // read at activation, put back for an internal preacher
  std::string number_;      // the number the save binds
};

}  // namespace worship
