#include "rtl/Classes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include "rtl/Utf.h"
#endif

namespace rtl {

// ---- TPersistent ----

void TPersistent::Assign(const TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
  throw EConvertError(Format("Cannot assign a %s to a %s", this == dest ? "nil" : ClassName(),
                             dest->ClassName()));
}

// ---- TComponent ----

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  DestroyComponents();
  NotifyRemoval();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::NotifyRemoval() {
  // Others that asked to be told drop their pointers to this component.
  auto list = std::move(freeNotifies_);
  freeNotifies_.clear();
  for (TComponent* c : list) {
    c->RemoveFreeNotification(this);
    c->Notification(this, TOperation::opRemove);
  }
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    Notification(c, TOperation::opRemove);
    delete c;
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw ERangeError(Format("List index out of bounds (%d)", index));
  return components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->Name(), name)) return c;
  return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
    freeNotifies_.push_back(other);
    other->FreeNotification(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), other);
  if (it != freeNotifies_.end()) {
    freeNotifies_.erase(it);
    other->RemoveFreeNotification(this);
  }
}

void TComponent::InsertComponent(TComponent* c) {
  if (c->owner_) c->owner_->RemoveComponent(c);
  components_.push_back(c);
  c->owner_ = this;
  Notification(c, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it == components_.end()) return;
  components_.erase(it);
  c->owner_ = nullptr;
  Notification(c, TOperation::opRemove);
}

void TComponent::Notification(TComponent* component, TOperation op) {
  if (op == TOperation::opRemove) {
    // Owned components hear of each other's removal, as the class library does.
    for (TComponent* c : components_)
      if (c != component) c->Notification(component, op);
  }
}

void TComponent::Loaded() { state_ &= ~(csLoading | csReading); }

void TComponent::BeginLoading() {
  state_ |= csLoading | csReading;
  for (TComponent* c : components_) c->BeginLoading();
}

void TComponent::EndLoading() {
  for (TComponent* c : components_) c->EndLoading();
  Loaded();
}

// ---- TStringList ----

const std::string& TStringList::Get(int i) const {
  if (i < 0 || i >= Count()) throw ERangeError(Format("List index out of bounds (%d)", i));
  return items_[static_cast<size_t>(i)].s;
}

void TStringList::Put(int i, std::string s) {
  if (i < 0 || i >= Count()) throw ERangeError(Format("List index out of bounds (%d)", i));
  items_[static_cast<size_t>(i)].s = std::move(s);
  Changed();
}

TObject* TStringList::Objects(int i) const {
  if (i < 0 || i >= Count()) throw ERangeError(Format("List index out of bounds (%d)", i));
  return items_[static_cast<size_t>(i)].o;
}

void TStringList::SetObject(int i, TObject* o) {
  if (i < 0 || i >= Count()) throw ERangeError(Format("List index out of bounds (%d)", i));
  items_[static_cast<size_t>(i)].o = o;
}

int TStringList::Compare(std::string_view a, std::string_view b) const {
  if (CaseSensitive) return a.compare(b);
  return UpperCase(a).compare(UpperCase(b));
}

int TStringList::AddObject(std::string s, TObject* o) {
  size_t at = items_.size();
  if (sorted_) {
    at = static_cast<size_t>(std::lower_bound(items_.begin(), items_.end(), s,
                                              [&](const Item& it, const std::string& v) {
                                                return Compare(it.s, v) < 0;
                                              }) -
                             items_.begin());
  }
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Item{std::move(s), o});
  Changed();
  return static_cast<int>(at);
}

void TStringList::Insert(int i, std::string s) {
  if (i < 0 || i > Count()) throw ERangeError(Format("List index out of bounds (%d)", i));
  items_.insert(items_.begin() + i, Item{std::move(s), nullptr});
  Changed();
}

void TStringList::Delete(int i) {
  if (i < 0 || i >= Count()) throw ERangeError(Format("List index out of bounds (%d)", i));
  items_.erase(items_.begin() + i);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

int TStringList::IndexOf(std::string_view s) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (Compare(items_[i].s, s) == 0) return static_cast<int>(i);
  return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    size_t eq = items_[i].s.find('=');
    if (eq != std::string::npos && Compare(std::string_view(items_[i].s).substr(0, eq), name) == 0)
      return static_cast<int>(i);
  }
  return -1;
}

std::string TStringList::Values(std::string_view name) const {
  int i = IndexOfName(name);
  if (i < 0) return {};
  const std::string& s = items_[static_cast<size_t>(i)].s;
  return s.substr(s.find('=') + 1);
}

std::string TStringList::Text() const {
  std::string t;
  for (const Item& it : items_) {
    t += it.s;
    t += "\r\n";
  }
  return t;
}

void TStringList::SetText(std::string_view text) {
  items_.clear();
  size_t i = 0;
  while (i < text.size()) {
    size_t j = text.find_first_of("\r\n", i);
    if (j == std::string_view::npos) j = text.size();
    items_.push_back(Item{std::string(text.substr(i, j - i)), nullptr});
    if (j < text.size() && text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ++j;
    i = j + 1;
  }
  if (sorted_)
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const Item& a, const Item& b) { return Compare(a.s, b.s) < 0; });
  Changed();
}

void TStringList::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TStringList*>(source)) {
    if (other == this) return;
    items_ = other->items_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TStringList::SetSorted(bool v) {
  if (v == sorted_) return;
  sorted_ = v;
  if (v) {
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const Item& a, const Item& b) { return Compare(a.s, b.s) < 0; });
    Changed();
  }
}

void TStringList::Changed() {
  if (OnChange) OnChange(this);
}

// ---- streams ----

int64_t TStream::Size() {
  int64_t pos = Position();
  int64_t end = Seek(0, TSeekOrigin::soEnd);
  Seek(pos, TSeekOrigin::soBeginning);
  return end;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EReadError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<uint8_t> buf(65536);
  int64_t done = 0;
  while (done < count) {
    int64_t n = std::min<int64_t>(count - done, static_cast<int64_t>(buf.size()));
    source.ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    done += n;
  }
  return done;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || pos_ >= Size()) return 0;
  int64_t n = std::min(count, Size() - pos_);
  std::memcpy(buffer, data_.data() + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (pos_ + count > Size()) data_.resize(static_cast<size_t>(pos_ + count));
  std::memcpy(data_.data() + pos_, buffer, static_cast<size_t>(count));
  pos_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? pos_ : Size();
  int64_t p = base + offset;
  if (p < 0) p = 0;
  pos_ = p;
  return pos_;
}

void TMemoryStream::SetSize(int64_t n) {
  data_.resize(static_cast<size_t>(std::max<int64_t>(0, n)));
  if (pos_ > n) pos_ = n;
}

void TMemoryStream::LoadFromStream(TStream& s) {
  s.SetPosition(0);
  int64_t n = s.Size();
  data_.resize(static_cast<size_t>(n));
  if (n) s.ReadBuffer(data_.data(), n);
  pos_ = 0;
}

void TMemoryStream::SaveToStream(TStream& s) const {
  if (!data_.empty()) s.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TMemoryStream::LoadFromFile(const std::string& utf8Path) {
  data_ = ReadFileBytes(utf8Path);
  pos_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& utf8Path) const {
  WriteFileBytes(utf8Path, data_.data(), data_.size());
}

namespace {
FILE* OpenFile(const std::string& path, bool write) {
#ifdef _WIN32
  return _wfopen(W(path).c_str(), write ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
}
}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& utf8Path) {
  FILE* f = OpenFile(utf8Path, false);
  if (!f) throw Exception(Format("Cannot open file \"%s\"", utf8Path.c_str()));
  std::vector<uint8_t> out;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) throw Exception(Format("Cannot read file \"%s\"", utf8Path.c_str()));
  return out;
}

void WriteFileBytes(const std::string& utf8Path, const uint8_t* data, size_t size) {
  FILE* f = OpenFile(utf8Path, true);
  if (!f) throw Exception(Format("Cannot create file \"%s\"", utf8Path.c_str()));
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = std::fclose(f) == 0 && ok;
  if (!ok) throw Exception(Format("Cannot write file \"%s\"", utf8Path.c_str()));
}

// ---- Byte properties ----

namespace {

class TBinaryPropertyWriter : public TFiler {
 public:
  explicit TBinaryPropertyWriter(TStream& out) : out_(out) {}
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>&,
                            const std::function<void(TStream&)>& writeData, bool hasData) override {
    if (!hasData || !writeData) return;
    if (name.empty() || name.size() > 255) throw Exception(Format("Invalid property name \"%s\"", name.c_str()));
    TMemoryStream value;
    writeData(value);
    if (value.Size() > INT32_MAX) throw EReadError("Stream write error");
    uint8_t n = static_cast<uint8_t>(name.size());
    out_.WriteBuffer(&n, 1);
    out_.WriteBuffer(name.data(), n);
    uint32_t len = static_cast<uint32_t>(value.Size());
    uint8_t le[4] = {uint8_t(len), uint8_t(len >> 8), uint8_t(len >> 16), uint8_t(len >> 24)};
    out_.WriteBuffer(le, 4);
    out_.WriteBuffer(value.Memory(), value.Size());
  }

 private:
  TStream& out_;
};

class TBinaryPropertyReader : public TFiler {
 public:
  explicit TBinaryPropertyReader(TStream& in) {
    const int64_t end = in.Size();
    while (in.Position() < end) {
      uint8_t n = 0;
      in.ReadBuffer(&n, 1);
      std::string name(n, '\0');
      in.ReadBuffer(name.data(), n);
      uint8_t le[4];
      in.ReadBuffer(le, 4);
      int64_t len = int64_t(le[0]) | int64_t(le[1]) << 8 | int64_t(le[2]) << 16 | int64_t(le[3]) << 24;
      // The length is checked against what is left before anything is allocated.
      if (len > end - in.Position()) throw EReadError("Stream read error");
      std::vector<uint8_t> bytes(static_cast<size_t>(len));
      in.ReadBuffer(bytes.data(), len);
      blocks_.emplace_back(std::move(name), std::move(bytes));
    }
  }
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& readData,
                            const std::function<void(TStream&)>&, bool) override {
    if (!readData) return;
    for (auto& [blockName, bytes] : blocks_)
      if (blockName == name) {
        TMemoryStream value(bytes);
        readData(value);
        return;
      }
  }

 private:
  std::vector<std::pair<std::string, std::vector<uint8_t>>> blocks_;
};

}  // namespace

void DefineStreamProperty(TFiler& filer, const std::string& name, TMemoryStream& stream) {
  filer.DefineBinaryProperty(
      name, [&stream](TStream& in) { stream.LoadFromStream(in); },
      [&stream](TStream& out) { stream.SaveToStream(out); }, true);
}

void WriteBinaryProperties(TPersistent& object, TStream& out) {
  TBinaryPropertyWriter w(out);
  object.DefineProperties(w);
}

void ReadBinaryProperties(TPersistent& object, TStream& in) {
  TBinaryPropertyReader r(in);
  object.DefineProperties(r);
}

// ---- TCollection ----

TCollectionItem::TCollectionItem(TCollection* collection) : collection_(collection) {
  if (collection_) collection_->items_.push_back(this);
}

TCollectionItem::~TCollectionItem() {
  if (!collection_) return;
  auto& v = collection_->items_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& v = collection_->items_;
  return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

TCollection::~TCollection() { Clear(); }

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = makeItem_(this);
  // An item made without this collection joins it here.
  if (item->collection_ != this) {
    item->collection_ = this;
    items_.push_back(item);
  }
  return item;
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw ERangeError(Format("List index out of bounds (%d)", index));
  return items_[static_cast<size_t>(index)];
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  while (!items_.empty()) delete items_.back();
}

void TCollection::Assign(const TPersistent* source) {
  auto* src = dynamic_cast<const TCollection*>(source);
  if (!src) return TPersistent::Assign(source);
  if (src == this) return;
  Clear();
  for (TCollectionItem* item : src->items_) Add()->Assign(item);
}

}  // namespace rtl
