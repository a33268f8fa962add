#include "data/DataLink.h"

#include <algorithm>

#include "data/ZQuery.h"

namespace data {

namespace {
template <typename T>
void Erase(std::vector<T*>& v, T* item) {
  v.erase(std::remove(v.begin(), v.end(), item), v.end());
}
}  // namespace

TDataLink::~TDataLink() {
  if (source_) Erase(source_->links_, this);
  if (query_) Erase(query_->links_, this);
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == source_ && !query_) return;
  if (query_) Erase(query_->links_, this);
  query_ = nullptr;
  if (source_) Erase(source_->links_, this);
  source_ = source;
  if (source) source->links_.push_back(this);
  ActiveChanged();
}

void TDataLink::SetDataSet(TZQuery* query) {
  if (query == query_ && !source_) return;
  if (source_) Erase(source_->links_, this);
  source_ = nullptr;
  if (query_) Erase(query_->links_, this);
  query_ = query;
  if (query) query->links_.push_back(this);
  ActiveChanged();
}

TZQuery* TDataLink::DataSet() const { return source_ ? source_->query_ : query_; }

bool TDataLink::Active() const {
  TZQuery* q = DataSet();
  return q && q->Active();
}

TDataSource::~TDataSource() {
  MarkDestroying();
  if (query_) Erase(query_->sources_, this);
  query_ = nullptr;
  for (TDataLink* l : std::vector<TDataLink*>(links_)) {
    l->source_ = nullptr;
    try {
      l->ActiveChanged();
    } catch (...) {
      // A grid's handler must not stop the data source from going away.
    }
  }
  links_.clear();
}

void TDataSource::SetDataSet(TZQuery* query) {
  if (query == query_) return;
  if (query_) {
    Erase(query_->sources_, this);
    query_->RemoveFreeNotification(this);
  }
  query_ = query;
  if (query) {
    query->sources_.push_back(this);
    query->FreeNotification(this);
  }
  ActiveChanged();
}

void TDataSource::Notification(rtl::TComponent* component, rtl::TOperation op) {
  rtl::TComponent::Notification(component, op);
  if (op == rtl::TOperation::opRemove && query_ && component == query_) QueryGone();
}

void TDataSource::QueryGone() {
  if (!query_) return;
  Erase(query_->sources_, this);
  query_ = nullptr;
  ActiveChanged();
}

void TDataSource::ActiveChanged() {
  for (TDataLink* l : std::vector<TDataLink*>(links_)) l->ActiveChanged();
}

void TDataSource::DataSetChanged() {
  for (TDataLink* l : std::vector<TDataLink*>(links_)) l->DataSetChanged();
}

void TDataSource::Scrolled() {
  for (TDataLink* l : std::vector<TDataLink*>(links_)) l->Scrolled();
}

}  // namespace data
