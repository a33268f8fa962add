// The search windows of the sacrament registrations: the register search with "Print"
// beside "Cari", and a registration that was carried out or cancelled kept out of its
// entry window (it can still be printed or deleted).
#pragma once
#include "kit/Search.h"

namespace registry {

class TSacramentSearch : public kit::TPersonSearch {
  KORVAN_CLASS(TSacramentSearch)
 public:
  gui::TButton* Button5;  // "Print"
  void Button5Click(rtl::TObject* sender);

 protected:
  TSacramentSearch(rtl::TComponent* owner, const TSpec& spec, std::initializer_list<TColumn> columns,
                   const char* refusal);
  bool MayReopen(data::TZQuery& q) override;
  // Fills the form from the row and shows its preview.
  virtual void Print(data::TZQuery& q) = 0;
  // A form that prints empty when no registration is listed.
  virtual bool PrintsWithoutRow() const { return false; }

 private:
  const char* refusal_;
};

}  // namespace registry
