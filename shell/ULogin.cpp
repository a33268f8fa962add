#include "shell/ULogin.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "kit/FormKit.h"
#include "kit/Record.h"
#include "app/UDM.h"
#include "gui/Dialogs.h"
#include "rtl/DateUtils.h"
#include "rtl/SysUtils.h"
#include "shell/Upantra.h"
#include "shell/rules/PelkatRule.h"

namespace shell {

using namespace gui;
using app::DM;

TFLogin* FLogin = nullptr;

namespace {

std::string ReadAdapterAddress() {
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return {};
  std::vector<unsigned char> buf(size);
  auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buf.data());
  if (GetAdaptersInfo(info, &size) != NO_ERROR) return {};
  // The first adapter that reports anything but zeros; all zeros when every adapter does.
  std::string text;
  for (IP_ADAPTER_INFO* a = info; a; a = a->Next) {
    unsigned char mac[6] = {};
    for (UINT i = 0; i < a->AddressLength && i < 6; ++i) mac[i] = a->Address[i];
    text = rtl::Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    if (text != "00-00-00-00-00-00") break;
  }
  return text;
}

// Reading the adapters can block for a long time (under Wine it goes through a device
// driver): a background reader keeps the address, and the window only reads what it found
// last. The reader reads again when the system reports an address change, and otherwise
// every few seconds for what it does not report (Wine reports nothing); it notifies its
// signal only when the address differs from the last one read.
struct AdapterWatch {
  std::mutex lock;
  std::string text;
  std::shared_ptr<rtl::ChangeSignal> changed = std::make_shared<rtl::ChangeSignal>();
  AdapterWatch() {
    std::thread([this] {
      OVERLAPPED change{};
      change.hEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
      bool asked = false;
      for (;;) {
        std::string now = ReadAdapterAddress();
        bool differs = false;
        {
          std::lock_guard<std::mutex> g(lock);
          differs = now != text;
          text = std::move(now);
        }
        if (differs) changed->Notify();
        if (!change.hEvent) {
          std::this_thread::sleep_for(std::chrono::seconds(5));
          continue;
        }
        HANDLE unused = nullptr;
        if (!asked) asked = NotifyAddrChange(&unused, &change) == ERROR_IO_PENDING;
        // A reported change ends the request; an unanswered one stays pending.
        if (WaitForSingleObject(change.hEvent, 5000) == WAIT_OBJECT_0) asked = false;
      }
    }).detach();
  }
};

AdapterWatch& Adapters() {
  // Never destroyed: the reader runs until the program ends.
  static AdapterWatch* watch = new AdapterWatch;
  return *watch;
}

}  // namespace

std::string GetAdapterAddress() {
  AdapterWatch& a = Adapters();
  std::lock_guard<std::mutex> g(a.lock);
  return a.text;
}

std::shared_ptr<rtl::ChangeSignal> AdapterAddressChanged() { return Adapters().changed; }

TFLogin::TFLogin(rtl::TComponent* owner) : TForm(owner) {
  SetName("FLogin");
  SetCaption("Akses KORVAN 8.20");
  BorderStyle = TFormBorderStyle::bsSingle;
  BorderIcons = biSystemMenu;
  Position = TPosition::poScreenCenter;
  SetColor(clWhite);
  Font().SetName("MS Reference Sans Serif");
  Font().SetHeight(-12);
  SetBounds(0, 0, 420, NormalHeight);

  Image4 = new TImage(this);
  Image4->SetName("Image4");
  Image4->SetParent(this);
  Image4->SetAlign(TAlign::alClient);
  Image4->SetStretch(true);

  auto label = [this](const char* name, const char* caption, int x, int y) {
    return kit::MakeLabel(this, this, name, x, y, caption);
  };
  Label3 = label("Label3", "Sistem Informasi Manajemen Selvaran", 40, 40);
  Label3->Font().SetHeight(-16);
  Label3->Font().SetStyle(fsBold);
  Label4 = label("Label4", "AKSES MASUK", 40, 80);
  Label4->Font().SetHeight(-14);
  Label4->Font().SetStyle(fsBold);
  Label5 = label("Label5", "8.20", 340, 80);
  Label1 = label("Label1", "Username", 40, 150);
  Label2 = label("Label2", "Password", 40, 210);

  Edit1 = new TEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(40, 170, 330, 24);
  Edit2 = new TEdit(this);
  Edit2->SetName("Edit2");
  Edit2->SetParent(this);
  Edit2->SetBounds(40, 230, 330, 24);
  Edit2->SetPasswordChar(L'*');
  Edit2->OnKeyPress = [this](TObject* s, wchar_t& k) { Edit2KeyPress(s, k); };
  // Nothing longer than its column can be typed.
  kit::LimitLength(*Edit1, "user", "username");
  kit::LimitLength(*Edit2, "user", "pswd");

  SpeedButton1 = new TSpeedButton(this);
  SpeedButton1->SetName("SpeedButton1");
  SpeedButton1->SetParent(this);
  SpeedButton1->SetBounds(200, 290, 80, 32);
  SpeedButton1->SetFlat(true);
  SpeedButton1->SetCaption("OK");
  SpeedButton1->Hint = "OK";
  SpeedButton1->ShowHint = true;
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  SpeedButton2 = new TSpeedButton(this);
  SpeedButton2->SetName("SpeedButton2");
  SpeedButton2->SetParent(this);
  SpeedButton2->SetBounds(290, 290, 80, 32);
  SpeedButton2->SetFlat(true);
  SpeedButton2->SetCaption("Close");
  SpeedButton2->Hint = "Close";
  SpeedButton2->ShowHint = true;
  SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };

  // Below the normal height: in sight only while the window is 586 pixels high.
  Gauge1 = new TGauge(this);
  Gauge1->SetName("Gauge1");
  Gauge1->SetParent(this);
  Gauge1->SetBounds(40, 500, 330, 22);
  Gauge1->SetForeColor(clRed);
  Gauge1->SetProgress(0);

  StatusBar3 = new TStatusBar(this);
  StatusBar3->SetName("StatusBar3");
  StatusBar3->SetParent(this);
  StatusBar3->SetAlign(TAlign::alBottom);
  StatusBar3->Panels().Add()->SetWidth(50);
  StatusBar3->Panels()[0]->SetAlignment(TAlignment::taCenter);
  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(225);
  StatusBar1->Panels().Add()->SetWidth(50);
  StatusBar1->Panels()[0]->SetAlignment(TAlignment::taCenter);
  StatusBar1->Panels()[1]->SetAlignment(TAlignment::taCenter);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(10);
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };

  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TFLogin::FormActivate(TObject*) {
  SetHeight(NormalHeight);
  try {
    auto* c = DM->ZConnection1;
    if (c->Connected()) c->Disconnect();
    const auto& s = app::ConnectionSettings();
    c->HostName = s.HostName;
    c->User = s.User;
    c->Password = s.Password;
    c->Port = s.Port;
    c->Database = s.Database;
    c->Protocol = s.Protocol;
    c->Connect();
  } catch (...) {
    // An unreachable server surfaces at the first query of the reset below.
  }
  awal();
}

void TFLogin::awal() {
  Edit1->SetText("");
  Edit2->SetText("");
  if (Showing()) Edit1->SetFocus();
  SetActiveControl(Edit1);
  WatchStatus();
  Timer1->SetEnabled(true);
  auto* q = DM->Q8;
  q->SQL.Clear();
  q->SQL.Add("select nama_gereja from gereja");
  q->Open();
  StatusBar3->Panels()[0]->SetText(q->FieldByName("nama_gereja")->AsString());
}

void TFLogin::WatchStatus() {
  // The status bar changes only when the network or the connection does: the timer's
  // thread looks when either reports a change, and the window updates only after one.
  auto* c = DM->ZConnection1;
  Timer1->SetCheck(
      [db = c->OpenFlag(), last = -1]() mutable {
        const int now = (GetAdapterAddress().empty() ? 0 : 1) | (db->load() ? 2 : 0);
        const bool changed = now != last;
        last = now;
        return changed;
      },
      {AdapterAddressChanged(), c->OpenChanged()});
}

void TFLogin::Timer1Timer(TObject*) {
  StatusBar1->Panels()[0]->SetText(GetAdapterAddress().empty() ? "NETWORK : DISCONNECT" : "NETWORK : CONNECT");
  StatusBar1->Panels()[1]->SetText(DM->ZConnection1->Connected() ? "DATABASE : CONNECT" : "DATABASE : DISCONNECT");
}

void TFLogin::SpeedButton1Click(TObject*) {
  // Once the account is marked as logged in, a failure of a later step must not leave it
  // locked: the mark is taken back before the failure is reported.
  bool marked = false;
  try {
    auto* q1 = DM->Q1;
    q1->SQL.Clear();
    q1->SQL.Add("select * from user");
    q1->SQL.Add("where username=:un and pswd=:ps");
    q1->ParamByName("un")->AsString(Edit1->Text());
    q1->ParamByName("ps")->AsString(Edit2->Text());
    q1->Open();
    // The server compares text without regard to letter case or trailing blanks; a
    // password counts only when it is exactly the stored one.
    if (q1->RecordCount() == 0 || q1->FieldByName("pswd")->AsString() != Edit2->Text()) {
      MessageDlg("Maaf...Username atau Password anda salah!", TMsgDlgType::mtError, mbOK);
      awal();
      return;
    }
    const std::string account = q1->FieldByName("username")->AsString();
    const bool markedActive = q1->FieldByName("active")->AsString() == "Y";
    // A mark whose session lock nobody holds was left by a program that ended without
    // logging out: the account is free. A mark cleared in the user window frees the
    // account even while its old session still runs.
    const bool claimed = ClaimSessionLock(*q1, account);
    if (markedActive && !claimed) {
      MessageDlg("User ini sedang aktif!", TMsgDlgType::mtError, mbOK);
      awal();
      return;
    }
    if (claimed) session_ = account;
    q1->SQL.Clear();
    q1->SQL.Add("update user set active=:st");
    q1->SQL.Add("where username=:un");
    q1->ParamByName("un")->AsString(Edit1->Text());
    q1->ParamByName("st")->AsString("Y");
    q1->ExecSQL();
    marked = true;
    FMenu->Label4->SetCaption(Edit1->Text());

    auto* q5 = DM->Q5;
    q5->SQL.Clear();
    q5->SQL.Add("select * from check_update_pelkat");
    q5->SQL.Add("where tgl=:tg");
    q5->ParamByName("tg")->AsDate(rtl::Date());
    q5->Open();
    if (q5->RecordCount() == 0) {
      auto* q7 = DM->Q7;
      q7->SQL.Clear();
      q7->SQL.Add("insert into check_update_pelkat(tgl)values(:tg)");
      q7->ParamByName("tg")->AsDate(rtl::Date());
      q7->ExecSQL();
      MessageDlg("Klik OK untuk proses Update PELKAT", TMsgDlgType::mtInformation, mbOK);
      UpdatePelkat();
    }
  } catch (...) {
    if (marked) ReleaseAccount(Edit1->Text());
    EndSession();
    MessageDlg("Network atau Database tidak Connect!", TMsgDlgType::mtError, mbOK);
    return;
  }
  // Behind the main window the login window's status is not seen: its timer rests until
  // the main window closes, then ticks at once with the status read anew.
  Timer1->SetEnabled(false);
  struct Resume {
    gui::TTimer* timer;
    ~Resume() { timer->SetEnabled(true); }
  } resume{Timer1};
  // Errors of the main window's own handlers are reported there, not here.
  FMenu->ShowModal();
}

void TFLogin::ReleaseAccount(const std::string& userName) {
  try {
    auto* q1 = DM->Q1;
    q1->SQL.Clear();
    q1->SQL.Add("update user set active=:st");
    q1->SQL.Add("where username=:un");
    q1->ParamByName("un")->AsString(userName);
    q1->ParamByName("st")->AsString("T");
    q1->ExecSQL();
  } catch (...) {
    // Best effort: with the server gone the account cannot be released either.
  }
}

void TFLogin::EndSession() {
  if (session_.empty()) return;
  try {
    ReleaseSessionLock(*DM->Q1, session_);
  } catch (...) {
    // The server drops the lock with the connection in any case.
  }
  session_.clear();
}

namespace {
// One lock per account and database on the server; the name is hashed because lock
// names are short and an account name may be long.
constexpr const char* kSessionLockName = "concat('korvan.session.',md5(concat(database(),'/',:un)))";
}  // namespace

bool ClaimSessionLock(data::TZQuery& q, const std::string& account) {
  q.SQL.Clear();
  // Held already by this very connection counts as claimed, without taking it twice
  // (the server counts a lock taken twice, and one release would not free it).
  q.SQL.Add(std::string("select if(is_used_lock(") + kSessionLockName + ")=connection_id(),1,get_lock(" +
            kSessionLockName + ",0)) as held");
  q.ParamByName("un")->AsString(account);
  q.Open();
  return q.FieldByName("held")->AsInteger() == 1;
}

void ReleaseSessionLock(data::TZQuery& q, const std::string& account) {
  q.SQL.Clear();
  q.SQL.Add(std::string("select release_lock(") + kSessionLockName + ") as freed");
  q.ParamByName("un")->AsString(account);
  q.Open();
}

void TFLogin::UpdatePelkat() {
  try {
    auto* q1 = DM->Q1;
    q1->SQL.Clear();
    q1->SQL.Add("select nij,sex,nikah,year(curdate())-year(tgl_lahir) as umur from detail_kk");
    q1->SQL.Add("order by id");
    q1->Open();
    const int rows = q1->RecordCount();
    if (rows == 0) return;
    SetHeight(RecomputeHeight);
    q1->First();
    Gauge1->SetMaxValue(rows);
    Gauge1->SetProgress(0);
    Gauge1->Show();
    auto* q2 = DM->Q2;
    while (!q1->Eof()) {
      Gauge1->SetForeColor(GaugeStillRed(Gauge1->Progress(), rows) ? clRed : clBlue);
      Gauge1->AddProgress(1);
      auto group = DecidePelkat(static_cast<int>(q1->FieldByName("umur")->AsInteger()),
                                q1->FieldByName("nikah")->AsString(), q1->FieldByName("sex")->AsString());
      if (group) {
        q2->SQL.Clear();
        q2->SQL.Add("update detail_kk set pelkat=:pe");
        q2->SQL.Add("where nij=:ni");
        q2->ParamByName("ni")->AsString(q1->FieldByName("nij")->AsString());
        q2->ParamByName("pe")->AsString(*group);
        q2->ExecSQL();
      }
      q1->Next();
    }
    Gauge1->Hide();
    SetHeight(NormalHeight);
  } catch (...) {
    MessageDlg("Query Automation Gagal!", TMsgDlgType::mtError, mbOK);
    Gauge1->Hide();
    SetHeight(NormalHeight);
  }
}

void TFLogin::SpeedButton2Click(TObject*) { Application->Terminate(); }

void TFLogin::Edit2KeyPress(TObject*, wchar_t& key) {
  if (key == 13) SpeedButton1->Click();
}

void TFLogin::FormClose(TObject*, TCloseAction&) { Timer1->SetEnabled(false); }

}  // namespace shell
