// Glow halos: a skin image element drawn in nine parts around a control or a title button,
// shown in a borderless layered window just above the target that lets every mouse message
// through. All halos of the process live in one list and are addressed by their index; a
// hidden one leaves an empty entry so that the indexes of the others stay valid.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/Forms.h"
#include "skin/core/acBaseForms.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TsSkinManager;

class TacGlowEffect {
 public:
  ~TacGlowEffect();
  std::unique_ptr<gui::TBitmap> FGlowBmp;
  int32_t FGlowMargin = 0;
  int32_t FMaskIndex = -1;
  std::unique_ptr<TacGlowForm> FGlowForm;
  gui::TWndMethod FSavedWndProc;
  TsSkinManager* FOwnerManager = nullptr;
  TsCommonData* FOwnerData = nullptr;

  void CreateGlowWindow(const gui::TRect& r, uint8_t alpha, HWND wnd);
  void CreateGlowBitmap(int32_t w, int32_t h);
  void GlowWndProc(gui::TMessage& m);
  // The window goes: its procedure given back, then freed.
  void ReleaseWindow();
};

// The process's halos; the engine's controls reach them through the glow interface.
class TacGlowEffectList : public TacGlowEffects {
 public:
  int ShowGlowEffect(const gui::TRect& rect, const std::string& section, const std::string& image, TsCommonData* data,
                     HWND wnd, uint8_t alpha, int margin) override;
  void HideGlowEffect(int& glowID, bool animate) override;
  void SetGlowEffectAlpha(int glowID, uint8_t alpha) override;
  // The element given by index (the first entry), for the title buttons' halos.
  int ShowGlowEffectByMask(const gui::TRect& rect, const std::vector<int32_t>& maskIndexes, int margin, uint8_t alpha,
                           HWND wnd, TsCommonData* data);
  void ClearGlowEffects(bool destroyWindows);
  TacGlowEffect* Effect(int id) const;
  std::vector<std::unique_ptr<TacGlowEffect>> Effects;

 private:
  int Add(std::unique_ptr<TacGlowEffect> e, const gui::TRect& rect, int margin, int32_t mask, uint8_t alpha, HWND wnd);
};

// The list, made the engine's glow interface on first use.
TacGlowEffectList& GlowEffectList();
int ShowGlowEffectByMask(const gui::TRect& rect, const std::vector<int32_t>& maskIndexes, int margin, uint8_t alpha,
                         HWND wnd, TsCommonData* data);
void SetGlowEffectAlpha(int glowID, uint8_t alpha);
void ClearGlowEffects(bool destroyWindows);
// True while a glow window is being destroyed.
extern bool GlowWindowsClosing;

}  // namespace skin
