// The family search: families by name or sector, one loaded into the family window by a
// double click, or deleted together with its members.
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/DBCtrls.h"
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "kit/Search.h"

namespace registry {

using rtl::TObject;

class TFCariWargaJemaat : public kit::TSearchForm {
  KORVAN_CLASS(TFCariWargaJemaat)
 public:
  explicit TFCariWargaJemaat(rtl::TComponent* owner);

  gui::TSpeedButton* SpeedButton1;
  gui::TDBNavigator* DBNavigator1;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Edit1KeyPress(TObject* sender, wchar_t& key);
  void SpeedButton1Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);

 private:
  void LoadAll();
};

extern TFCariWargaJemaat* FCariWargaJemaat;

}  // namespace registry
