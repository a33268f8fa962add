// Creates every window, the data module and every report layout of the program once,
// in the fixed start-up order: the login window first (it becomes the main window),
// then the main window, the minister window and the data module fourth.
#pragma once

namespace app {

void CreateWindows();

}  // namespace app
