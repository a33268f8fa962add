// The category-group services without windows: the six categories with their classes,
// the areas and kinds of place of a line, the service's record description and the
// columns of a line as the work table and the stored lines hold them. Win32-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "kit/rules/Record.h"

namespace worship::rules {

// "PA", "PT", "GP", "PKP", "PKB", "PKLU".
const std::vector<const char*>& Categories();
// The classes of a category, in list order: several for "PA" and "PT", one named like
// the category for the others; none for a text that is no category.
std::vector<const char*> ClassesOf(std::string_view category);
// "Gabung", "Utara", "Selatan".
const std::vector<const char*>& Areas();
// "Gereja", "POS", "Rumah".
const std::vector<const char*>& Places();
// The host's status of a line and the preacher kinds, in list order.
const std::vector<const char*>& HostStatuses();
const std::vector<const char*>& PelkatPreacherKinds();

// The service row: number, date, time, category, validator, the two totals and the
// user. The totals are derived ("tk", "ts"), the number too ("ko", insert only).
const kit::rules::TRecordSpec& PelkatRecord();

// A line's column and the parameter it is bound through, with whether it is a number.
struct TLineColumn {
  const char* column;
  const char* param;
  enum { Text, Float, Integer } as = Text;
};
// Every column of a line in the order of the work table's insert.
const std::vector<TLineColumn>& PelkatLineColumns();
// "insert into <table>(kode?,wilayah,...,kelas)values(:ko?,:wi,...,:ks)": the work
// table's insert without the number, the stored lines' with it.
std::string PelkatLineInsert(std::string_view table, bool withNumber);

// The boxes of "Add" when a line of that area, place and class is already listed.
std::string LineExistsText(std::string_view area, std::string_view place, std::string_view klass);
std::string LineChangedText(std::string_view area);

}  // namespace worship::rules
