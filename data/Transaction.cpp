#include "data/Transaction.h"

namespace data {

TTransaction::TTransaction(TZConnection& connection) : connection_(connection) {
  connection_.ExecuteDirect("start transaction");
}

TTransaction::~TTransaction() {
  if (!open_) return;
  try {
    connection_.ExecuteDirect("rollback");
  } catch (...) {
  }
}

void TTransaction::Commit() {
  connection_.ExecuteDirect("commit");
  open_ = false;
}

}  // namespace data
