// Data-aware notification: grids and report layouts follow a query through a data link,
// either by way of a data source (the windows' grids) or bound to the query directly
// (report layouts).
#pragma once
#include <vector>

#include "rtl/Classes.h"

namespace data {

class TZQuery;
class TDataSource;

class TDataLink {
 public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  // A link listens either to a data source or to one query; setting one drops the other.
  TDataSource* DataSource() const { return source_; }
  void SetDataSource(TDataSource* source);
  void SetDataSet(TZQuery* query);
  // The query the link sees now (through its data source or directly), or nullptr.
  TZQuery* DataSet() const;
  bool Active() const;

  // The query opened or closed, or the link now sees another query.
  virtual void ActiveChanged() {}
  // The rows were replaced: opened, refreshed, or the statement text was changed.
  virtual void DataSetChanged() {}
  // The current row moved; by default the same as a changed record.
  virtual void Scrolled() { RecordChanged(); }
  virtual void RecordChanged() {}

 private:
  friend class TDataSource;
  friend class TZQuery;
  TDataSource* source_ = nullptr;
  TZQuery* query_ = nullptr;
};

class TDataSource : public rtl::TComponent {
  KORVAN_CLASS(TDataSource)
 public:
  explicit TDataSource(rtl::TComponent* owner) : rtl::TComponent(owner) {}
  ~TDataSource() override;

  TZQuery* DataSet() const { return query_; }
  void SetDataSet(TZQuery* query);

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation op) override;

 private:
  friend class TDataLink;
  friend class TZQuery;
  void QueryGone();
  void ActiveChanged();
  void DataSetChanged();
  void Scrolled();
  TZQuery* query_ = nullptr;
  std::vector<TDataLink*> links_;
};

}  // namespace data
