// Every caller of the five lookups, in the order the lookups test them. A row names the
// calling window and its controls by instance name; windows that are not part of the
// program are passed over. Keep a caller's rows here when its window is built: the
// window then only sets its button's Flat flag, writes the hint and opens the lookup.
#include "registry/LookupProtocol.h"

namespace registry::lookup {

namespace {

constexpr const char* kRefuseEmpty = "Maaf...Tidak ada data yang dicari";
constexpr const char* kInternal = "Internal";
constexpr const char* kProtestant = "Kristen Protestan";

// A flagged caller that takes a number and a name from the picked row.
TCaller NumberAndName(const char* window, const char* button, const char* numberControl, const char* nameControl,
                      const char* numberColumn, const char* nameColumn) {
  TCaller c;
  c.window = window;
  if (button) c.flagged = {button};
  c.writes = {Text(numberControl, numberColumn), Text(nameControl, nameColumn)};
  return c;
}

// A member block of the sacrament and marriage windows: filled from the row, or reset
// to an external person when the search found nobody.
TCaller MemberBlock(const char* window, const char* button, const char* select, std::vector<TWrite> writes,
                    const char* numberControl, std::vector<const char*> emptied,
                    std::vector<const char*> pickers) {
  TCaller c;
  c.window = window;
  if (button) c.flagged = {button};
  c.select = select;
  c.countRows = true;
  c.writes = std::move(writes);
  c.emptyWrites.push_back(Literal(numberControl, kInternal));
  for (const char* e : emptied) c.emptyWrites.push_back(Literal(e, ""));
  for (const char* p : pickers) c.emptyWrites.push_back(Today(p));
  return c;
}

TLookupTable MakeMemberTable() {
  const char* baptismChild =
      "select nij,nama_dpn,nama_tengah,nama_blkg,nama_gabung,sekpel,tmpt_lahir,tgl_lahir,baptis from detail_kk";
  const char* baptismParent =
      "select nij,nama_dpn,nama_tengah,nama_blkg,nama_gabung,sekpel,tmpt_lahir,tgl_lahir,pekerjaan,alamat from "
      "detail_kk";
  const char* catechumen =
      "select nij,nama_gabung,sekpel,tmpt_lahir,tgl_lahir,alamat,tmpt_baptis,tgl_baptis,no_hp,pekerjaan from detail_kk";
  const char* catechumenParent =
      "select nij,nama_gabung,sekpel,tmpt_lahir,tgl_lahir,pekerjaan,alamat,no_hp from detail_kk";
  const char* marriage =
      "select nij,nama_gabung,sekpel,tmpt_lahir,tgl_lahir,alamat,tmpt_baptis,tgl_baptis,no_hp,pekerjaan,tmpt_sidi,"
      "tgl_sidi,suku_bangsa from detail_kk";
  const char* plain = "select nij,nama_gabung,sekpel from detail_kk";

  TLookupTable t;
  t.patternParam = "ng";
  t.where = {"where nama_gabung like :ng"};

  TCaller council;
  council.window = "FMajelis";
  council.select = "select nij,nama_gabung,tgl_lahir,sex,pelkat,sekpel,foto from detail_kk";
  council.countRows = true;
  council.refuseEmpty = kRefuseEmpty;
  council.resetFirst = true;  // choosing a member always starts a new council record
  council.writes = {Text("Edit2", "nij"),   Text("Edit3", "nama_gabung"), DateText("Edit4", "tgl_lahir"),
                    Text("Edit5", "sex"),   Text("Edit6", "pelkat"),      Text("Edit7", "sekpel"),
                    Photo("Image1", "foto")};
  t.callers.push_back(council);

  // Baptism: the child must be unbaptised.
  TCaller child = MemberBlock("FDaftarBaptis", "SpeedButton1", baptismChild,
                              {Text("Edit1", "nij"), Text("Edit2", "nama_gabung"), Text("Edit3", "tmpt_lahir"),
                               Date("DateTimePicker4", "tgl_lahir"), Text("Edit13", "sekpel")},
                              "Edit1", {"Edit2", "Edit3", "Edit5", "Edit13"}, {"DateTimePicker4"});
  child.extra = "and baptis=:ba";
  child.params = {{"ba", "BELUM", ""}};
  t.callers.push_back(child);
  t.callers.push_back(MemberBlock("FDaftarBaptis", "SpeedButton2", baptismParent,
                                  {Text("Edit10", "nij"), Text("Edit11", "nama_gabung"), Text("Edit12", "tmpt_lahir"),
                                   Date("DateTimePicker5", "tgl_lahir"), Text("Edit14", "pekerjaan"),
                                   Text("Edit15", "alamat")},
                                  "Edit10", {"Edit11", "Edit12", "Edit14", "Edit15"}, {"DateTimePicker5"}));
  t.callers.push_back(MemberBlock("FDaftarBaptis", "SpeedButton3", baptismParent,
                                  {Text("Edit16", "nij"), Text("Edit17", "nama_gabung"), Text("Edit18", "tmpt_lahir"),
                                   Date("DateTimePicker6", "tgl_lahir"), Text("Edit20", "pekerjaan")},
                                  "Edit16", {"Edit17", "Edit18", "Edit20", "Edit21"}, {"DateTimePicker6"}));

  // Catechism: the candidate must be baptised and not yet confirmed.
  TCaller candidate = MemberBlock(
      "FKatekisasi", "SpeedButton1", catechumen,
      {Text("Edit1", "nij"), Text("Edit2", "nama_gabung"), Text("Edit3", "tmpt_lahir"),
       Date("DateTimePicker4", "tgl_lahir"), Text("Edit5", "tmpt_baptis"), Date("DateTimePicker7", "tgl_baptis"),
       Text("Edit13", "sekpel"), Text("Edit19", "no_hp"), Text("Edit22", "alamat"), Literal("Edit7", kInternal),
       Literal("Edit8", kProtestant), Text("Edit9", "pekerjaan")},
      "Edit1", {"Edit2", "Edit3", "Edit5", "Edit13", "Edit19", "Edit22", "Edit7", "Edit8", "Edit9"},
      {"DateTimePicker4", "DateTimePicker7"});
  candidate.extra = "and sidi=:si and baptis=:ba";
  candidate.params = {{"si", "BELUM", ""}, {"ba", "SUDAH", ""}};
  t.callers.push_back(candidate);
  t.callers.push_back(MemberBlock(
      "FKatekisasi", "SpeedButton2", catechumenParent,
      {Text("Edit10", "nij"), Text("Edit11", "nama_gabung"), Text("Edit12", "tmpt_lahir"),
       Date("DateTimePicker5", "tgl_lahir"), Text("Edit14", "pekerjaan"), Text("Edit15", "alamat"),
       Text("Edit4", "no_hp"), Text("Edit23", "sekpel"), Literal("Edit25", kProtestant)},
      "Edit10", {"Edit11", "Edit12", "Edit14", "Edit15", "Edit4", "Edit23", "Edit25"}, {"DateTimePicker5"}));
  t.callers.push_back(MemberBlock(
      "FKatekisasi", "SpeedButton3", catechumenParent,
      {Text("Edit16", "nij"), Text("Edit17", "nama_gabung"), Text("Edit18", "tmpt_lahir"),
       Date("DateTimePicker6", "tgl_lahir"), Text("Edit20", "pekerjaan"), Text("Edit21", "alamat"),
       Text("Edit26", "no_hp"), Text("Edit27", "sekpel"), Literal("Edit28", kProtestant)},
      "Edit16", {"Edit17", "Edit18", "Edit20", "Edit21", "Edit26", "Edit27", "Edit28"}, {"DateTimePicker6"}));

  // Marriage: bride and groom must be baptised and confirmed.
  auto spouse = [&](const char* button, int e, int p) {
    auto E = [e](int i) { return "Edit" + std::to_string(e + i); };
    auto P = [p](int i) { return "DateTimePicker" + std::to_string(p + i); };
    std::vector<TWrite> w = {Text(E(0), "nij"),       Text(E(1), "nama_gabung"), Text(E(2), "tmpt_lahir"),
                             Date(P(0), "tgl_lahir"), Text(E(3), "pekerjaan"),   Text(E(4), "alamat"),
                             Text(E(6), "no_hp"),     Text(E(5), "sekpel"),      Literal(E(7), kInternal),
                             Text(E(8), "tmpt_baptis"), Date(P(1), "tgl_baptis"), Text(E(9), "tmpt_sidi"),
                             Date(P(2), "tgl_sidi"),  Text(E(10), "suku_bangsa")};
    TCaller c;
    c.window = "FDaftarKawin";
    if (button) c.flagged = {button};
    c.select = marriage;
    c.extra = "and baptis=:ba and sidi=:si";
    c.params = {{"ba", "SUDAH", ""}, {"si", "SUDAH", ""}};
    c.countRows = true;
    c.writes = std::move(w);
    c.emptyWrites.push_back(Literal(E(0), kInternal));
    for (int i = 1; i <= 10; ++i) c.emptyWrites.push_back(Literal(E(i), ""));
    for (int i = 0; i < 3; ++i) c.emptyWrites.push_back(Today(P(i)));
    return c;
  };
  t.callers.push_back(spouse("SpeedButton1", 2, 1));
  t.callers.push_back(spouse("SpeedButton2", 13, 4));
  auto parent = [&](const char* button, int e, int p) {
    auto E = [e](int i) { return "Edit" + std::to_string(e + i); };
    std::string picker = "DateTimePicker" + std::to_string(p);
    TCaller c;
    c.window = "FDaftarKawin";
    if (button) c.flagged = {button};
    c.select = marriage;
    c.countRows = true;
    c.writes = {Text(E(0), "nij"), Text(E(1), "nama_gabung"), Text(E(2), "tmpt_lahir"), Date(picker, "tgl_lahir")};
    c.emptyWrites = {Literal(E(0), kInternal), Literal(E(1), ""), Literal(E(2), ""), Today(picker)};
    return c;
  };
  t.callers.push_back(parent("SpeedButton3", 24, 7));
  t.callers.push_back(parent("SpeedButton4", 32, 10));
  t.callers.push_back(parent("SpeedButton9", 27, 8));
  t.callers.push_back(parent("SpeedButton10", 35, 11));

  // Sector service: only members of the sector chosen in the window.
  for (auto [button, num, name] : {std::tuple{"SpeedButton1", "Edit2", "Edit3"}, {"SpeedButton4", "Edit12", "Edit13"}}) {
    TCaller c = NumberAndName("FIbadahSektor", button, num, name, "nij", "nama_gabung");
    c.select = plain;
    c.where = {"where nama_gabung like :ng and sekpel=:se"};
    c.params = {{"se", "", "ComboBox1"}};
    t.callers.push_back(c);
  }
  for (auto [button, num, name] : {std::tuple{"SpeedButton4", "Edit2", "Edit3"}, {"SpeedButton1", "Edit4", "Edit5"},
                                   {"SpeedButton2", "Edit7", "Edit8"}, {"SpeedButton3", "Edit9", "Edit13"},
                                   {"SpeedButton5", "Edit10", "Edit14"}}) {
    TCaller c = NumberAndName("FIbadahPelkat", button, num, name, "nij", "nama_gabung");
    c.select = plain;
    t.callers.push_back(c);
  }

  TCaller mover = NumberAndName("FAttestasi", "SpeedButton1", "Edit3", "Edit4", "nij", "nama_gabung");
  mover.select = "select nij,nama_gabung,sekpel,alamat from detail_kk";
  mover.writes.push_back(Text("Edit5", "alamat"));
  mover.writes.push_back(Integer("Edit11", "sekpel"));
  t.callers.push_back(mover);
  TCaller follower = NumberAndName("FAttestasi", "SpeedButton2", "Edit8", "Edit9", "nij", "nama_gabung");
  follower.select = "select nij,nama_gabung,sekpel,tmpt_lahir,tgl_lahir from detail_kk";
  follower.writes.push_back(Text("Edit10", "tmpt_lahir"));
  follower.writes.push_back(Date("DateTimePicker2", "tgl_lahir"));
  t.callers.push_back(follower);

  TCaller borrower = NumberAndName("FPeminjamanBarang", "SpeedButton1", "Edit3", "Edit4", "nij", "nama_gabung");
  borrower.select = plain;
  borrower.writes.push_back(Integer("Edit5", "sekpel"));
  t.callers.push_back(borrower);

  for (auto [button, num, name] : {std::tuple{"SpeedButton1", "Edit2", "Edit3"}, {"SpeedButton4", "Edit12", "Edit13"}}) {
    TCaller c = NumberAndName("FIbadahSyukur", button, num, name, "nij", "nama_gabung");
    c.select = plain;
    t.callers.push_back(c);
  }

  // The dues window and the family search are known by being shown; they flag their
  // button all the same, and the closing clears it.
  TCaller payer = NumberAndName("FMPAG", nullptr, "Edit3", "Edit4", "nij", "nama_gabung");
  payer.alsoClears = {"SpeedButton1"};
  payer.select = plain;
  t.callers.push_back(payer);

  TCaller family;
  family.window = "FCariWargaJemaat";
  family.alsoClears = {"SpeedButton1"};
  family.select = "select nik,nij,nama_gabung,sekpel,sts_kel from detail_kk";
  family.hook = kFamilyOfMember;
  t.callers.push_back(family);
  return t;
}

TLookupTable MakeCouncilTable() {
  TLookupTable t;
  t.patternParam = "ng";
  t.select = "select m.nimp,d.nama_gabung,m.pnt_dkn from majelis m,detail_kk d";
  t.where = {"where m.nij=d.nij", "and d.nama_gabung like :ng and m.sts_aktif=:sa"};
  t.params = {{"sa", "Aktif", ""}};

  TCaller executive;
  executive.window = "FPhmj";
  executive.select = "select m.nimp,d.nama_gabung,m.pnt_dkn,m.foto,m.periode,m.sts_aktif from majelis m,detail_kk d";
  executive.countRows = true;
  executive.refuseEmpty = kRefuseEmpty;
  executive.resetFirst = true;
  executive.writes = {Text("Edit1", "nimp"),   Text("Edit2", "nama_gabung"), Text("Edit3", "pnt_dkn"),
                      Text("Edit4", "periode"), Text("Edit5", "sts_aktif"),   Photo("Image1", "foto")};
  t.callers.push_back(executive);

  TCaller group;
  group.window = "FGroupMajelis";
  group.select =
      "select m.nimp,d.nama_gabung,m.pnt_dkn,m.foto,m.periode,m.sts_aktif,d.sekpel,d.sex,d.tgl_lahir,d.foto from "
      "majelis m,detail_kk d";
  // "foto" names the first photo column of the result: the council record's.
  group.writes = {Text("Edit1", "nimp"), Text("Edit7", "pnt_dkn"), Text("Edit2", "nama_gabung"),
                  Text("Edit3", "sekpel"), Age("Edit4", "tgl_lahir"), Text("Edit5", "sex"), Photo("Image1", "foto")};
  group.focus = "Edit6";
  t.callers.push_back(group);

  // The validation buttons (P1, P5) of the Sunday window: the pick goes to the PIN
  // dialog, whose owner installs the hand-over; the lookup stays open under it.
  TCaller sundayPin;
  sundayPin.window = "FIbadahMinggu";
  sundayPin.notFlagged = {"SpeedButton4", "SpeedButton3"};
  sundayPin.alsoClears = {"SpeedButton1", "SpeedButton2"};
  sundayPin.hook = kPinHandOver;
  sundayPin.stayOpen = true;
  t.callers.push_back(sundayPin);

  t.callers.push_back(NumberAndName("FIbadahMinggu", "SpeedButton4", "Edit21", "Edit4", "nimp", "nama_gabung"));
  t.callers.push_back(NumberAndName("FIbadahMinggu", "SpeedButton3", "Edit18", "Label27", "nimp", "nama_gabung"));
  t.callers.push_back(NumberAndName("FIbadahSektor", "SpeedButton5", "Edit6", "Edit7", "nimp", "nama_gabung"));
  TCaller sectorLiturgist{.window = "FIbadahSektor", .flagged = {"SpeedButton2"}};
  sectorLiturgist.writes = {Pattern("Edit8", "[{nimp}]{nama_gabung}")};
  t.callers.push_back(sectorLiturgist);
  TCaller sectorPkt{.window = "FIbadahSektor", .flagged = {"SpeedButton3"}};
  sectorPkt.writes = {Pattern("Edit9", "[{nimp}]{nama_gabung}")};
  t.callers.push_back(sectorPkt);
  t.callers.push_back(NumberAndName("FIbadahPelkat", "SpeedButton2", "Edit7", "Edit8", "nimp", "nama_gabung"));
  t.callers.push_back(NumberAndName("FIbadahSyukur", "SpeedButton5", "Edit6", "Edit7", "nimp", "nama_gabung"));
  TCaller thanksLiturgist{.window = "FIbadahSyukur", .flagged = {"SpeedButton2"}};
  thanksLiturgist.writes = {Text("Edit8", "nimp")};
  t.callers.push_back(thanksLiturgist);
  TCaller thanksPkt{.window = "FIbadahSyukur", .flagged = {"SpeedButton3"}};
  thanksPkt.writes = {Text("Edit9", "nimp")};
  t.callers.push_back(thanksPkt);
  t.callers.push_back(
      NumberAndName("FIbadahHariRayaGerejawi", "SpeedButton4", "Edit21", "Edit4", "nimp", "nama_gabung"));
  t.callers.push_back(
      NumberAndName("FIbadahHariRayaGerejawi", "SpeedButton3", "Edit18", "Label27", "nimp", "nama_gabung"));
  // The church-feast validation: the search knows it by the flagged P1 or P5 button,
  // the pick by neither the preacher's nor the duty member's button being flagged.
  for (const char* button : {"SpeedButton1", "SpeedButton2"})
    t.callers.push_back(TCaller{.window = "FIbadahHariRayaGerejawi", .flagged = {button}, .use = kSearch});
  TCaller feastPin;
  feastPin.window = "FIbadahHariRayaGerejawi";
  feastPin.notFlagged = {"SpeedButton4", "SpeedButton3"};
  feastPin.use = kPick;
  feastPin.hook = kPinHandOver;
  feastPin.stayOpen = true;
  t.callers.push_back(feastPin);
  return t;
}

// The minister, vicar and practice-student lookups serve the same buttons; the minister
// lookup alone serves the sector window's host.
TLookupTable MakePersonTable(const char* number, const char* name, bool minister) {
  TLookupTable t;
  TCaller sunday = NumberAndName("FIbadahMinggu", "SpeedButton4", "Edit21", "Edit4", number, name);
  if (minister) sunday.writes.push_back(FromControl("Edit5", "FMenu.Label11"));  // the preacher's church
  t.callers.push_back(sunday);
  if (minister) t.callers.push_back(NumberAndName("FIbadahSektor", "SpeedButton1", "Edit2", "Edit3", number, name));
  t.callers.push_back(NumberAndName("FIbadahSektor", "SpeedButton5", "Edit6", "Edit7", number, name));
  t.callers.push_back(NumberAndName("FIbadahPelkat", "SpeedButton2", "Edit7", "Edit8", number, name));
  TCaller borrower = NumberAndName("FPeminjamanBarang", "SpeedButton1", "Edit3", "Edit4", number, name);
  borrower.writes.push_back(Literal("Edit5", ""));  // not a member: no sector
  t.callers.push_back(borrower);
  t.callers.push_back(NumberAndName("FIbadahSyukur", "SpeedButton1", "Edit2", "Edit3", number, name));
  t.callers.push_back(NumberAndName("FIbadahSyukur", "SpeedButton5", "Edit6", "Edit7", number, name));
  t.callers.push_back(NumberAndName("FIbadahHariRayaGerejawi", "SpeedButton4", "Edit21", "Edit4", number, name));
  t.closeWhenNoCaller = true;
  return t;
}

}  // namespace

const TLookupTable& MemberTable() {
  static const TLookupTable t = MakeMemberTable();
  return t;
}

const TLookupTable& CouncilTable() {
  static const TLookupTable t = MakeCouncilTable();
  return t;
}

const TLookupTable& MinisterTable() {
  static const TLookupTable t = [] {
    TLookupTable m = MakePersonTable("nip", "nama_pdt", true);
    m.patternParam = "np";
    m.select = "select * from pendeta";
    m.where = {"where nama_pdt like :np and sts_aktif=:sa"};
    m.params = {{"sa", "Aktif", ""}};
    return m;
  }();
  return t;
}

const TLookupTable& VicarTable() {
  static const TLookupTable t = [] {
    TLookupTable v = MakePersonTable("niv", "nama_vik", false);
    v.patternParam = "nv";
    v.select = "select * from vikaris";
    v.where = {"where nama_vik like :nv and ((sts_aktif=:sa)or(sts_aktif=:sa1))"};
    v.params = {{"sa", "Aktif", ""}, {"sa1", "Peneguhan", ""}};
    return v;
  }();
  return t;
}

const TLookupTable& StudentTable() {
  static const TLookupTable t = [] {
    TLookupTable s = MakePersonTable("nim", "nama", false);
    s.patternParam = "na";
    s.select = "select nim,nama,sts_aktif from mhs_praktek";
    s.where = {"where nama like :na"};
    // The user may pick several students one after the other; "Close" ends it.
    s.closeAfterPick = false;
    return s;
  }();
  return t;
}

}  // namespace registry::lookup
