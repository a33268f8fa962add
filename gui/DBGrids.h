// The data grid: shows a query's rows through a data source, and its selected row is the
// query's current row both ways. Built on a virtual report list view (the rows stay in
// the query; the list asks for the text it draws).
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataLink.h"
#include "gui/Controls.h"
#include "gui/StdCtrls.h"

namespace gui {

class TDBGrid;

class TColumn {
 public:
  std::string FieldName;
  std::string TitleCaption;  // empty: the field name
  int Width = 64;
  TAlignment Alignment = TAlignment::taLeftJustify;
};

class TDBGridColumns {
 public:
  explicit TDBGridColumns(TDBGrid* grid) : grid_(grid) {}
  TColumn* Add(const std::string& fieldName = {}, const std::string& title = {}, int width = 64);
  int Count() const { return static_cast<int>(items_.size()); }
  TColumn* Items(int i) const { return items_.at(static_cast<size_t>(i)).get(); }
  TColumn* operator[](int i) const { return Items(i); }
  void Clear();

 private:
  TDBGrid* grid_;
  std::vector<std::unique_ptr<TColumn>> items_;
};

enum TDBGridOptionBit : unsigned {
  dgEditing = 1u << 0,
  dgTitles = 1u << 2,
  dgIndicator = 1u << 3,
  dgColumnResize = 1u << 4,
  dgColLines = 1u << 5,
  dgRowLines = 1u << 6,
  dgTabs = 1u << 7,
  dgRowSelect = 1u << 8,
  dgAlwaysShowSelection = 1u << 9,
};
using TDBGridOptions = unsigned;

// recNo is 1-based as the query counts; set bg/fg to colour that row.
using TGetRowColorEvent = std::function<void(TObject* sender, int recNo, TColor& bg, TColor& fg)>;
using TDBGridClickEvent = std::function<void(TColumn* column)>;

class TDBGrid : public TWinControl {
  KORVAN_CLASS(TDBGrid)
 public:
  explicit TDBGrid(TComponent* owner);
  ~TDBGrid() override;

  data::TDataSource* DataSource() const;
  void SetDataSource(data::TDataSource* source);
  // Explicit columns; without any, every field shows with its name as title.
  TDBGridColumns& Columns() { return columns_; }
  TDBGridOptions Options = dgTitles | dgColumnResize | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection;
  bool ReadOnly = true;

  int RowCount() const { return rowCount_; }
  int ShownColumnCount() const { return static_cast<int>(shown_.size()); }
  std::string ColumnTitle(int col) const;
  // Text shown in a cell (row 0-based).
  std::string CellText(int row, int col) const;
  // A field's text in any row without moving the query (recNo 1-based), for row colours.
  std::string FieldText(int recNo, std::string_view fieldName) const;
  // Re-reads rows and columns from the query.
  void Refresh();

  TDBGridClickEvent OnCellClick;
  TGetRowColorEvent OnGetRowColor;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  friend class TDBGridColumns;
  class Link;
  struct Shown {
    std::string field, title;
    int width;
    TAlignment alignment;
  };
  void BuildColumns();
  void PushColumns();
  void SelectCurrent();
  void Notify(NMHDR* hdr, TMessage& msg);
  std::unique_ptr<Link> link_;
  TDBGridColumns columns_{this};
  std::vector<Shown> shown_;
  std::vector<Shown> pushed_;
  int rowCount_ = 0;
  bool syncing_ = false;
  std::wstring dispText_;
};

}  // namespace gui
