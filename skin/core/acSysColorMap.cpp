#include "skin/core/acSysColorMap.h"

#include "skin/graphics/acBitmap32.h"

namespace skin {

namespace {
// The system colour indices (winuser.h), spelled out to stay free of Win32.
constexpr int kWindow = 5, kWindowFrame = 6, kWindowText = 8, kInactiveBorder = 11, kHighlight = 13,
              kHighlightText = 14, kBtnFace = 15, kBtnShadow = 16, k3DDkShadow = 21, k3DLight = 22;
constexpr uint32_t kBlack = 0, kWhite = 0xFFFFFF;
}  // namespace

std::optional<uint32_t> SkinSysColor(int index, const TacPalette& p, uint32_t inactiveBorder) {
  switch (index) {
    case kWindow: return p[5];
    case kWindowFrame: return p[55];
    case kWindowText: return p[4];
    case kInactiveBorder: return inactiveBorder;
    case kHighlight: return p[8];
    case kHighlightText: return p[9];
    case kBtnShadow:
    case k3DDkShadow: return MixColors(p[0], kBlack, 205);
    case k3DLight: return MixColors(p[0], kWhite, 205);
    default: return std::nullopt;
  }
}

std::optional<uint32_t> SkinSysBrushColor(int index, const TacPalette& p) {
  switch (index) {
    case kWindow: return p[5];
    case kWindowText: return p[4];
    case kHighlight: return p[8];
    case kHighlightText: return p[9];
    default: return std::nullopt;
  }
}

uint32_t SkinPenColor(uint32_t color, const TacPalette& p, uint32_t inactiveBorder) {
  switch (color) {
    case kWindow: return p[5];
    case kWindowFrame: return p[55];
    case kInactiveBorder: return inactiveBorder;
    case kHighlight: return p[8];
    case kHighlightText: return p[9];
    case kBtnFace: return p[0];
    case kBtnShadow:
    case k3DDkShadow: return MixColors(p[0], kBlack, 205);
    case k3DLight: return MixColors(p[0], kWhite, 205);
    case 0xC0C0C0:
    case 0xF0F0F0: return MixColors(p[4], p[5], 38);
    default: return color;
  }
}

}  // namespace skin
