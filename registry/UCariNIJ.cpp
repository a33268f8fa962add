#include "registry/UCariNIJ.h"

#include "kit/Records.h"
#include "app/UDM.h"
#include "gui/Dialogs.h"

namespace registry {

using namespace kit;

TFCariNIJ* FCariNIJ = nullptr;

namespace {

// The family search asks whose family a member belongs to: the member's place in it
// is told, and the head's name becomes the family search text.
void FamilyOfMember(const lookup::TPickContext& pick) {
  auto& q = *app::DM->Q6;
  kit::SetSQL(q, {"select d.nik,h.nama_kk from header_kk h,detail_kk d", "where h.nik=d.nik", "and d.nij=:ni"});
  q.ParamByName("ni")->AsString(pick.rows.FieldByName("nij")->AsString());
  q.Open();
  gui::ShowMessage(pick.rows.FieldByName("nama_gabung")->AsString() + " adalah " +
                   pick.rows.FieldByName("sts_kel")->AsString() + " dari " + q.FieldByName("nama_kk")->AsString());
  if (auto* search = dynamic_cast<gui::TControl*>(pick.caller.FindComponent("Edit1")))
    search->SetText(q.FieldByName("nama_kk")->AsString());
}

}  // namespace

TFCariNIJ::TFCariNIJ(rtl::TComponent* owner)
    : TLookupDialog(owner, "FCariNIJ", "#Cari NIJ", "Cari NIJ", lookup::MemberTable(), true,
                    {{"NIJ", "NIJ", 110}, {"nama_gabung", "Nama", 150}, {"sekpel", "SekPel", 50}}) {
  lookup::SetHook(lookup::kFamilyOfMember, FamilyOfMember);
}

}  // namespace registry
