#include "skin/graphics/acAlphaHints.h"

#include "gui/Resources.h"

namespace skin {

namespace {
// A change made while the controller's change event runs does not notify again.
bool g_notifying = false;
TacHintTemplate* g_currentTemplate = nullptr;
TacHintImage* g_currentImage = nullptr;
}  // namespace

// ---------------------------------------------------------------- TacBordersSizes

int32_t TacBordersSizes::Get(int index) const {
  int32_t v = 0;
  switch (index) {
    case 0: v = top_; break;
    case 1: v = left_; break;
    case 2: v = bottom_; break;
    case 3: v = right_; break;
    default: return 0;
  }
  return v < 0 ? 0 : v;
}

void TacBordersSizes::Set(int index, int32_t value) {
  int32_t* field = nullptr;
  switch (index) {
    case 0: field = &top_; break;
    case 1: field = &left_; break;
    case 2: field = &bottom_; break;
    case 3: field = &right_; break;
    default: return;
  }
  if (*field == value) return;
  *field = value;
  if (g_notifying || !owner_) return;
  g_notifying = true;
  try {
    owner_->Changed();
  } catch (...) {
    g_notifying = false;
    throw;
  }
  g_notifying = false;
}

void TacBordersSizes::SetAll(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Set(1, left);
  Set(0, top);
  Set(3, right);
  Set(2, bottom);
}

void TacBordersSizes::AssignTo(rtl::TPersistent* dest) const {
  if (auto* d = dynamic_cast<TacBordersSizes*>(dest); d && d != this) {
    d->SetAll(Left(), Top(), Right(), Bottom());
    return;
  }
  rtl::TPersistent::AssignTo(dest);
}

// ---------------------------------------------------------------- TacBorderDrawModes

TacBorderDrawMode TacBorderDrawModes::Get(int index) const {
  switch (index) {
    case 0: return top_;
    case 1: return left_;
    case 2: return bottom_;
    case 3: return right_;
    default: return center_;
  }
}

void TacBorderDrawModes::Set(int index, TacBorderDrawMode mode) {
  switch (index) {
    case 0: top_ = mode; break;
    case 1: left_ = mode; break;
    case 2: bottom_ = mode; break;
    case 3: right_ = mode; break;
    case 4: center_ = mode; break;
    default: return;
  }
  if (owner_ && owner_->Template() && owner_->Template()->InCollection()) owner_->Changed();
}

void TacBorderDrawModes::AssignTo(rtl::TPersistent* dest) const {
  if (auto* d = dynamic_cast<TacBorderDrawModes*>(dest); d && d != this) {
    for (int i = 0; i <= 4; ++i) d->Set(i, Get(i));
    return;
  }
  rtl::TPersistent::AssignTo(dest);
}

// ---------------------------------------------------------------- TacHintImage

TacHintImage::TacHintImage(TacHintTemplate* owner) : owner_(owner), image_(std::make_unique<TPNGGraphic>()) {}

void TacHintImage::Changed() {
  if (owner_) owner_->Notify();
}

void TacHintImage::SetOffsetHorz(int32_t v) {
  offsetHorz_ = v;
  Changed();
}

void TacHintImage::SetOffsetVert(int32_t v) {
  offsetVert_ = v;
  Changed();
}

void TacHintImage::SetImage(const gui::TGraphic& picture) {
  image_->Assign(&picture);
  // The frame goes to the picture's middle.
  const int32_t w = (image_->Width() - 1) / 2, h = (image_->Height() - 1) / 2;
  BordersWidths.Reset(w, h, w, h);
  ClientMargins.Reset(w, h, w, h);
  Changed();
}

void TacHintImage::LoadImageData() {
  if (imgData_.Size() == 0) return;
  TPNGGraphic png;
  imgData_.Seek(0, rtl::TSeekOrigin::soBeginning);
  png.LoadFromStream(imgData_);
  image_->Assign(&png);
  Changed();
}

void TacHintImage::DefineProperties(rtl::TFiler& filer) {
  rtl::DefineStreamProperty(filer, "ImgData", imgData_);
}

void TacHintImage::AssignTo(rtl::TPersistent* dest) const {
  auto* d = dynamic_cast<TacHintImage*>(dest);
  if (!d || d == this) {  // Assign(nullptr) arrives here as an assignment to itself
    rtl::TPersistent::AssignTo(dest);
    return;
  }
  d->image_->Assign(image_.get());
  d->imgData_.Clear();
  if (!imgData_.Bytes().empty()) {
    const auto& bytes = imgData_.Bytes();
    d->imgData_.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  d->SetOffsetHorz(offsetHorz_);
  d->SetOffsetVert(offsetVert_);
  d->ClientMargins.Assign(&ClientMargins);
  d->BorderDrawModes.Assign(&BorderDrawModes);
  d->BordersWidths.Assign(&BordersWidths);
  d->ShadowSizes.Assign(&ShadowSizes);
}

// ---------------------------------------------------------------- TacHintTemplate

TacHintTemplate::TacHintTemplate(rtl::TCollection* collection) : rtl::TCollectionItem(collection) {
  font_.SetHeight(-12);
}

TacHintTemplate::~TacHintTemplate() {
  // The current template never outlives its owner.
  if (g_currentTemplate == this) g_currentTemplate = nullptr, g_currentImage = nullptr;
}

void TacHintTemplate::SetFont(const gui::TFont& font) {
  font_.Assign(&font);
  Notify();
}

void TacHintTemplate::Notify() {
  if (!Collection()) return;
  if (auto* c = dynamic_cast<TacHintController*>(Collection()->Owner())) c->Changed();
}

// ---------------------------------------------------------------- the controller's part

TacHintTemplates::TacHintTemplates(TacHintController* owner)
    : rtl::TCollection([](rtl::TCollection* c) { return new TacHintTemplate(c); }, owner) {}

// The controller's destructor and the rest of its showing live in acHintWindow.cpp.

void TacHintController::Changed() {
  if ((ComponentState() & rtl::csLoading) || !OnChange) return;
  OnChange(this);
}

TacHintTemplate* CurrentHintTemplate() { return g_currentTemplate; }
TacHintImage* CurrentHintImage() { return g_currentImage; }

void SelectHintImage(TacHintController* controller) {
  if (!controller) return;
  const int i = controller->TemplateIndex;
  g_currentTemplate = i >= 0 && i < controller->Templates.Count() ? controller->Templates.Items(i)
                                                                    : DefaultHintTemplate();
  if (!g_currentTemplate) return;
  TacHintTemplate& t = *g_currentTemplate;
  switch (IsSingleImageTemplate(t) ? 0 : controller->PreferredPosition) {
    case 0: g_currentImage = &t.ImageDefault; break;
    case 1: g_currentImage = &t.Img_LeftBottom; break;
    case 2: g_currentImage = &t.Img_RightTop; break;
    case 3: g_currentImage = &t.Img_RightBottom; break;
    default: break;  // the picture stays as it was
  }
}

void TacHintTemplate::AssignTo(rtl::TPersistent* dest) const {
  auto* d = dynamic_cast<TacHintTemplate*>(dest);
  if (!d || d == this) {
    rtl::TPersistent::AssignTo(dest);
    return;
  }
  d->ImageDefault.Assign(&ImageDefault);
  d->Img_LeftBottom.Assign(&Img_LeftBottom);
  d->Img_RightBottom.Assign(&Img_RightBottom);
  d->Img_RightTop.Assign(&Img_RightTop);
  d->HintAlign = HintAlign;
  d->font_.Assign(&font_);
  d->Name = Name;
}

bool IsSingleImageTemplate(const TacHintTemplate& t) {
  return t.Img_LeftBottom.ImgData().Bytes().empty() &&
         (!g_currentTemplate || g_currentTemplate->Img_LeftBottom.Image().Empty());
}

// ---------------------------------------------------------------- the default template

namespace {
std::unique_ptr<TacHintTemplate> g_default;
}

TacHintTemplate* DefaultHintTemplate() { return g_default.get(); }

void InitDefaultHintTemplate() {
  if (g_default) return;
  auto t = std::make_unique<TacHintTemplate>();
  gui::TResourceStream png(GetModuleHandleW(nullptr), "ACHINT", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  t->ImageDefault.Image().LoadFromStream(png);
  t->ImageDefault.BordersWidths.Reset(11, 10, 14, 15);
  t->ImageDefault.ShadowSizes.Reset(6, 5, 7, 8);
  t->ImageDefault.ClientMargins.Reset(11, 8, 16, 15);
  g_default = std::move(t);
}

void DoneDefaultHintTemplate() { g_default.reset(); }

}  // namespace skin
