// The adapter of a frame: put on a frame, it tells the frame's form that the frame's child
// controls are to be skinned, and with which class-name lists (its own when it names any,
// else the skin manager's). The form's child-control adapter then scans the frame even when
// the form itself does not let its own controls be skinned. It also takes over the frame's
// window procedure: the background comes from its section (see-through by default, so the
// frame shows its parent's skinned background), its bars from a scroll hook, and the
// frame's popup menus are drawn by the skin.
#pragma once
#include <windows.h>

#include <memory>

#include "gui/Forms.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"

namespace skin {
class TacScrollWnd;
}

namespace skin {

class TsFrameAdapter : public rtl::TComponent {
  KORVAN_CLASS(TsFrameAdapter)
 public:
  // Raises the library's message unless the owner is a frame.
  explicit TsFrameAdapter(rtl::TComponent* owner);
  ~TsFrameAdapter() override;

  bool AllowSkin3rdParty = true;
  TsThirdPartyList ThirdParty;

  gui::TFrame* Frame() const { return frame_; }
  const TacThirdPartyLists& ThirdLists() const { return thirdLists_; }
  // Any of the adapter's own lists names a class.
  bool HasThirdPartyLists() const { return hasLists_; }

  // Reads the lists and joins the frame's form (whose provider then scans the frame again);
  // called when the frame has been put on its form.
  void Loaded() override;

  TsScrollWndData* SkinData() const { return skinData_.get(); }
  TacScrollWnd* ScrollHook() const { return scrollHook_.get(); }
  // The frame's window procedure is ours (not when the frame was skinned already).
  bool OwnsWindowProc() const { return static_cast<bool>(oldWndProc_); }

  void FrameWndProc(gui::TMessage& m);
  // The section over the parent's background into the cache; False while the parent is
  // not ready (the state then waits as updating).
  bool PrepareCache();
  void PaintTo(HDC dc);
  void PaintFrame(HDC dc);

 private:
  void AttachAdapterToForm(bool attach);
  void CallOld(gui::TMessage& m);
  bool Skinned();
  void HookPopups();
  void Moved(bool changed, bool sized);
  void JoinForm();
  bool SkinCommand(gui::TMessage& m);

  gui::TFrame* frame_ = nullptr;
  TacThirdPartyLists thirdLists_;
  bool hasLists_ = false;
  HWND attachedTo_ = nullptr;
  std::unique_ptr<TsScrollWndData> skinData_;
  std::unique_ptr<TacScrollWnd> scrollHook_;
  gui::TWndMethod oldWndProc_;
  bool inPosChanged_ = false;
};

}  // namespace skin
