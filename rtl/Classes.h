// The object model the whole program is written against: objects that know their
// class library name, components with an owner that frees them, string lists and streams.
// Win32-free, so the data layer and the picture decoders build and test natively too.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/SysUtils.h"

namespace rtl {

class TObject;
using TNotifyEvent = std::function<void(TObject* sender)>;

// Declares the class name a class reports; the skin engine compares these names as text,
// so they are the class library's names ("TForm", "TEdit"), never C++ type names.
#define KORVAN_CLASS(name)                                          \
 public:                                                            \
  static constexpr const char* StaticClassName() { return #name; } \
  const char* ClassName() const override { return #name; }         \
                                                                    \
 private:

class TObject {
 public:
  virtual ~TObject() = default;
  virtual const char* ClassName() const { return "TObject"; }
  bool ClassNameIs(std::string_view name) const { return SameText(ClassName(), name); }
};

class TFiler;

class TPersistent : public TObject {
  KORVAN_CLASS(TPersistent)
 public:
  // Copies source into this object; classes that do not know the source refuse it with
  // the class library's text "Cannot assign a <source> to a <this>".
  virtual void Assign(const TPersistent* source);
  // Declares the values the object streams itself besides its plain properties (whole
  // files kept as bytes).
  virtual void DefineProperties(TFiler&) {}

 protected:
  virtual void AssignTo(TPersistent* dest) const;
};

enum TComponentStateBit : unsigned {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,  // never set at run time; kept because code tests it
};
enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  KORVAN_CLASS(TComponent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(std::string_view name) const;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  intptr_t Tag = 0;
  unsigned ComponentState() const { return state_; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }

  // Components told when this one goes away (besides the owner, which always is).
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  // Builds the component tree as a stored layout would be read: csLoading during the
  // build, then Loaded on every owned component and on this one.
  void BeginLoading();
  void EndLoading();

 protected:
  virtual void Notification(TComponent* component, TOperation op);
  virtual void Loaded();
  // Frees the owned components, newest first. A derived class whose components rely on
  // it calls this in its own destructor, while it is still whole.
  void DestroyComponents();
  void MarkDestroying() { state_ |= csDestroying; }
  unsigned state_ = 0;

 private:
  void NotifyRemoval();
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
};

// Ordered strings with an optional object per line, as the class library's TStringList.
class TStringList : public TPersistent {
  KORVAN_CLASS(TStringList)
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& operator[](int i) const { return Get(i); }
  const std::string& Get(int i) const;
  void Put(int i, std::string s);
  TObject* Objects(int i) const;
  void SetObject(int i, TObject* o);
  int Add(std::string s) { return AddObject(std::move(s), nullptr); }
  int AddObject(std::string s, TObject* o);
  void Insert(int i, std::string s);
  void Delete(int i);
  void Clear();  // does not free the objects
  int IndexOf(std::string_view s) const;
  int IndexOfName(std::string_view name) const;
  std::string Values(std::string_view name) const;
  // Lines joined with CR LF, each line ended; setting splits on CR LF, LF or CR.
  std::string Text() const;
  void SetText(std::string_view text);
  void Assign(const TPersistent* source) override;

  bool CaseSensitive = false;
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  TNotifyEvent OnChange;

 private:
  void Changed();
  int Compare(std::string_view a, std::string_view b) const;
  struct Item {
    std::string s;
    TObject* o = nullptr;
  };
  std::vector<Item> items_;
  bool sorted_ = false;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t p) { Seek(p, TSeekOrigin::soBeginning); }
  virtual int64_t Size();
  // Raise EReadError "Stream read error" / "Stream write error" on a short transfer.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source at its position; count 0 copies all of source from its start.
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
  KORVAN_CLASS(TMemoryStream)
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t n);
  void Clear() { data_.clear(); pos_ = 0; }
  const uint8_t* Memory() const { return data_.data(); }
  uint8_t* Memory() { return data_.data(); }
  const std::vector<uint8_t>& Bytes() const { return data_; }
  void LoadFromStream(TStream& s);
  void SaveToStream(TStream& s) const;
  void LoadFromFile(const std::string& utf8Path);
  void SaveToFile(const std::string& utf8Path) const;

 private:
  std::vector<uint8_t> data_;
  int64_t pos_ = 0;
};

// What an object's DefineProperties talks to: a reader hands each declared byte property
// its stored bytes, a writer asks for them. hasData false leaves the property unwritten.
class TFiler {
 public:
  virtual ~TFiler() = default;
  virtual void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& readData,
                                    const std::function<void(TStream&)>& writeData, bool hasData) = 0;
};

// Declares a memory stream as a byte property holding its whole content, written even
// when empty; reading replaces the content.
void DefineStreamProperty(TFiler& filer, const std::string& name, TMemoryStream& stream);

// The byte properties of an object as one block each: the name (one length byte, then
// its bytes) and the value (a 32-bit little-endian length, then the bytes).
void WriteBinaryProperties(TPersistent& object, TStream& out);
// Reads such blocks from the stream's position to its end and gives each property the
// object declares its block; a property without a block is left as it is. A block cut
// short or running past the end raises EReadError.
void ReadBinaryProperties(TPersistent& object, TStream& in);

class TCollection;

// One item of a collection; it joins the collection it is made with and leaves it when
// freed.
class TCollectionItem : public TPersistent {
  KORVAN_CLASS(TCollectionItem)
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;
  TCollection* Collection() const { return collection_; }
  int Index() const;

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

// Owned items of one class, made through the item factory the collection is given.
class TCollection : public TPersistent {
  KORVAN_CLASS(TCollection)
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  explicit TCollection(TItemFactory makeItem, TPersistent* owner = nullptr)
      : makeItem_(std::move(makeItem)), owner_(owner) {}
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItem* Add();
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;
  void Delete(int index);
  void Clear();
  // What the collection belongs to, nullptr for none.
  TPersistent* Owner() const { return owner_; }
  // Clears itself, then adds a copy (Assign) of every item of a source collection, in order.
  void Assign(const TPersistent* source) override;

 private:
  friend class TCollectionItem;
  TItemFactory makeItem_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;
};

// Whole-file helpers with UTF-8 paths; raise Exception with the file name on failure.
std::vector<uint8_t> ReadFileBytes(const std::string& utf8Path);
void WriteFileBytes(const std::string& utf8Path, const uint8_t* data, size_t size);

}  // namespace rtl
