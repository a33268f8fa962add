#include "gui/FileDialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "gui/Com.h"
#include "gui/Forms.h"
#include "rtl/Utf.h"

namespace gui {

namespace {

// The system's dialogs, owned by the active form so that they stay modal to it.
class TSystemFileDialogs : public IFileDialogService {
 public:
  bool Execute(TFileDialogRequest& r) override {
    // The filter's "|" separators become the NULs the system expects, with two at the end.
    std::wstring filter = rtl::W(r.Filter);
    for (auto& c : filter)
      if (c == L'|') c = L'\0';
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    std::wstring file = rtl::W(r.FileName);
    file.resize(std::max<size_t>(file.size() + 1, 32768), L'\0');
    std::wstring title = rtl::W(r.Title), ext = rtl::W(r.DefaultExt), dir = rtl::W(r.InitialDir);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    TCustomForm* owner = Screen ? Screen->ActiveForm() : nullptr;
    ofn.hwndOwner = owner && owner->HandleAllocated() ? owner->Handle() : (Application ? Application->Handle() : nullptr);
    ofn.lpstrFilter = r.Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(r.FilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (r.Options & ofOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (r.Options & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (r.Options & ofPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (r.Options & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (r.Options & ofEnableSizing) ofn.Flags |= OFN_ENABLESIZING;
    UseCom();  // the dialogs browse the shell's folders
    BOOL ok = r.Kind == TFileDialogKind::fdSave ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;
    r.FileName = rtl::U8(file.c_str());
    r.FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
  }
};

TSystemFileDialogs g_systemDialogs;
IFileDialogService* g_service = nullptr;

}  // namespace

void SetFileDialogService(IFileDialogService* service) { g_service = service; }

IFileDialogService& FileDialogService() { return g_service ? *g_service : g_systemDialogs; }

bool TOpenDialog::Execute() {
  TFileDialogRequest r;
  r.Kind = Kind();
  r.Title = Title;
  r.Filter = Filter;
  r.FilterIndex = FilterIndex;
  r.DefaultExt = DefaultExt;
  r.InitialDir = InitialDir;
  r.FileName = FileName;
  r.Options = Options;
  if (!FileDialogService().Execute(r)) return false;
  FileName = r.FileName;
  FilterIndex = r.FilterIndex;
  return true;
}

}  // namespace gui
