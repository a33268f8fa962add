#include "registry/UCariPHMJ.h"

#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/UPhmj.h"
#include "registry/rules/Records.h"

namespace registry {

using namespace kit;

TFCariPHMJ* FCariPHMJ = nullptr;

TFCariPHMJ::TFCariPHMJ(rtl::TComponent* owner)
    : TPersonSearch(owner,
                    {.name = "FCariPHMJ",
                     .caption = "Master >> PHMJ >> Pencarian",
                     .select = {"select p.nimp,d.nama_gabung,p.jabatan,p.sts_aktif,p.periode,p.foto,p.tgl_mulai,"
                                "p.tgl_selesai from majelis m,detail_kk d,phmj p",
                                "where m.nij=d.nij and m.nimp=p.nimp"},
                     .nameLabel = "Nama PHMJ",
                     .nameWhere = "and d.nama_gabung like :ng",
                     .nameParam = "ng",
                     .listLabel = "Status",
                     .listWhere = "and p.sts_aktif=:sa",
                     .listParam = "sa",
                     .items = {"Aktif", "Selesai"},
                     .deleteStatement = "delete from phmj where nimp=:ni and periode=:pe",
                     .deleteKeys = {{"ni", "nimp"}, {"pe", "periode"}}},
                    {{"nimp", "NIM", 100},
                     {"nama_gabung", "Nama", 220},
                     {"jabatan", "Jabatan", 120},
                     {"periode", "Periode", 90},
                     {"sts_aktif", "Status", 70}}) {}

void TFCariPHMJ::CopyRow(data::TZQuery& q) {
  const std::string nimp = q.FieldByName("nimp")->AsString();
  auto& member = *app::DM->Q2;
  kit::SetSQL(member, {"select d.nama_gabung,m.pnt_dkn,m.periode,m.sts_aktif from majelis m,detail_kk d",
                       "where m.nij=d.nij", "and m.nimp=:ni"});
  member.ParamByName("ni")->AsString(nimp);
  member.Open();
  auto* w = FPhmj;
  LoadRecord(rules::ExecutiveRecord(), *w, q);
  w->Edit2->SetText(member.FieldByName("nama_gabung")->AsString());
  w->Edit3->SetText(member.FieldByName("pnt_dkn")->AsString());
  w->Edit4->SetText(member.FieldByName("periode")->AsString());
  w->Edit5->SetText(member.FieldByName("sts_aktif")->AsString());
}

}  // namespace registry
