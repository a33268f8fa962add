#include "kit/Lines.h"

#include "app/UDM.h"
#include "gui/Forms.h"
#include "kit/Records.h"

namespace kit {

using app::DM;

void InsertEachRow(data::TZQuery& rows, data::TZQuery& into, const std::string& insert,
                   const std::vector<TLineParam>& params, const TLineKey& key) {
  for (rows.First(); !rows.Eof(); rows.Next()) {
    SetSQL(into, {insert});
    if (key.param) into.ParamByName(key.param)->AsString(key.value);
    for (const TLineParam& p : params) {
      const data::TField* f = rows.FieldByName(p.column);
      data::TParam* to = into.ParamByName(p.param);
      if (f->IsNull()) continue;  // left unbound: NULL again
      switch (p.as) {
        case TLineValue::Text: to->AsString(f->AsString()); break;
        case TLineValue::Integer: to->AsInteger(f->AsInteger()); break;
        case TLineValue::Float: to->AsFloat(f->AsFloat()); break;
        case TLineValue::DateTime: to->AsDateTime(f->AsDateTime()); break;
      }
    }
    into.ExecSQL();
  }
}

void LoadWorkLines(const TWorkLines& lines, const std::string& key, gui::TStatusBar& status) {
  SetSQL(*DM->Q7, {"truncate table " + lines.work});
  DM->Q7->ExecSQL();
  DM->Q8->SQL.Clear();
  for (const std::string& piece : lines.stored) DM->Q8->SQL.Add(piece);
  DM->Q8->ParamByName(lines.keyParam)->AsString(key);
  DM->Q8->Open();
  if (!DM->Q8->IsEmpty()) {
    gui::Screen->SetCursor(gui::crHourGlass);
    status.Panels()[0]->SetText("Update Data...Mohon Menunggu");
    InsertEachRow(*DM->Q8, *DM->Q7, lines.insert, lines.params);
  }
}

}  // namespace kit
