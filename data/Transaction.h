// A group of statements that takes effect whole or not at all. The connection otherwise
// commits every statement on its own; a save that changes several rows uses this so that
// a failure halfway leaves the rows as they were.
#pragma once
#include "data/ZConnection.h"

namespace data {

class TTransaction {
 public:
  // Connects when needed and starts the transaction.
  explicit TTransaction(TZConnection& connection);
  // Rolls back unless Commit ran; never raises (the server rolls back an unfinished
  // transaction when the connection ends in any case).
  ~TTransaction();
  TTransaction(const TTransaction&) = delete;
  TTransaction& operator=(const TTransaction&) = delete;

  void Commit();

 private:
  TZConnection& connection_;
  bool open_ = true;
};

}  // namespace data
