// The main window: menu bar, toolbar, the current user's label, the access checks that
// guard some entries, the dashboard refreshed by its timers, and the logout when it
// closes.
#pragma once
#include <array>
#include <string>

#include "gui/Buttons.h"
#include "gui/Chart.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "gui/Timer.h"
#include "kit/CurrentUser.h"
#include "rtl/DateUtils.h"

namespace shell {

using gui::TCloseAction;
using gui::TMenuItem;
using gui::TSpeedButton;
using rtl::TObject;

class TFMenu : public gui::TForm {
  KORVAN_CLASS(TFMenu)
 public:
  explicit TFMenu(rtl::TComponent* owner);

  // Header.
  gui::TPanel* Panel2;
  gui::TLabel* Label5;
  gui::TLabel* Label6;
  gui::TLabel* Label10;
  gui::TPanel* Panel3;
  gui::TLabel* Label1;
  gui::TLabel* Label3;
  gui::TLabel* Label2;
  // The current user's name (CurrentUserName); a click opens the password window.
  gui::TLabel* Label4;
  // Toolbar.
  gui::TPanel* Panel6;
  TSpeedButton* SpeedButton1;
  TSpeedButton* SpeedButton2;
  TSpeedButton* SpeedButton3;
  TSpeedButton* SpeedButton4;
  TSpeedButton* SpeedButton5;
  TSpeedButton* SpeedButton6;
  TSpeedButton* SpeedButton7;
  TSpeedButton* SpeedButton8;
  TSpeedButton* SpeedButton9;
  TSpeedButton* SpeedButton10;
  TSpeedButton* SpeedButton11;
  // Dashboard: the heading strip, the church name with its note, the choice of the bar
  // chart and its month, the pie of living members per category group (left) and the
  // five offering bar charts stacked in one place (right), one shown at a time.
  gui::TPanel* Panel5;
  gui::TPanel* Panel4;
  gui::TLabel* Label11;
  gui::TLabel* Label7;
  gui::TLabel* Label8;
  gui::TLabel* Label9;
  gui::TComboBox* ComboBox1;
  gui::TChart* Chart1;
  gui::TPieSeries* Series1;
  gui::TChart* Chart2;
  gui::TBarSeries* BarSeries1;
  gui::TChart* Chart3;
  gui::TBarSeries* BarSeries2;
  gui::TChart* Chart4;
  gui::TBarSeries* BarSeries3;
  gui::TChart* Chart5;
  gui::TBarSeries* BarSeries4;
  gui::TChart* Chart6;
  gui::TBarSeries* BarSeries5;
  gui::TStatusBar* StatusBar1;
  // The pie and the clock; the bar charts in the list's order (Minggu, Sektor, Syukur,
  // PelKat, Hari Raya Gerejawi); the blinking theme.
  gui::TTimer* Timer2;
  gui::TTimer* Timer3;
  gui::TTimer* Timer5;
  gui::TTimer* Timer6;
  gui::TTimer* Timer7;
  gui::TTimer* Timer8;
  gui::TTimer* Timer4;

  gui::TMainMenu* MainMenu1;
  TMenuItem* Master1;
  TMenuItem* Pendeta1;
  TMenuItem* Vikaris1;
  TMenuItem* Majelis1;
  TMenuItem* PHMJ1;
  TMenuItem* MahasiswaPraktek1;
  TMenuItem* emaTahunan1;
  TMenuItem* File1;
  TMenuItem* WargaJemaat1;
  TMenuItem* Majelis3;
  TMenuItem* GroupMajelis1;
  TMenuItem* AttestasiPindah1;
  TMenuItem* PeminjamanBarang1;
  TMenuItem* PembayaranMPAG1;
  TMenuItem* Ibadah1;
  TMenuItem* H1;
  TMenuItem* S5;
  TMenuItem* P13;
  TMenuItem* P14;
  TMenuItem* H2;
  TMenuItem* Pendaftaran1;
  TMenuItem* PendaftaranBaptis1;
  TMenuItem* KatekisasiSidi1;
  TMenuItem* PendaftaranPerkawinan1;
  TMenuItem* Report1;
  TMenuItem* K3;
  TMenuItem* SemuaJemaat1;
  TMenuItem* PerSektor1;
  TMenuItem* PerPelKat1;
  TMenuItem* PerGolonganDarah1;
  TMenuItem* JemaatMeninggal1;
  TMenuItem* UlangTahun1;
  TMenuItem* IbadahMinggu2;
  TMenuItem* IbadahSektor2;
  TMenuItem* IbadahPelKat2;
  TMenuItem* IbadahSyukur2;
  TMenuItem* IbadahHariRayaGerejawi2;
  TMenuItem* SemuaMajelis1;
  TMenuItem* PerWilayahSektor1;
  TMenuItem* PerJenisKelamin1;
  TMenuItem* PerJabatan1;
  TMenuItem* PerStatusAktif1;
  TMenuItem* MPAG1;
  TMenuItem* ools1;
  TMenuItem* FotoDefault1;
  TMenuItem* AdministrasiUser1;
  TMenuItem* SettingHakAkses1;
  TMenuItem* G1;
  TMenuItem* A1;
  TMenuItem* A2;
  TMenuItem* B2;
  TMenuItem* About1;
  TMenuItem* WhatisKORVAN1;
  TMenuItem* DeveloperTeam1;
  TMenuItem* Logout1;

  // The checks some entries run first; a refusal shows its error box.
  bool HasMenuAccess(const std::string& right);
  bool HasDefaultPhoto();

  void FormActivate(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void Timer2Timer(TObject* sender);
  void Timer3Timer(TObject* sender);
  void Timer5Timer(TObject* sender);
  void Timer6Timer(TObject* sender);
  void Timer7Timer(TObject* sender);
  void Timer8Timer(TObject* sender);
  void Timer4Timer(TObject* sender);
  void ComboBox1Change(TObject* sender);
  // The bar chart of the list's entry `index` filled with the day totals of the month
  // `today` lies in, and the month named above it.
  void ShowOfferings(int index, rtl::TDateTime today);
  // The bar-chart family by the list's index: the timer, the chart and its series.
  gui::TTimer* BarTimer(int index) const { return barTimers_.at(index); }
  gui::TChart* BarChart(int index) const { return barCharts_.at(index); }
  gui::TBarSeries* BarSeries(int index) const { return barSeries_.at(index); }
  void Label4Click(TObject* sender);
  void Label4MouseMove(TObject* sender, gui::TShiftState shift, int x, int y);
  void Label4MouseLeave(TObject* sender);

  // Warning-only checks of the menus that own a submenu.
  void Master1Click(TObject* sender);
  void Majelis3Click(TObject* sender);
  void Ibadah1Click(TObject* sender);
  void Pendaftaran1Click(TObject* sender);
  void Report1Click(TObject* sender);
  void ools1Click(TObject* sender);
  // Entries with checks of their own.
  void Pendeta1Click(TObject* sender);
  void Vikaris1Click(TObject* sender);
  void Majelis1Click(TObject* sender);
  void PHMJ1Click(TObject* sender);
  void MahasiswaPraktek1Click(TObject* sender);
  void WargaJemaat1Click(TObject* sender);
  void GroupMajelis1Click(TObject* sender);
  void AttestasiPindah1Click(TObject* sender);
  void PeminjamanBarang1Click(TObject* sender);
  void KatekisasiSidi1Click(TObject* sender);
  void PendaftaranPerkawinan1Click(TObject* sender);
  void AdministrasiUser1Click(TObject* sender);
  void SettingHakAkses1Click(TObject* sender);
  void A1Click(TObject* sender);
  void A2Click(TObject* sender);
  void Logout1Click(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void SpeedButton3Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void SpeedButton7Click(TObject* sender);
  void SpeedButton8Click(TObject* sender);
  void SpeedButton9Click(TObject* sender);
  void SpeedButton10Click(TObject* sender);
  void SpeedButton11Click(TObject* sender);

  // Shows another window modally by its instance name ("FUser"); a window that does not
  // exist in this build opens nothing.
  void Open(const std::string& window);

 private:
  TMenuItem* Item(TMenuItem* parent, const char* name, const char* caption, bool enabled = true);
  void BuildMenu();
  void BuildHeader();
  void BuildToolbar();
  void BuildDashboard();
  void PlaceDashboard();
  std::array<gui::TTimer*, 5> barTimers_{};
  std::array<gui::TChart*, 5> barCharts_{};
  std::array<gui::TBarSeries*, 5> barSeries_{};
};

extern TFMenu* FMenu;

// The logged-in user's name as typed at the login: the caption of the main window's
// user label (`Label4`).
using kit::CurrentUserName;

}  // namespace shell
