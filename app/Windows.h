// Creates every window, the data module and every report layout of the program once,
// in the fixed start-up order: the login window first (it becomes the main window),
// then the main window, the minister window and the data module fourth.
#pragma once

namespace app {

// The login window, first of the start-up order.
void CreateLoginWindow();
// Every window after it, in the start-up order.
void CreateOtherWindows();

// The program's start: the application and screen objects, the skin engine's start-up
// road (which registers the PNG picture format that window layouts need), then every
// window, the login window on screen as soon as it is made. Run by the program block and
// by the benchmark that hosts the program.
void StartProgram();

}  // namespace app
