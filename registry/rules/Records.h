// The registry's records, each described once: ministers, vicars, practice students,
// council, executive council, families and members. The windows bind, load and clear
// through these descriptions; the statements are derived from them.
#pragma once
#include "kit/rules/Record.h"

namespace registry::rules {

const kit::rules::TRecordSpec& MinisterRecord();          // pendeta, on FPendeta
const kit::rules::TRecordSpec& VicarRecord();             // vikaris, on FVikaris
const kit::rules::TRecordSpec& StudentRecord();           // mhs_praktek, on FMahasiswaPraktek
const kit::rules::TRecordSpec& CouncilRecord();           // majelis, on FMajelis
const kit::rules::TRecordSpec& ExecutiveRecord();         // phmj, on FPhmj
const kit::rules::TRecordSpec& FamilyRecord();            // header_kk, on FWargaJemaat
const kit::rules::TRecordSpec& MemberRecord();            // detail_kk, on FPenambahanJemaat

}  // namespace registry::rules
