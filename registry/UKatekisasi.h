// The catechism and confirmation registration: the candidate (a baptised member not
// yet confirmed, or someone of another church or religion), the parents, the meeting
// and the execution, seven documents and the validation. The number is shown as a
// Code 39 bar code; a confirmation carried out for a member writes the member's place
// of confirmation.
#pragma once
#include "registry/BarcodeLabel.h"
#include "registry/SacramentRegister.h"

namespace registry {

class TFKatekisasi : public TSacramentRegister {
  KORVAN_CLASS(TFKatekisasi)
 public:
  explicit TFKatekisasi(rtl::TComponent* owner);

  // The sample number the bar code shows until a registration is saved.
  static constexpr const char* kSampleNumber = "10000010120";

  gui::TGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5;
  gui::TPanel* Panel1;  // the validation
  TBarcodeLabel* Label19;
  gui::TLabel* Label36;
  gui::TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit7, *Edit8, *Edit9;
  gui::TEdit *Edit10, *Edit11, *Edit12, *Edit13, *Edit14, *Edit15;
  gui::TEdit *Edit16, *Edit17, *Edit18, *Edit19, *Edit20, *Edit21, *Edit22, *Edit23;
  gui::TEdit *Edit25, *Edit26, *Edit27, *Edit28;
  gui::TDateTimePicker *DateTimePicker4, *DateTimePicker5, *DateTimePicker6, *DateTimePicker7;
  gui::TCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6, *CheckBox7;

 private:
  void StatusApplied(bool external) override;
  void Numbered(const std::string& number) override;
  void BeforeWrite() override;
};

extern TFKatekisasi* FKatekisasi;

}  // namespace registry
