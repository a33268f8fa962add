#include "gui/Menus.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "rtl/Utf.h"

namespace gui {

namespace {
UINT g_nextCommand = 1000;
// Every live item: an owner-drawn entry's item data is trusted only when it is one of them.
std::unordered_set<const TMenuItem*>& LiveItems() {
  static std::unordered_set<const TMenuItem*> items;
  return items;
}
}  // namespace

namespace {
struct TKeyName {
  unsigned vk;
  const char* text;
};
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"}, {VK_HOME, "Home"}, {VK_LEFT, "Left"},
    {VK_UP, "Up"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};
}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const unsigned key = shortCut & 0xFF;
  if (key == 0) return {};
  std::string name;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    name = std::string(1, char(key));
  } else if (key >= VK_F1 && key <= VK_F24) {
    name = "F" + std::to_string(key - VK_F1 + 1);
  } else {
    for (const auto& n : kKeyNames)
      if (n.vk == key) name = n.text;
    if (name.empty()) return {};
  }
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(const std::string& text) {
  TShortCut mods = 0;
  std::string rest = text;
  static const struct {
    const char* prefix;
    TShortCut bit;
  } modifiers[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
  for (bool found = true; found;) {
    found = false;
    for (const auto& m : modifiers)
      if (rest.size() > std::strlen(m.prefix) && _strnicmp(rest.c_str(), m.prefix, std::strlen(m.prefix)) == 0) {
        mods |= m.bit;
        rest.erase(0, std::strlen(m.prefix));
        found = true;
      }
  }
  unsigned key = 0;
  if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
    key = unsigned(std::toupper(static_cast<unsigned char>(rest[0])));
  } else if (rest.size() >= 2 && (rest[0] == 'F' || rest[0] == 'f') && std::isdigit(static_cast<unsigned char>(rest[1]))) {
    const int n = std::atoi(rest.c_str() + 1);
    if (n >= 1 && n <= 24 && std::to_string(n) == rest.substr(1)) key = VK_F1 + unsigned(n - 1);
  } else {
    for (const auto& n : kKeyNames)
      if (_stricmp(n.text, rest.c_str()) == 0) key = n.vk;
  }
  return key ? TShortCut(mods | key) : TShortCut(0);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(g_nextCommand++) { LiveItems().insert(this); }

TMenuItem::~TMenuItem() {
  MarkDestroying();
  LiveItems().erase(this);
  for (TMenuItem* c : items_) c->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
  auto* item = reinterpret_cast<TMenuItem*>(data);
  return LiveItems().count(item) ? item : nullptr;
}

void TMenuItem::SetShortCut(TShortCut v) {
  shortCut_ = v;
  Changed();
}

void TMenuItem::SetBreak(TMenuBreak v) {
  break_ = v;
  Changed();
}

void TMenuItem::SetDefault(bool v) {
  default_ = v;
  Changed();
}

void TMenuItem::SetRadioItem(bool v) {
  radioItem_ = v;
  Changed();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* r = this;
  while (r->parent_) r = r->parent_;
  return r->menu_;
}

void TMenuItem::MenuChanged(bool) { Changed(); }

void TMenuItem::RebuildHandle() {
  if (!handle_) return;
  while (GetMenuItemCount(handle_) > 0) DeleteMenu(handle_, 0, MF_BYPOSITION);
  for (TMenuItem* c : items_) c->DestroyHandles();
  Build(handle_);
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, canvas, width, height);
    return;
  }
  if (IsLine()) {
    height = 5;
    return;
  }
  std::string text = caption_;
  if (shortCut_) text += "\t" + ShortCutToText(shortCut_);
  const TSize sz = canvas.TextExtent(text);
  width = sz.cx + 2 * GetSystemMetrics(SM_CXMENUCHECK) + 8;
  height = std::max<int>(sz.cy + 4, GetSystemMetrics(SM_CYMENU));
}

void TMenuItem::AdvancedDrawItem(TCanvas& canvas, const TRect& r, TOwnerDrawState state) {
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, canvas, r, state);
    return;
  }
  if (OnDrawItem) {
    OnDrawItem(this, canvas, r, (state & odSelected) != 0);
    return;
  }
  DrawPlain(canvas, r, state);
}

void TMenuItem::DrawPlain(TCanvas& canvas, const TRect& r, TOwnerDrawState state) {
  HDC dc = canvas.Handle();
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  const bool selected = (state & odSelected) != 0;
  FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line{rc.left, (rc.top + rc.bottom) / 2, rc.right, (rc.top + rc.bottom) / 2 + 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  rc.left += GetSystemMetrics(SM_CXMENUCHECK) + 4;
  std::wstring text = rtl::W(caption_);
  DrawTextW(dc, text.c_str(), -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (shortCut_) {
    std::wstring key = rtl::W(ShortCutToText(shortCut_));
    rc.right -= 8;
    DrawTextW(dc, key.c_str(), -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
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
  const TMenu* menu = GetParentMenu();
  const bool ownerDraw = menu && menu->OwnerDraw();
  for (TMenuItem* c : items_) {
    if (!c->visible_) continue;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    mii.fType = c->IsLine() ? MFT_SEPARATOR : 0;
    if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
    if (c->break_ == TMenuBreak::mbBreak) mii.fType |= MFT_MENUBREAK;
    if (c->break_ == TMenuBreak::mbBarBreak) mii.fType |= MFT_MENUBARBREAK;
    if (c->radioItem_) mii.fType |= MFT_RADIOCHECK;
    mii.fState = (c->enabled_ ? 0 : MFS_GRAYED) | (c->checked_ ? MFS_CHECKED : 0) | (c->default_ ? MFS_DEFAULT : 0);
    mii.wID = c->command_;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(c);
    std::wstring text = rtl::W(c->shortCut_ ? c->caption_ + "\t" + ShortCutToText(c->shortCut_) : c->caption_);
    if (!c->IsLine()) {
      mii.fMask |= MIIM_STRING;
      mii.dwTypeData = text.data();
    }
    if (!c->items_.empty()) {
      c->handle_ = CreatePopupMenu();
      c->Build(c->handle_);
      mii.fMask |= MIIM_SUBMENU;
      mii.hSubMenu = c->handle_;
    }
    InsertMenuItemW(into, GetMenuItemCount(into), TRUE, &mii);
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

TMenu::TMenu(TComponent* owner) : TComponent(owner) { root_.menu_ = this; }

TMenu::~TMenu() {
  MarkDestroying();
  root_.menu_ = nullptr;
  DestroyComponents();
  if (handle_ && !WindowHandle) DestroyMenu(handle_);
}

HMENU TMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenuHandle();
    root_.Build(handle_);
  }
  return handle_;
}

void TMenu::SetOwnerDraw(bool v) {
  if (ownerDraw_ == v) return;
  ownerDraw_ = v;
  Rebuild();
}

void TMenu::Rebuild() {
  if (!handle_ || building_ || rebuildLocked_) return;
  building_ = true;
  // Empty the bar in place so that the window keeps the same menu handle.
  while (GetMenuItemCount(handle_) > 0) DeleteMenu(handle_, 0, MF_BYPOSITION);
  root_.DestroyHandles();
  root_.Build(handle_);
  if (WindowHandle) DrawMenuBar(WindowHandle);
  building_ = false;
}

TMenuItem* TMenu::FindItem(UINT command) { return root_.FindCommand(command); }

TMenuItem* TMenu::FindItemByHandle(HMENU popup) {
  if (popup && popup == handle_) return &root_;
  return root_.FindPopup(popup);
}

bool TMenu::DispatchCommand(UINT id) {
  TMenuItem* item = root_.FindCommand(id);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU popup) {
  TMenuItem* item = root_.FindPopup(popup);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchMeasureItem(MEASUREITEMSTRUCT& mis) {
  TMenuItem* item = TMenuItem::FromItemData(mis.itemData);
  if (mis.CtlType != ODT_MENU || !item || item->GetParentMenu() != this) return false;
  HDC dc = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  int w = int(mis.itemWidth), h = int(mis.itemHeight);
  try {
    item->MeasureItem(canvas, w, h);
  } catch (...) {
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    throw;
  }
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  mis.itemWidth = UINT(std::max(w, 0));
  mis.itemHeight = UINT(std::max(h, 0));
  return true;
}

bool TMenu::DispatchDrawItem(const DRAWITEMSTRUCT& dis) {
  TMenuItem* item = TMenuItem::FromItemData(dis.itemData);
  if (dis.CtlType != ODT_MENU || !item || item->GetParentMenu() != this) return false;
  const int saved = SaveDC(dis.hDC);
  TCanvas canvas;
  canvas.SetHandle(dis.hDC);
  const TRect r{dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom};
  try {
    item->AdvancedDrawItem(canvas, r, TOwnerDrawState(dis.itemState));
  } catch (...) {
    canvas.SetHandle(nullptr);
    RestoreDC(dis.hDC, saved);
    throw;
  }
  canvas.SetHandle(nullptr);
  RestoreDC(dis.hDC, saved);
  return true;
}

// ---------------------------------------------------------------- popup menus

namespace {
std::vector<TPopupMenu*>& ShownPopups() {
  static std::vector<TPopupMenu*> shown;
  return shown;
}

LRESULT CALLBACK PopupListProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  try {
    TPopupMenu* menu = ShownPopups().empty() ? nullptr : ShownPopups().back();
    if (menu) {
      switch (m) {
        case WM_MEASUREITEM:
          if (menu->DispatchMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(l))) return TRUE;
          break;
        case WM_DRAWITEM:
          if (menu->DispatchDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l))) return TRUE;
          break;
        case WM_INITMENUPOPUP:
          menu->DispatchPopup(reinterpret_cast<HMENU>(w));
          return 0;
        default: break;
      }
    }
  } catch (...) {
    if (Application) Application->HandleException(std::current_exception());
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}
}  // namespace

HWND TPopupMenu::PopupListWindow() {
  static HWND wnd = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PopupListProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvanPopupList";
    RegisterClassW(&wc);
    return CreateWindowExW(WS_EX_TOOLWINDOW, L"KorvanPopupList", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
  }();
  return wnd;
}

TPopupMenu::~TPopupMenu() {
  auto& shown = ShownPopups();
  shown.erase(std::remove(shown.begin(), shown.end(), this), shown.end());
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  HWND owner = PopupListWindow();
  ShownPopups().push_back(this);
  const UINT cmd = UINT(TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  auto& shown = ShownPopups();
  if (auto it = std::find(shown.rbegin(), shown.rend(), this); it != shown.rend()) shown.erase(std::next(it).base());
  if (cmd) DispatchCommand(cmd);
}

}  // namespace gui
