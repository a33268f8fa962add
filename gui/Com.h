// COM on the program's threads. The COM library loads at its first call, not at the
// program's start (nothing on the way to the login window needs it), so each user of COM
// joins its thread to an apartment first: picture coding, file dialogs, the shell's
// folders and its opening of files.
#pragma once

namespace gui {

// Joins the calling thread to a single-threaded apartment once; the GUI thread's
// apartment stays for the program's life. A thread that already joined another kind of
// apartment (RPC_E_CHANGED_MODE) keeps it and can use COM all the same.
void UseCom();

}  // namespace gui
