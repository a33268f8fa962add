#include "registry/LookupProtocol.h"

#include <cmath>
#include <map>

#include "kit/Photo.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "gui/ComCtrls.h"
#include "kit/FormKit.h"
#include "rtl/DateUtils.h"

namespace registry::lookup {

using namespace kit;

using namespace gui;

TWrite Text(std::string c, std::string col) { return {std::move(c), TSource::Column, std::move(col)}; }
TWrite Date(std::string c, std::string col) { return {std::move(c), TSource::Date, std::move(col)}; }
TWrite DateText(std::string c, std::string col) { return {std::move(c), TSource::DateText, std::move(col)}; }
TWrite Integer(std::string c, std::string col) { return {std::move(c), TSource::Integer, std::move(col)}; }
TWrite Photo(std::string c, std::string col) { return {std::move(c), TSource::Photo, std::move(col)}; }
TWrite Literal(std::string c, std::string text) { return {std::move(c), TSource::Literal, std::move(text)}; }
TWrite Today(std::string c) { return {std::move(c), TSource::Today, {}}; }
TWrite Pattern(std::string c, std::string p) { return {std::move(c), TSource::Pattern, std::move(p)}; }
TWrite Age(std::string c, std::string col) { return {std::move(c), TSource::Age, std::move(col)}; }
TWrite FromControl(std::string c, std::string src) { return {std::move(c), TSource::Control, std::move(src)}; }

namespace {

std::map<std::string, THook>& Hooks() {
  static std::map<std::string, THook> hooks;
  return hooks;
}

TCustomForm* Window(const std::string& name) {
  return Application ? dynamic_cast<TCustomForm*>(Application->FindComponent(name)) : nullptr;
}

TSpeedButton* Button(TCustomForm& form, const std::string& name) {
  return dynamic_cast<TSpeedButton*>(form.FindComponent(name));
}

bool Flagged(TCustomForm& form, const std::string& button) {
  auto* b = Button(form, button);
  return b && b->Flat();
}

bool Holds(const TCaller& c, TCustomForm& form) {
  if (!form.Showing()) return false;
  for (const std::string& b : c.flagged)
    if (!Flagged(form, b)) return false;
  for (const std::string& b : c.notFlagged)
    if (Flagged(form, b)) return false;
  return true;
}

// A control named in a table row: "FWindow.Control" anywhere, else one of the caller's.
TControl* Target(TCustomForm& caller, const std::string& name) {
  TComponent* found = nullptr;
  auto dot = name.find('.');
  if (dot == std::string::npos) {
    found = caller.FindComponent(name);
  } else if (auto* w = Window(name.substr(0, dot))) {
    found = w->FindComponent(name.substr(dot + 1));
  }
  auto* c = dynamic_cast<TControl*>(found);
  // A row naming a control its window lacks is a mistake in the table, not a state of
  // the data: it must not pass unnoticed.
  if (!c) throw rtl::Exception("Lookup target '" + name + "' not found in " + caller.Name());
  return c;
}

std::string Expand(const std::string& pattern, data::TZQuery& q) {
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    auto close = pattern.find('}', i);
    if (pattern[i] == '{' && close != std::string::npos) {
      out += q.FieldByName(pattern.substr(i + 1, close - i - 1))->AsString();
      i = close + 1;
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

void SetDate(TControl& c, rtl::TDateTime d) {
  if (auto* p = dynamic_cast<TDateTimePicker*>(&c)) p->SetDateTime(d);
  else c.SetText(rtl::DateToStr(d));
}

void Apply(TCustomForm& caller, const TWrite& w, data::TZQuery& q) {
  TControl& c = *Target(caller, w.control);
  switch (w.source) {
    case TSource::Column: c.SetText(q.FieldByName(w.value)->AsString()); break;
    case TSource::Date: SetDate(c, q.FieldByName(w.value)->AsDateTime()); break;
    case TSource::DateText: c.SetText(rtl::DateToStr(q.FieldByName(w.value)->AsDateTime())); break;
    case TSource::Integer: c.SetText(std::to_string(q.FieldByName(w.value)->AsInteger())); break;
    case TSource::Photo:
      if (auto* image = dynamic_cast<TImage*>(&c)) kit::ShowPhoto(*image, *q.FieldByName(w.value));
      break;
    case TSource::Literal: c.SetText(w.value); break;
    case TSource::Today: SetDate(c, rtl::Now()); break;
    case TSource::Pattern: c.SetText(Expand(w.value, q)); break;
    case TSource::Age: {
      double days = std::floor(std::fabs(rtl::Now() - q.FieldByName(w.value)->AsDateTime()));
      c.SetText(std::to_string(static_cast<long long>(days) / 365));
      break;
    }
    case TSource::Control: c.SetText(Target(caller, w.value)->Text()); break;
  }
}

void BindAll(data::TZQuery& q, const std::vector<TParamValue>& params, TCustomForm& caller) {
  for (const TParamValue& p : params) {
    std::string v = p.value;
    if (!p.fromList.empty())
      if (auto* list = dynamic_cast<TComboBox*>(Target(caller, p.fromList))) v = Chosen(*list);
    q.ParamByName(p.name)->AsString(v);
  }
}

}  // namespace

bool HookInstalled(const std::string& name) { return Hooks().count(name) > 0; }

void SetHook(const std::string& name, THook hook) {
  if (hook) Hooks()[name] = std::move(hook);
  else Hooks().erase(name);
}

const TCaller* FindCaller(const TLookupTable& table, TUse use, TCustomForm** window) {
  for (const TCaller& c : table.callers) {
    if (!(c.use & use)) continue;
    TCustomForm* form = Window(c.window);
    if (form && Holds(c, *form)) {
      if (window) *window = form;
      return &c;
    }
  }
  return nullptr;
}

void Search(const TLookupTable& table, data::TZQuery& q, const std::string& text) {
  TCustomForm* form = nullptr;
  const TCaller* c = FindCaller(table, kSearch, &form);
  if (!c) return;
  q.SQL.Clear();
  q.SQL.Add(c->select.empty() ? table.select : c->select);
  for (const std::string& line : c->where.empty() ? table.where : c->where) q.SQL.Add(line);
  if (!c->extra.empty()) q.SQL.Add(c->extra);
  q.ParamByName(table.patternParam)->AsString("%" + text + "%");
  BindAll(q, table.params, *form);
  BindAll(q, c->params, *form);
  q.Open();
}

void Pick(const TLookupTable& table, data::TZQuery& q, TCustomForm& lookup) {
  TCustomForm* form = nullptr;
  const TCaller* c = FindCaller(table, kPick, &form);
  if (!c) {
    if (table.closeWhenNoCaller) lookup.Close();
    return;
  }
  // A closed result (no search ran since the caller cleared it) holds no row either.
  const bool rows = q.Active() && q.RecordCount() > 0;
  if (c->countRows && !rows) {
    if (!c->refuseEmpty.empty()) {
      kit::Refuse(c->refuseEmpty);
      return;
    }
    for (const TWrite& w : c->emptyWrites) Apply(*form, w, q);
    lookup.Close();
    return;
  }
  if (!q.Active()) return;  // nothing to copy from
  if (c->resetFirst) form->Activate();
  for (const TWrite& w : c->writes) Apply(*form, w, q);
  if (!c->focus.empty())
    if (auto* f = dynamic_cast<TWinControl*>(Target(*form, c->focus))) {
      form->SetActiveControl(f);
      if (f->Showing()) f->SetFocus();
    }
  if (!c->hook.empty()) {
    auto h = Hooks().find(c->hook);
    if (h != Hooks().end()) h->second(TPickContext{lookup, *form, q});
  }
  if (!c->stayOpen && table.closeAfterPick) lookup.Close();
}

void ClearFlags(const TLookupTable& table) {
  for (const TCaller& c : table.callers) {
    TCustomForm* form = Window(c.window);
    if (!form) continue;
    for (const auto* names : {&c.flagged, &c.alsoClears})
      for (const std::string& name : *names)
        if (auto* b = Button(*form, name)) b->SetFlat(false);
  }
}

// ---------------------------------------------------------------- the dialog

TLookupDialog::TLookupDialog(rtl::TComponent* owner, const char* name, const char* caption, const char* title,
                             const TLookupTable& table, bool upperCase, std::initializer_list<TColumn> columns)
    : TForm(owner), table_(table) {
  SetupForm(*this, {.name = name,
                    .caption = caption,
                    .width = 333,
                    .height = 377,
                    .border = TFormBorderStyle::bsNone,
                    .icons = biSystemMenu | biMinimize | biMaximize});

  Panel1 = Make<TPanel>(this, this, "Panel1", 0, 0, 333, 30);
  Panel1->SetCaption(title);
  Panel1->SetColor(clNavy);
  Panel1->Font().SetColor(clWhite);
  Panel1->Font().SetStyle(fsBold);
  DBGrid1 = Make<TDBGrid>(this, this, "DBGrid1", 4, 34, 325, 264);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Options &= ~dgEditing;
  DBGrid1->ReadOnly = true;
  for (const TColumn& c : columns) DBGrid1->Columns().Add(c.field, c.title, c.width);
  DBGrid1->SetDataSource(app::DM ? app::DM->DS_Q4 : nullptr);
  Edit1 = MakeEdit(this, this, "Edit1", 4, 304, 325, upperCase);
  Button1 = MakeButton(this, this, "Button1", 4, 340, 160, "Pilih");
  Button2 = MakeButton(this, this, "Button2", 169, 340, 160, "Close");

  Edit1->OnChange = [this](rtl::TObject* s) { Edit1Change(s); };
  Button1->OnClick = [this](rtl::TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](rtl::TObject* s) { Button2Click(s); };
  DBGrid1->OnDblClick = [this](rtl::TObject* s) { DBGrid1DblClick(s); };
  OnActivate = [this](rtl::TObject* s) { FormActivate(s); };
  OnClose = [this](rtl::TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TLookupDialog::FormActivate(rtl::TObject*) {
  // The data module may be created after this window.
  if (DBGrid1->DataSource() != app::DM->DS_Q4) DBGrid1->SetDataSource(app::DM->DS_Q4);
  SetActiveControl(Edit1);
  if (Edit1->Showing()) Edit1->SetFocus();
  Edit1->SelectAll();
}

void TLookupDialog::Edit1Change(rtl::TObject*) { Search(table_, *app::DM->Q4, Edit1->Text()); }

void TLookupDialog::Button1Click(rtl::TObject*) { Pick(table_, *app::DM->Q4, *this); }

void TLookupDialog::DBGrid1DblClick(rtl::TObject* s) { Button1Click(s); }

void TLookupDialog::Button2Click(rtl::TObject*) { Close(); }

void TLookupDialog::FormClose(rtl::TObject*, TCloseAction&) { ClearFlags(table_); }

}  // namespace registry::lookup
