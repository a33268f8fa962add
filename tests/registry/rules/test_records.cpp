// Every statement derived from a record description against the statement as the
// registry's windows have always run it, letter for letter.
#include <gtest/gtest.h>

#include "registry/rules/Records.h"
#include "registry/rules/Sacraments.h"

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
    {"baptism", registry::rules::BaptismRecord,
     "insert into daftar_baptis(no_reg,internal_eksternal,nij,nama_baptis,tmpt_lahir_baptis,tgl_lahir_baptis,"
     "no_akte_kelahiran,nij_ayah,nama_ayah,tmpt_lahir_ayah,tgl_lahir_ayah,pekerjaan_ayah,alamat,nij_ibu,nama_ibu,"
     "tmpt_lahir_ibu,tgl_lahir_ibu,pekerjaan_ibu,no_akte_nikah,tgl_pengembalaan,jam_pengembalaan,tgl_pelaksanaan,"
     "jam_pelaksanaan,dilayani_oleh,no_surat_gereja_luar,nama_gereja,nama_kmj,cp_kartu_warga_jemaat,cp_akte_lahir,"
     "cp_srt_nkh_grj,cp_akt_nkh_capil,biaya_admin,no_tlp,sekpel,validasi,username)values(:nr,:ie,:ni,:nb,:tlb,:tgllb,"
     ":nak,:na,:nay,:tla,:tglla,:pa,:al,:niji,:nib,:tli,:tglli,:pi,:nan,:tglp,:jamp,:tglpe,:jampe,:do,:nsgl,:ng,:nk,"
     ":ckwj,:cal,:csng,:canc,:ba,:ntp,:se,:va,:un)",
     "update daftar_baptis set internal_eksternal=:ie,nij=:ni,nama_baptis=:nb,tmpt_lahir_baptis=:tlb,"
     "tgl_lahir_baptis=:tgllb,no_akte_kelahiran=:nak,nij_ayah=:na,nama_ayah=:nay,tmpt_lahir_ayah=:tla,"
     "tgl_lahir_ayah=:tglla,pekerjaan_ayah=:pa,alamat=:al,nij_ibu=:niji,nama_ibu=:nib,tmpt_lahir_ibu=:tli,"
     "tgl_lahir_ibu=:tglli,pekerjaan_ibu=:pi,no_akte_nikah=:nan,tgl_pengembalaan=:tglp,jam_pengembalaan=:jamp,"
     "tgl_pelaksanaan=:tglpe,jam_pelaksanaan=:jampe,dilayani_oleh=:do,no_surat_gereja_luar=:nsgl,nama_gereja=:ng,"
     "nama_kmj=:nk,cp_kartu_warga_jemaat=:ckwj,cp_akte_lahir=:cal,cp_srt_nkh_grj=:csng,cp_akt_nkh_capil=:canc,"
     "biaya_admin=:ba,no_tlp=:ntp,sekpel=:se,validasi=:va,username=:un",
     "where no_reg=:nr"},
    {"catechism", registry::rules::CatechismRecord,
     "insert into daftar_katekisasi_sidi(no_reg,internal_eksternal,nij,nama_sidi,tmpt_lahir_sidi,tgl_lahir_sidi,"
     "tmpt_baptis,tgl_baptis,alamat_sidi,no_tlp_sidi,sekpel_sidi,no_surat_gereja_luar,asal_gereja_agama_sidi,nij_ayah,"
     "nama_ayah,tmpt_lahir_ayah,tgl_lahir_ayah,pekerjaan_ayah,alamat_ayah,sekpel_ayah,no_tlp_ayah,"
     "asal_gereja_agama_ayah,nij_ibu,nama_ibu,tmpt_lahir_ibu,tgl_lahir_ibu,pekerjaan_ibu,sekpel_ibu,alamat_ibu,"
     "no_tlp_ibu,asal_gereja_agama_ibu,tgl_pengembalaan,jam_pengembalaan,tgl_pelaksanaan,jam_pelaksanaan,"
     "dilayani_oleh,cp_kartu_warga_jemaat,cp_akte_lahir,cp_td_pengenal,2_lbr_pas_foto,cp_srt_bpts,srt_pernyataan,"
     "biaya_admin,validasi,pekerjaan_sidi,username)"
     "values(:nr,:ie,:nij,:ns,:tls,:tglls,:tb,:tglb,:as,:nts,:ss,:nsgl,:agas,:nija,:na,:tla,:tglla,:pa,:aa,:sa,:nta,"
     ":agaa,:niji,:ni,:tli,:tglli,:pi,:si,:ai,:nti,:agai,:tglp,:jamp,:tglpe,:jampe,:do,:ckwj,:cal,:ctp,:2lpf,:csb,:sp,"
     ":ba,:va,:ps,:un)",
     "update daftar_katekisasi_sidi set internal_eksternal=:ie,nij=:nij,nama_sidi=:ns,tmpt_lahir_sidi=:tls,"
     "tgl_lahir_sidi=:tglls,tmpt_baptis=:tb,tgl_baptis=:tglb,alamat_sidi=:as,no_tlp_sidi=:nts,sekpel_sidi=:ss,"
     "no_surat_gereja_luar=:nsgl,asal_gereja_agama_sidi=:agas,nij_ayah=:nija,nama_ayah=:na,tmpt_lahir_ayah=:tla,"
     "tgl_lahir_ayah=:tglla,pekerjaan_ayah=:pa,alamat_ayah=:aa,sekpel_ayah=:sa,no_tlp_ayah=:nta,"
     "asal_gereja_agama_ayah=:agaa,nij_ibu=:niji,nama_ibu=:ni,tmpt_lahir_ibu=:tli,tgl_lahir_ibu=:tglli,"
     "pekerjaan_ibu=:pi,sekpel_ibu=:si,alamat_ibu=:ai,no_tlp_ibu=:nti,asal_gereja_agama_ibu=:agai,"
     "tgl_pengembalaan=:tglp,jam_pengembalaan=:jamp,tgl_pelaksanaan=:tglpe,jam_pelaksanaan=:jampe,dilayani_oleh=:do,"
     "cp_kartu_warga_jemaat=:ckwj,cp_akte_lahir=:cal,cp_td_pengenal=:ctp,2_lbr_pas_foto=:2lpf,cp_srt_bpts=:csb,"
     "srt_pernyataan=:sp,biaya_admin=:ba,validasi=:va,pekerjaan_sidi=:ps,username=:un",
     "where no_reg=:nr"},
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
