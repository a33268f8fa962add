#include <gtest/gtest.h>

#include "rtl/IniFiles.h"

namespace {

const char* kText =
    "top=dropped\r\n"
    "[GLOBALINFO]\r\n"
    "  Version = 10 \r\n"
    "; a comment\r\n"
    "\r\n"
    "Hex=$1F\r\n"
    "Hex2=0x1f\r\n"
    "Bad=12a\r\n"
    "Flag\r\n"
    "Version=11\r\n"
    "[Button]\r\n"
    "Color=0xFF00FF\r\n"
    "[GLOBALINFO]\r\n"
    "Later=yes\n";

TEST(MemIniFile, SectionsAndKeysInFileOrderFirstKeyWins) {
  rtl::TMemIniFile ini;
  ini.SetText(kText);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"GLOBALINFO", "Button"}));
  EXPECT_EQ(ini.ReadSection("globalinfo"),
            (std::vector<std::string>{"Version", "Hex", "Hex2", "Bad", "Flag", "Version", "Later"}));
  EXPECT_EQ(ini.ReadString("GLOBALINFO", "Version", "?"), "10");  // trimmed, first wins
  EXPECT_EQ(ini.ReadString("GLOBALINFO", "Flag", "?"), "");
  EXPECT_TRUE(ini.ValueExists("GLOBALINFO", "Later"));
  EXPECT_FALSE(ini.ValueExists("Button", "Later"));
  EXPECT_FALSE(ini.SectionExists("top"));
}

TEST(MemIniFile, IntegersInEveryFormTheSkinsWrite) {
  rtl::TMemIniFile ini;
  ini.SetText(kText);
  EXPECT_EQ(ini.ReadInteger("GLOBALINFO", "Hex", -1), 31);
  EXPECT_EQ(ini.ReadInteger("GLOBALINFO", "Hex2", -1), 31);
  EXPECT_EQ(ini.ReadInteger("GLOBALINFO", "Bad", -1), -1);
  EXPECT_EQ(ini.ReadInteger("Button", "Color", -1), 0xFF00FF);
  EXPECT_EQ(ini.ReadInteger("Button", "Missing", 7), 7);
}

TEST(MemIniFile, CaseSensitiveStoreTellsNamesApart) {
  rtl::TMemIniFile ini(true);
  ini.SetText("[A]\nkey=1\n[a]\nKEY=2\n");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"A", "a"}));
  EXPECT_EQ(ini.ReadString("a", "KEY", "?"), "2");
  EXPECT_EQ(ini.ReadString("A", "KEY", "?"), "?");
  ini.SetText("[B]\n");  // new text replaces the old
  EXPECT_FALSE(ini.SectionExists("A"));
}

}  // namespace
