// The lookup dialogs' protocol. A calling window marks the field it wants filled by
// setting its own "..." button's Flat flag (a few callers are known by being shown at
// all) and opens a lookup; the lookup walks its callers in a fixed order, takes the
// first that holds, searches for it as the user types and writes the picked row into
// its controls. Callers are reached by their instance and control names at run time,
// so a lookup needs no knowledge of the windows that call it, and a caller that is not
// part of the program (yet) is simply passed over.
//
// Each lookup's callers are one table of rows (LookupCallers.cpp): the order of the rows
// is the order of the walk.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "data/ZQuery.h"
#include "gui/Buttons.h"
#include "gui/DBGrids.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace registry::lookup {

// Where a value written into a caller's control comes from.
enum class TSource {
  Column,    // the column's text
  Date,      // the column as a date, into a date picker
  DateText,  // the column as a date, written in the short date format
  Integer,   // the column read as an integer, written as its decimal text
  Photo,     // the JPEG of a blob column, into an image (no picture for an empty blob)
  Literal,   // a fixed text ("" empties the control)
  Today,     // today, into a date picker
  Pattern,   // a text with "{column}" replaced by the column's text
  Age,       // whole years (days / 365) from the date in the column until now
  Control,   // the text of another window's control, named "FWindow.Control"
};

struct TWrite {
  std::string control;  // a control of the caller, or "FWindow.Control" elsewhere
  TSource source;
  std::string value;    // column, literal, pattern or control, by the source
};

TWrite Text(std::string control, std::string column);
TWrite Date(std::string control, std::string column);
TWrite DateText(std::string control, std::string column);
TWrite Integer(std::string control, std::string column);
TWrite Photo(std::string control, std::string column = "foto");
TWrite Literal(std::string control, std::string text);
TWrite Today(std::string control);
TWrite Pattern(std::string control, std::string pattern);
TWrite Age(std::string control, std::string column);
TWrite FromControl(std::string control, std::string source);

// A search parameter bound as a string: a fixed value, or the chosen entry of a list
// of the caller (`fromList`).
struct TParamValue {
  std::string name;
  std::string value;
  std::string fromList;
};

enum TUse : unsigned { kSearch = 1, kPick = 2, kBoth = 3 };

// One caller of a lookup.
struct TCaller {
  std::string window;  // instance name of the calling window ("FDaftarBaptis")
  // How it is recognised, besides being shown: the speed buttons that must be flagged
  // (none: being shown is enough) and those that must not be.
  std::vector<std::string> flagged;
  std::vector<std::string> notFlagged;
  // Buttons the caller flags although the recognition does not read them; the closing
  // clears them with the flagged ones.
  std::vector<std::string> alsoClears;
  unsigned use = kBoth;  // the walk of the search, of the pick, or both
  std::string select;    // the select line; "" for the lookup's own
  std::vector<std::string> where;  // the where lines; none for the lookup's own
  std::string extra;               // one more condition line, if any
  std::vector<TParamValue> params;
  bool resetFirst = false;   // the caller's activation handler runs before the writes
  bool countRows = false;    // an empty result takes `refuseEmpty` or `emptyWrites`
  std::string refuseEmpty;   // error box for an empty result; the lookup stays open
  std::vector<TWrite> writes;
  std::vector<TWrite> emptyWrites;
  std::string focus;         // control of the caller focused after the writes
  std::string hook;          // named follow-up (SetHook) run after the writes
  bool stayOpen = false;     // the pick leaves the lookup open
};

struct TLookupTable {
  std::string patternParam;          // the "%" + text + "%" parameter
  std::string select;                // the usual select line
  std::vector<std::string> where;    // the usual where lines
  std::vector<TParamValue> params;   // parameters every search binds
  bool closeAfterPick = true;
  bool closeWhenNoCaller = false;    // "Pilih" without a caller closes the lookup
  std::vector<TCaller> callers;
};

// The five lookups' tables.
const TLookupTable& MemberTable();        // TFCariNIJ
const TLookupTable& CouncilTable();       // TFCariNIM
const TLookupTable& MinisterTable();      // TFCariNIP
const TLookupTable& VicarTable();         // TFCariNIV
const TLookupTable& StudentTable();       // TFCariNIMPra

// Named follow-ups that need code of the calling side.
struct TPickContext {
  gui::TCustomForm& lookup;
  gui::TCustomForm& caller;
  data::TZQuery& rows;  // the lookup's result; its current row is the pick
};
using THook = std::function<void(const TPickContext&)>;
// The council-member lookup hands the picked council member to the PIN dialog.
inline constexpr const char* kPinHandOver = "ValidasiIbadah.PinHandOver";
// The member lookup tells the family search whose family a member belongs to.
inline constexpr const char* kFamilyOfMember = "CariWargaJemaat.FamilyOfMember";
// Installs (or with an empty function removes) a follow-up.
void SetHook(const std::string& name, THook hook);
// True while a follow-up of that name is installed.
bool HookInstalled(const std::string& name);

// The first caller of the table that holds for the walk `use`; nullptr when none.
const TCaller* FindCaller(const TLookupTable& table, TUse use, gui::TCustomForm** window = nullptr);
// Runs the search of the caller found, with `text` as the name pattern, on `query`.
void Search(const TLookupTable& table, data::TZQuery& query, const std::string& text);
// Copies the current row of `query` into the caller found; closes `lookup` as the
// table and the caller say.
void Pick(const TLookupTable& table, data::TZQuery& query, gui::TCustomForm& lookup);
// Sets Flat := False on every button the table's callers flag.
void ClearFlags(const TLookupTable& table);

// The dialog all five lookups share: a title strip, the result grid on DS_Q4, the
// search text and "Pilih" / "Close".
class TLookupDialog : public gui::TForm {
  KORVAN_CLASS(TLookupDialog)
 public:
  struct TColumn {
    const char* field;
    const char* title;
    int width;
  };
  TLookupDialog(rtl::TComponent* owner, const char* name, const char* caption, const char* title,
                const TLookupTable& table, bool upperCase, std::initializer_list<TColumn> columns);

  gui::TPanel* Panel1;
  gui::TDBGrid* DBGrid1;
  gui::TEdit* Edit1;
  gui::TButton* Button1;
  gui::TButton* Button2;

  void FormActivate(rtl::TObject* sender);
  void Edit1Change(rtl::TObject* sender);
  void Button1Click(rtl::TObject* sender);
  void DBGrid1DblClick(rtl::TObject* sender);
  void Button2Click(rtl::TObject* sender);
  void FormClose(rtl::TObject* sender, gui::TCloseAction& action);

 private:
  const TLookupTable& table_;
};

}  // namespace registry::lookup
