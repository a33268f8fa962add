#include <gtest/gtest.h>

#include "skin/core/acLivePreview.h"

namespace skin {
namespace {

TEST(LivePreview, WholeRecordReadsItsThreeTexts) {
  const std::string record = MakeLivePreviewRecord({"Editor Skin", "c:\\Skins\\", "[GLOBALINFO]\r\nVersion=10\r\n"});
  ASSERT_EQ(record.size(), 30645u);
  EXPECT_EQ(uint8_t(record[0]), 0x00);
  EXPECT_EQ(uint8_t(record[1]), 0xA4);
  auto p = ReadLivePreview(record.data(), record.size());
  ASSERT_TRUE(p);
  EXPECT_EQ(p->SkinName, "Editor Skin");
  EXPECT_EQ(p->SkinDirectory, "c:\\Skins\\");
  EXPECT_EQ(p->OptionsText, "[GLOBALINFO]\r\nVersion=10\r\n");
}

TEST(LivePreview, ShortOrUntaggedDataIsNoRecord) {
  std::string record = MakeLivePreviewRecord({"A", "B", "C"});
  EXPECT_TRUE(HasLivePreviewTag(record.data(), 4));
  // A sender that stops short must not make the reader run past what arrived.
  for (size_t size : {size_t(0), size_t(3), size_t(4), size_t(644), record.size() - 1})
    EXPECT_FALSE(ReadLivePreview(record.data(), size)) << size;
  EXPECT_FALSE(ReadLivePreview(nullptr, record.size()));
  record[0] = 1;
  EXPECT_FALSE(HasLivePreviewTag(record.data(), record.size()));
  EXPECT_FALSE(ReadLivePreview(record.data(), record.size()));
}

TEST(LivePreview, TextsWithoutTheirZeroStopAtTheirField) {
  std::string record = MakeLivePreviewRecord({});
  // Every field filled to its last byte: no terminating zero anywhere.
  std::fill(record.begin() + 4, record.begin() + 132, 'n');
  std::fill(record.begin() + 132, record.begin() + 644, 'd');
  std::fill(record.begin() + 644, record.end(), 't');
  auto p = ReadLivePreview(record.data(), record.size());
  ASSERT_TRUE(p);
  EXPECT_EQ(p->SkinName, std::string(128, 'n'));
  EXPECT_EQ(p->SkinDirectory, std::string(512, 'd'));
  EXPECT_EQ(p->OptionsText, std::string(30001, 't'));
  // A longer buffer adds nothing to the texts.
  std::string longer = record + "extra";
  EXPECT_EQ(ReadLivePreview(longer.data(), longer.size())->OptionsText.size(), 30001u);
}

}  // namespace
}  // namespace skin
