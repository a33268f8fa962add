// The practice-student search: rows by name or status, one opened in the entry window by a
// double click, or deleted.
#pragma once
#include "kit/Search.h"

namespace registry {

class TFCariMahasiswaPraktek : public kit::TPersonSearch {
  KORVAN_CLASS(TFCariMahasiswaPraktek)
 public:
  explicit TFCariMahasiswaPraktek(rtl::TComponent* owner);

 protected:
  void CopyRow(data::TZQuery& q) override;
};

extern TFCariMahasiswaPraktek* FCariMahasiswaPraktek;

}  // namespace registry
