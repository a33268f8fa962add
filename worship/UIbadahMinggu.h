// The Sunday service window and the church-feast service window.
#pragma once
#include "worship/ServiceForm.h"

namespace worship {

class TFIbadahMinggu : public TServiceForm {
  KORVAN_CLASS(TFIbadahMinggu)
 public:
  explicit TFIbadahMinggu(rtl::TComponent* owner)
      : TServiceForm(owner, rules::Sunday(), "FIbadahMinggu", "Ibadah >> Ibadah Minggu", "FCariIbadahMinggu") {}
};

class TFIbadahHariRayaGerejawi : public TServiceForm {
  KORVAN_CLASS(TFIbadahHariRayaGerejawi)
 public:
  explicit TFIbadahHariRayaGerejawi(rtl::TComponent* owner)
      : TServiceForm(owner, rules::Feast(), "FIbadahHariRayaGerejawi",
                     "Ibadah >> Ibadah Hari Raya Gerejawi/Ibadah Khusus", "FCariIbadahHariRayaGerejawi") {}
};

extern TFIbadahMinggu* FIbadahMinggu;
extern TFIbadahHariRayaGerejawi* FIbadahHariRayaGerejawi;

}  // namespace worship
