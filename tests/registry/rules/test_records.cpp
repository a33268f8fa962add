// Every statement derived from a record description against the statement as the
// registry's windows have always run it, letter for letter.
#include <gtest/gtest.h>

#include "registry/rules/Records.h"

namespace {

using kit::rules::TMap;
using kit::rules::TRecordSpec;

struct Expected {
  const char* name;
  const TRecordSpec& (*record)();
  const char* insert;
  const char* update;
  const char* where;
};

const Expected kStatements[] = {
    {"ministers", registry::rules::MinisterRecord,
     "insert into pendeta(nip,nama_pdt,nama_istri_suami,jml_anak,tmp_lahir,tgl_lahir,sts_aktif,tgl_mulai,tgl_selesai,"
     "pindah_dari,no_sk_masuk,pindah_ke,no_sk_keluar,foto,nama_anak_1,nama_anak_2,nama_anak_3,nama_anak_4,nama_anak_5,"
     "nama_anak_6,jabatan,ktp,username)values(:ni,:np,:nis,:ja,:tl,:tgl,:sa,:tm,:ts,:pd,:nsm,:pk,:nsk,:fo,:na1,:na2,"
     ":na3,:na4,:na5,:na6,:jb,:kt,:un)",
     "update pendeta set nama_pdt=:np,nama_istri_suami=:nis,jml_anak=:ja,tmp_lahir=:tl,tgl_lahir=:tgl,sts_aktif=:sa,"
     "tgl_mulai=:tm,tgl_selesai=:ts,pindah_dari=:pd,no_sk_masuk=:nsm,pindah_ke=:pk,no_sk_keluar=:nsk,foto=:fo,"
     "nama_anak_1=:na1,nama_anak_2=:na2,nama_anak_3=:na3,nama_anak_4=:na4,nama_anak_5=:na5,nama_anak_6=:na6,"
     "jabatan=:jb,ktp=:kt,username=:un",
     "where nip=:ni"},
    {"vicars", registry::rules::VicarRecord,
     "insert into vikaris(niv,nama_vik,tmp_lahir,tgl_lahir,masa_vik_ke,sts_aktif,tgl_mulai,tgl_selesai,pindah_dari,"
     "no_sk_masuk,pindah_ke,no_sk_keluar,foto,ktp,username)values(:ni,:nv,:tl,:tgl,:mvk,:sa,:tm,:ts,:pd,:nsm,:pk,:nsk,"
     ":fo,:kt,:un)",
     "update vikaris set nama_vik=:nv,tmp_lahir=:tl,tgl_lahir=:tgl,masa_vik_ke=:mvk,sts_aktif=:sa,tgl_mulai=:tm,"
     "tgl_selesai=:ts,pindah_dari=:pd,no_sk_masuk=:nsm,pindah_ke=:pk,no_sk_keluar=:nsk,foto=:fo,ktp=:kt,username=:un",
     "where niv=:ni"},
    {"practice students", registry::rules::StudentRecord,
     "insert into mhs_praktek(nim,nama,tmp_lahir,tgl_lahir,no_surat_praktek,sts_aktif,tgl_mulai,tgl_selesai,kampus,"
     "foto,ktp,username)values(:ni,:na,:tl,:tgl,:nsp,:sa,:tm,:ts,:ka,:fo,:kt,:un)",
     "update mhs_praktek set nama=:nm,tmp_lahir=:tl,tgl_lahir=:tgl,sts_aktif=:sa,tgl_mulai=:tm,tgl_selesai=:ts,"
     "no_surat_praktek=:nsp,foto=:fo,ktp=:kt,kampus=:ka,username=:un",
     "where nim=:ni"},
    {"council", registry::rules::CouncilRecord,
     "insert into majelis(nimp,nij,pnt_dkn,periode,sts_aktif,tgl_mulai,tgl_selesai,foto,alasan_selesai,username)"
     "values(:nm,:ni,:pd,:pe,:sa,:tm,:ts,:fo,:as,:un)",
     "update majelis set nij=:ni,pnt_dkn=:pd,periode=:pe,sts_aktif=:sa,tgl_mulai=:tm,tgl_selesai=:ts,foto=:fo,"
     "alasan_selesai=:as,username=:un",
     "where nimp=:nm"},
    {"executive council", registry::rules::ExecutiveRecord,
     "insert into phmj(nimp,jabatan,sts_aktif,tgl_mulai,tgl_selesai,periode,foto,username)"
     "values(:nm,:ja,:sa,:tm,:ts,:pe,:fo,:un)",
     "update phmj set jabatan=:ja,sts_aktif=:sa,tgl_mulai=:tm,tgl_selesai=:ts,periode=:pe,foto=:fo,username=:un",
     "where nimp=:nm"},
    {"families", registry::rules::FamilyRecord,
     "insert into header_kk(nik,nama_kk,bpk_ibu_sdr,alamat,tgl_input_daftar,sekpel,foto,username)"
     "values(:ni,:nk,:bis,:al,:tid,:se,:fo,:un)",
     "update header_kk set nama_kk=:nk,bpk_ibu_sdr=:bis,alamat=:al,tgl_input_daftar=:tid,sekpel=:se,foto=:fo,"
     "username=:un",
     "where nik=:ni"},
    {"members", registry::rules::MemberRecord,
     "insert into detail_kk(nik,nij,nama_dpn,nama_tengah,nama_blkg,nama_gabung,tmpt_lahir,tgl_lahir,alamat,no_hp,suku,"
     "tgl_input,id_card,no_id_card,sts_kel,sex,sekpel,pelkat,baptis,tmpt_baptis,tgl_baptis,sidi,tmpt_sidi,tgl_sidi,"
     "nikah,tmpt_nikah,tgl_nikah,gol_darah,pend_akhir,jurusan,gelar,pekerjaan,email,bhs_asing_1,skill,sts_hidup,"
     "tmpt_meninggal,tgl_meninggal,foto,suku_bangsa,username)values(:nik,:ni,:nd,:nt,:nb,:ng,:tl,:tgl,:al,:nh,:su,:ti,"
     ":ic,:nic,:sk,:sx,:se,:pe,:ba,:tb,:tglb,:si,:ts,:tgls,:nk,:tn,:tgln,:gd,:pa,:ju,:ge,:pk,:em,:ba1,:ski,:sh,:tm,"
     ":tglm,:fo,:sb,:un)",
     "update detail_kk set nama_dpn=:nd,nama_tengah=:nt,nama_blkg=:nb,nama_gabung=:ng,tmpt_lahir=:tl,tgl_lahir=:tgl,"
     "alamat=:al,no_hp=:nh,suku=:su,tgl_input=:ti,id_card=:ic,no_id_card=:nic,sts_kel=:sk,sex=:sx,sekpel=:se,"
     "pelkat=:pe,baptis=:ba,tmpt_baptis=:tb,tgl_baptis=:tglb,sidi=:si,tmpt_sidi=:ts,tgl_sidi=:tgls,nikah=:nk,"
     "tmpt_nikah=:tn,tgl_nikah=:tgln,gol_darah=:gd,pend_akhir=:pa,jurusan=:ju,gelar=:ge,pekerjaan=:pk,email=:em,"
     "bhs_asing_1=:ba1,skill=:ski,sts_hidup=:sh,tmpt_meninggal=:tm,tgl_meninggal=:tglm,foto=:fo,suku_bangsa=:sb,"
     "username=:un",
     "where nij=:ni"},
};

TEST(RecordStatements, EveryDerivedStatementIsTheRegistersOwnText) {
  for (const Expected& e : kStatements) {
    SCOPED_TRACE(e.name);
    const TRecordSpec& r = e.record();
    EXPECT_EQ(r.Insert(), e.insert);
    EXPECT_EQ(r.Update(), e.update);
    EXPECT_EQ(r.Where(), e.where);
  }
}

// A typed text that the column cannot hold would end in the server's "Data too long":
// every text input of a register must learn its column's length from the schema.
TEST(RecordStatements, EveryTextColumnHasItsLengthInTheSchema) {
  for (const Expected& e : kStatements) {
    SCOPED_TRACE(e.name);
    const TRecordSpec& r = e.record();
    for (const auto& c : r.columns) {
      if (c.map != TMap::Text && c.map != TMap::TextIf) continue;
      auto length = kit::rules::ColumnLength(r.table, c.column);
      ASSERT_TRUE(length.has_value()) << c.column;
      EXPECT_GT(*length, 0) << c.column;
    }
  }
}

TEST(RecordStatements, ColumnLengthsComeFromTheSchema) {
  EXPECT_EQ(kit::rules::ColumnLength("user", "username"), 100);
  EXPECT_EQ(kit::rules::ColumnLength("user", "nama"), 150);
  EXPECT_EQ(kit::rules::ColumnLength("user", "no_such_column"), std::nullopt);
  EXPECT_EQ(kit::rules::ColumnLength("no_such_table", "nama"), std::nullopt);
  // A picture is no text column.
  EXPECT_EQ(kit::rules::ColumnLength("pendeta", "foto"), std::nullopt);
}

// A description whose update names a column it does not describe is a fault that shows
// at once, not a statement with a hole.
TEST(RecordStatements, AnUpdateOrderWithAnUndescribedColumnIsRefused) {
  TRecordSpec r{"t", {{"a", "pa"}, {"b", "pb"}}, {"b", "c"}, {{"a", "pa"}}};
  EXPECT_THROW(r.Update(), std::logic_error);
  TRecordSpec two{"t", {{"a", "pa", TMap::Text, {}, {}, "", kit::rules::kInsert}, {"b", "pb"}}, {},
                  {{"a", "pa"}, {"b", "pb"}}};
  EXPECT_EQ(two.Insert(), "insert into t(a,b)values(:pa,:pb)");
  EXPECT_EQ(two.Update(), "update t set b=:pb");
  EXPECT_EQ(two.Where(), "where a=:pa and b=:pb");
}

}  // namespace
