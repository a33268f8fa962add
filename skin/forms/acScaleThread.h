// The ticker of a skinned form's animated rescaling: every 6 ms, until it is told to stop,
// terminated or the application ends, it runs one step on the GUI thread.
#pragma once
#include <windows.h>

#include <functional>

#include "gui/Threads.h"

namespace skin {

class TacScaleThread : public gui::TThread {
 public:
  TacScaleThread();
  ~TacScaleThread() override;
  // Setting it ends the ticking.
  HANDLE StopEvent;
  // The step, run synchronized with the GUI thread.
  std::function<void(TacScaleThread*)> OnStep;

 protected:
  void Execute() override;
};

}  // namespace skin
