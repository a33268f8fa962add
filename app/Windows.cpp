#include "app/Windows.h"

#include "app/UDM.h"
#include "gui/Forms.h"
#include "registry/QRAttestasi.h"
#include "registry/QRDaftarBaptis.h"
#include "registry/QRDaftarKatekisasi.h"
#include "registry/QRDaftarNikah.h"
#include "registry/QRGroupMajelis.h"
#include "registry/QRJemaat.h"
#include "registry/QRJemaatBlankoKosong.h"
#include "registry/QRJemaatPerseorangan.h"
#include "registry/QRKK.h"
#include "registry/QRMajelis.h"
#include "registry/QRWargaJemaat.h"
#include "registry/QRWargaJemaat2.h"
#include "registry/UAttestasi.h"
#include "registry/UCariAttestasi.h"
#include "registry/UCariDaftarBaptis.h"
#include "registry/UCariKatekisasi.h"
#include "registry/UCariDaftarNikah.h"
#include "registry/UCariMahasiswaPraktek.h"
#include "registry/UCariMajelis.h"
#include "registry/UCariNIJ.h"
#include "registry/UCariNIM.h"
#include "registry/UCariNIMPra.h"
#include "registry/UCariNIP.h"
#include "registry/UCariNIV.h"
#include "registry/UCariPHMJ.h"
#include "registry/UCariPendeta.h"
#include "registry/UCariVikaris.h"
#include "registry/UCariWargaJemaat.h"
#include "registry/UDaftarBaptis.h"
#include "registry/UDaftarKawin.h"
#include "registry/UDetailJemaat.h"
#include "registry/UGroupMajelis.h"
#include "registry/UKatekisasi.h"
#include "registry/UMahasiswaPraktek.h"
#include "registry/UMajelis.h"
#include "registry/UPenambahanJemaat.h"
#include "registry/UPendeta.h"
#include "registry/UPhmj.h"
#include "registry/UPrintGroupMajelis.h"
#include "registry/UVikaris.h"
#include "registry/ULapJemaatUlangTahun.h"
#include "registry/URepJemaatPerGolDarah.h"
#include "registry/URepJemaatPerPelkat.h"
#include "registry/URepJemaatPerSektor.h"
#include "registry/URepJemaatStsHidup.h"
#include "registry/URepKK.h"
#include "registry/URepMajelis.h"
#include "registry/URepMajelisPerJabatan.h"
#include "registry/URepMajelisPerSektor.h"
#include "registry/URepMajelisPerSex.h"
#include "registry/URepMajelisPerStatusAktif.h"
#include "registry/URepWargaJemaat.h"
#include "registry/UWargaJemaat.h"
#include "shell/UBackupDB.h"
#include "shell/UDeveloper.h"
#include "shell/UFotoDefault.h"
#include "shell/UGereja.h"
#include "shell/ULogin.h"
#include "shell/USettingHakAkses.h"
#include "shell/UTemaTahunan.h"
#include "shell/UUpdatePswd.h"
#include "shell/UUser.h"
#include "shell/UWhatisKorvan.h"
#include "shell/Upantra.h"
#include "skin/core/acStartup.h"
// Worship services.
#include "worship/QRKwitansiMPAG.h"
#include "worship/QRRepIbadahSektor.h"
#include "worship/QRRepIbadahSyukur.h"
#include "worship/QRRepMPAG.h"
#include "worship/QRService.h"
#include "worship/ServiceSearch.h"
#include "worship/UCariIbadahSektor.h"
#include "worship/UCariIbadahSyukur.h"
#include "worship/UCariMPAG.h"
#include "worship/UCariPinjamBarang.h"
#include "worship/UIbadahMinggu.h"
#include "worship/UIbadahSektor.h"
#include "worship/UIbadahSyukur.h"
#include "worship/UIbadahPelkat.h"
#include "worship/UCariIbadahPelkat.h"
#include "worship/QRRepIbadahPelkat.h"
#include "worship/URepPersembahanIbadahMinggu.h"
#include "worship/QRRepPersembahanIbadahMinggu.h"
#include "worship/URepPersembahanIbadahSektor.h"
#include "worship/QRRepPersembahanIbadahSektor.h"
#include "worship/URepPersembahanIbadahPelkat.h"
#include "worship/QRRepPersembahanIbadahPelkat.h"
#include "worship/URepPersembahanIbadahSyukur.h"
#include "worship/QRRepPersembahanIbadahSyukur.h"
#include "worship/URepPersembahanIbadahHariRayaGerejawi.h"
#include "worship/QRRepPersembahanIbadahHariRayaGerejawi.h"
#include "worship/UMPAG.h"
#include "worship/UPeminjamanBarang.h"
#include "worship/URepMPAG.h"
#include "worship/UValidasiIbadah.h"

namespace app {

void StartProgram() {
  // The screen object takes the engine's cursor and the engine's boxes need the
  // application, so both exist before the engine starts; no window is shown yet.
  gui::InitApplication();
  gui::Application->SetTitle("KORVAN");
  skin::RunEngineStartup();
  // The login window is on screen, painted, while the other windows are made. Its
  // activation (the database connection) and the message loop still come after every
  // window: the run of the application.
  CreateLoginWindow();
  shell::FLogin->Show();
  shell::FLogin->Update();
  CreateOtherWindows();
}

// Creating a window only builds it; nothing touches the database until the login window
// is first activated. The order is the program's fixed start-up order: the login window
// first (it becomes the main window), the data module fourth.
void CreateLoginWindow() { gui::Application->CreateForm(shell::FLogin); }

void CreateOtherWindows() {
  using gui::Application;
  Application->CreateForm(shell::FMenu);
  Application->CreateForm(registry::FPendeta);
  Application->CreateForm(DM);
  Application->CreateForm(registry::FCariPendeta);
  Application->CreateForm(shell::FFotoDefault);
  Application->CreateForm(registry::FVikaris);
  Application->CreateForm(registry::FCariVikaris);
  Application->CreateForm(registry::FMahasiswaPraktek);
  Application->CreateForm(registry::FCariMahasiswaPraktek);
  Application->CreateForm(registry::FWargaJemaat);
  Application->CreateForm(registry::FDetailJemaat);
  Application->CreateForm(registry::FCariWargaJemaat);
  Application->CreateForm(registry::FPenambahanJemaat);
  Application->CreateForm(registry::FMajelis);
  Application->CreateForm(registry::FCariNIJ);
  Application->CreateForm(registry::FCariMajelis);
  Application->CreateForm(registry::FPhmj);
  Application->CreateForm(registry::FCariNIM);
  Application->CreateForm(registry::FCariPHMJ);
  Application->CreateForm(shell::FTemaTahunan);
  Application->CreateForm(registry::FQRJemaat);
  Application->CreateForm(registry::FQRJemaatPerseorangan);
  // Sacraments.
  Application->CreateForm(registry::FDaftarBaptis);
  Application->CreateForm(registry::FCariDaftarBaptis);
  Application->CreateForm(registry::FQRDaftarBaptis);
  Application->CreateForm(registry::FKatekisasi);
  Application->CreateForm(registry::FCariKatekisasi);
  Application->CreateForm(registry::FQRDaftarKatekisasi);
  Application->CreateForm(registry::FDaftarKawin);
  Application->CreateForm(registry::FCariDaftarNikah);
  Application->CreateForm(registry::FQRDaftarNikah);
  Application->CreateForm(registry::FGroupMajelis);
  Application->CreateForm(registry::FQRGroupMajelis);
  Application->CreateForm(registry::FPrintGroupMajelis);
  Application->CreateForm(registry::FCariNIP);
  Application->CreateForm(registry::FCariNIV);
  Application->CreateForm(registry::FCariNIMPra);
  Application->CreateForm(shell::FWhatisKorvan);
  Application->CreateForm(shell::FDeveloper);
  Application->CreateForm(shell::FUser);
  Application->CreateForm(shell::FSettingHakAkses);
  Application->CreateForm(shell::FUpdatePswd);
  Application->CreateForm(registry::FQRJemaatBlankoKosong);
  Application->CreateForm(shell::FGereja);
  Application->CreateForm(shell::FBackupDB);
  // Worship services.
  Application->CreateForm(worship::FValidasiIbadah);
  Application->CreateForm(worship::FIbadahMinggu);
  Application->CreateForm(worship::FCariIbadahMinggu);
  Application->CreateForm(worship::FQRRepIbadahMinggu);
  Application->CreateForm(worship::FIbadahHariRayaGerejawi);
  Application->CreateForm(worship::FCariIbadahHariRayaGerejawi);
  Application->CreateForm(worship::FQRRepIbadahHariRayaGerejawi);
  // Membership transfers.
  Application->CreateForm(registry::FAttestasi);
  Application->CreateForm(registry::FCariAttestasi);
  // Item loans.
  Application->CreateForm(worship::FPeminjamanBarang);
  Application->CreateForm(worship::FCariPinjamBarang);
  // Cemetery dues.
  Application->CreateForm(worship::FMPAG);
  Application->CreateForm(worship::FCariMPAG);
  Application->CreateForm(worship::FQRKwitansiMPAG);
  // Sector and thanksgiving services.
  Application->CreateForm(worship::FIbadahSektor);
  Application->CreateForm(worship::FCariIbadahSektor);
  Application->CreateForm(worship::FQRRepIbadahSektor);
  Application->CreateForm(worship::FIbadahSyukur);
  Application->CreateForm(worship::FCariIbadahSyukur);
  Application->CreateForm(worship::FQRRepIbadahSyukur);
  // Category-group services.
  Application->CreateForm(worship::FIbadahPelkat);
  Application->CreateForm(worship::FCariIbadahPelkat);
  Application->CreateForm(worship::FQRRepIbadahPelkat);
  // Offering reports.
  Application->CreateForm(worship::FRepPersembahanIbadahMinggu);
  Application->CreateForm(worship::FQRRepPersembahanIbadahMinggu);
  Application->CreateForm(worship::FRepPersembahanIbadahSektor);
  Application->CreateForm(worship::FQRRepPersembahanIbadahSektor);
  Application->CreateForm(worship::FRepPersembahanIbadahPelkat);
  Application->CreateForm(worship::FQRRepPersembahanIbadahPelkat);
  Application->CreateForm(worship::FRepPersembahanIbadahSyukur);
  Application->CreateForm(worship::FQRRepPersembahanIbadahSyukur);
  Application->CreateForm(worship::FRepPersembahanIbadahHariRayaGerejawi);
  Application->CreateForm(worship::FQRRepPersembahanIbadahHariRayaGerejawi);
  Application->CreateForm(registry::FQRAttestasi);
  // List reports.
  Application->CreateForm(registry::FRepKK);
  Application->CreateForm(registry::FQRKK);
  Application->CreateForm(registry::FRepWargaJemaat);
  Application->CreateForm(registry::FQRWargaJemaat);
  Application->CreateForm(registry::FRepJemaatPerSektor);
  Application->CreateForm(registry::FRepJemaatPerPelkat);
  Application->CreateForm(registry::FRepJemaatPerGolDarah);
  Application->CreateForm(registry::FRepJemaatStsHidup);
  Application->CreateForm(registry::FQRWargaJemaat2);
  Application->CreateForm(registry::FLapJemaatUlangTahun);
  Application->CreateForm(registry::FRepMajelis);
  Application->CreateForm(registry::FRepMajelisPerSektor);
  Application->CreateForm(registry::FRepMajelisPerSex);
  Application->CreateForm(registry::FRepMajelisPerJabatan);
  Application->CreateForm(registry::FRepMajelisPerStatusAktif);
  Application->CreateForm(registry::FQRMajelis);
  Application->CreateForm(worship::FRepMPAG);
  Application->CreateForm(worship::FQRRepMPAG);
}

}  // namespace app
