// The lines of a document (a payment, a loan, a transfer) kept in the connection's work
// table while the document is edited: a stored document's lines copied into it when the
// document is opened, and the work lines copied into the stored lines when it is saved.
// Each value is bound with the type of its column.
#pragma once
#include <string>
#include <vector>

#include "data/ZQuery.h"
#include "gui/ComCtrls.h"

namespace kit {

enum class TLineValue { Text, Integer, Float, DateTime };

struct TLineParam {
  const char* param;
  const char* column;
  TLineValue as = TLineValue::Text;
};

// A fixed parameter every line's statement binds (the document's number).
struct TLineKey {
  const char* param = nullptr;
  std::string value;
};

// Runs `insert` on `into` once for every row of `rows` from its first, binding each
// parameter from the row's column, and the key when there is one.
void InsertEachRow(data::TZQuery& rows, data::TZQuery& into, const std::string& insert,
                   const std::vector<TLineParam>& params, const TLineKey& key = {});

// How a document's stored lines come into its work table.
struct TWorkLines {
  std::string work;                  // the work table
  std::vector<std::string> stored;   // the select of one document's stored lines
  const char* keyParam;              // its parameter for the document's number
  std::string insert;                // the insert into the work table
  std::vector<TLineParam> params;
};

// Empties the work table (DM->Q7) and copies the lines stored under `key` (read on
// DM->Q8) into it, with the busy cursor and "Update Data...Mohon Menunggu" in the first
// panel of `status` while it copies.
void LoadWorkLines(const TWorkLines& lines, const std::string& key, gui::TStatusBar& status);

}  // namespace kit
