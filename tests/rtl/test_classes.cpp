#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/Classes.h"

using namespace rtl;

namespace {

class TNamedItem : public TCollectionItem {
  KORVAN_CLASS(TNamedItem)
 public:
  using TCollectionItem::TCollectionItem;
  std::string Name;
  TMemoryStream Data;
  void Assign(const TPersistent* source) override {
    auto* s = dynamic_cast<const TNamedItem*>(source);
    if (!s) return TCollectionItem::Assign(source);
    Name = s->Name;
    Data.Clear();
    s->Data.SaveToStream(Data);
  }
  void DefineProperties(TFiler& filer) override {
    filer.DefineBinaryProperty(
        "Data", [this](TStream& in) { Data.Clear(); Data.LoadFromStream(in); },
        [this](TStream& out) { Data.SaveToStream(out); }, true);
    filer.DefineBinaryProperty("Skipped", nullptr, [](TStream& out) { out.WriteBuffer("x", 1); }, false);
  }
};

TCollection MakeNamedItems(TPersistent* owner = nullptr) {
  return TCollection([](TCollection* c) { return new TNamedItem(c); }, owner);
}

TNamedItem* At(const TCollection& c, int i) { return static_cast<TNamedItem*>(c.Items(i)); }

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

}  // namespace

TEST(Collections, ItemsJoinAndLeaveAndAssignCopiesEveryItemInOrder) {
  TPersistent owner;
  auto a = MakeNamedItems(&owner);
  EXPECT_EQ(a.Owner(), &owner);
  for (const char* n : {"Tahoma", "FontAwesome", "Segoe"}) {
    auto* item = static_cast<TNamedItem*>(a.Add());
    item->Name = n;
    item->Data.WriteBuffer(n, 3);
  }
  ASSERT_EQ(a.Count(), 3);
  EXPECT_EQ(At(a, 2)->Index(), 2);
  EXPECT_EQ(At(a, 2)->Collection(), &a);
  delete At(a, 1);  // an item freed on its own leaves its collection
  ASSERT_EQ(a.Count(), 2);
  EXPECT_EQ(At(a, 1)->Name, "Segoe");
  EXPECT_EQ(At(a, 1)->Index(), 1);
  EXPECT_THROW(a.Items(2), ERangeError);

  auto b = MakeNamedItems();
  b.Add()->Assign(At(a, 0));
  b.Add();
  b.Add();
  b.Assign(&a);  // the old items go
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(At(b, 0)->Name, "Tahoma");
  EXPECT_EQ(At(b, 1)->Name, "Segoe");
  EXPECT_EQ(At(b, 1)->Data.Bytes(), Bytes("Seg"));
  EXPECT_NE(At(b, 1), At(a, 1));

  auto empty = MakeNamedItems();
  b.Assign(&empty);
  EXPECT_EQ(b.Count(), 0);
  EXPECT_THROW(b.Assign(nullptr), EConvertError);
  TStringList notACollection;
  EXPECT_THROW(b.Assign(&notACollection), EConvertError);
}

TEST(BinaryProperties, WrittenAsLengthBlocksAndReadBackByName) {
  TNamedItem source(nullptr);
  source.Data.WriteBuffer("\x00\x01\x02", 3);
  TMemoryStream stream;
  WriteBinaryProperties(source, stream);
  // One block: name "Data", 32-bit length 3, the bytes; the property without data is left out.
  std::vector<uint8_t> want = {4, 'D', 'a', 't', 'a', 3, 0, 0, 0, 0, 1, 2};
  EXPECT_EQ(stream.Bytes(), want);

  TNamedItem copy(nullptr);
  copy.Data.WriteBuffer("old", 3);
  stream.Seek(0, TSeekOrigin::soBeginning);
  ReadBinaryProperties(copy, stream);
  EXPECT_EQ(copy.Data.Bytes(), source.Data.Bytes());

  // An empty value is still written, as an empty block, and read back as empty.
  TNamedItem empty(nullptr);
  TMemoryStream s2;
  WriteBinaryProperties(empty, s2);
  EXPECT_EQ(s2.Bytes(), (std::vector<uint8_t>{4, 'D', 'a', 't', 'a', 0, 0, 0, 0}));
  s2.Seek(0, TSeekOrigin::soBeginning);
  ReadBinaryProperties(copy, s2);
  EXPECT_EQ(copy.Data.Size(), 0);
}

TEST(BinaryProperties, UnknownBlocksAreSkippedAndDamagedOnesRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    bool throws;
    std::string data;  // what the item holds afterwards ("keep" when untouched)
  } cases[] = {
      {"unknown name first", {3, 'O', 't', 'h', 1, 0, 0, 0, 'z', 4, 'D', 'a', 't', 'a', 1, 0, 0, 0, 'y'}, false, "y"},
      {"no blocks", {}, false, "keep"},
      {"length past the end", {4, 'D', 'a', 't', 'a', 9, 0, 0, 0, 'y'}, true, "keep"},
      {"huge length", {4, 'D', 'a', 't', 'a', 0xFF, 0xFF, 0xFF, 0xFF}, true, "keep"},
      {"name cut short", {4, 'D', 'a'}, true, "keep"},
      {"length cut short", {4, 'D', 'a', 't', 'a', 1, 0}, true, "keep"},
  };
  for (const Case& c : cases) {
    TNamedItem item(nullptr);
    item.Data.WriteBuffer("keep", 4);
    TMemoryStream in(c.bytes);
    if (c.throws) {
      EXPECT_THROW(ReadBinaryProperties(item, in), EReadError) << c.name;
    } else {
      EXPECT_NO_THROW(ReadBinaryProperties(item, in)) << c.name;
    }
    EXPECT_EQ(std::string(item.Data.Bytes().begin(), item.Data.Bytes().end()), c.data) << c.name;
  }
}
