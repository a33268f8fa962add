// Standard controls: labels, edits, buttons and their kin.
#pragma once
#include "gui/Controls.h"

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

// Upper-cases text the way the system does for the user's letters (not only ASCII).
std::string SystemUpperCase(const std::string& s);
std::string SystemLowerCase(const std::string& s);

}  // namespace gui
