// A fetched result held in memory: column descriptions, the rows and the current row.
// Win32-free.
//
// A query keeps its whole result, and a large one (tens of thousands of members) is
// mostly small values: each value is a 16-byte cell, the rows' cells lie in a few large
// blocks, and text and bytes are copied one after another into a store of large pieces.
// Nothing moves once added, so a cell's text stays where it is until the set is emptied.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace data {

enum class TFieldType { ftString, ftInteger, ftFloat, ftDate, ftTime, ftDateTime, ftBlob };

struct TColumn {
  std::string name;
  TFieldType type = TFieldType::ftString;
};

// One value: a number, a date and time (a TDateTime), or text (UTF-8) and bytes kept in
// the row set's store. A new cell is NULL.
struct TCell {
  static constexpr uint64_t kNull = ~uint64_t{0};
  union {
    int64_t i;      // ftInteger
    double f;       // ftFloat and the date and time types
    const char* p;  // ftString and ftBlob: the first byte
  };
  uint64_t size = kNull;  // the length of text and bytes, 0 for a number; kNull: NULL

  TCell() : i(0) {}
  bool IsNull() const { return size == kNull; }
  std::string_view Text() const { return size == kNull || size == 0 ? std::string_view() : std::string_view(p, size); }
  void SetInteger(int64_t v) { i = v, size = 0; }
  void SetFloat(double v) { f = v, size = 0; }
};

class TRowSet {
 public:
  std::vector<TColumn> columns;
  int current = -1;  // -1 when empty

  TRowSet() = default;
  TRowSet(TRowSet&&) noexcept = default;
  TRowSet& operator=(TRowSet&&) noexcept = default;

  size_t RowCount() const { return rows_; }
  bool Empty() const { return rows_ == 0; }
  // The cells of a row (0-based, below RowCount()), one per column.
  const TCell* Row(size_t row) const;

  // Adds a row of NULL cells, as many as there are columns now; the columns stay as they
  // are while the set has rows.
  TCell* AddRow();
  // Copies text or bytes into the store and makes the cell show them.
  void SetText(TCell& cell, std::string_view bytes);

 private:
  struct Place {
    size_t block, offset;
  };
  static Place Locate(size_t row);
  static size_t BlockRows(size_t block);

  std::vector<std::unique_ptr<TCell[]>> blocks_;
  size_t rows_ = 0;
  std::vector<std::unique_ptr<char[]>> store_;
  char* free_ = nullptr;  // the unused rest of the store's last piece
  size_t freeBytes_ = 0;
};

}  // namespace data
