// The registry windows in process: login and main window (the current user), the data
// module, the family, member-list and member windows and their layouts, with message
// boxes, file dialogs and previews recorded.
#pragma once
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "gui/FileDialogs.h"
#include "gui/Jpeg.h"
#include "registry/QRJemaat.h"
#include "registry/QRJemaatBlankoKosong.h"
#include "registry/QRJemaatPerseorangan.h"
#include "registry/UCariWargaJemaat.h"
#include "registry/UDetailJemaat.h"
#include "registry/UPenambahanJemaat.h"
#include "registry/UWargaJemaat.h"
#include "report/Preview.h"
#include "report/Render.h"
#include "tests/shell/ShellTestSupport.h"

namespace regtest {

// Answers every open dialog with one path (or a cancel when it is empty).
class FixedFile : public gui::IFileDialogService {
 public:
  bool Execute(gui::TFileDialogRequest& r) override {
    requests.push_back(r);
    if (path.empty()) return false;
    r.FileName = path;
    return true;
  }
  std::string path;
  std::vector<gui::TFileDialogRequest> requests;
};

// Keeps the pages a preview would show, and writes the first page of each layout as a
// PNG into the build tree (named after the layout) for a person to look at.
class KeptPreview : public report::IPreviewService {
 public:
  void ShowPreview(report::TPageReport& report, const report::TReportPages& pages) override {
    shown.push_back(pages);
    reports.push_back(&report);
    // The first preview of each layout in a test program is kept: later ones show
    // refusals and empty cases.
    static std::set<std::string> written;
    if (!pages.Pages.empty() && written.insert(report.ClassName()).second) {
      gui::TBitmap page;
      report::RenderPageToBitmap(pages.Pages.front(), pages, page);
      report::SaveBitmapToPng(page, std::string("Z:") + KORVAN_REG_OUT + "/" + report.ClassName() + ".png");
    }
  }
  std::vector<report::TReportPages> shown;
  std::vector<report::TPageReport*> reports;
};

inline std::string ReadFile(std::string path) {
  if (path.rfind("Z:", 0) == 0) path = path.substr(2);
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The JPEG bytes an image holds ("" when it holds none).
inline std::string PhotoBytes(gui::TImage& image) {
  auto* jpeg = dynamic_cast<gui::TJPEGImage*>(image.Picture().Graphic());
  if (!jpeg) return {};
  return std::string(jpeg->Data().begin(), jpeg->Data().end());
}

class RegistryFixture : public shelltest::ShellFixture {
 protected:
  static constexpr const char* kUser = "tst_reg";

  void SetUp() override {
    ShellFixture::SetUp();
    using gui::Application;
    Application->CreateForm(registry::FWargaJemaat);
    Application->CreateForm(registry::FDetailJemaat);
    Application->CreateForm(registry::FCariWargaJemaat);
    Application->CreateForm(registry::FPenambahanJemaat);
    Application->CreateForm(registry::FQRJemaat);
    Application->CreateForm(registry::FQRJemaatPerseorangan);
    Application->CreateForm(registry::FQRJemaatBlankoKosong);
    gui::SetFileDialogService(&files);
    report::SetPreviewService(&previews);
    Cleanup();
    Start();  // the login window's activation connects the data module
    shell::FMenu->Label4->SetCaption(kUser);
  }
  void TearDown() override {
    Cleanup();
    report::SetPreviewService(nullptr);
    gui::SetFileDialogService(nullptr);
    registry::FPenambahanJemaat->Timer1->SetEnabled(false);
    for (rtl::TComponent* c : std::initializer_list<rtl::TComponent*>{
             registry::FQRJemaatBlankoKosong, registry::FQRJemaatPerseorangan, registry::FQRJemaat,
             registry::FPenambahanJemaat, registry::FCariWargaJemaat, registry::FDetailJemaat, registry::FWargaJemaat})
      delete c;
    registry::FWargaJemaat = nullptr;
    registry::FDetailJemaat = nullptr;
    registry::FCariWargaJemaat = nullptr;
    registry::FPenambahanJemaat = nullptr;
    registry::FQRJemaat = nullptr;
    registry::FQRJemaatPerseorangan = nullptr;
    registry::FQRJemaatBlankoKosong = nullptr;
    ShellFixture::TearDown();
  }
  // Every row a test made: saved by the test user, or under the test keys "NK-97..."
  // and "TST-...".
  void Cleanup() {
    Exec("delete from registrasi where nik in (select nik from header_kk where username='tst_reg') "
         "or nik like 'NK-97%' or no_reg like 'TST-%'");
    Exec("delete from detail_kk where nik in (select nik from header_kk where username='tst_reg') "
         "or username='tst_reg' or nik like 'NK-97%'");
    Exec("delete from header_kk where username='tst_reg' or nik like 'NK-97%'");
  }
  // A family stored directly, with members "NJ-<digits>.<counter>" of the given states.
  void MakeFamily(const std::string& nik, const std::string& name) {
    Exec("insert into header_kk(nik,nama_kk,bpk_ibu_sdr,alamat,tgl_input_daftar,sekpel,username) values ('" + nik +
         "','" + name + "','IBU','Jl. Uji 7','2023-04-05','4','tst_reg')");
  }
  void MakeMember(const std::string& nik, const std::string& nij, const std::string& name,
                  const std::string& state = "Hidup", const std::string& extra = "") {
    Exec("insert into detail_kk(nik,nij,nama_dpn,nama_gabung,tgl_lahir,sex,sts_kel,sts_hidup,baptis,tgl_baptis,"
         "suku_bangsa,username) values ('" + nik + "','" + nij + "','" + name + "','" + name + "  ','1990-03-04',"
         "'Wanita','Anak','" + state + "','BELUM','1899-12-30','WNA','tst_reg')");
  }
  // The rows of a select as "a,b;c,d;", on the test's connection or (for the work
  // tables, which each connection keeps to itself) on the program's.
  std::string Rows(const std::string& sql, data::TZConnection* on = nullptr) {
    data::TZQuery q(nullptr);
    q.SetConnection(on ? on : db.get());
    q.SQL.Add(sql);
    q.Open();
    std::string out;
    for (q.First(); !q.Eof(); q.Next()) {
      for (int i = 0; i < q.FieldCount(); ++i) out += (i ? "," : "") + q.Fields(i)->AsString();
      out += ";";
    }
    return out;
  }
  // Runs fn once from inside the form's own modal loop, as soon as it is on screen.
  void WhileShown(gui::TCustomForm* form, std::function<void()> fn) {
    auto* t = new gui::TTimer(gui::Application);
    t->SetInterval(1);
    t->OnTimer = [t, form, fn](rtl::TObject*) {
      if (!form->Showing()) return;
      t->SetEnabled(false);
      fn();
    };
  }

  FixedFile files;
  KeptPreview previews;
};

}  // namespace regtest
