// Shell basics: item-identifier lists (PIDLs) in the shell's allocator, the desktop root
// folder, a thread that watches a directory for changes, the system's small-icon list,
// and the calendar's "Today: " caption.
#pragma once
#include <windows.h>

#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>

#include "gui/Threads.h"
#include "skin/graphics/acAlphaImageList.h"

namespace skin {

// ---------------------------------------------------------------- item-identifier lists
// Size bytes from the shell allocator, zero-filled; raises the OLE error when there is
// no allocator.
ITEMIDLIST* AllocItemIdList(size_t size);
void FreeItemIdList(ITEMIDLIST* list);
const ITEMIDLIST* NextItemId(const ITEMIDLIST* item);
// 0 for nullptr, else the items' sizes plus the 2-byte terminator.
size_t ItemIdListSize(const ITEMIDLIST* list);
ITEMIDLIST* CopyItemIdList(const ITEMIDLIST* list);
// first (nullptr allowed) without its terminator, then second with its terminator.
ITEMIDLIST* ConcatItemIdLists(const ITEMIDLIST* first, const ITEMIDLIST* second);

// The desktop's list and folder; both raise on failure.
ITEMIDLIST* GetRootItemIdList();
IShellFolder* GetDesktopShellFolder();

class TacShellFolder {
 public:
  // parent nullptr: a child of the root folder.
  TacShellFolder(TacShellFolder* parent, IShellFolder* folder, const ITEMIDLIST* relative);
  ~TacShellFolder();
  TacShellFolder(const TacShellFolder&) = delete;
  TacShellFolder& operator=(const TacShellFolder&) = delete;

  const ITEMIDLIST* RelativeList() const { return relative_; }
  const ITEMIDLIST* FullList() const { return full_; }
  int Level() const { return level_; }
  TacShellFolder* Parent() const { return parent_; }
  IShellFolder* Folder() const { return folder_; }

 private:
  TacShellFolder* parent_;
  IShellFolder* folder_;
  ITEMIDLIST* relative_ = nullptr;
  ITEMIDLIST* full_ = nullptr;
  int level_ = 0;
};

// The root folder (the desktop), made with OLE on the GUI thread at the first call after
// the unit's start-up; nullptr outside the engine's run.
TacShellFolder* RootShellFolder();

// Watches a directory; calls the change event on the GUI thread (Synchronize) for each
// change. Directory, WatchSubTree and NotifyFilter are read under the unit's lock: set
// them with SetParameters.
class TacShellChangeThread : public gui::TThread {
 public:
  explicit TacShellChangeThread(std::function<void()> changeEvent);
  ~TacShellChangeThread() override;
  void SetParameters(const std::string& directory, bool watchSubTree, DWORD notifyFilter);
  // Wakes the thread so that it takes new parameters.
  void Wake();

 protected:
  void Execute() override;

 private:
  void StartNotification();
  std::function<void()> changeEvent_;
  HANDLE mutex_ = nullptr;
  HANDLE notification_ = INVALID_HANDLE_VALUE;
  std::string directory_;
  bool watchSubTree_ = false;
  DWORD notifyFilter_ = 0;
  bool parametersChanged_ = false;
  int slot_ = -1;
};

// The system's small-icon list in an alpha image list, shared with the system (never
// destroyed here), made at the first call after the unit's start-up; nullptr when the
// shell gives none or the unit is not started.
TsAlphaImageList* SystemImageList();

// The calendar's caption, "Today: " when comctl32 has none.
const std::string& CalendarTodayCaption();

// Steps 6 and 7 of the start-up road.
void InitCalendarCaption();
void DoneCalendarCaption();
void InitShellFolderUnit();
void DoneShellFolderUnit();

}  // namespace skin
