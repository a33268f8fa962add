#include "registry/UCariMajelis.h"

#include "kit/Photo.h"
#include "kit/FormKit.h"
#include "registry/UMajelis.h"
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
  w->Edit1->SetText(q.FieldByName("nimp")->AsString());
  w->Edit2->SetText(q.FieldByName("nij")->AsString());
  w->Edit3->SetText(q.FieldByName("nama_gabung")->AsString());
  w->Edit4->SetText(rtl::DateToStr(q.FieldByName("tgl_lahir")->AsDateTime()));
  w->Edit5->SetText(q.FieldByName("sex")->AsString());
  w->Edit6->SetText(q.FieldByName("pelkat")->AsString());
  w->Edit7->SetText(q.FieldByName("sekpel")->AsString());
  const std::string office = q.FieldByName("pnt_dkn")->AsString();
  w->RadioButton1->SetChecked(office == "Pnt");
  w->RadioButton2->SetChecked(office == "Dkn");
  w->Edit8->SetText(q.FieldByName("periode")->AsString());
  kit::ShowPhoto(*w->Image1, *q.FieldByName("foto"));
  const bool ended = q.FieldByName("sts_aktif")->AsString() == "Selesai";
  w->ComboBox1->SetItemIndex(ended ? 1 : 0);
  w->Label13->SetVisible(ended);
  w->Edit9->SetVisible(ended);
  if (ended) w->Edit9->SetText(q.FieldByName("alasan_selesai")->AsString());
  w->DateTimePicker1->SetDateTime(q.FieldByName("tgl_mulai")->AsDateTime());
  w->DateTimePicker2->SetDateTime(q.FieldByName("tgl_selesai")->AsDateTime());
}

}  // namespace registry
