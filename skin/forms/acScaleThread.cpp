#include "skin/forms/acScaleThread.h"

#include "gui/Forms.h"

namespace skin {

TacScaleThread::TacScaleThread() : gui::TThread(true), StopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TacScaleThread::~TacScaleThread() {
  Terminate();
  if (StopEvent) SetEvent(StopEvent);
  if (!Finished()) WaitFor();
  if (StopEvent) CloseHandle(StopEvent);
}

void TacScaleThread::Execute() {
  while (!Terminated() && !(gui::Application && gui::Application->Terminated())) {
    // Only a wait that ran out is a tick; the event set (or a failed wait) ends it.
    if (WaitForSingleObject(StopEvent, 6) != WAIT_TIMEOUT) break;
    if (Terminated()) break;
    Synchronize([this] {
      if (OnStep && !Terminated()) OnStep(this);
    });
  }
}

}  // namespace skin
