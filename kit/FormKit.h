// How every window is built in code: its standard set-up, controls, labelled rows, the
// photo block and the action bar; the white/grey state of an input, choosing a list
// entry by its exact text, and the photo reset that closes the window when no default
// photo exists.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace kit {

// The standard set-up of a window: its instance name and caption, a fixed border with
// only the system menu, centred on the screen, the window font, the client size.
struct TFormSetup {
  const char* name;
  const char* caption;
  int width;
  int height;
  gui::TFormBorderStyle border = gui::TFormBorderStyle::bsSingle;
  unsigned icons = gui::biSystemMenu;
  gui::TPosition position = gui::TPosition::poScreenCenter;
  int fontHeight = -12;  // 0 keeps the default font
};
void SetupForm(gui::TForm& form, const TFormSetup& setup);

// Creates a control owned by `owner` on `parent`, named and placed.
template <class T>
T* Make(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w, int h) {
  auto* c = new T(owner);
  c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(x, y, w, h);
  return c;
}

gui::TLabel* MakeLabel(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y,
                       const std::string& caption);
gui::TEdit* MakeEdit(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w,
                     bool upperCase = false, bool readOnly = false);
// A drop-down list of fixed entries.
gui::TComboBox* MakeList(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w,
                         std::initializer_list<const char*> items);
// The same for entries kept in a list (the lists the rules hold).
gui::TComboBox* MakeListOf(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w,
                           const std::vector<const char*>& items);
gui::TDateTimePicker* MakePicker(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y,
                                 int w);
// A flat toolbar button with its hint shown and as caption.
gui::TSpeedButton* MakeSpeedButton(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y,
                                   const std::string& hint);
gui::TButton* MakeButton(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w,
                         const std::string& caption);
gui::TGroupBox* MakeGroup(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w,
                          int h, const std::string& caption);

// Labelled inputs one under the other inside a group: each row a label ("Label1",
// "Label2", ... or the prefix given) at the left and its input at `inputX`.
struct TRows {
  rtl::TComponent* owner;
  gui::TWinControl* group;
  int labelX = 10, inputX = 150, inputW = 250, y = 22;
  int step = 25;   // from one row to the next
  int labels = 0;  // the number of the last label made
  const char* prefix = "Label";
  int labelDy = 3;  // the label's text sits this much below its input's top

  // A label alone; returns the row's top, for inputs the caller places on it.
  int Row(const std::string& caption);
  gui::TEdit* Edit(const char* name, const std::string& caption, bool upper = false, bool readOnly = false, int w = 0);
  gui::TComboBox* List(const char* name, const std::string& caption, std::initializer_list<const char*> items,
                       int w = 0);
  gui::TDateTimePicker* Picker(const char* name, const std::string& caption);
  // A read-only input of width `w` with its lookup button "..." beside it.
  gui::TEdit* EditWithDots(const char* name, const std::string& caption, int w, gui::TSpeedButton*& button,
                           const char* buttonName);
  // A row of radio buttons, each with its field, name, caption and width.
  struct TRadio {
    gui::TRadioButton** field;
    const char* name;
    const char* caption;
    int w = 70;
  };
  void Radios(const std::string& caption, std::initializer_list<TRadio> radios);
};

// The photo block of an entry window: a lowered panel "Photo" with the image, and below
// it, when the window lets the user change the photo, "Upload" (a JPEG file picked in
// the open dialog) and "Reset" (the default photo back; without one the refusal shows
// and the window closes).
struct TPhotoBlockSpec {
  int x, y;
  const char* image = "Image1";
  const char* reset = nullptr;  // the reset's name; no buttons without one ("Upload" is "Button1")
  const char* title = "";       // the window as the reset's refusal names it ("Pendeta")
};
struct TPhotoBlock {
  gui::TPanel* panel = nullptr;
  gui::TImage* image = nullptr;
  gui::TButton* upload = nullptr;
  gui::TButton* reset = nullptr;
  gui::TOpenDialog* dialog = nullptr;

  // Hands the block's parts to the window's fields.
  void Into(gui::TPanel*& p, gui::TImage*& i) const {
    p = panel;
    i = image;
  }
  void Into(gui::TPanel*& p, gui::TImage*& i, gui::TButton*& u, gui::TButton*& r, gui::TOpenDialog*& d) const {
    Into(p, i);
    u = upload;
    r = reset;
    d = dialog;
  }
};
TPhotoBlock MakePhotoBlock(gui::TForm& form, const TPhotoBlockSpec& spec);

// The action bar at the foot of an entry window: a panel aligned to the bottom with a
// row of flat speed buttons, each with its caption, hint and handler.
struct TAction {
  gui::TSpeedButton** button;
  const char* name;
  const char* hint;
  rtl::TNotifyEvent onClick;
  int width = 96;
};
gui::TPanel* MakeActionBar(gui::TForm& form, const char* name, int height, std::initializer_list<TAction> actions,
                           int y = 12);

// An input the user may type in (white) or not (read-only, grey).
void SetEditable(gui::TEdit& edit, bool editable);
// An input that is switched off altogether (disabled and grey) or on (enabled, white).
void SetInputEnabled(gui::TWinControl& control, bool enabled);

// Selects the entry whose text equals `text` exactly (case included); any other value
// leaves the list at the entry it showed.
void SelectExact(gui::TComboBox& list, const std::string& text);
// The chosen entry's text ("" when none).
std::string Chosen(gui::TComboBox& list);

// The "Reset" beside a photo: the default photo of `column` back. Without a default
// photo the error box `message` shows and the window closes; false then.
bool ResetPhotoOrClose(gui::TCustomForm& form, gui::TImage& image, const std::string& message,
                       const std::string& column = "foto");

// The busy cursor and a text in a status panel while a save runs; however the save
// ends (done, refused or failed), the cursor goes back and the panel is emptied.
class TBusyStatus {
 public:
  TBusyStatus(gui::TStatusPanel& panel, const std::string& text);
  ~TBusyStatus();
  TBusyStatus(const TBusyStatus&) = delete;
  TBusyStatus& operator=(const TBusyStatus&) = delete;

 private:
  gui::TBusyCursor cursor_;
  gui::TStatusPanel& panel_;
};

// Opens a lookup dialog by its instance name ("FCariNIJ"): writes the hint into its
// search edit `Edit1` (which runs its first search) and shows it modally. A lookup that
// does not exist in this build opens nothing.
void OpenLookup(const std::string& instance, const std::string& hint);

}  // namespace kit
