// The small steps every entry window repeats: a statement put on a shared query piece by
// piece, and the boxes that report a save, refuse an input or confirm a delete.
#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "data/ZQuery.h"

namespace kit {

// Clears the query (closing it and dropping its parameters) and adds the statement's
// pieces, one line each. Values are bound afterwards by parameter name.
void SetSQL(data::TZQuery& query, std::initializer_list<std::string_view> pieces);

// The key column of the last row of an opened select (the "last stored key" that a new
// record number continues); nothing when the select has no row.
std::optional<std::string> LastKey(data::TZQuery& query, std::string_view field);

// True for a text of nothing but blanks (or nothing at all): no name and no key.
bool IsBlank(std::string_view text);

// Information box with OK: a save went through.
void Inform(const std::string& text);
// Error box with OK: an input or a state is refused.
void Refuse(const std::string& text);
// Warning box with OK: the save goes on in another mode (a typed key exists).
void Warn(const std::string& text);
// Yes/No confirmation; true when the user answers Yes.
bool Confirm(const std::string& text);

// Key filter of the number-only inputs: backspace, Enter, space and the digits pass;
// any other key is dropped (set to 0) and refused with "Maaf...Hanya bisa masukan angka!".
void DigitsOnly(wchar_t& key);

}  // namespace kit
