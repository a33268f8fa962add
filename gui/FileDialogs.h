// Open and save dialogs. Every file choice goes through one replaceable service, so tests
// answer with a path (or a cancel) without a real dialog.
#pragma once
#include <string>

#include "rtl/Classes.h"

namespace gui {

enum TOpenOptionBit : unsigned {
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofPathMustExist = 1u << 11,
  ofFileMustExist = 1u << 12,
  ofEnableSizing = 1u << 22,
};
using TOpenOptions = unsigned;

enum class TFileDialogKind { fdOpen, fdSave };

// What a dialog asks; the service answers with the chosen full path in FileName.
struct TFileDialogRequest {
  TFileDialogKind Kind = TFileDialogKind::fdOpen;
  std::string Title;
  std::string Filter;  // "JPEG (*.jpg)|*.jpg|All|*.*"
  int FilterIndex = 1;  // 1-based, as the class library counts
  std::string DefaultExt;
  std::string InitialDir;
  std::string FileName;
  TOpenOptions Options = 0;
};

class IFileDialogService {
 public:
  virtual ~IFileDialogService() = default;
  // True when the user chose a file; request.FileName (and FilterIndex) then hold the choice.
  virtual bool Execute(TFileDialogRequest& request) = 0;
};

// The service in use; nullptr puts the system's dialogs back.
void SetFileDialogService(IFileDialogService* service);
IFileDialogService& FileDialogService();

class TOpenDialog : public rtl::TComponent {
  KORVAN_CLASS(TOpenDialog)
 public:
  explicit TOpenDialog(rtl::TComponent* owner) : rtl::TComponent(owner) {}
  std::string Title;
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;
  std::string InitialDir;
  std::string FileName;
  TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
  // Shows the dialog modally; true when a file was chosen (FileName holds it).
  virtual bool Execute();

 protected:
  virtual TFileDialogKind Kind() const { return TFileDialogKind::fdOpen; }
};

class TSaveDialog : public TOpenDialog {
  KORVAN_CLASS(TSaveDialog)
 public:
  using TOpenDialog::TOpenDialog;

 protected:
  TFileDialogKind Kind() const override { return TFileDialogKind::fdSave; }
};

}  // namespace gui
