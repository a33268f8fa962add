#include "skin/core/acShellCtrls.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "gui/Com.h"
#include "gui/Forms.h"
#include "rtl/SysUtils.h"
#include "rtl/Utf.h"
#include "skin/core/sConstUnit.h"

namespace skin {

namespace {

void OleCheck(HRESULT hr) {
  if (FAILED(hr)) throw rtl::Exception(rtl::Format("OLE error %08X", static_cast<unsigned>(hr)));
}

IMalloc* ShellMalloc() {
  IMalloc* m = nullptr;
  OleCheck(SHGetMalloc(&m));
  return m;
}

uint16_t ItemSize(const ITEMIDLIST* item) {
  uint16_t cb;
  std::memcpy(&cb, item, sizeof cb);
  return cb;
}

}  // namespace

// ---------------------------------------------------------------- item-identifier lists

ITEMIDLIST* AllocItemIdList(size_t size) {
  IMalloc* m = ShellMalloc();
  void* p = m->Alloc(size);
  m->Release();
  if (!p) throw std::bad_alloc();
  std::memset(p, 0, size);
  return static_cast<ITEMIDLIST*>(p);
}

void FreeItemIdList(ITEMIDLIST* list) {
  if (!list) return;
  IMalloc* m = ShellMalloc();
  m->Free(list);
  m->Release();
}

const ITEMIDLIST* NextItemId(const ITEMIDLIST* item) {
  return reinterpret_cast<const ITEMIDLIST*>(reinterpret_cast<const uint8_t*>(item) + ItemSize(item));
}

size_t ItemIdListSize(const ITEMIDLIST* list) {
  if (!list) return 0;
  size_t size = 2;
  for (; ItemSize(list) != 0; list = NextItemId(list)) size += ItemSize(list);
  return size;
}

ITEMIDLIST* CopyItemIdList(const ITEMIDLIST* list) {
  const size_t size = ItemIdListSize(list);
  ITEMIDLIST* copy = AllocItemIdList(size);
  if (size) std::memcpy(copy, list, size);
  return copy;
}

ITEMIDLIST* ConcatItemIdLists(const ITEMIDLIST* first, const ITEMIDLIST* second) {
  const size_t a = first ? ItemIdListSize(first) - 2 : 0;
  const size_t b = ItemIdListSize(second);
  ITEMIDLIST* out = AllocItemIdList(a + b);
  if (a) std::memcpy(out, first, a);
  if (b) std::memcpy(reinterpret_cast<uint8_t*>(out) + a, second, b);
  return out;
}

ITEMIDLIST* GetRootItemIdList() {
  gui::UseCom();
  ITEMIDLIST* list = nullptr;
  OleCheck(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list));
  return list;
}

IShellFolder* GetDesktopShellFolder() {
  gui::UseCom();
  IShellFolder* f = nullptr;
  OleCheck(SHGetDesktopFolder(&f));
  return f;
}

// ---------------------------------------------------------------- folders

namespace {
std::unique_ptr<TacShellFolder> g_root;
bool g_oleStarted = false;
bool g_shellStarted = false;  // between the unit's start-up and shut-down
}  // namespace

// The desktop folder, and OLE with it, come at the first ask rather than at start-up: the
// shell's and OLE's libraries load with them, and nothing on the way to the first window
// browses folders.
TacShellFolder* RootShellFolder() {
  if (!g_root && g_shellStarted) {
    if (!g_oleStarted) g_oleStarted = SUCCEEDED(OleInitialize(nullptr));
    ITEMIDLIST* desktop = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) && desktop) {
      g_root = std::make_unique<TacShellFolder>(nullptr, GetDesktopShellFolder(), desktop);
      FreeItemIdList(desktop);
    }
  }
  return g_root.get();
}

TacShellFolder::TacShellFolder(TacShellFolder* parent, IShellFolder* folder, const ITEMIDLIST* relative)
    : parent_(parent), folder_(folder) {
  relative_ = CopyItemIdList(relative);
  if (parent) {
    full_ = ConcatItemIdLists(parent->full_, relative);
  } else {
    ITEMIDLIST* desktop = GetRootItemIdList();
    full_ = ConcatItemIdLists(desktop, relative);
    FreeItemIdList(desktop);
    parent_ = g_root.get();
  }
  for (TacShellFolder* p = parent; p; p = p->parent_) ++level_;
}

TacShellFolder::~TacShellFolder() {
  FreeItemIdList(relative_);
  FreeItemIdList(full_);
  if (folder_) folder_->Release();
}

// ---------------------------------------------------------------- change threads

namespace {
std::mutex g_paramsLock;
std::vector<TacShellChangeThread*> g_threads;  // slots; nullptr where free
}  // namespace

TacShellChangeThread::TacShellChangeThread(std::function<void()> changeEvent)
    : gui::TThread(true), changeEvent_(std::move(changeEvent)) {
  // Owning the mutex holds the thread; releasing it wakes the thread.
  mutex_ = CreateMutexW(nullptr, TRUE, nullptr);
  std::lock_guard<std::mutex> lock(g_paramsLock);
  for (size_t i = 0; i < g_threads.size(); ++i)
    if (!g_threads[i]) {
      g_threads[i] = this;
      slot_ = static_cast<int>(i);
      return;
    }
  g_threads.push_back(this);
  slot_ = static_cast<int>(g_threads.size() - 1);
}

TacShellChangeThread::~TacShellChangeThread() {
  // The thread must be off its wait before the handles go.
  Terminate();
  if (Handle()) {
    ReleaseMutex(mutex_);
    WaitFor();
  }
  {
    std::lock_guard<std::mutex> lock(g_paramsLock);
    if (slot_ >= 0 && static_cast<size_t>(slot_) < g_threads.size()) g_threads[static_cast<size_t>(slot_)] = nullptr;
  }
  if (notification_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(notification_);
  CloseHandle(mutex_);
}

void TacShellChangeThread::SetParameters(const std::string& directory, bool watchSubTree, DWORD notifyFilter) {
  std::lock_guard<std::mutex> lock(g_paramsLock);
  directory_ = directory;
  watchSubTree_ = watchSubTree;
  notifyFilter_ = notifyFilter;
  parametersChanged_ = true;
}

void TacShellChangeThread::Wake() {
  ReleaseMutex(mutex_);
  WaitForSingleObject(mutex_, INFINITE);
}

void TacShellChangeThread::StartNotification() {
  if (notification_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(notification_);
  notification_ = FindFirstChangeNotificationW(rtl::W(directory_).c_str(), watchSubTree_, notifyFilter_);
}

void TacShellChangeThread::Execute() {
  {
    std::lock_guard<std::mutex> lock(g_paramsLock);
    StartNotification();
    parametersChanged_ = false;
  }
  if (notification_ == INVALID_HANDLE_VALUE) return;
  while (!Terminated()) {
    HANDLE handles[] = {notification_, mutex_};
    const DWORD r = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    if (r == WAIT_FAILED) return;
    if (r == WAIT_OBJECT_0) {
      if (!Terminated() && gui::Application && !gui::Application->Terminated() && changeEvent_)
        Synchronize(changeEvent_);
      FindNextChangeNotification(notification_);
    } else if (r == WAIT_OBJECT_0 + 1 || r == WAIT_ABANDONED_0 + 1) {
      ReleaseMutex(mutex_);
    }
    std::lock_guard<std::mutex> lock(g_paramsLock);
    if (parametersChanged_) {
      StartNotification();
      parametersChanged_ = false;
      if (notification_ == INVALID_HANDLE_VALUE) return;
    }
  }
}

// ---------------------------------------------------------------- system image list

namespace {
std::unique_ptr<TsAlphaImageList> g_systemImages;
std::string g_todayCaption;
}  // namespace

// The system's small-icon list is made on first use, not at start-up: the shell builds
// it by loading its stock icons, which takes longer than the rest of the start-up road
// together, and nothing on the way to the first window needs it.
TsAlphaImageList* SystemImageList() {
  if (!g_systemImages && g_shellStarted) {
    gui::UseCom();
    SHFILEINFOW info{};
    auto h = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (h) {
      g_systemImages = std::make_unique<TsAlphaImageList>(nullptr);
      g_systemImages->ShareImages = true;
      g_systemImages->SetHandle(h);
      g_systemImages->EndItemsChange(false);
      ImageList_SetBkColor(h, CLR_NONE);
    }
  }
  return g_systemImages.get();
}

const std::string& CalendarTodayCaption() { return g_todayCaption; }

void InitCalendarCaption() {
  g_todayCaption.clear();
  if (HMODULE lib = LoadLibraryW(L"comctl32.dll")) {
    g_todayCaption = LoadLibraryString(lib, 4163);
    FreeLibrary(lib);
  }
  if (g_todayCaption.empty()) g_todayCaption = "Today: ";
}

void DoneCalendarCaption() { g_todayCaption.clear(); }

void InitShellFolderUnit() { g_shellStarted = true; }

void DoneShellFolderUnit() {
  {
    std::vector<TacShellChangeThread*> live;
    {
      std::lock_guard<std::mutex> lock(g_paramsLock);
      for (TacShellChangeThread* t : g_threads)
        if (t) live.push_back(t);
    }
    for (TacShellChangeThread* t : live) delete t;
  }
  g_root.reset();
  if (g_oleStarted) OleUninitialize();
  g_oleStarted = false;
  g_shellStarted = false;
  g_systemImages.reset();  // shared: the system's list stays
  std::lock_guard<std::mutex> lock(g_paramsLock);
  g_threads.clear();
}

}  // namespace skin
