// A search window described as data: a name and a status criterion over one
// statement, the rows in a grid, a double click that hands the row to its entry window
// and a delete.
#pragma once
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "data/ZQuery.h"
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace kit {

// A search window: a name criterion (RadioButton1, Edit1 in capitals) and a status or
// post criterion (RadioButton2, ComboBox1) over one statement, the result in DBGrid1 on
// DS_Q3; a double click hands the current row to the entry window, "Hapus" deletes it.
// The frame of every search window: the filter group with a name criterion
// (RadioButton1, Edit1 in capitals) and a list criterion (RadioButton2, ComboBox1), the
// buttons "Cari", "Hapus", "Reset", "Close", the grid of the rows on DS_Q3 and the
// status bar (its panels are the window's).
class TSearchForm : public gui::TForm {
  KORVAN_CLASS(TSearchForm)
 public:
  gui::TGroupBox* GroupBox1;
  gui::TRadioButton* RadioButton1;
  gui::TRadioButton* RadioButton2;
  gui::TEdit* Edit1;
  gui::TComboBox* ComboBox1;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TButton* Button3;
  gui::TButton* Button4;
  gui::TDBGrid* DBGrid1;
  gui::TStatusBar* StatusBar1;

  struct TColumn {
    const char* field;
    const char* title;
    int width = 110;
  };

 protected:
  struct TFrame {
    const char* name;  // instance name
    const char* caption;
    const char* nameLabel;
    const char* listLabel;
    std::initializer_list<const char*> items;
    int editWidth = 280;
    int listWidth = 120;
    int gridHeight = 330;
  };
  TSearchForm(rtl::TComponent* owner, const TFrame& frame, std::initializer_list<TColumn> columns);
};

class TPersonSearch : public TSearchForm {
  KORVAN_CLASS(TPersonSearch)
 public:
  struct TSpec {
    const char* name;        // instance name
    const char* caption;
    std::vector<std::string> select;  // every row: {"select * from pendeta"}
    const char* nameLabel;   // "Nama Pendeta"
    const char* nameWhere;   // "where nama_pdt like :np" (or "and ..." after a where)
    const char* nameParam;   // "np"
    const char* listLabel;   // "Jabatan" / "Status"
    const char* listWhere;   // "where jabatan=:jb"
    const char* listParam;   // "jb"
    std::initializer_list<const char*> items;
    const char* deleteStatement;  // "delete from pendeta where nip=:ni"
    // Parameter and column of the current row each key of the delete is bound from.
    std::vector<std::pair<const char*, const char*>> deleteKeys;
    const char* confirm = "Apakah anda yakin record yang dipilih ini mau dihapus?";
  };
  TPersonSearch(rtl::TComponent* owner, const TSpec& spec, std::initializer_list<TColumn> columns);

  void FormActivate(rtl::TObject* sender);
  void RadioButton1Click(rtl::TObject* sender);
  void RadioButton2Click(rtl::TObject* sender);
  void Button1Click(rtl::TObject* sender);
  void Button2Click(rtl::TObject* sender);
  void Button3Click(rtl::TObject* sender);
  void Button4Click(rtl::TObject* sender);
  void DBGrid1DblClick(rtl::TObject* sender);

 protected:
  // Copies the current row of `q` into the entry window.
  virtual void CopyRow(data::TZQuery& q) = 0;
  // False keeps the row out of the entry window (and this window open); the refusal is
  // the window's to show.
  virtual bool MayReopen(data::TZQuery& q) { return true; }

 private:
  void SelectAll(data::TZQuery& q);
  std::vector<std::string> select_;
  std::string nameLabel_, nameWhere_, nameParam_, listLabel_, listWhere_, listParam_, deleteStatement_, confirm_;
  std::vector<std::pair<std::string, std::string>> deleteKeys_;
};

}  // namespace kit
