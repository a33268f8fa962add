// The skin list of a manager: its stored skins and the packed files of its skin directory,
// built at once or one skin every 12 ms by a thread that hands each step to the GUI thread.
#include <algorithm>

#include "rtl/SysUtils.h"
#include "rtl/Utf.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSysUtils.h"

namespace skin {

namespace {

constexpr UINT kSkinCommandMessage = 0xA100;
constexpr WPARAM kSkinChangedCommand = WPARAM{74} << 16;
constexpr WPARAM kListChangedCommand = WPARAM{75} << 16;
constexpr DWORD kStepInterval = 12;

// A preview the list can show: a PNG or a BMP picture.
bool IsPreviewPicture(const TacBytes& b) {
  static const uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return (b.size() >= 8 && std::equal(png, png + 8, b.begin())) || (b.size() >= 2 && b[0] == 'B' && b[1] == 'M');
}

}  // namespace

// ---------------------------------------------------------------- the thread

TacAddThread::TacAddThread(TacSkinListController* controller)
    : gui::TThread(true), Controller(controller), stepEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TacAddThread::~TacAddThread() {
  Terminate();
  WaitFor();
  if (stepEvent_) CloseHandle(stepEvent_);
}

void TacAddThread::Execute() {
  // Nothing signals the event: each time-out is one step.
  while (!Terminated()) {
    if (WaitForSingleObject(stepEvent_, kStepInterval) != WAIT_TIMEOUT) break;
    Synchronize([this] { Step(); });
  }
}

void TacAddThread::Step() {
  if (Terminated()) return;
  TacSkinListController& c = *Controller;
  c.inStep_ = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{c.inStep_};
  TsStoredSkins& stored = c.manager_->InternalSkins;
  if (c.nextInternalIndex_ < stored.Count()) {
    c.AddSkinToList(stored.Items(c.nextInternalIndex_).Name, c.nextInternalIndex_);
    ++c.nextInternalIndex_;
    return;
  }
  if (c.search_ == INVALID_HANDLE_VALUE && (c.manager_->SkinsFilter() & sfiExternal)) {
    const std::string dir = NormalizeDirPath(c.manager_->ResolveSkinDirectory());
    if (DirExistsQuiet(dir)) {
      c.SkinsPath = dir;
      c.OpenScan(dir);
    }
  }
  c.searchResult_ = c.AddFoundFile();
  if (c.searchResult_ != 0) {
    c.CloseScan();
    Terminate();
    c.OutOfDate = false;
    c.NotifyListChanged();
  }
}

// ---------------------------------------------------------------- the controller

TacSkinListController::TacSkinListController(TsSkinManager* manager) : manager_(manager) {}

TacSkinListController::~TacSkinListController() {
  StopThread();
  for (TacAddThread* t : retired_) delete t;
  CloseScan();
}

TacAddThread* TacSkinListController::ListThread() const {
  return thread_ && !thread_->Terminated() ? thread_ : nullptr;
}

void TacSkinListController::StopThread() {
  if (!thread_) return;
  thread_->Terminate();
  if (inStep_) {
    retired_.push_back(thread_);
  } else {
    delete thread_;  // waits for it; a step already queued sees the end and does nothing
    for (TacAddThread* t : retired_) delete t;
    retired_.clear();
  }
  thread_ = nullptr;
}

bool TacSkinListController::OpenScan(const std::string& directory) {
  CloseScan();
  search_ = FindFirstFileW(rtl::W(directory + "*.*").c_str(), &found_);
  searchResult_ = search_ == INVALID_HANDLE_VALUE ? 1 : 0;
  return searchResult_ == 0;
}

void TacSkinListController::CloseScan() {
  if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
  search_ = INVALID_HANDLE_VALUE;
  found_ = WIN32_FIND_DATAW{};
}

int TacSkinListController::AddFoundFile() {
  if (search_ == INVALID_HANDLE_VALUE || found_.cFileName[0] == 0) return 1;
  const std::string name = rtl::U8(found_.cFileName);
  if (IsListedSkinFile(name, (found_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) AddSkinToList(name, -1);
  searchResult_ = FindNextFileW(search_, &found_) ? 0 : 1;
  if (searchResult_ != 0) found_.cFileName[0] = 0;
  return searchResult_;
}

void TacSkinListController::AddSkinToList(const std::string& name, int internalIndex) {
  TacSkinListData item;
  item.Name = name;
  std::optional<TacBytes> preview;
  if (internalIndex < 0) {
    preview = LoadPreviewFromFile(SkinsPath + name);
    item.Name = ListedSkinName(name);
    item.Kind = 1;
  } else {
    preview = ExtractPreviewImage(manager_->InternalSkins.Items(internalIndex).PackedData);
    item.Kind = 0;
  }
  if (preview && IsPreviewPicture(*preview)) {
    previews_.push_back(std::move(*preview));
    item.PreviewIndex = int32_t(previews_.size()) - 1;
  }
  items_.push_back(std::move(item));
}

void TacSkinListController::ClearList(bool markOutOfDate, bool notify) {
  StopThread();
  CloseScan();
  items_.clear();
  previews_.clear();
  if (markOutOfDate) OutOfDate = true;
  if (notify) NotifyListChanged();
}

void TacSkinListController::NotifyListChanged() {
  for (HWND w : ListControls)
    if (w && IsWindow(w)) SendMessageW(w, kSkinCommandMessage, kListChangedCommand, 0);
}

void TacSkinListController::NotifySkinChanged() {
  for (HWND w : ListControls)
    if (w && IsWindow(w)) PostMessageW(w, kSkinCommandMessage, kSkinChangedCommand, 0);
}

void TacSkinListController::StartListThread() {
  StopThread();
  searchResult_ = 0;
  nextInternalIndex_ = 0;
  thread_ = new TacAddThread(this);
  thread_->SetPriority(THREAD_PRIORITY_BELOW_NORMAL);
  thread_->Start();
}

bool TacSkinListController::UpdateList(bool synchronous) {
  if (manager_->Loading() || manager_->IsDestroying()) return false;
  bool notify = true;
  TsSkinManager* def = DefaultManager();
  if (def == manager_ || !def || !rtl::SameText(manager_->SkinDirectory(), def->SkinDirectory())) {
    ClearList(false, true);
    if ((manager_->SkinsFilter() & sfiInternal) && manager_->InternalSkins.Count() > 0) {
      if (synchronous) {
        for (int i = 0; i < manager_->InternalSkins.Count(); ++i) AddSkinToList(manager_->InternalSkins.Items(i).Name, i);
      } else {
        if (!ListThread()) StartListThread();
        notify = false;
      }
    }
    if (manager_->SkinsFilter() & sfiExternal) {
      SkinsPath = NormalizeDirPath(manager_->ResolveSkinDirectory());
      if (DirExistsQuiet(SkinsPath)) {
        OpenScan(SkinsPath);
        if (synchronous) {
          while (AddFoundFile() == 0) {
          }
          CloseScan();
          OutOfDate = false;
        } else {
          if (!ListThread()) StartListThread();
          notify = false;
        }
      } else if (search_ != INVALID_HANDLE_VALUE) {
        CloseScan();
        OutOfDate = false;
      }
    }
  } else {
    // The default manager lists the same directory: its list is copied.
    previews_.clear();
    TacSkinListController& other = *def->skinList_;
    other.FinishListing();
    other.UpdateIfNeeded(true);
    items_ = other.items_;
    previews_ = other.previews_;
    OutOfDate = false;
  }
  if (notify) NotifyListChanged();
  return true;
}

void TacSkinListController::UpdateIfNeeded(bool synchronous) {
  if (OutOfDate) OutOfDate = !UpdateList(synchronous);
}

void TacSkinListController::FinishListing() {
  if (!ListThread()) return;
  StopThread();
  try {
    TsStoredSkins& stored = manager_->InternalSkins;
    for (; nextInternalIndex_ < stored.Count(); ++nextInternalIndex_)
      AddSkinToList(stored.Items(nextInternalIndex_).Name, nextInternalIndex_);
    while (AddFoundFile() == 0) {
    }
  } catch (...) {
    CloseScan();
    throw;
  }
  CloseScan();
  OutOfDate = false;
  NotifyListChanged();
}

}  // namespace skin
