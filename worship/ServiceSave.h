// The save of a service row by its number, shared by every service window: the number
// shown is looked up; found, the row is updated, otherwise a new row is inserted under
// the number that follows the last stored service.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "kit/Record.h"

namespace worship {

struct TServiceSaved {
  bool stored;         // an existing row was changed
  std::string number;  // the number the row is stored under
};

// Writes a service's lines once its row is written; it runs in the same transaction.
using TStoreLines = std::function<void(const TServiceSaved& saved)>;

// `derive` gives the record's derived columns except the number ("ko"), which the save
// binds itself. Nothing is written, and nothing comes back, when no new number can be
// made (the refusal has been shown). With `lines`, the row and its lines are stored
// together or not at all.
std::optional<TServiceSaved> SaveServiceRow(const kit::rules::TRecordSpec& record, rtl::TComponent& form,
                                            const char* prefix, const std::string& shown,
                                            const kit::TDerive& derive, const TStoreLines& lines = {});

}  // namespace worship
