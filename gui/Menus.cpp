#include "gui/Menus.h"

#include <algorithm>

#include "rtl/Utf.h"

namespace gui {

namespace {
UINT g_nextCommand = 1000;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(g_nextCommand++) {}

TMenuItem::~TMenuItem() {
  MarkDestroying();
  for (TMenuItem* c : items_) c->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(const std::string& s) {
  caption_ = s;
  Changed();
}

void TMenuItem::SetEnabled(bool v) {
  enabled_ = v;
  Changed();
}

void TMenuItem::SetVisible(bool v) {
  visible_ = v;
  Changed();
}

void TMenuItem::SetChecked(bool v) {
  checked_ = v;
  Changed();
}

int TMenuItem::MenuIndex() const {
  if (!parent_) return -1;
  auto& v = parent_->items_;
  return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

static std::string StripAmpersand(const std::string& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) ++i;
    r.push_back(s[i]);
  }
  return r;
}

TMenuItem* TMenuItem::Find(const std::string& key) const {
  for (TMenuItem* c : items_) {
    if (StripAmpersand(c->caption_) == key || c->Name() == key) return c;
    if (TMenuItem* f = c->Find(key)) return f;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::Changed() {
  const TMenuItem* r = this;
  while (r->parent_) r = r->parent_;
  if (r->menu_) r->menu_->Rebuild();
}

void TMenuItem::Build(HMENU into) {
  for (TMenuItem* c : items_) {
    if (!c->visible_) continue;
    if (c->IsLine()) {
      AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (c->enabled_ ? MF_ENABLED : MF_GRAYED) | (c->checked_ ? MF_CHECKED : 0);
    std::wstring text = rtl::W(c->caption_);
    if (!c->items_.empty()) {
      c->handle_ = CreatePopupMenu();
      c->Build(c->handle_);
      AppendMenuW(into, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(c->handle_), text.c_str());
    } else {
      AppendMenuW(into, flags, c->command_, text.c_str());
    }
  }
}

void TMenuItem::DestroyHandles() {
  for (TMenuItem* c : items_) c->DestroyHandles();
  handle_ = nullptr;  // destroyed with the menu that holds it
}

TMenuItem* TMenuItem::FindCommand(UINT id) {
  for (TMenuItem* c : items_) {
    if (c->command_ == id && c->items_.empty()) return c;
    if (TMenuItem* f = c->FindCommand(id)) return f;
  }
  return nullptr;
}

TMenuItem* TMenuItem::FindPopup(HMENU h) {
  for (TMenuItem* c : items_) {
    if (c->handle_ && c->handle_ == h) return c;
    if (TMenuItem* f = c->FindPopup(h)) return f;
  }
  return nullptr;
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner) { root_.menu_ = this; }

TMainMenu::~TMainMenu() {
  MarkDestroying();
  root_.menu_ = nullptr;
  DestroyComponents();
  if (handle_ && !WindowHandle) DestroyMenu(handle_);
}

HMENU TMainMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenu();
    root_.Build(handle_);
  }
  return handle_;
}

void TMainMenu::Rebuild() {
  if (!handle_ || building_) return;
  building_ = true;
  // Empty the bar in place so that the window keeps the same menu handle.
  while (GetMenuItemCount(handle_) > 0) DeleteMenu(handle_, 0, MF_BYPOSITION);
  root_.DestroyHandles();
  root_.Build(handle_);
  if (WindowHandle) DrawMenuBar(WindowHandle);
  building_ = false;
}

TMenuItem* TMainMenu::FindItem(UINT command) { return root_.FindCommand(command); }

bool TMainMenu::DispatchCommand(UINT id) {
  TMenuItem* item = root_.FindCommand(id);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMainMenu::DispatchPopup(HMENU popup) {
  TMenuItem* item = root_.FindPopup(popup);
  if (!item) return false;
  item->Click();
  return true;
}

}  // namespace gui
