// The SQL query: statement text in lines, named parameters, the whole result in memory
// with a current row, and notification of the grids and layouts that follow it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/DBError.h"
#include "data/DataLink.h"
#include "data/Fields.h"
#include "data/Params.h"
#include "data/ZConnection.h"
#include "rtl/Classes.h"

namespace data {

class TZQuery : public rtl::TComponent {
  KORVAN_CLASS(TZQuery)
 public:
  explicit TZQuery(rtl::TComponent* owner);
  ~TZQuery() override;

  TZConnection* Connection() const { return conn_; }
  void SetConnection(TZConnection* c);

  // The statement, one piece per line. Any change closes the query and parses the
  // parameters again; no value stays bound.
  rtl::TStringList SQL;

  int ParamCount() const { return static_cast<int>(params_.size()); }
  TParam* Params(int i) const;
  // Name without the colon, compared without case; raises "Parameter 'x' not found".
  TParam* ParamByName(std::string_view name) const;
  TParam* FindParam(std::string_view name) const;

  // A select: runs the statement and fetches every row; the first row is current.
  // Opening an open query does nothing. A closed connection is connected first.
  void Open();
  // Any other statement; the query stays closed.
  void ExecSQL();
  int64_t RowsAffected() const { return rowsAffected_; }
  void Close();
  bool Active() const { return active_; }
  void SetActive(bool v) { v ? Open() : Close(); }
  // Runs the same statement with the same values again and stays on the same row number
  // (the last row when fewer rows come back).
  void Refresh();

  int RecordCount() const { return active_ ? static_cast<int>(rows_.RowCount()) : 0; }
  bool IsEmpty() const { return RecordCount() == 0; }
  void First();
  void Next();
  void Prior();
  void Last();
  bool Eof() const { return !active_ || eof_; }
  bool Bof() const { return !active_ || bof_; }
  // 1-based; 0 on an empty or closed query.
  int RecNo() const { return active_ ? rows_.current + 1 : 0; }
  void MoveTo(int recNo);

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField* Fields(int i) const;
  // Compared without case; raises "Field 'x' not found".
  TField* FieldByName(std::string_view name) const;
  TField* FindField(std::string_view name) const;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation op) override;

 private:
  friend class TDataLink;
  friend class TDataSource;
  friend class TZConnection;
  void SqlChanged();
  void CheckActive() const;
  // Prepares, binds and executes; with rows wanted, fetches the result into rows.
  void Run(bool wantRows, TRowSet* rows);
  void SetCurrent(int index);
  void NotifyActive();
  void NotifyDataSet();
  void NotifyScrolled();

  TZConnection* conn_ = nullptr;
  TParsedSql parsed_;
  std::vector<std::unique_ptr<TParam>> params_;
  TRowSet rows_;
  std::vector<std::unique_ptr<TField>> fields_;
  bool active_ = false;
  bool bof_ = true;
  bool eof_ = true;
  int64_t rowsAffected_ = 0;
  std::vector<TDataSource*> sources_;
  std::vector<TDataLink*> links_;
};

}  // namespace data
