// Every row of the lookups' caller tables whose window is part of the program, walked
// against the real windows: each named control exists with the kind its row writes or
// reads, and each named follow-up is installed. A renamed control or a window built
// without the control a lookup fills shows here, not at a user's pick.
#include <gtest/gtest.h>

#include "registry/LookupProtocol.h"
#include "registry/UCariDaftarBaptis.h"
#include "registry/UCariDaftarNikah.h"
#include "registry/UCariKatekisasi.h"
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
#include "registry/UDaftarBaptis.h"
#include "registry/UDaftarKawin.h"
#include "registry/UGroupMajelis.h"
#include "registry/UKatekisasi.h"
#include "registry/UMahasiswaPraktek.h"
#include "registry/UMajelis.h"
#include "registry/UPendeta.h"
#include "registry/UPhmj.h"
#include "registry/UPrintGroupMajelis.h"
#include "registry/UVikaris.h"
#include "tests/registry/RegistryTestSupport.h"

using namespace gui;
using namespace registry;

namespace {

// Every window of the registry beside the fixture's, as the program builds them.
template <class... T>
void CreateAll(T*&... forms) {
  (Application->CreateForm(forms), ...);
}
template <class... T>
void DeleteAll(T*&... forms) {
  ((delete forms, forms = nullptr), ...);
}

class LookupCallers : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    CreateAll(FPendeta, FCariPendeta, FVikaris, FCariVikaris, FMahasiswaPraktek, FCariMahasiswaPraktek, FMajelis,
              FCariNIJ, FCariMajelis, FPhmj, FCariNIM, FCariPHMJ, FGroupMajelis, FPrintGroupMajelis, FCariNIP, FCariNIV,
              FCariNIMPra);
    CreateAll(FDaftarBaptis, FCariDaftarBaptis, FKatekisasi, FCariKatekisasi, FDaftarKawin, FCariDaftarNikah);
  }
  void TearDown() override {
    DeleteAll(FCariDaftarNikah, FDaftarKawin, FCariKatekisasi, FKatekisasi, FCariDaftarBaptis, FDaftarBaptis);
    DeleteAll(FCariNIMPra, FCariNIV, FCariNIP, FPrintGroupMajelis, FGroupMajelis, FCariPHMJ, FCariNIM, FPhmj,
              FCariMajelis, FCariNIJ, FMajelis, FCariMahasiswaPraktek, FMahasiswaPraktek, FCariVikaris, FVikaris,
              FCariPendeta, FPendeta);
    RegistryFixture::TearDown();
  }
};

// The component a row names: one of the caller's, or "FWindow.Control" of another
// window; nullptr when that other window is not part of the program.
rtl::TComponent* Named(TCustomForm& caller, const std::string& name, bool& elsewhereMissing) {
  elsewhereMissing = false;
  auto dot = name.find('.');
  if (dot == std::string::npos) return caller.FindComponent(name);
  auto* other = Application->FindComponent(name.substr(0, dot));
  if (!other) {
    elsewhereMissing = true;
    return nullptr;
  }
  return other->FindComponent(name.substr(dot + 1));
}

template <class T>
void ExpectKind(TCustomForm& caller, const std::string& name, const char* kind) {
  bool elsewhereMissing;
  rtl::TComponent* c = Named(caller, name, elsewhereMissing);
  if (elsewhereMissing) return;
  EXPECT_NE(dynamic_cast<T*>(c), nullptr) << caller.Name() << "." << name << " is no " << kind;
}

void ExpectWrites(TCustomForm& caller, const std::vector<lookup::TWrite>& writes) {
  using lookup::TSource;
  for (const lookup::TWrite& w : writes) {
    switch (w.source) {
      case TSource::Date:
      case TSource::Today:
        ExpectKind<TDateTimePicker>(caller, w.control, "date picker");
        break;
      case TSource::Photo:
        ExpectKind<TImage>(caller, w.control, "image");
        break;
      case TSource::Control:
        ExpectKind<TControl>(caller, w.control, "control");
        ExpectKind<TControl>(caller, w.value, "control to read");
        break;
      default:
        ExpectKind<TControl>(caller, w.control, "control");
        break;
    }
  }
}

TEST_F(LookupCallers, EveryRowOfABuiltWindowNamesControlsOfTheirKindAndInstalledFollowUps) {
  const std::pair<const char*, const lookup::TLookupTable*> tables[] = {{"FCariNIJ", &lookup::MemberTable()},
                                                                        {"FCariNIM", &lookup::CouncilTable()},
                                                                        {"FCariNIP", &lookup::MinisterTable()},
                                                                        {"FCariNIV", &lookup::VicarTable()},
                                                                        {"FCariNIMPra", &lookup::StudentTable()}};
  int walked = 0;
  for (const auto& [lookupName, table] : tables) {
    for (const lookup::TCaller& c : table->callers) {
      auto* caller = dynamic_cast<TCustomForm*>(Application->FindComponent(c.window));
      if (!caller) continue;  // not part of the program yet
      SCOPED_TRACE(std::string(lookupName) + " -> " + c.window);
      ++walked;
      for (const auto* buttons : {&c.flagged, &c.notFlagged, &c.alsoClears})
        for (const std::string& b : *buttons) ExpectKind<TSpeedButton>(*caller, b, "speed button");
      ExpectWrites(*caller, c.writes);
      ExpectWrites(*caller, c.emptyWrites);
      for (const lookup::TParamValue& p : c.params)
        if (!p.fromList.empty()) ExpectKind<TComboBox>(*caller, p.fromList, "list");
      if (!c.focus.empty()) ExpectKind<TWinControl>(*caller, c.focus, "input");
      if (!c.hook.empty()) EXPECT_TRUE(lookup::HookInstalled(c.hook)) << c.hook;
    }
  }
  // The council, executive-council, council-group and family-search windows call the
  // member and council lookups today.
  EXPECT_GE(walked, 4);
}

}  // namespace
