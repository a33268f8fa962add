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

class TPersistent : public TObject {
  KORVAN_CLASS(TPersistent)
 public:
  // Copies source into this object; classes that do not know the source refuse it with
  // the class library's text "Cannot assign a <source> to a <this>".
  virtual void Assign(const TPersistent* source);

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

// Whole-file helpers with UTF-8 paths; raise Exception with the file name on failure.
std::vector<uint8_t> ReadFileBytes(const std::string& utf8Path);
void WriteFileBytes(const std::string& utf8Path, const uint8_t* data, size_t size);

}  // namespace rtl
