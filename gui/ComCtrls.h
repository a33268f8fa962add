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
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void BoundsChanged() override { LayoutPages(); }

 private:
  friend class TTabSheet;
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
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  friend class TStatusPanel;
  friend class TStatusPanels;
  void UpdateParts();
  void UpdatePanel(int i);
  TStatusPanels panels_{this};
  bool simplePanel_ = false;
  std::string simpleText_;
  TCanvas canvas_;
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
