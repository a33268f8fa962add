// The hooks of combo boxes: the edit area from the combo's section, the drop-down button
// with its arrow (pressed while the list is open, hot under the mouse), and the drop-down
// list hooked the first time it asks for its colours: a flat skinned background, a one-
// pixel frame in the skin's border colour and skinned scroll bars.
#pragma once
#include <memory>

#include "skin/hooks/acComboGeometry.h"
#include "skin/hooks/acEditWnd.h"

namespace skin {

// True between the drop-down and close-up of any hooked combo box.
extern bool ComboDroppedDown;

// Selects into DC the current font renamed to the manager's main font (from the skin or
// chosen by the program); nothing when the default font stays. The caller deletes the
// font it answers once DC has drawn with it.
HFONT SelectSkinFont(HDC dc, const TsSkinManager* manager);

class TacComboListWnd : public TacEditWnd {
 public:
  // Hooks the drop-down list of a combo box; HasItems paints the frame at once.
  void HookList(HWND list, bool simple, bool hasItems, TsSkinManager* manager);
  bool Simple() const { return simple_; }

 protected:
  void PrepareCache() override;
  void TakeSkinColors(TsCommonData& data) override;

 private:
  bool simple_ = false;
};

class TacComboBoxWnd : public TacEditWnd {
 public:
  static constexpr const char* kDefaultSection = "COMBOBOX";
  ~TacComboBoxWnd() override;
  TBarRect ButtonRect();
  HWND ListWnd() const { return listWnd_; }
  TacComboListWnd* ListHook() const { return listHook_.get(); }
  // 2 while the list is open, 1 under the mouse, else 0.
  int ButtonState();
  // One item of our combo box painted into DC at R in the skin's colours (the selection
  // from the skin's selection section); an owner-drawn combo's handler paints on top.
  void DrawItem(int index, const RECT& r, HDC dc, UINT state);

 protected:
  const char* DefaultSection() const override { return kDefaultSection; }
  void HandleMessage(gui::TMessage& msg) override;
  void RestoreOriginalLook() override;

 private:
  TacComboStyle Style() const;
  void PaintAll(HDC dc);
  void PaintDropButton(HDC dc, gui::TBitmap& image);
  void PaintEditText(gui::TBitmap& image);
  void UpdateDropButton();
  void ReleaseList();
  void ClearEditSelection();
  HWND listWnd_ = nullptr;
  bool inCtlColor_ = false;
  std::unique_ptr<TacComboListWnd> listHook_;
};

}  // namespace skin
