#include "skin/forms/sSystemMenu.h"

#include <vector>

#include "rtl/Utf.h"
#include "skin/core/sConstUnit.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

namespace {
// The text of a command in the window's system menu, split at the tab; empty when missing.
bool MenuText(HMENU menu, UINT item, UINT flag, std::string& caption, std::string& shortCut) {
  wchar_t buf[256] = {};
  if (GetMenuStringW(menu, item, buf, 255, flag) <= 0) return false;
  const std::string text = rtl::U8(buf);
  const size_t tab = text.find('\t');
  caption = text.substr(0, tab);
  shortCut = tab == std::string::npos ? std::string() : text.substr(tab + 1);
  return true;
}

TacBorderStyle StyleOf(gui::TFormBorderStyle s) { return TacBorderStyle(int32_t(s)); }

// The shortcut the window's menu shows after a tab; one the class layer cannot name stays
// in the caption as it was.
void SetShortCutText(gui::TMenuItem* item, const std::string& text) {
  if (text.empty()) return;
  if (const gui::TShortCut sc = gui::TextToShortCut(text))
    item->SetShortCut(sc);
  else
    item->SetCaption(item->Caption() + "\t" + text);
}

// An item goes with its sub-items (they belong to the menu, not to their parent).
void FreeItem(gui::TMenuItem* item) {
  while (item->Count() > 0) FreeItem(item->Items(item->Count() - 1));
  if (item->Parent()) item->Parent()->Remove(item);
  delete item;
}
}  // namespace

void TsCustomSysMenu::Popup(int x, int y, HWND wnd) {
  WindowHandle = wnd;
  gui::TPopupMenu::Popup(x, y);
}

TacSysMenuFacts SysMenuFactsOf(gui::TCustomForm* form, HWND wnd) {
  TacSysMenuFacts f;
  if (!form) return f;
  f.SystemMenu = form->BorderIcons & gui::biSystemMenu;
  f.Minimize = form->BorderIcons & gui::biMinimize;
  f.Maximize = form->BorderIcons & gui::biMaximize;
  f.Help = form->BorderIcons & gui::biHelp;
  f.BorderStyle = StyleOf(form->BorderStyle);
  f.MDIChild = form->FormStyle == gui::TFormStyle::fsMDIChild;
  f.Iconic = wnd && IsIconic(wnd);
  f.WindowState = wnd && IsIconic(wnd)   ? TacWindowState::wsMinimized
                  : wnd && IsZoomed(wnd) ? TacWindowState::wsMaximized
                                         : TacWindowState(int32_t(form->WindowState));
  HMENU sys = wnd ? GetSystemMenu(wnd, FALSE) : nullptr;
  f.HasWindowMenu = sys != nullptr;
  if (sys) {
    const UINT state = GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND);
    f.CloseStateReadable = state != UINT(-1);
    f.CloseDisabled = state != UINT(-1) && (state & MF_DISABLED);
  }
  return f;
}

TsSystemMenu::TsSystemMenu(TsSkinProvider* provider)
    : TsCustomSysMenu(provider), Provider(provider), Form(provider ? provider->Form() : nullptr) {
  SetName("acSysMenu" + std::to_string(GetTickCount()));
  MakeItems();
}

TsSystemMenu::~TsSystemMenu() = default;

HWND TsSystemMenu::FormWnd() const { return Form && Form->HandleAllocated() ? Form->Handle() : nullptr; }

TacSysMenuRules TsSystemMenu::Rules() { return SysMenuRules(SysMenuFactsOf(Form, FormWnd())); }

gui::TMenuItem* TsSystemMenu::NewItem(const std::string& name, const std::string& caption, intptr_t command) {
  auto* item = new gui::TMenuItem(this);
  item->SetName(name);
  item->SetCaption(caption);
  item->Tag = command;
  Items()->Add(item);
  return item;
}

void TsSystemMenu::SendCommand(UINT command, bool update) {
  if (HWND w = FormWnd()) SendMessageW(w, WM_SYSCOMMAND, command, 0);
  if (update) UpdateItems(false);
}

void TsSystemMenu::MakeItems() {
  while (Items()->Count() > 0) FreeItem(Items()->Items(Items()->Count() - 1));
  ItemMove = ItemSize = ItemClose = ItemRestore = ItemMinimize = ItemMaximize = nullptr;
  SubMenuItem = nullptr;
  ExtItemsCount = 0;
  HWND wnd = FormWnd();
  HMENU sys = wnd ? GetSystemMenu(wnd, FALSE) : nullptr;
  if (!sys) return;
  AddSubMenu(TacMenuItemPos::ipTop);
  const TacCaptions& lib = Captions();
  auto caption = [&](UINT command, const std::string& own, const char* fallback, std::string* shortCut) {
    std::string text, sc;
    if (MenuText(sys, command, MF_BYCOMMAND, text, sc)) {
      if (shortCut) *shortCut = sc;
      return text;
    }
    return own.empty() ? std::string(fallback) : own;
  };
  ItemRestore = NewItem("acIR", caption(SC_RESTORE, lib.Restore, "Restore", nullptr), SC_RESTORE);
  ItemRestore->OnClick = [this](rtl::TObject*) { SendCommand(SC_RESTORE, true); };
  ItemMove = NewItem("acIM", caption(SC_MOVE, lib.Move, "Move", nullptr), SC_MOVE);
  ItemMove->OnClick = [this](rtl::TObject*) { SendCommand(SC_MOVE, false); };
  ItemSize = NewItem("acIS", caption(SC_SIZE, lib.Size, "Size", nullptr), SC_SIZE);
  ItemSize->OnClick = [this](rtl::TObject*) { SendCommand(SC_SIZE, false); };
  ItemMinimize = NewItem("acIN", caption(SC_MINIMIZE, lib.Minimize, "Minimize", nullptr), SC_MINIMIZE);
  ItemMinimize->OnClick = [this](rtl::TObject*) {
    // This minimize is the user's choice from the menu: no hide animation for it.
    const bool was = Provider && Provider->AnimShown;
    if (Provider) Provider->AnimShown = true;
    SendCommand(SC_MINIMIZE, false);
    if (Provider) Provider->AnimShown = was;
    UpdateItems(false);
  };
  ItemMaximize = NewItem("acIX", caption(SC_MAXIMIZE, lib.Maximize, "Maximize", nullptr), SC_MAXIMIZE);
  ItemMaximize->OnClick = [this](rtl::TObject*) { SendCommand(SC_MAXIMIZE, true); };
  NewItem("", "-", 0);
  // Entries the program or the system added to the window's menu.
  const int count = GetMenuItemCount(sys);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(sys, i);
    if (id == UINT(-1) || id == 0 || (id >= SC_SIZE && id <= 0xF1FF)) continue;
    std::string text, sc;
    if (!MenuText(sys, UINT(i), MF_BYPOSITION, text, sc)) continue;
    gui::TMenuItem* item = NewItem("", text, intptr_t(id));
    SetShortCutText(item, sc);
    item->OnClick = [this, id](rtl::TObject*) {
      if (HWND w = FormWnd()) PostMessageW(w, WM_SYSCOMMAND, id, 0);
    };
    ++ExtItemsCount;
  }
  if (ExtItemsCount > 0) NewItem("", "-", 0);
  AddSubMenu(TacMenuItemPos::ipBeforeClose);
  std::string closeShortCut;
  ItemClose = NewItem("acIC", caption(SC_CLOSE, lib.Close, "Close", &closeShortCut), SC_CLOSE);
  SetShortCutText(ItemClose, closeShortCut);
  ItemClose->OnClick = [this](rtl::TObject*) { SendCommand(SC_CLOSE, false); };
  ItemClose->SetEnabled(CloseEnabled());
  AddSubMenu(TacMenuItemPos::ipBottom);
}

namespace {
// A copy of an item and all its sub-items, owned by Owner, named after the original.
gui::TMenuItem* CopyItem(rtl::TComponent* owner, const gui::TMenuItem* from) {
  auto* item = new gui::TMenuItem(owner);
  if (!from->Name().empty()) item->SetName(from->Name() + "Copy");
  item->SetCaption(from->Caption());
  item->SetShortCut(from->ShortCut());
  item->SetChecked(from->Checked());
  item->SetEnabled(from->Enabled());
  item->SetVisible(from->Visible());
  item->SetRadioItem(from->RadioItem());
  item->Tag = from->Tag;
  // A click of the copy is a click of the program's own item.
  const gui::TMenuItem* original = from;
  if (from->OnClick) item->OnClick = [original](rtl::TObject*) { const_cast<gui::TMenuItem*>(original)->Click(); };
  for (int i = 0; i < from->Count(); ++i) item->Add(CopyItem(owner, from->Items(i)));
  return item;
}
}  // namespace

bool TsSystemMenu::HasSubMenu() const {
  return Provider && !Provider->SysSubMenu.Caption.empty() && Provider->SysSubMenu.PopupMenu;
}

void TsSystemMenu::AddSubMenu(TacMenuItemPos at) {
  if (!HasSubMenu() || Provider->SysSubMenu.Position != at) return;
  const TacSysSubMenu& sub = Provider->SysSubMenu;
  if (at == TacMenuItemPos::ipBottom) NewItem("ac_BtmDiv", "-", 0);
  SubMenuItem = NewItem("ac_SubMenu", sub.Caption, 0);
  gui::TMenuItem* from = sub.PopupMenu->Items();
  for (int i = 0; i < from->Count(); ++i) SubMenuItem->Add(CopyItem(this, from->Items(i)));
  if (at != TacMenuItemPos::ipBottom) NewItem("ac_TopDiv", "-", 0);
}

void TsSystemMenu::RemoveSkinItems() {
  if (Items()->Count() == 0 || Items()->Items(0)->Name() != "SkinSelectItem") return;
  FreeItem(Items()->Items(0));
  // The separator that followed the list.
  if (Items()->Count() > 0 && Items()->Items(0)->IsLine() && Items()->Items(0)->Name().empty()) {
    FreeItem(Items()->Items(0));
  }
}

void TsSystemMenu::MakeSkinItems() {
  RemoveSkinItems();
  TsSkinManager* m = Provider && Provider->SkinData() ? Provider->SkinData()->GetSkinManager() : nullptr;
  if (!m || !m->IsSkinLoaded()) return;
  rtl::TStringList list;
  std::string first;
  m->GetSkinNames(list, false, first, 2);
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
  AddSkinItems(names, m->SkinName());
}

void TsSystemMenu::AddSkinItems(const std::vector<std::string>& names, const std::string& current) {
  RemoveSkinItems();
  if (names.empty()) return;
  auto* root = new gui::TMenuItem(this);
  root->SetName("SkinSelectItem");
  root->SetCaption(Captions().AvailableStyles.empty() ? "Available styles" : Captions().AvailableStyles);
  auto* line = new gui::TMenuItem(this);
  line->SetCaption("-");
  Items()->Insert(0, root);
  Items()->Insert(1, line);
  bool checked = false;
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new gui::TMenuItem(this);
    item->SetName("SkinSelectItem" + std::to_string(i));
    item->SetCaption(names[i]);
    item->SetRadioItem(true);
    if (i > 0 && i % 20 == 0) item->SetBreak(gui::TMenuBreak::mbBreak);
    if (!checked && names[i] == current) {
      item->SetChecked(true);
      item->SetDefault(true);
      checked = true;
    }
    item->OnClick = [this, item](rtl::TObject*) {
      TsSkinManager* m = Provider && Provider->SkinData() ? Provider->SkinData()->GetSkinManager() : nullptr;
      if (m) m->SetSkinName(SkinNameOfMenuCaption(item->Caption(), Captions().Internal));
    };
    root->Add(item);
  }
}

void TsSystemMenu::UpdateItems(bool recreate) {
  if (recreate || !ItemClose) MakeItems();
  if (!Form || !ItemClose) return;
  const TacSysMenuRules r = Rules();
  auto set = [](gui::TMenuItem* item, bool visible, bool enabled) {
    if (!item) return;
    item->SetVisible(visible);
    item->SetEnabled(enabled);
  };
  set(ItemRestore, r.RestoreVisible, r.RestoreEnabled);
  set(ItemMove, true, r.MoveEnabled);
  set(ItemSize, r.SizeVisible, r.SizeEnabled);
  set(ItemMinimize, r.MinVisible, r.MinEnabled);
  set(ItemMaximize, r.MaxVisible, r.MaxEnabled);
  set(ItemClose, r.CloseVisible, r.CloseEnabled);
}

}  // namespace skin
