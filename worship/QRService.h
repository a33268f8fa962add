// The printed form of a Sunday or church-feast service: under the church header the
// title and the form's status (DRAFT or REALISASI), the service with its offerings and
// their total, the helpers and the evaluation, one line per duty, and the validators'
// and the preacher's names.
#pragma once
#include "kit/ChurchHeader.h"

namespace worship {

class TServiceReport : public kit::TChurchReport {
  KORVAN_CLASS(TServiceReport)
 public:
  // `feast`: the church-feast form, with the feast's line and its status in QRLabel89.
  TServiceReport(rtl::TComponent* owner, const char* name, const char* title, bool feast);

  report::TQRLabel* QRLabel4;   // the title
  report::TQRLabel* QRLabel87;  // Sunday: the status; feast: "Ibadah : " + the feast
  report::TQRLabel* QRLabel89 = nullptr;  // feast: the status
  report::TQRBand* TitleBand1;
  report::TQRChildBand* ChildBand1;
  report::TQRBand* ColumnHeaderBand1;
  report::TQRBand* DetailBand1;
  report::TQRBand* SummaryBand1;
  report::TQRBand* PageFooterBand1;
  report::TQRRichText* QRRichText1;

  // The value labels the print fills, by name ("QRLabel24").
  report::TQRLabel& Value(const char* name);
  // The label that carries the form's status.
  report::TQRLabel& Status() { return QRLabel89 ? *QRLabel89 : *QRLabel87; }
};

class TFQRRepIbadahMinggu : public TServiceReport {
  KORVAN_CLASS(TFQRRepIbadahMinggu)
 public:
  explicit TFQRRepIbadahMinggu(rtl::TComponent* owner);
};

class TFQRRepIbadahHariRayaGerejawi : public TServiceReport {
  KORVAN_CLASS(TFQRRepIbadahHariRayaGerejawi)
 public:
  explicit TFQRRepIbadahHariRayaGerejawi(rtl::TComponent* owner);
};

extern TFQRRepIbadahMinggu* FQRRepIbadahMinggu;
extern TFQRRepIbadahHariRayaGerejawi* FQRRepIbadahHariRayaGerejawi;

}  // namespace worship
