#include "registry/UCariMajelis.h"

#include "kit/Record.h"
#include "kit/FormKit.h"
#include "registry/UMajelis.h"
#include "registry/rules/Records.h"
#include "rtl/DateUtils.h"

namespace registry {

using namespace kit;

TFCariMajelis* FCariMajelis = nullptr;

TFCariMajelis::TFCariMajelis(rtl::TComponent* owner)
    : TPersonSearch(owner,
                    {.name = "FCariMajelis",
                     .caption = "Master >> Majelis >> Pencarian",
                     .select = {"select m.nimp,m.nij,d.nama_gabung,m.pnt_dkn,m.sts_aktif,d.tgl_lahir,d.sex,d.pelkat,"
                                "d.sekpel,m.periode,m.pnt_dkn,m.sts_aktif,m.tgl_mulai,m.tgl_selesai,m.foto,"
                                "m.alasan_selesai from majelis m,detail_kk d",
                                "where m.nij=d.nij"},
                     .nameLabel = "Nama Majelis",
                     .nameWhere = "and d.nama_gabung like :ng",
                     .nameParam = "ng",
                     .listLabel = "Jabatan",
                     .listWhere = "and m.pnt_dkn=:pd",
                     .listParam = "pd",
                     .items = {"Pnt", "Dkn"},
                     .deleteStatement = "delete from majelis where nimp=:ni",
                     .deleteKeys = {{"ni", "nimp"}}},
                    {{"nimp", "NIM", 100},
                     {"nij", "NIJ", 110},
                     {"nama_gabung", "Nama", 220},
                     {"pnt_dkn", "Jabatan", 70},
                     {"sts_aktif", "Status", 80}}) {}

void TFCariMajelis::CopyRow(data::TZQuery& q) {
  auto* w = FMajelis;
  LoadRecord(rules::CouncilRecord(), *w, q);
  // The member's particulars come with the row.
  w->Edit3->SetText(q.FieldByName("nama_gabung")->AsString());
  w->Edit4->SetText(rtl::DateToStr(q.FieldByName("tgl_lahir")->AsDateTime()));
  w->Edit5->SetText(q.FieldByName("sex")->AsString());
  w->Edit6->SetText(q.FieldByName("pelkat")->AsString());
  w->Edit7->SetText(q.FieldByName("sekpel")->AsString());
  const bool ended = q.FieldByName("sts_aktif")->AsString() == "Selesai";
  w->Label13->SetVisible(ended);
  w->Edit9->SetVisible(ended);
}

}  // namespace registry
