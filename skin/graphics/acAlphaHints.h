// Hint templates: a small PNG picture stretched in nine parts around a hint's text, with
// a transparent shadow border, the text's margins and optional pictures for the four
// corners at which a bubble can point. One default template exists for the whole
// program, built at start-up from the program's resource "ACHINT".
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "gui/Timer.h"
#include "skin/graphics/acHintLayout.h"
#include "skin/graphics/acPNG.h"

namespace skin {

enum class TacBorderDrawMode : uint8_t { dmRepeat, dmStretch };
enum class TacHintAlign : uint8_t { haHorzCenter, haVertCenter };

class TacHintImage;
class TacHintTemplate;
class TacHintController;
class TacPngHintWindow;
class TacThreadedTimer;

// Four distances in pixels; a stored negative value reads as 0.
class TacBordersSizes : public rtl::TPersistent {
  KORVAN_CLASS(TacBordersSizes)
 public:
  explicit TacBordersSizes(TacHintImage* owner) : owner_(owner) {}
  // Indexes: 0 Top, 1 Left, 2 Bottom, 3 Right; any other index reads 0.
  int32_t Get(int index) const;
  void Set(int index, int32_t value);
  int32_t Top() const { return Get(0); }
  int32_t Left() const { return Get(1); }
  int32_t Bottom() const { return Get(2); }
  int32_t Right() const { return Get(3); }
  // Left, Top, Right, Bottom through the indexed setter, in this order.
  void SetAll(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // Written directly, without notification.
  void Reset(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    left_ = left, top_ = top, right_ = right, bottom_ = bottom;
  }

 protected:
  void AssignTo(rtl::TPersistent* dest) const override;

 private:
  int32_t top_ = 0, left_ = 0, right_ = 0, bottom_ = 0;
  TacHintImage* owner_;
};

class TacBorderDrawModes : public rtl::TPersistent {
  KORVAN_CLASS(TacBorderDrawModes)
 public:
  explicit TacBorderDrawModes(TacHintImage* owner) : owner_(owner) {}
  // Indexes: 0 Top, 1 Left, 2 Bottom, 3 Right, 4 Center.
  TacBorderDrawMode Get(int index) const;
  void Set(int index, TacBorderDrawMode mode);

 protected:
  void AssignTo(rtl::TPersistent* dest) const override;

 private:
  TacBorderDrawMode top_ = TacBorderDrawMode::dmStretch, left_ = TacBorderDrawMode::dmStretch,
                    right_ = TacBorderDrawMode::dmStretch, center_ = TacBorderDrawMode::dmStretch,
                    bottom_ = TacBorderDrawMode::dmStretch;
  TacHintImage* owner_;
};

// One picture of a template.
class TacHintImage : public rtl::TPersistent {
  KORVAN_CLASS(TacHintImage)
 public:
  explicit TacHintImage(TacHintTemplate* owner);

  int32_t OffsetHorz() const { return offsetHorz_; }
  int32_t OffsetVert() const { return offsetVert_; }
  void SetOffsetHorz(int32_t v);
  void SetOffsetVert(int32_t v);
  TacBordersSizes ShadowSizes{this};
  TacBordersSizes ClientMargins{this};
  TacBordersSizes BordersWidths{this};
  TacBorderDrawModes BorderDrawModes{this};

  TPNGGraphic& Image() { return *image_; }
  const TPNGGraphic& Image() const { return *image_; }
  // Takes the picture, puts the frame in its middle and notifies.
  void SetImage(const gui::TGraphic& picture);
  // The PNG file bytes the picture is stored as ("ImgData"); empty when the picture
  // itself is stored.
  rtl::TMemoryStream& ImgData() { return imgData_; }
  const rtl::TMemoryStream& ImgData() const { return imgData_; }
  // Decodes ImgData into the picture (the frame sizes stay) and notifies.
  void LoadImageData();
  // The picture is streamed as itself only while it has no ImgData bytes.
  bool StoresImage() const { return imgData_.Bytes().empty(); }
  // "ImgData", written even when empty.
  void DefineProperties(rtl::TFiler& filer) override;
  int32_t ImageWidth() const { return image_->Empty() ? 0 : image_->Width(); }
  int32_t ImageHeight() const { return image_->Empty() ? 0 : image_->Height(); }

  TacHintTemplate* Template() const { return owner_; }
  void Changed();

 protected:
  void AssignTo(rtl::TPersistent* dest) const override;

 private:
  int32_t offsetHorz_ = 0, offsetVert_ = 0;
  TacHintTemplate* owner_;
  std::unique_ptr<TPNGGraphic> image_;
  rtl::TMemoryStream imgData_;
};

// A named set of pictures: ImageDefault points from its left-top corner; the others from
// the corner their names give.
class TacHintTemplate : public rtl::TCollectionItem {
  KORVAN_CLASS(TacHintTemplate)
 public:
  // A template in a controller's collection reports its changes to the controller.
  explicit TacHintTemplate(rtl::TCollection* collection = nullptr);
  ~TacHintTemplate() override;

  TacHintImage ImageDefault{this};
  TacHintImage Img_RightTop{this};
  TacHintImage Img_LeftBottom{this};
  TacHintImage Img_RightBottom{this};
  gui::TFont& Font() { return font_; }
  void SetFont(const gui::TFont& font);
  std::string Name;
  TacHintAlign HintAlign = TacHintAlign::haHorzCenter;
  bool InCollection() const { return Collection() != nullptr; }
  // Tells the controller the template belongs to, if any.
  void Notify();

 protected:
  void AssignTo(rtl::TPersistent* dest) const override;

 private:
  gui::TFont font_;
};

class TacHintTemplates : public rtl::TCollection {
  KORVAN_CLASS(TacHintTemplates)
 public:
  explicit TacHintTemplates(TacHintController* owner);
  TacHintTemplate* Add() { return static_cast<TacHintTemplate*>(rtl::TCollection::Add()); }
  TacHintTemplate* Items(int index) const { return static_cast<TacHintTemplate*>(rtl::TCollection::Items(index)); }
};

// What the hint controller holds for choosing a template: its templates, the chosen
// one, the position it prefers (0 right and below the point, 1 right and above, 2 left
// and below, 3 left and above) and the event its templates' changes fire.
// What the controller's events learn of a hint about to be shown.
struct TacHintInfo {
  gui::TControl* HintControl = nullptr;
  gui::TPoint HintPos;    // where the bubble points; a handler may move it
  gui::TPoint CursorPos;  // the mouse, in screen coordinates
};
// May change the text or the point, refuse the hint, or give a control to show in the bubble
// (which the bubble then owns).
using TacShowHintEvent =
    std::function<void(std::string& text, bool& canShow, gui::TWinControl*& contentControl, TacHintInfo& info)>;
// May draw the content into the bubble's picture itself (DoDefault False), in R.
using TacPaintContentEvent = std::function<void(const std::string& text, gui::TControl*& hintControl,
                                                bool& doDefault, gui::TBitmap& bitmap, const gui::TRect& r)>;
using TacGetHintSizeEvent =
    std::function<void(const std::string& text, const TacHintInfo& info, int& width, int& height)>;

class TacHintController : public rtl::TComponent {
  KORVAN_CLASS(TacHintController)
 public:
  explicit TacHintController(rtl::TComponent* owner);
  ~TacHintController() override;
  TacHintTemplates Templates{this};
  int TemplateIndex = 0;
  uint8_t PreferredPosition = 0;
  rtl::TNotifyEvent OnChange;
  // Fires OnChange, except while the controller is being loaded.
  void Changed();

  // Showing bubbles (acHintWindow.cpp): the controller shows a text at a screen point in
  // a bubble drawn from its template, fades it in when Animated and hides it after
  // HideTimeout milliseconds, or, without one, once the mouse leaves the control it was
  // shown for.
  // While active, the application makes its hint windows as this controller's bubbles
  // (its HintWindowClass); the controller made last is the one they find. A new controller
  // is inactive.
  bool Active() const { return active_; }
  void SetActive(bool v);
  bool Animated = false;
  bool HTMLMode = false;        // the hint text is mini-HTML
  bool PlaceAtControl = false;  // the bubble points at PositionControl's edge
  gui::TControl* PositionControl = nullptr;  // the control a positioned hint belongs to
  gui::TPoint ContentPos;       // where a positioned hint goes when not placed at its control
  int MaxWidth = 0;          // at 96 pixels per inch; below 1: the screen's width
  gui::TPoint AnchorPoint{-1, 0};  // X -1: the mouse position
  gui::TPoint HintPos;       // the point of the bubble being shown
  gui::TRect HintRect;       // the bubble's rectangle
  rtl::TNotifyEvent OnHideHint;
  // May change the text or the point, or refuse the hint.
  TacShowHintEvent OnShowHint;
  // May change the size the text gets inside the bubble.
  TacGetHintSizeEvent OnGetSize;
  uint8_t Alignment = 0;  // of the text: 0 left, 1 right, 2 centre
  // Bubbles drawn from this section of the default manager's skin instead of a template,
  // while that skin has it.
  bool UseSkin = false;
  std::string SkinSection = "HINT";
  bool SectionHasOuterEffects = false;  // the section's outer mode is above 2
  // Fixed content: with a ContentWidth the bubble's content is exactly ContentWidth x
  // ContentHeight and holds ContentText beside ContentPicture (PicturePosition: 0 left of
  // the text, 1 above, 2 right, 3 below), at ContentPos when given a PositionControl.
  int ContentWidth = 0, ContentHeight = 0;
  std::string ContentText;
  gui::TGraphic* ContentPicture = nullptr;
  uint8_t PicturePosition = 0;
  TacPaintContentEvent OnPaintContent;
  // The control OnShowHint gave for the bubble being shown; freed with it.
  gui::TWinControl* ContentControl() const { return contentControl_; }
  void ShowHintAt(gui::TPoint p, const std::string& text, int hideTimeout);
  void HideHint();
  TacPngHintWindow* HintWindow() const { return hintWindow_; }
  gui::TForm* BackWindow() const { return backWindow_; }
  gui::TWinControl* LastControl() const { return lastControl_; }

 private:
  friend class TacPngHintWindow;
  void StartHideTimer(int timeout);
  void FadeStep();
  void FreeContentControl();
  TacPngHintWindow* hintWindow_ = nullptr;
  gui::TForm* backWindow_ = nullptr;
  gui::TWinControl* lastControl_ = nullptr;
  gui::TWinControl* contentControl_ = nullptr;
  // The engine's timers, ticking on the GUI thread.
  TacThreadedTimer* hideTimer_ = nullptr;
  TacThreadedTimer* fadeTimer_ = nullptr;  // the show timer: the fade and slide of a new bubble
  TacHintFade fade_;
  void StartPauseTimer();
  TacThreadedTimer* pauseTimer_ = nullptr;
  int savedHintPause_ = 0;  // the application's HintPause while bubbles fade; 0: none kept
  bool showing_ = false;
  bool active_ = false;
  TacPngHintWindow* fadeSource_ = nullptr;  // the window whose picture is fading in
  gui::TForm* fadeWindow_ = nullptr;         // shows the new picture while the old one slides away
  std::unique_ptr<gui::TBitmap> previousImage_;  // the last bubble's picture, during a slide
};

// The controller hint windows made by the application serve; nullptr without one.
TacHintController* HintController();

// The template and picture the next bubble is drawn from: the controller's template at
// its TemplateIndex (the default template for an index outside the collection) and its
// picture for the preferred position.
void SelectHintImage(TacHintController* controller);
TacHintTemplate* CurrentHintTemplate();
TacHintImage* CurrentHintImage();

// A template that carries no Img_LeftBottom picture uses ImageDefault for every position:
// no ImgData bytes, and no decoded picture in the current template.
bool IsSingleImageTemplate(const TacHintTemplate& t);

// The default template, made by step 12 of the start-up road; nullptr outside it.
TacHintTemplate* DefaultHintTemplate();
void InitDefaultHintTemplate();
void DoneDefaultHintTemplate();

}  // namespace skin
