// The sacrament registrations, each described once: baptism, catechism and
// confirmation, marriage. Their numbers are "NNNNN/ddmmyyyy/" and a suffix of their own
// (registry/rules/Numbering.h). Win32-free.
#pragma once
#include "kit/rules/Record.h"

namespace registry::rules {

inline constexpr const char* kBaptismSuffix = "BPT";
inline constexpr const char* kCatechismSuffix = "KTS";
inline constexpr const char* kMarriageSuffix = "NKH";

// The time-and-place choices of an execution, in the order of the list.
inline constexpr const char* kServiceTimes[] = {"07:00 Pelok", "08:00 Vareno", "09:00 Pelok", "18:00 Pelok"};

const kit::rules::TRecordSpec& BaptismRecord();    // daftar_baptis, on FDaftarBaptis
const kit::rules::TRecordSpec& CatechismRecord();  // daftar_katekisasi_sidi, on FKatekisasi
const kit::rules::TRecordSpec& MarriageRecord();   // daftar_nikah, on FDaftarKawin

}  // namespace registry::rules
