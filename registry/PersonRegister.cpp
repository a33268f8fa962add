#include "registry/PersonRegister.h"

#include "kit/Record.h"

namespace registry {

TPersonRegister::TPersonRegister(rtl::TComponent* owner, const TSpec& spec)
    : TEntryForm(owner, spec.record, spec.search), spec_(spec) {}

void TPersonRegister::Save() {
  if (!kit::SaveRecord({.record = Record(),
                        .form = *this,
                        .key = Edit1->Text(),
                        .keyName = spec_.keyName,
                        .updated = spec_.updated,
                        .inserted = spec_.inserted}))
    return;
  FormActivate(this);
}

}  // namespace registry
