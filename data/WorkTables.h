// Per-connection work tables. The program keeps the document lines being edited in shared
// tables named "..._temp"; a temporary table of the same name hides the shared one for
// this connection alone, so two workstations no longer overwrite each other's lines and
// no statement of the program has to change.
#pragma once
#include <string>
#include <vector>

#include "data/ZConnection.h"

namespace data {

// For each table that exists in the connection's database, creates a temporary table of
// the same name and structure; tables that do not exist, or that this connection already
// hides, are skipped. Call it after every connect (temporary tables end with the session).
void ShadowWorkTables(TZConnection& c, const std::vector<std::string>& tables);

}  // namespace data
