// The baptism registration: the child (a member not yet baptised, or an applicant of
// another church), the parents, the pastoral meeting and the execution, the document
// checklist and the validation. Every save marks the chosen member baptised here.
#pragma once
#include "registry/SacramentRegister.h"

namespace registry {

class TFDaftarBaptis : public TSacramentRegister {
  KORVAN_CLASS(TFDaftarBaptis)
 public:
  explicit TFDaftarBaptis(rtl::TComponent* owner);

  gui::TGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5;
  gui::TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit7, *Edit8, *Edit9;
  gui::TEdit *Edit10, *Edit11, *Edit12, *Edit13, *Edit14, *Edit15;
  gui::TEdit *Edit16, *Edit17, *Edit18, *Edit20, *Edit21;
  gui::TDateTimePicker *DateTimePicker4, *DateTimePicker5, *DateTimePicker6;
  gui::TCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5;

 private:
  void AfterWrite() override;
};

extern TFDaftarBaptis* FDaftarBaptis;

}  // namespace registry
