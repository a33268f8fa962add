// The columns of an opened query and their values in the current row. A query keeps its
// whole result in memory; a field reads the row the query stands on. Win32-free.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data/rules/RowSet.h"
#include "rtl/Classes.h"
#include "rtl/DateUtils.h"

namespace data {

// Gives duplicate column names (compared without case) a suffix as the server's own
// clients do: the second "nama" becomes "nama_1", a third "nama_2".
void MakeColumnNamesUnique(std::vector<TColumn>& columns);

// A date or date and time from its parts; the time of a day before 30/12/1899 counts
// forward from that day, as the class library keeps it.
rtl::TDateTime CombineDateTime(rtl::TDateTime date, rtl::TDateTime time);

class TField {
 public:
  TField(const TRowSet* rows, int index) : rows_(rows), index_(index) {}
  const std::string& FieldName() const { return rows_->columns[static_cast<size_t>(index_)].name; }
  TFieldType DataType() const { return rows_->columns[static_cast<size_t>(index_)].type; }
  int Index() const { return index_; }

  // An empty result and a NULL read as "", 0, 0.0 and the zero date; nothing raises.
  bool IsNull() const;
  std::string AsString() const;
  // The value of another row (0-based) as text, without moving the query: grids draw
  // every visible row this way. Out of range reads as "".
  std::string AsStringAt(int row) const;
  // Text that is no number raises EConvertError with the class library's wording.
  int64_t AsInteger() const;
  double AsFloat() const;
  // A text column is read in the short date format.
  rtl::TDateTime AsDateTime() const;
  // Writes the value's bytes (a blob exactly as stored); a NULL writes nothing.
  void SaveToStream(rtl::TStream& s) const;

 private:
  const TCell* Value() const { return ValueAt(rows_->current); }
  const TCell* ValueAt(int row) const;
  const TRowSet* rows_;
  int index_;
};

}  // namespace data
