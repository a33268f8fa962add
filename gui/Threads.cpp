#include "gui/Threads.h"

#include <deque>
#include <mutex>

#include "gui/Forms.h"

namespace gui {

namespace {

struct SyncItem {
  const std::function<void()>* Fn;
  HANDLE Done;
  std::exception_ptr Error;
};

std::mutex g_syncLock;
std::deque<SyncItem*> g_syncQueue;
// Whether the event is set; the idle loop asks on every pass, and resetting an event
// that is not set would still cost a call into the system each time.
bool g_syncSignalled = false;
DWORD g_mainThread = GetCurrentThreadId();  // the thread that starts the program

}  // namespace

HANDLE SyncEvent() {
  static HANDLE e = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return e;
}

void SetMainThread(DWORD id) { g_mainThread = id; }
DWORD MainThreadID() { return g_mainThread; }

bool CheckSynchronize() {
  if (GetCurrentThreadId() != g_mainThread) return false;
  bool any = false;
  for (;;) {
    SyncItem* item = nullptr;
    {
      std::lock_guard<std::mutex> lock(g_syncLock);
      if (g_syncQueue.empty()) {
        if (g_syncSignalled) ResetEvent(SyncEvent());
        g_syncSignalled = false;
        return any;
      }
      item = g_syncQueue.front();
      g_syncQueue.pop_front();
    }
    any = true;
    try {
      (*item->Fn)();
    } catch (...) {
      item->Error = std::current_exception();
    }
    SetEvent(item->Done);
  }
}

TThread::TThread(bool createSuspended) {
  handle_ = CreateThread(nullptr, 0, &TThread::Entry, this, CREATE_SUSPENDED, &id_);
  if (!handle_) throw std::runtime_error("Thread creation error");
  if (!createSuspended) Start();
}

TThread::~TThread() {
  if (started_ && !finished_ && GetCurrentThreadId() != id_) {
    Terminate();
    WaitFor();
  } else if (!started_) {
    // Never started: let it run to an immediate end so its handle can be closed.
    terminated_ = true;
    skipExecute_ = true;
    ResumeThread(handle_);
    WaitForSingleObject(handle_, INFINITE);
  }
  CloseHandle(handle_);
}

void TThread::Start() {
  if (started_) return;
  started_ = true;
  ResumeThread(handle_);
}

DWORD WINAPI TThread::Entry(void* p) {
  auto* self = static_cast<TThread*>(p);
  if (!self->skipExecute_) {
    try {
      self->Execute();
    } catch (...) {
      self->FatalException = std::current_exception();
    }
  }
  const bool freeIt = self->FreeOnTerminate && !self->skipExecute_;
  self->finished_ = true;
  if (freeIt) delete self;
  return 0;
}

DWORD TThread::WaitFor() {
  if (GetCurrentThreadId() == g_mainThread) {
    HANDLE handles[] = {handle_, SyncEvent()};
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) CheckSynchronize();
  } else {
    WaitForSingleObject(handle_, INFINITE);
  }
  DWORD code = 0;
  GetExitCodeThread(handle_, &code);
  return code;
}

void TThread::Synchronize(const std::function<void()>& fn) {
  if (GetCurrentThreadId() == g_mainThread) {
    fn();
    return;
  }
  SyncItem item{&fn, CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr};
  {
    std::lock_guard<std::mutex> lock(g_syncLock);
    g_syncQueue.push_back(&item);
    SetEvent(SyncEvent());
    g_syncSignalled = true;
  }
  // Wake a message loop that waits for messages.
  if (Application && Application->Handle()) PostMessageW(Application->Handle(), WM_NULL, 0, 0);
  PostThreadMessageW(g_mainThread, WM_NULL, 0, 0);
  WaitForSingleObject(item.Done, INFINITE);
  CloseHandle(item.Done);
  if (item.Error) std::rethrow_exception(item.Error);
}

}  // namespace gui
