// The in-memory result: every value read back as it was added, across the row blocks and
// the text store's pieces, after the set has moved.
#include <gtest/gtest.h>

#include <string>

#include "data/rules/RowSet.h"

using data::TCell;
using data::TRowSet;

namespace {

TRowSet WithColumns(int n) {
  TRowSet set;
  for (int c = 0; c < n; ++c) set.columns.push_back({"c" + std::to_string(c), data::TFieldType::ftString});
  return set;
}

}  // namespace

// Rows pass through the growing blocks (8, 16, ... 1024 rows) into the fixed ones; the
// text of each row goes into the store while later rows are added.
TEST(RowSet, EveryRowReadsBackAcrossTheBlocks) {
  TRowSet set = WithColumns(3);
  const size_t rows = 5000;
  for (size_t r = 0; r < rows; ++r) {
    TCell* row = set.AddRow();
    EXPECT_TRUE(row[0].IsNull() && row[1].IsNull() && row[2].IsNull()) << r;
    row[0].SetInteger(static_cast<int64_t>(r) * 3 - 7);
    if (r % 7 != 0) set.SetText(row[1], "Warga " + std::to_string(r) + " Sitompul Ñusantara");
    row[2].SetFloat(r / 4.0);
  }
  const TRowSet moved = std::move(set);
  ASSERT_EQ(moved.RowCount(), rows);
  for (size_t r = 0; r < rows; ++r) {
    const TCell* row = moved.Row(r);
    ASSERT_EQ(row[0].i, static_cast<int64_t>(r) * 3 - 7) << r;
    ASSERT_FALSE(row[0].IsNull());
    if (r % 7 == 0)
      ASSERT_TRUE(row[1].IsNull()) << r;
    else
      ASSERT_EQ(row[1].Text(), "Warga " + std::to_string(r) + " Sitompul Ñusantara") << r;
    ASSERT_EQ(row[2].f, r / 4.0) << r;
  }
}

// Empty text is no NULL; bytes keep their zeros; values larger than the store's pieces
// and values that just fill one stay whole beside the small ones.
TEST(RowSet, TextOfEverySizeStaysWhole) {
  TRowSet set = WithColumns(1);
  const std::string sizes[] = {
      std::string(),
      std::string("a\0b", 3),
      std::string(16 * 1024, 'x'),
      std::string(16 * 1024 + 1, 'y'),
      std::string(64 * 1024 - 3, 'z'),
      std::string(300 * 1024, '\xFF'),
      "short",
  };
  for (int round = 0; round < 3; ++round)
    for (const std::string& s : sizes) set.SetText(set.AddRow()[0], s);
  ASSERT_EQ(set.RowCount(), 3 * std::size(sizes));
  for (size_t r = 0; r < set.RowCount(); ++r) {
    const TCell& cell = set.Row(r)[0];
    const std::string& want = sizes[r % std::size(sizes)];
    EXPECT_FALSE(cell.IsNull()) << r;
    EXPECT_EQ(cell.Text(), want) << r;
  }
}

TEST(RowSet, AnEmptySetHasNoRows) {
  TRowSet set = WithColumns(2);
  EXPECT_TRUE(set.Empty());
  EXPECT_EQ(set.RowCount(), 0u);
  set.AddRow();
  EXPECT_FALSE(set.Empty());
  set = TRowSet{};
  EXPECT_TRUE(set.Empty());
  EXPECT_TRUE(set.columns.empty());
}
