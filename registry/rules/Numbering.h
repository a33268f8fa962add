// Record numbers of the registry: each new key continues the counter of the last stored
// key (the last row when the table is read ordered by its key). The counter is five
// digits at a fixed place in the key, so the keys also sort by counter as text.
//
// A last key that does not carry five digits at that place, or a counter that would
// outgrow five digits, is refused with ENumberingError: continuing from it could hand
// out a number that exists already. Win32-free.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "rtl/DateUtils.h"
#include "rtl/SysUtils.h"

namespace registry::rules {

class ENumberingError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// The first counter of every five-digit scheme.
inline constexpr int kFirstCounter = 10000;
inline constexpr int kLastCounter = 99999;

// The counter that follows lastKey: its `length` characters from `position` (1-based)
// read as a number, plus one; the first counter of that many digits (10000 for five,
// 1000000 for seven) when there is no last key. The counter stays within its digits.
int NextCounter(const std::optional<std::string>& lastKey, int position, int length = 5);

// The date of a document key: day, month and four-digit year without separators.
std::string DatePart(rtl::TDateTime date);

// Family: "NK-" + counter (counter at positions 4 to 8).
std::string NextFamilyNumber(const std::optional<std::string>& lastNik);

// Registration: "REG-" + counter + "-" + ddmmyyyy of the registration date (counter at
// positions 5 to 9, running over the whole table).
std::string NextRegistrationNumber(const std::optional<std::string>& lastNoReg, rtl::TDateTime regDate);

// Member: "NJ-" + the family's five digits + "." + counter (counter at positions 10 to 14).
// The counter continues the higher of the family's last stored member number and the
// last member number its registrations hold: a registration outlives its member when the
// member is deleted, so continuing the stored members alone would give a deleted
// member's number, with its registration, to the next new member. The family number
// must be "NK-" and five digits.
std::string NextMemberNumber(std::string_view nik, const std::optional<std::string>& lastNij,
                             const std::optional<std::string>& lastRegisteredNij);

// Sacrament registration: counter + "/" + ddmmyyyy of the save + "/" + suffix ("BPT"
// baptism, "KTS" catechism, "NKH" marriage); the counter is the first five characters
// and runs over the whole table.
std::string NextSacramentNumber(const std::optional<std::string>& lastNoReg, rtl::TDateTime date,
                                std::string_view suffix);

// The digits a catechism registration's label shows: the counter and the date of its
// number without separators or suffix ("10000/05012026/KTS" gives "1000005012026").
std::string SacramentLabelDigits(std::string_view noReg);

// Membership transfer: a six-digit counter (100000 first) + "/" + ddmmyyyy of the save
// + "/ATT".
std::string NextTransferNumber(const std::optional<std::string>& lastNoAtt, rtl::TDateTime date);

}  // namespace registry::rules
