#include "kit/FormKit.h"

#include "kit/Photo.h"
#include "kit/Records.h"
#include "app/UDM.h"

namespace kit {

using namespace gui;

void SetupForm(TForm& form, const TFormSetup& s) {
  form.SetName(s.name);
  form.SetCaption(s.caption);
  form.BorderStyle = s.border;
  form.BorderIcons = s.icons;
  form.Position = s.position;
  if (s.fontHeight != 0) {
    form.Font().SetName("MS Reference Sans Serif");
    form.Font().SetHeight(s.fontHeight);
  }
  form.SetClientSize(s.width, s.height);
}

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

TComboBox* MakeListOf(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w,
                      const std::vector<const char*>& items) {
  TComboBox* c = MakeList(owner, parent, name, x, y, w, {});
  for (const char* i : items) c->Items().Add(i);
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

int TRows::Row(const std::string& caption) {
  MakeLabel(owner, group, (prefix + std::to_string(++labels)).c_str(), labelX, y + labelDy, caption);
  const int top = y;
  y += step;
  return top;
}

TEdit* TRows::Edit(const char* name, const std::string& caption, bool upper, bool readOnly, int w) {
  return MakeEdit(owner, group, name, inputX, Row(caption), w ? w : inputW, upper, readOnly);
}

TComboBox* TRows::List(const char* name, const std::string& caption, std::initializer_list<const char*> items, int w) {
  return MakeList(owner, group, name, inputX, Row(caption), w ? w : 130, items);
}

TDateTimePicker* TRows::Picker(const char* name, const std::string& caption) {
  return MakePicker(owner, group, name, inputX, Row(caption), 130);
}

TEdit* TRows::EditWithDots(const char* name, const std::string& caption, int w, TSpeedButton*& button,
                           const char* buttonName) {
  const int top = Row(caption);
  TEdit* e = MakeEdit(owner, group, name, inputX, top, w, false, true);
  button = Make<TSpeedButton>(owner, group, buttonName, inputX + w + 4, top, 26, 22);
  button->SetCaption("...");
  return e;
}

void TRows::Radios(const std::string& caption, std::initializer_list<TRadio> radios) {
  const int top = Row(caption);
  int x = inputX;
  for (const TRadio& r : radios) {
    *r.field = Make<TRadioButton>(owner, group, r.name, x, top + 2, r.w, 20);
    (*r.field)->SetCaption(r.caption);
    x += 72;
  }
}

TPhotoBlock MakePhotoBlock(TForm& form, const TPhotoBlockSpec& s) {
  TPhotoBlock b;
  b.panel = Make<TPanel>(&form, &form, "Panel1", s.x, s.y, 160, 206);
  b.panel->SetCaption("Photo");
  b.panel->SetBevelOuter(TBevelCut::bvLowered);
  b.image = Make<TImage>(&form, b.panel, s.image, 2, 2, 156, 202);
  b.image->SetStretch(true);
  if (!s.reset) return b;
  b.upload = MakeButton(&form, &form, "Button1", s.x, s.y + 212, 78, "Upload");
  b.reset = MakeButton(&form, &form, s.reset, s.x + 82, s.y + 212, 78, "Reset");
  b.dialog = new TOpenDialog(&form);
  b.dialog->SetName("OpenDialog1");
  SetupPhotoDialog(*b.dialog);
  TImage* image = b.image;
  TOpenDialog* dialog = b.dialog;
  b.upload->OnClick = [dialog, image](rtl::TObject*) { UploadPhoto(*dialog, *image); };
  const std::string refusal =
      std::string("Foto tidak dapat di-Reset! Silahkan Masukkan Foto Default Terlebih dahulu. Form ") + s.title +
      " akan tertutup";
  b.reset->OnClick = [&form, image, refusal](rtl::TObject*) { ResetPhotoOrClose(form, *image, refusal); };
  return b;
}

TPanel* MakeActionBar(TForm& form, const char* name, int height, std::initializer_list<TAction> actions, int y) {
  auto* bar = Make<TPanel>(&form, &form, name, 0, form.ClientHeight() - height, form.ClientWidth(), height);
  bar->SetAlign(TAlign::alBottom);
  int x = 10;
  for (const TAction& a : actions) {
    TSpeedButton* b = MakeSpeedButton(&form, bar, a.name, x, y, a.hint);
    b->SetWidth(a.width);
    b->OnClick = a.onClick;
    if (a.button) *a.button = b;
    x += a.width + 6;
  }
  return bar;
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

bool ResetPhotoOrClose(TCustomForm& form, TImage& image, const std::string& message, const std::string& column) {
  if (ShowDefaultPhoto(*app::DM->Q3, image, column)) return true;
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

TBusyStatus::TBusyStatus(gui::TStatusPanel& panel, const std::string& text) : panel_(panel) { panel_.SetText(text); }

TBusyStatus::~TBusyStatus() { panel_.SetText(""); }

}  // namespace kit
