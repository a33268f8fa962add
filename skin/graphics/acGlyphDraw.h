// Pictures of skinned controls drawn from image lists or glyph strips: the size of a
// list's image at a pixel density, one state picture of a list image drawn into a 32-bit
// bitmap or onto a device context with the engine's effects (blend, disabled and
// discoloured looks, reflection, the colour of the surrounding text), and a control's
// glyph as one call. Also the form class names that are never skinned as top-level forms.
#pragma once
#include <windows.h>

#include <string_view>

#include "gui/Graphics.h"
#include "gui/ImgList.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

class TacSkinData;

// Measuring; Index -1 (or any index outside) means the list's base size; nil lists 0.
int GetImageListCount(gui::TCustomImageList* list);
int GetImageListWidth(gui::TCustomImageList* list, int index, int ppi);
int GetImageListHeight(gui::TCustomImageList* list, int index, int ppi);
// The density an engine list renders its next picture for (callers put 96 back).
void SetImageListPPI(gui::TCustomImageList* list, int ppi);
// 0 for a control's normal state, otherwise active (character lists only).
void SetImageListState(gui::TCustomImageList* list, int state);
// The colour a character list paints its next glyph in: Color, or the item's own colour
// unless IgnoreItemColor.
void SetCharListColor(gui::TCustomImageList* list, gui::TColor color, int index, bool ignoreItemColor);

// State picture State (the last one beyond NumGlyphs) of image Index into a 32-bit Bmp at
// (X, Y); Size receives the picture's size. Blend is the transparency in percent.
void DrawListImage(gui::TCustomImageList* list, gui::TBitmap& bmp, int x, int y, int index, int blend,
                   TColor monoColor, int state, int numGlyphs, bool reflected, int ppi, TPoint& size);
// The same onto a device context through a work bitmap.
void DrawListImageOnDC(gui::TCustomImageList* list, HDC dc, int x, int y, int index, int blend, TColor monoColor,
                       int state, int numGlyphs, bool reflected, int ppi);

enum TacGlyphOption : uint8_t { goBlendDisabled = 1, goGrayDisabled = 2 };

// One glyph to draw: from Images when set and ImageIndex is valid, else from Glyph, a strip
// of NumGlyphs state pictures; into DstBitmap when set, else onto DstCanvas.
struct TacGlyphDrawParams {
  int Blend = 0;  // transparency percent, applied in state 0
  int SkinIndex = -1;
  int NumGlyphs = 1;
  int ImageIndex = -1;
  int CurrentState = 0;  // 0 normal, 1 hot, 2 pressed...
  bool Down = false;
  bool Discoloured = false;
  bool Enabled = true;
  bool Reflected = false;
  gui::TBitmap* Glyph = nullptr;
  gui::TBitmap* DstBitmap = nullptr;
  TRect Rect;
  gui::TCanvas* DstCanvas = nullptr;
  gui::TColor DiscolourColor = 0;
  gui::TCustomImageList* Images = nullptr;
  int PPI = 96;
  const TacSkinData* SkinData = nullptr;
  uint8_t Options = 0;
};
void DrawGlyph(const TacGlyphDrawParams& params);

// The form class names never skinned as top-level forms, compared exactly (with case).
bool IsExcludedFormClass(std::string_view className);
// Step 9 of the start-up road and its end.
void InitNeverSkinnedForms();
void DoneNeverSkinnedForms();

}  // namespace skin
