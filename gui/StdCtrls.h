// Standard controls: labels, edits, buttons and their kin.
#pragma once
#include "gui/Controls.h"
#include <algorithm>

namespace gui {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A windowless text painted by its parent.
class TLabel : public TGraphicControl {
  KORVAN_CLASS(TLabel)
 public:
  explicit TLabel(TComponent* owner);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TAlignment Alignment = TAlignment::taLeftJustify;
  TTextLayout Layout = TTextLayout::tlTop;
  bool WordWrap = false;
  bool Transparent = false;
  bool ShowAccelChar = true;

 protected:
  void Paint() override;
  void DoTextChanged() override { AdjustBounds(); }
  void FontChanged() override;
  void AdjustBounds();
  UINT DrawFlags() const;

 private:
  bool autoSize_ = true;
};

class TEdit : public TWinControl {
  KORVAN_CLASS(TEdit)
 public:
  explicit TEdit(TComponent* owner);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  wchar_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(wchar_t c);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase c);
  TAlignment Alignment = TAlignment::taLeftJustify;
  bool AutoSelect = true;

  void Clear() { SetText(""); }
  void SelectAll();
  int SelStart() const;
  void SetSelStart(int v);

  // Runs when the text really changes: typed, pasted or set by code.
  TNotifyEvent OnChange;

  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void SetTextBuf(const std::string& s) override;
  std::string ApplyCharCase(const std::string& s) const;
  virtual void Change();
  void CheckChanged();

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
  wchar_t passwordChar_ = 0;
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
  std::string lastText_;
  bool settingText_ = false;
};

class TButton : public TWinControl {
  KORVAN_CLASS(TButton)
 public:
  explicit TButton(TComponent* owner);
  int ModalResult = 0;
  bool Default = false;
  bool Cancel = false;
  void Click() override;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit whose lines are kept in a string list, in step with the window.
class TMemo : public TWinControl {
  KORVAN_CLASS(TMemo)
 public:
  explicit TMemo(TComponent* owner);
  // Changing the list changes the window; typing changes the list.
  rtl::TStringList& Lines() { return lines_; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  void Clear() { lines_.Clear(); }

  // Runs when the text really changes: typed, or set by code.
  TNotifyEvent OnChange;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void SetTextBuf(const std::string& s) override;
  void LinesChanged();
  void PullFromWindow();

 private:
  rtl::TStringList lines_;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool syncing_ = false;
  std::string lastText_;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
  KORVAN_CLASS(TCheckBox)
 public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  // Runs the click handler when the state changes, as a user's click does.
  void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState s);
  bool AllowGrayed = false;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
};

// Radio buttons form one group per parent control: checking one unchecks the others.
class TRadioButton : public TWinControl {
  KORVAN_CLASS(TRadioButton)
 public:
  explicit TRadioButton(TComponent* owner);
  bool Checked() const { return checked_; }
  // Checking runs the click handler, only when the button was not checked yet.
  void SetChecked(bool v);
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  bool checked_ = false;
};

// A list of strings to pick one from; the lines are kept in a string list and put into the
// window whenever it is made or the list changes.
class TListBox : public TWinControl {
  KORVAN_CLASS(TListBox)
 public:
  explicit TListBox(TComponent* owner);
  rtl::TStringList& Items() { return items_; }
  int ItemIndex() const;
  void SetItemIndex(int i);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  void ItemsChanged();
  rtl::TStringList items_;
  int itemIndex_ = -1;
};

// csOwnerDrawFixed: a drop-down list whose items the OnDrawItem handler paints;
// csOwnerDrawVariable: the same with each item as high as OnMeasureItem says.
enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
// One item of an owner-drawn list: its index, its rectangle on the control's Canvas and its
// ODS_ state bits.
using TDrawItemEvent = std::function<void(TWinControl* control, int index, const TRect& rect, unsigned state)>;
// The height of one item of a list of variable-height items, set in Height.
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

class TComboBox : public TWinControl {
  KORVAN_CLASS(TComboBox)
 public:
  explicit TComboBox(TComponent* owner);
  // Changing the list rebuilds the window's list; the selection stays when still valid.
  rtl::TStringList& Items() { return items_; }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle s);
  int ItemIndex() const { return index_; }
  // Selects from code: no change handler runs. Out of range selects nothing.
  void SetItemIndex(int i);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase c);
  int DropDownCount = 8;
  void Clear();
  bool DroppedDown() const;

  // Runs on the user's choice from the list and on typing into a drop-down.
  TNotifyEvent OnChange;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  // The canvas an owner-drawn item is painted on, while it is painted.
  TCanvas& Canvas() { return canvas_; }
  // Only a list to choose from: no edit part.
  bool ListOnly() const { return style_ == TComboBoxStyle::csDropDownList || OwnerDrawn(); }
  bool OwnerDrawn() const {
    return style_ == TComboBoxStyle::csOwnerDrawFixed || style_ == TComboBoxStyle::csOwnerDrawVariable;
  }
  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  std::string GetText() const override;
  void SetTextBuf(const std::string& s) override;
  void ItemsChanged();
  void PushSelection();
  int DroppedHeight() const;
  // An owner-drawn item: the handler's when there is one, else the item's text.
  void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  rtl::TStringList items_;
  TCanvas canvas_;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
  int index_ = -1;
  bool syncing_ = false;
};

// A captioned frame around other controls; painted by us so that labels on it show.
class TGroupBox : public TCustomControl {
  KORVAN_CLASS(TGroupBox)
 public:
  explicit TGroupBox(TComponent* owner);

 protected:
  void Paint() override;
  void DoTextChanged() override { Invalidate(); }
};

// A stand-alone scroll bar over the system's scroll-bar control. Position stays within
// Min..Max less the page; the user's scrolling moves it by SmallChange or LargeChange (or to
// where the thumb was dragged) and runs OnChange.
enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
  KORVAN_CLASS(TScrollBar)
 public:
  explicit TScrollBar(TComponent* owner);
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind k);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int PageSize() const { return pageSize_; }
  void SetMin(int v) { SetParams(position_, v, std::max(v, max_)); }
  void SetMax(int v) { SetParams(position_, std::min(min_, v), v); }
  void SetPosition(int v) { SetParams(v, min_, max_); }
  void SetPageSize(int v);
  void SetParams(int position, int min, int max);
  int SmallChange = 1;
  int LargeChange = 1;
  TNotifyEvent OnChange;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  int Clamped(int v) const;
  void PushInfo();
  void Scroll(int code);
  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
};

// Upper-cases text the way the system does for the user's letters (not only ASCII).
std::string SystemUpperCase(const std::string& s);
std::string SystemLowerCase(const std::string& s);

}  // namespace gui
