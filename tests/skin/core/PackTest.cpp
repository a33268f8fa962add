// The packed skin reader against files written by our own packer (tests/skin/data/skinpack.py):
// well-formed files, the options entry in any case, large entries back to back, and every
// malformed case refused whole.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "skin/core/acSkinPack.h"

namespace {

using skin::TacBytes;

std::string CasePath(const std::string& name) { return std::string(KORVAN_PACK_CASES) + "/" + name; }

TacBytes ReadCase(const std::string& name) {
  std::ifstream f(CasePath(name), std::ios::binary);
  EXPECT_TRUE(f.good()) << name;
  return TacBytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

skin::TacSkinConvertor Unpack(const std::string& name, bool& ok) {
  skin::TacSkinConvertor c;
  c.SourceStream = ReadCase(name);
  ok = skin::UnpackSkinStream(c);
  return c;
}

std::string Text(const TacBytes& b) { return std::string(b.begin(), b.end()); }

const char* const kOptions = "[GLOBALINFO]\r\nVERSION=12\r\n[BUTTON]\r\nCOLOR=255\r\n";

TEST(PackedSkin, WellFormedFileGivesOptionsAndFilesWithKinds) {
  bool ok = false;
  auto c = Unpack("good.asz", ok);
  ASSERT_TRUE(ok);
  ASSERT_TRUE(c.OptionsStream.has_value());
  EXPECT_EQ(Text(*c.OptionsStream), kOptions);
  ASSERT_EQ(c.Files.size(), 4u);
  EXPECT_EQ(c.FileCount, 4);
  struct { const char* name; int32_t kind; const char* data; } expected[] = {
      {"Master.BMP", skin::fkBitmap, nullptr}, {"Icons.ttf", skin::fkFont, "\0\1\0\0font"},
      {"Glyph.png", skin::fkOther, "png-bytes"}, {"README", skin::fkOther, ""}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(c.Files[i].Name, expected[i].name);
    EXPECT_EQ(c.Files[i].Kind, expected[i].kind) << expected[i].name;
  }
  EXPECT_EQ(c.Files[0].Data.size(), 32u);
  EXPECT_EQ(Text(c.Files[1].Data), std::string("\0\1\0\0font", 8));
  EXPECT_EQ(Text(c.Files[2].Data), "png-bytes");
  EXPECT_TRUE(c.Files[3].Data.empty());
}

TEST(PackedSkin, NoEntriesAndEntriesWithoutOptions) {
  bool ok = false;
  auto empty = Unpack("empty.asz", ok);
  EXPECT_TRUE(ok);
  EXPECT_FALSE(empty.OptionsStream.has_value());
  EXPECT_TRUE(empty.Files.empty());
  EXPECT_EQ(empty.FileCount, 0);

  auto noOptions = Unpack("no_options.asz", ok);
  EXPECT_TRUE(ok);
  EXPECT_FALSE(noOptions.OptionsStream.has_value());
  EXPECT_EQ(noOptions.FileCount, 2);
  EXPECT_EQ(noOptions.Files[1].Kind, skin::fkFont);
}

TEST(PackedSkin, OptionsEntryFoundInAnyCase) {
  for (const char* name : {"options_upper.asz", "options_lower.asz"}) {
    bool ok = false;
    auto c = Unpack(name, ok);
    EXPECT_TRUE(ok) << name;
    ASSERT_TRUE(c.OptionsStream.has_value()) << name;
    EXPECT_EQ(Text(*c.OptionsStream), kOptions);
    EXPECT_TRUE(c.Files.empty()) << name;
  }
}

TEST(PackedSkin, EntriesLargerThanABlockFollowEachOther) {
  bool ok = false;
  auto c = Unpack("big_entries.asz", ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(c.Files.size(), 2u);
  EXPECT_EQ(c.Files[0].Data, ReadCase("big1.bin"));
  EXPECT_EQ(c.Files[1].Data, ReadCase("big2.bin"));
  ASSERT_TRUE(c.OptionsStream.has_value());
  EXPECT_EQ(Text(*c.OptionsStream), kOptions);
}

TEST(PackedSkin, MalformedFilesAreRefusedWhole) {
  const char* cases[] = {"bad_signature.asz", "short_3.asz", "short_header.asz", "negative_count.asz",
                         "count_beyond.asz", "huge_count.asz", "negative_name.asz", "huge_name.asz",
                         "name_beyond.asz", "negative_size.asz", "huge_size.asz", "size_beyond_ratio.asz",
                         "size_too_small.asz", "size_too_large.asz", "stream_cut.asz", "stream_garbage.asz",
                         "no_size.asz", "good_then_bad.asz"};
  for (const char* name : cases) {
    bool ok = true;
    auto c = Unpack(name, ok);
    EXPECT_FALSE(ok) << name;
    EXPECT_FALSE(c.OptionsStream.has_value()) << name;
    EXPECT_TRUE(c.Files.empty()) << name;
    EXPECT_EQ(c.FileCount, 0) << name;
  }
}

TEST(PackedSkin, PreviewBlock) {
  auto good = skin::ExtractPreviewImage(ReadCase("good.asz"));
  ASSERT_TRUE(good.has_value());
  EXPECT_EQ(good->size(), 48u);
  EXPECT_EQ(Text(TacBytes(good->begin(), good->begin() + 4)), "\x89PNG");
  auto first = skin::LoadPreviewFromFile(CasePath("preview_first.asz"));
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(Text(*first), "WXYZ");
  for (const char* name : {"preview_beyond.asz", "preview_negative.asz", "preview_cut.asz", "empty.asz"})
    EXPECT_FALSE(skin::ExtractPreviewImage(ReadCase(name)).has_value()) << name;
  EXPECT_FALSE(skin::LoadPreviewFromFile(CasePath("no such file.asz")).has_value());
}

TEST(PackedSkin, FindPatternPositions) {
  struct { size_t offset; const char* pattern; const char* text; size_t expected; } cases[] = {
      {0, "previewimg", "xxpreviewimg", 3}, {0, "abc", "ababcabc", 3}, {3, "abc", "ababcabc", 6},
      {6, "abc", "ababcabc", 0},           {0, "abc", "ab", 0},         {9, "a", "abc", 0},
      {0, "", "abc", 0},                   {0, "aab", "aaab", 2}};
  for (const auto& t : cases)
    EXPECT_EQ(skin::FindPattern(t.offset, t.pattern, t.text), t.expected) << t.pattern << " in " << t.text;
}

TEST(PackedSkin, KindsFromExtensions) {
  struct { const char* name; int32_t kind; } cases[] = {
      {"a.bmp", 0}, {"A.Bmp", 0}, {"f.TTF", 1}, {"f.oTf", 1}, {"p.png", 2}, {"noext", 2}, {"dir.bmp\\x", 2},
      {"x.bmp.png", 2}, {".bmp", 0}};
  for (const auto& t : cases) EXPECT_EQ(skin::FileKindOf(t.name), t.kind) << t.name;
}

}  // namespace

namespace {

std::string SkinPath(const std::string& name) { return std::string(KORVAN_TEST_SKIN) + "/" + name; }

TacBytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  EXPECT_TRUE(f.good()) << path;
  return TacBytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

TEST(PackedSkin, TestSkinPackedMatchesItsFolder) {
  skin::TacSkinConvertor c;
  c.SourceStream = ReadFile(SkinPath("Korvan Test.asz"));
  ASSERT_TRUE(skin::UnpackSkinStream(c));
  ASSERT_TRUE(c.OptionsStream.has_value());
  EXPECT_EQ(*c.OptionsStream, ReadFile(SkinPath("Korvan Test/Options.dat")));
  for (const char* name : {"Master.bmp", "Master32.png", "Glyph.png", "Glyph.bmp", "Pattern.bmp", "KorvanTest.ttf"}) {
    const skin::TacFileItem* item = skin::FindFileEntry(c, name);
    ASSERT_NE(item, nullptr) << name;
    EXPECT_EQ(item->Data, ReadFile(SkinPath(std::string("Korvan Test/") + name))) << name;
  }
  EXPECT_EQ(skin::FindFileEntry(c, "MASTER.BMP"), skin::FindFileEntry(c, "Master.bmp"));
  EXPECT_EQ(skin::FindFileEntry(c, "KorvanTest.ttf")->Kind, skin::fkFont);
  EXPECT_EQ(c.FileCount, 6);
  EXPECT_EQ(skin::FindFileEntry(c, "Options.dat"), nullptr);
  auto preview = skin::LoadPreviewFromFile(SkinPath("Korvan Test.asz"));
  ASSERT_TRUE(preview.has_value());
  EXPECT_EQ(*preview, ReadFile(SkinPath("Korvan Test/Master32.png")));
}

TEST(PackedSkin, MasterBitmapNamedInLowerCaseIsFound) {
  skin::TacSkinConvertor c;
  c.SourceStream = ReadFile(SkinPath("Korvan Case.asz"));
  ASSERT_TRUE(skin::UnpackSkinStream(c));
  const skin::TacFileItem* item = skin::FindFileEntry(c, "master.bmp");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Name, "Master.bmp");
  EXPECT_EQ(item->Kind, skin::fkBitmap);
}

}  // namespace
