// The family's member list: the family handed over by the family window, a grid of its
// members (deceased ones in red), adding, changing and deleting members, and the family
// card.
#pragma once
#include "gui/Buttons.h"
#include "gui/DBGrids.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace registry {

using rtl::TObject;

class TFDetailJemaat : public gui::TForm {
  KORVAN_CLASS(TFDetailJemaat)
 public:
  explicit TFDetailJemaat(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TEdit* Edit1;  // family number
  gui::TEdit* Edit2;  // head of family
  gui::TEdit* Edit3;  // title
  gui::TEdit* Edit4;  // address
  gui::TEdit* Edit5;  // registration date (short date)
  gui::TEdit* Edit6;  // sector
  gui::TPanel* Panel1;
  gui::TImage* Image1;
  gui::TGroupBox* GroupBox2;
  gui::TDBGrid* DBGrid1;
  gui::TPanel* Panel2;
  gui::TSpeedButton* SpeedButton1;
  gui::TSpeedButton* SpeedButton2;
  gui::TSpeedButton* SpeedButton3;
  gui::TSpeedButton* SpeedButton4;
  gui::TSpeedButton* SpeedButton5;

  void FormActivate(TObject* sender);
  // Row colour of the grid: deceased members on red.
  void DBGrid1DrawColumnCell(TObject* sender, int recNo, gui::TColor& background, gui::TColor& text);
  void DBGrid1DblClick(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void SpeedButton3Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
};

extern TFDetailJemaat* FDetailJemaat;

}  // namespace registry
