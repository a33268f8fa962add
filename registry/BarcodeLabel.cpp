#include "registry/BarcodeLabel.h"

#include <windows.h>

#include <algorithm>

#include "registry/rules/Code39.h"
#include "rtl/Utf.h"

namespace registry {

namespace {

int CALLBACK FoundFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool FontInstalled(const std::string& name) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  std::wstring w = rtl::W(name);
  if (w.size() >= LF_FACESIZE) return false;
  std::copy(w.begin(), w.end(), lf.lfFaceName);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

TBarcodeLabel::TBarcodeLabel(rtl::TComponent* owner) : TLabel(owner) { SetAutoSize(false); }

bool TBarcodeLabel::DrawsBars() const { return !FontInstalled(const_cast<TBarcodeLabel*>(this)->Font().Name()); }

std::string TBarcodeLabel::Modules() const {
  try {
    return rules::Code39Modules(Text(), 3);
  } catch (const rules::ECode39Error&) {
    return {};
  }
}

int TBarcodeLabel::ModuleWidth() const {
  const std::string m = Modules();
  if (m.empty()) return 0;
  return std::max(1, Width() / static_cast<int>(m.size()));
}

int TBarcodeLabel::BarsLeft() const {
  const int used = ModuleWidth() * static_cast<int>(Modules().size());
  return std::max(0, (Width() - used) / 2);
}

void TBarcodeLabel::Paint() {
  const std::string m = Modules();
  if (!DrawsBars() || m.empty()) {
    TLabel::Paint();
    return;
  }
  HDC dc = Canvas().Handle();
  RECT all{0, 0, Width(), Height()};
  if (!Transparent) {
    HBRUSH back = CreateSolidBrush(gui::ColorToColorRef(Color()));
    FillRect(dc, &all, back);
    DeleteObject(back);
  }
  HBRUSH bar = CreateSolidBrush(gui::ColorToColorRef(Font().Color()));
  const int w = ModuleWidth();
  int x = BarsLeft();
  for (size_t i = 0; i < m.size(); ++i, x += w) {
    if (m[i] != '1') continue;
    RECT r{x, 0, x + w, Height()};
    FillRect(dc, &r, bar);
  }
  DeleteObject(bar);
}

}  // namespace registry
