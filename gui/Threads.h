// Threads of the class library's kind: created suspended or running, asked to end with
// Terminate, waited for with WaitFor, and reaching the GUI only through Synchronize,
// whose work the GUI thread runs from its message loop (and from every wait that
// handles messages).
#pragma once
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>

namespace gui {

class TThread {
 public:
  explicit TThread(bool createSuspended);
  // A thread still running is asked to end and waited for.
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void Start();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  bool Finished() const { return finished_; }
  // Waits for the end of Execute; on the GUI thread, synchronized work keeps running.
  // Answers the thread's exit code.
  DWORD WaitFor();
  HANDLE Handle() const { return handle_; }
  DWORD ThreadID() const { return id_; }
  void SetPriority(int priority) { SetThreadPriority(handle_, priority); }
  // Frees the object when Execute has ended (the object must then be made with new).
  bool FreeOnTerminate = false;
  // An exception that left Execute; the thread ended with it.
  std::exception_ptr FatalException;

 protected:
  virtual void Execute() = 0;
  // Runs fn on the GUI thread and waits for it; an exception fn raises comes back here.
  void Synchronize(const std::function<void()>& fn);

 private:
  static DWORD WINAPI Entry(void* self);
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
  bool started_ = false;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  bool skipExecute_ = false;
};

// Runs the synchronized work that threads have queued; the GUI thread's loops call it.
// Answers whether there was any.
bool CheckSynchronize();
// Signalled while synchronized work waits: lets a wait on other handles wake for it.
HANDLE SyncEvent();
// The thread that runs synchronized work (the one that created the application).
void SetMainThread(DWORD id);
DWORD MainThreadID();

}  // namespace gui
