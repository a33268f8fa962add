// Common controls: page control with tab sheets, status bar, progress bar, date and
// time picker. Each keeps its state in the object, so it works before its window exists.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "gui/Controls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"

namespace gui {

class TPageControl;

// One page: a container shown while its tab is the active one.
class TTabSheet : public TWinControl {
  KORVAN_CLASS(TTabSheet)
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  TPageControl* PageControl() const;
  // Puts the sheet on a page control (as its parent) or takes it off.
  void SetPageControl(TPageControl* pc);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  int PageIndex() const;
  // Position among the visible tabs, -1 when its tab is hidden.
  int TabIndex() const;
  // A margin in the page's colour inside its edges: the client area, and so every control
  // on the page, starts that far in.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  void WndProc(TMessage& msg) override;

 protected:
  void DoTextChanged() override;

 private:
  friend class TPageControl;
  bool tabVisible_ = true;
  int borderWidth_ = 0;
};

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;
class TPageControl;
// Draws one tab of an owner-drawn page control; Rect in the control's client coordinates.
using TDrawTabEvent = std::function<void(TPageControl* control, int tabIndex, const TRect& rect, bool active)>;

class TPageControl : public TWinControl {
  KORVAN_CLASS(TPageControl)
 public:
  explicit TPageControl(TComponent* owner);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int i) const { return pages_.at(static_cast<size_t>(i)); }
  TTabSheet* ActivePage() const { return active_; }
  // From code: no OnChanging or OnChange, as in the class library.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int i);
  // The page area inside the tabs, in the control's client coordinates.
  TRect DisplayRect();

  // The user picked another tab.
  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;
  // Tabs drawn by OnDrawTab on Canvas (bound to the tab's device context meanwhile).
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool v);
  TDrawTabEvent OnDrawTab;
  TCanvas& Canvas() { return canvas_; }
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void BoundsChanged() override { LayoutPages(); }

 private:
  friend class TTabSheet;
  bool ownerDraw_ = false;
  TCanvas canvas_;
  void UpdateTabs();
  void LayoutPages();
  void ShowActive();
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

// ---------------------------------------------------------------- status bar

class TStatusBar;

// An owner-drawn panel is painted by the bar's OnDrawPanel where the bar is skinned.
enum class TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel {
 public:
  explicit TStatusPanel(TStatusBar* bar) : bar_(bar) {}
  const std::string& Text() const { return text_; }
  // Shows at once in the window.
  void SetText(const std::string& s);
  int Width() const { return width_; }
  void SetWidth(int w);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle s) { style_ = s; }
  int Index() const;

 private:
  TStatusBar* bar_;
  TStatusPanelStyle style_ = TStatusPanelStyle::psText;
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TStatusPanels {
 public:
  explicit TStatusPanels(TStatusBar* bar) : bar_(bar) {}
  TStatusPanel* Add();
  int Count() const { return static_cast<int>(items_.size()); }
  TStatusPanel* Items(int i) const { return items_.at(static_cast<size_t>(i)).get(); }
  TStatusPanel* operator[](int i) const { return Items(i); }
  void Clear();

 private:
  friend class TStatusPanel;
  TStatusBar* bar_;
  std::vector<std::unique_ptr<TStatusPanel>> items_;
};

class TStatusBar : public TWinControl {
  KORVAN_CLASS(TStatusBar)
 public:
  explicit TStatusBar(TComponent* owner);
  TStatusPanels& Panels() { return panels_; }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool v);
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& s);
  // The text the window shows in part i (for checks and for the skin).
  std::string WindowPartText(int i);
  // The canvas an OnDrawPanel handler draws on (bound by whoever paints the bar).
  TCanvas& Canvas() { return canvas_; }
  std::function<void(TStatusBar* bar, TStatusPanel* panel, const TRect& rect)> OnDrawPanel;
  // The grip in the bottom-right corner that sizes the form.
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool v);
  // A blank border inside the bar's edge: the client area shrinks by it on every side.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  friend class TStatusPanel;
  bool sizeGrip_ = false;
  int borderWidth_ = 0;
  friend class TStatusPanels;
  void UpdateParts();
  void UpdatePanel(int i);
  TStatusPanels panels_{this};
  bool simplePanel_ = false;
  std::string simpleText_;
  TCanvas canvas_;
};

// ---------------------------------------------------------------- tool bar

class TToolBar;
class TPopupMenu;
class TCustomImageList;

// The sides of a bar that carry edge lines, and the look of each of its two lines.
using TEdgeBorders = unsigned;
inline constexpr TEdgeBorders ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8;
enum class TEdgeStyle { esNone, esRaised, esLowered };

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// The stage of a custom-draw notification, a button's state in it, and what the handler
// asks the bar to leave out of its own drawing.
enum class TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
using TCustomDrawState = unsigned;
inline constexpr TCustomDrawState cdsSelected = 1, cdsGrayed = 2, cdsDisabled = 4, cdsChecked = 8, cdsFocused = 16,
                                  cdsDefault = 32, cdsHot = 64, cdsMarked = 128, cdsIndeterminate = 256;
using TTBCustomDrawFlags = unsigned;
inline constexpr TTBCustomDrawFlags tbNoEdges = 1, tbHiliteHotTrack = 2, tbNoOffset = 4, tbNoMark = 8,
                                    tbNoEtchedEffect = 16;

// Sent to the bar once the drop-down menu of one of its buttons has closed.
inline constexpr UINT CN_DROPDOWNCLOSED = WM_USER + 0x1000;

// One button of a tool bar; it lives in the bar's window as a native button.
class TToolButton {
 public:
  TToolButton(TToolBar* bar, TToolButtonStyle style, int id) : bar_(bar), style_(style), id_(id) {}
  TToolBar* ToolBar() const { return bar_; }
  int Index() const;
  TToolButtonStyle Style() const { return style_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& s);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // Pressed in (a check button: checked).
  bool Down() const { return down_; }
  void SetDown(bool v);
  bool Marked() const { return marked_; }
  void SetMarked(bool v);
  bool Indeterminate() const { return indeterminate_; }
  void SetIndeterminate(bool v);
  // The menu a drop-down button opens below itself.
  TPopupMenu* DropdownMenu = nullptr;
  TNotifyEvent OnClick;
  void Click();
  // Where the button lies in the bar's client area (empty before the bar has a window).
  TRect BoundsRect() const;
  int Left() const { return BoundsRect().Left; }
  int Top() const { return BoundsRect().Top; }
  int Width() const { return BoundsRect().Width(); }
  int Height() const { return BoundsRect().Height(); }
  int CommandId() const { return id_; }

 private:
  friend class TToolBar;
  TToolBar* bar_;
  TToolButtonStyle style_;
  int id_;
  std::string caption_;
  int imageIndex_ = -1;
  bool enabled_ = true, down_ = false, marked_ = false, indeterminate_ = false;
};

using TTBAdvancedCustomDrawEvent =
    std::function<void(TToolBar* sender, const TRect& rect, TCustomDrawStage stage, bool& defaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    std::function<void(TToolBar* sender, TToolButton* button, TCustomDrawState state, TCustomDrawStage stage,
                       TTBCustomDrawFlags& flags, bool& defaultDraw)>;

// A bar of buttons along the top of its parent. Its painting can be taken over through the
// two custom-draw events, which run with Canvas bound to the bar's device context.
class TToolBar : public TWinControl {
  KORVAN_CLASS(TToolBar)
 public:
  explicit TToolBar(TComponent* owner);
  ~TToolBar() override;
  TToolButton* AddButton(TToolButtonStyle style = TToolButtonStyle::tbsButton, const std::string& caption = {},
                         int imageIndex = -1);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TToolButton* Buttons(int i) const { return buttons_.at(static_cast<size_t>(i)).get(); }
  TToolButton* ButtonByCommand(int id) const;
  // Without Flat the buttons are raised and the system shows no hot button.
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  // Captions right of the images instead of below them.
  bool List() const { return list_; }
  void SetList(bool v);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool v);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  // The images of the hot button and of disabled buttons, where they differ from Images.
  TCustomImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TCustomImageList* images);
  TCustomImageList* DisabledImages() const { return disabledImages_; }
  void SetDisabledImages(TCustomImageList* images);
  int ButtonWidth() const { return buttonWidth_; }
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonSize(int width, int height);
  // A blank border inside the bar's edge: the client area shrinks by it on every side.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  // Edge lines outside the border on the chosen sides: the outer and the inner line, each a
  // pixel wide unless esNone.
  TEdgeBorders EdgeBorders() const { return edgeBorders_; }
  void SetEdgeBorders(TEdgeBorders v);
  TEdgeStyle EdgeInner() const { return edgeInner_; }
  void SetEdgeInner(TEdgeStyle v);
  TEdgeStyle EdgeOuter() const { return edgeOuter_; }
  void SetEdgeOuter(TEdgeStyle v);
  // How many edge lines a chosen side has (0 to 2).
  int EdgeWidth() const;
  // What edges and border take off the window on each side before the client area.
  TRect NonClientInsets() const;
  TCanvas& Canvas() { return canvas_; }
  TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  friend class TToolButton;
  void RebuildButtons();
  void UpdateButton(TToolButton* b);
  void CustomDraw(TMessage& msg);
  void DropDown(TToolButton* b);
  void PaintFrame();
  std::vector<std::unique_ptr<TToolButton>> buttons_;
  int nextId_ = 1;
  bool flat_ = false, list_ = false, showCaptions_ = false;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* hotImages_ = nullptr;
  TCustomImageList* disabledImages_ = nullptr;
  int buttonWidth_ = 23, buttonHeight_ = 22;
  int borderWidth_ = 0;
  TEdgeBorders edgeBorders_ = 0;
  TEdgeStyle edgeInner_ = TEdgeStyle::esRaised, edgeOuter_ = TEdgeStyle::esLowered;
  TCanvas canvas_;
};

// ---------------------------------------------------------------- track bar

enum class TTrackBarOrientation { trHorizontal, trVertical };
// Which side of the channel the tick marks are on (top/left, bottom/right or both).
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum class TTickStyle { tsNone, tsAuto };

// A slider over the system's track bar: a tick every Frequency steps when ticks are on; the
// user's moves of the thumb update Position and run OnChange.
class TTrackBar : public TWinControl {
  KORVAN_CLASS(TTrackBar)
 public:
  explicit TTrackBar(TComponent* owner);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation v);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark v);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle v);
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int v);
  TNotifyEvent OnChange;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  void PushRange();
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
  TTickMark tickMarks_ = TTickMark::tmBottomRight;
  TTickStyle tickStyle_ = TTickStyle::tsAuto;
  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
};

// ---------------------------------------------------------------- progress bar

class TProgressBar : public TWinControl {
  KORVAN_CLASS(TProgressBar)
 public:
  explicit TProgressBar(TComponent* owner);
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  void StepBy(int delta) { SetPosition(position_ + delta); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  int min_ = 0, max_ = 100, position_ = 0;
};

// ---------------------------------------------------------------- date and time picker

enum class TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
  KORVAN_CLASS(TDateTimePicker)
 public:
  explicit TDateTimePicker(TComponent* owner);
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind k);
  rtl::TDateTime DateTime() const { return value_; }
  // From code: no change handler runs.
  void SetDateTime(rtl::TDateTime v);
  // The day alone; setting it keeps the time of day.
  rtl::TDateTime Date() const { return rtl::DateOf(value_); }
  void SetDate(rtl::TDateTime v);
  // The time of day alone; setting it keeps the day.
  rtl::TDateTime Time() const { return rtl::TimeOf(value_); }
  void SetTime(rtl::TDateTime v);
  // A Windows picker format ("dd/MM/yyyy", "HH:mm"); empty: the program's short date
  // (day/month/four-digit year) for dates, hours:minutes:seconds for times.
  const std::string& Format() const { return format_; }
  void SetFormat(const std::string& f);
  bool ShowCheckbox() const { return showCheckbox_; }
  void SetShowCheckbox(bool v);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);

  // The user changed the value.
  TNotifyEvent OnChange;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  void PushValue();
  rtl::TDateTime value_;
  TDateTimeKind kind_ = TDateTimeKind::dtkDate;
  std::string format_;
  bool showCheckbox_ = false;
  bool checked_ = true;
  bool pushing_ = false;
};

// TDateTime <-> SYSTEMTIME for the date and time controls.
SYSTEMTIME DateTimeToSystemTime(rtl::TDateTime v);
rtl::TDateTime SystemTimeToDateTime(const SYSTEMTIME& st);

}  // namespace gui
