#include "data/rules/RowSet.h"

#include <bit>
#include <cstring>

namespace data {

namespace {

// Blocks of rows grow from a few rows to a fixed size: a one-row result takes little,
// a large one a block per kMaxRows rows.
constexpr size_t kFirstRows = 8;
constexpr size_t kMaxRows = 1024;
constexpr size_t kGrowingBlocks = std::bit_width(kMaxRows / kFirstRows);  // 8, 16, ... kMaxRows
constexpr size_t kGrowingRows = kFirstRows * ((size_t{1} << kGrowingBlocks) - 1);

// Text goes into pieces of this size; a value larger than a quarter of one gets its own.
constexpr size_t kPieceBytes = 64 * 1024;

}  // namespace

size_t TRowSet::BlockRows(size_t block) {
  return block < kGrowingBlocks ? kFirstRows << block : kMaxRows;
}

TRowSet::Place TRowSet::Locate(size_t row) {
  if (row < kGrowingRows) {
    const size_t block = std::bit_width(row / kFirstRows + 1) - 1;
    return {block, row - kFirstRows * ((size_t{1} << block) - 1)};
  }
  return {kGrowingBlocks + (row - kGrowingRows) / kMaxRows, (row - kGrowingRows) % kMaxRows};
}

const TCell* TRowSet::Row(size_t row) const {
  const Place at = Locate(row);
  return blocks_[at.block].get() + at.offset * columns.size();
}

TCell* TRowSet::AddRow() {
  const Place at = Locate(rows_);
  if (at.block == blocks_.size()) blocks_.push_back(std::make_unique<TCell[]>(BlockRows(at.block) * columns.size()));
  ++rows_;
  return blocks_[at.block].get() + at.offset * columns.size();
}

void TRowSet::SetText(TCell& cell, std::string_view bytes) {
  cell.size = bytes.size();
  cell.p = nullptr;
  if (bytes.empty()) return;
  char* to;
  if (bytes.size() > kPieceBytes / 4) {
    store_.push_back(std::make_unique_for_overwrite<char[]>(bytes.size()));
    to = store_.back().get();
  } else {
    if (bytes.size() > freeBytes_) {
      store_.push_back(std::make_unique_for_overwrite<char[]>(kPieceBytes));
      free_ = store_.back().get();
      freeBytes_ = kPieceBytes;
    }
    to = free_;
    free_ += bytes.size();
    freeBytes_ -= bytes.size();
  }
  std::memcpy(to, bytes.data(), bytes.size());
  cell.p = to;
}

}  // namespace data
