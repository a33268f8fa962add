#include "worship/ServiceSave.h"

#include "app/UDM.h"
#include "data/Transaction.h"
#include "kit/Records.h"
#include "registry/rules/Numbering.h"
#include "worship/rules/Services.h"

namespace worship {

using app::DM;

std::optional<TServiceSaved> SaveServiceRow(const kit::rules::TRecordSpec& record, rtl::TComponent& form,
                                            const char* prefix, const std::string& shown,
                                            const kit::TDerive& derive, const TStoreLines& lines) {
  const std::string table = record.table;
  kit::SetSQL(*DM->Q3, {"select kode from " + table, "where kode=:ko"});
  DM->Q3->ParamByName("ko")->AsString(shown);
  DM->Q3->Open();
  TServiceSaved saved{!DM->Q3->IsEmpty(), shown};
  if (!saved.stored) {
    kit::SetSQL(*DM->Q1, {"select * from " + table});
    DM->Q1->Open();
    try {
      saved.number = rules::NextServiceNumber(prefix, kit::LastKey(*DM->Q1, "kode"), rtl::Now());
    } catch (const registry::rules::ENumberingError& e) {
      kit::Refuse(e.Message());
      return std::nullopt;
    }
  }
  const kit::rules::TIn statement = saved.stored ? kit::rules::kUpdate : kit::rules::kInsert;
  kit::SetRecordSQL(*DM->Q3, record, statement);
  kit::BindRecord(record, form, *DM->Q3, statement,
                  [&](std::string_view p) { return p == "ko" ? saved.number : derive(p); });
  if (!lines) {
    DM->Q3->ExecSQL();
    return saved;
  }
  data::TTransaction save(*DM->ZConnection1);
  DM->Q3->ExecSQL();
  lines(saved);
  save.Commit();
  return saved;
}

}  // namespace worship
