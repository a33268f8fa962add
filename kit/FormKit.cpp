#include "kit/FormKit.h"

#include "kit/Photo.h"
#include "kit/Records.h"
#include "app/UDM.h"

namespace kit {

using namespace gui;

TLabel* MakeLabel(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y,
                  const std::string& caption) {
  auto* l = Make<TLabel>(owner, parent, name, x, y, 0, 0);
  l->Transparent = true;
  l->SetCaption(caption);
  return l;
}

TEdit* MakeEdit(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w, bool upperCase,
                bool readOnly) {
  auto* e = Make<TEdit>(owner, parent, name, x, y, w, 22);
  if (upperCase) e->SetCharCase(TEditCharCase::ecUpperCase);
  if (readOnly) {
    e->SetReadOnly(true);
    e->SetColor(clBtnFace);
  } else {
    e->SetColor(clWhite);
  }
  return e;
}

TComboBox* MakeList(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w,
                    std::initializer_list<const char*> items) {
  auto* c = Make<TComboBox>(owner, parent, name, x, y, w, 22);
  c->SetStyle(TComboBoxStyle::csDropDownList);
  for (const char* i : items) c->Items().Add(i);
  c->SetItemIndex(0);
  c->DropDownCount = 12;
  return c;
}

TDateTimePicker* MakePicker(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w) {
  auto* p = Make<TDateTimePicker>(owner, parent, name, x, y, w, 22);
  p->SetDateTime(rtl::Now());
  return p;
}

TSpeedButton* MakeSpeedButton(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y,
                              const std::string& hint) {
  auto* b = Make<TSpeedButton>(owner, parent, name, x, y, 96, 34);
  b->SetFlat(true);
  b->SetCaption(hint);
  b->Hint = hint;
  b->ShowHint = true;
  b->SetCursor(crHandPoint);
  return b;
}

TButton* MakeButton(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w,
                    const std::string& caption) {
  auto* b = Make<TButton>(owner, parent, name, x, y, w, 26);
  b->SetCaption(caption);
  return b;
}

TGroupBox* MakeGroup(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w, int h,
                     const std::string& caption) {
  auto* g = Make<TGroupBox>(owner, parent, name, x, y, w, h);
  g->SetCaption(caption);
  return g;
}

void SetEditable(TEdit& edit, bool editable) {
  edit.SetReadOnly(!editable);
  edit.SetColor(editable ? clWhite : clBtnFace);
}

void SetInputEnabled(TWinControl& control, bool enabled) {
  control.SetEnabled(enabled);
  control.SetColor(enabled ? clWhite : clBtnFace);
}

void SelectExact(TComboBox& list, const std::string& text) {
  for (int i = 0; i < list.Items().Count(); ++i)
    if (list.Items()[i] == text) {
      list.SetItemIndex(i);
      return;
    }
}

std::string Chosen(TComboBox& list) {
  int i = list.ItemIndex();
  return i < 0 ? std::string() : list.Items()[i];
}

bool ResetPhotoOrClose(TCustomForm& form, TImage& image, const std::string& message) {
  if (ShowDefaultPhoto(*app::DM->Q3, image)) return true;
  Refuse(message);
  form.Close();
  return false;
}

void OpenLookup(const std::string& instance, const std::string& hint) {
  auto* form = dynamic_cast<TCustomForm*>(Application->FindComponent(instance));
  if (!form) return;
  if (auto* edit = dynamic_cast<TEdit*>(form->FindComponent("Edit1"))) edit->SetText(hint);
  form->ShowModal();
}

}  // namespace kit
