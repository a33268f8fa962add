#include <gtest/gtest.h>

#include "skin/core/sCommonUtils.h"

namespace skin {
namespace {

TIniSections Parse(std::vector<std::string> lines) {
  TIniSections s;
  ParseIniLines(lines, s);
  return s;
}

TEST(IniList, SectionsAndLinesKeepFileOrderAndRawText) {
  TIniSections s = Parse({"x=1", "[A]", "k=v", ";c", "", "[B"});
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].Name, "A");
  EXPECT_EQ(s[0].Lines, (std::vector<std::string>{"k=v", "[B"}));
  s = Parse({"[]", " a = 1 ", "[Second]", "b=2"});
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].Name, "");
  EXPECT_EQ(s[0].Lines[0], " a = 1 ");
  EXPECT_EQ(s[1].Name, "Second");
}

TEST(IniList, ReloadingReplacesEveryNestedList) {
  // Loading again into the same list must not keep (or leak) the first content; the
  // sanitizer build checks the memory side.
  TIniSections s = Parse({"[A]", "a=1", "[B]", "b=2"});
  ParseIniLines({"[C]", "c=3"}, s);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(IniListReadString(s, "A", "a", "none"), "none");
  EXPECT_EQ(IniListReadString(s, "c", "C", "none"), "3");
}

TEST(IniList, ReadStringMatchesKeysExactlyButIgnoringCase) {
  TIniSections s = Parse({"[Sec]", "KEY=abc", "EMPTY=", " pad=1", "Key=second", "x==y", "noequals"});
  struct {
    const char *section, *ident, *expected;
  } cases[] = {
      {"sec", "key", "abc"},        // case ignored, first match wins
      {"Sec", "EMPTY", ""},         // an empty value is a value, not the default
      {"Sec", "pad", "def"},        // no trimming: " pad" is not "pad"
      {"Sec", " pad", "1"},
      {"Sec", "x", "=y"},           // the value is everything after the first "="
      {"Sec", "noequals", "def"},
      {"Other", "KEY", "def"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IniListReadString(s, c.section, c.ident, "def"), c.expected) << c.section << "/" << c.ident;
}

TEST(IniList, ReadIntegerForms) {
  struct {
    const char* value;
    int32_t expected;
  } cases[] = {
      {"0x1F", 31}, {"$1F", 31}, {"0X1f", 31}, {"0x", -7}, {"12a", -7}, {"-12", -12}, {"", -7},
      {"$FFFFFFFF", -1}, {"0xFF00FF", 0xFF00FF}, {"4294967296", -7}, {" 5", -7}, {"0x1G", -7},
  };
  for (const auto& c : cases) {
    TIniSections s = Parse({"[S]", std::string("v=") + c.value});
    EXPECT_EQ(IniListReadInteger(s, "S", "v", -7), c.expected) << c.value;
  }
  EXPECT_EQ(IniListReadInteger({}, "S", "v", 9), 9);
}

TEST(IniList, SplitLinesTakesEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
}

TEST(Numbers, ParseHex) {
  struct {
    const char* s;
    uint64_t v;
  } cases[] = {{"ffh", 255}, {"FF", 255}, {"1G", 0}, {"", 0}, {"H", 0}, {"0x10", 0},
               {"FFFFFFFFFFFFFFFF", ~0ull}, {"123456789ABCDEF01", 0x23456789ABCDEF01ull}};
  for (const auto& c : cases) EXPECT_EQ(ParseHex(c.s), c.v) << c.s;
}

TEST(Scaling, StepBoundariesAndRounding) {
  struct {
    int ppi, step;
  } steps[] = {{96, 0}, {110, 0}, {111, 1}, {134, 1}, {135, 2}, {170, 2}, {171, 3}, {480, 3}};
  for (const auto& c : steps) EXPECT_EQ(ScaleStepOfPPI(c.ppi), c.step) << c.ppi;
  EXPECT_EQ(ScaleByStep(7, 1), 8);
  EXPECT_EQ(ScaleByStep(7, 2), 10);
  EXPECT_EQ(ScaleByStep(-7, 1), -8);
  EXPECT_EQ(ScaleByStep(7, 3), 14);
  EXPECT_EQ(ScaleByStep(7, 4), 7);
  EXPECT_EQ(ScaleByPPI(10, 144), 15);
  EXPECT_EQ(ScaleByPPI(-5, 120), -6);  // -6.25 truncated toward zero
  EXPECT_EQ(ScaleByPPI(1 << 30, 192), INT32_MIN);  // wraps like the 32-bit original, no UB
}

TEST(Geometry, RectanglesAndRanges) {
  EXPECT_TRUE(IsBetween(5, 1, 9, false));
  EXPECT_FALSE(IsBetween(5, 9, 1, false));
  EXPECT_TRUE(IsBetween(5, 9, 1, true));
  EXPECT_EQ(ClampInt(-1, 0, 10), 0);
  EXPECT_EQ(ClampInt(11, 0, 10), 10);
  EXPECT_FALSE(IndexInRange(3, 3));
  EXPECT_FALSE(RectsOverlap({0, 0, 10, 10}, {10, 0, 20, 10}));  // touching
  EXPECT_TRUE(RectsOverlap({0, 0, 10, 10}, {9, 9, 20, 20}));
  EXPECT_FALSE(RectsOverlap({0, 0, 10, 10}, {5, 5, 5, 8}));  // empty B
  EXPECT_TRUE(RectInArea({0, 0, 10, 10}, {0, 0, 10, 10}, true));
  EXPECT_FALSE(RectInArea({0, 0, 10, 10}, {0, 0, 11, 10}, true));
  EXPECT_TRUE(RectInArea({0, 0, 10, 10}, {10, 10, 20, 20}, false));
  EXPECT_EQ(IntersectRects({0, 0, 5, 5}, {6, 1, 9, 3}), (TacRect{6, 1, 5, 3}));
  EXPECT_EQ(MirrorRect({1, 2, 4, 6}, 10, 20, true), (TacRect{6, 2, 9, 6}));
  EXPECT_EQ(MirrorRect({1, 2, 4, 6}, 10, 20, false), (TacRect{1, 14, 4, 18}));
  EXPECT_EQ(MirrorRectIn({12, 0, 14, 1}, {10, 0, 20, 5}, true), (TacRect{16, 0, 18, 1}));
  EXPECT_EQ(RectWidth({5, 0, 2, 0}, true), 0);
  EXPECT_EQ(RectWidth({5, 0, 2, 0}), -3);
}

TEST(Text, WordsAndStrings) {
  EXPECT_EQ(NthWordPos(2, ",,ab,,cd,e", ","), 7u);
  EXPECT_EQ(NthWord(2, ",,ab,,cd,e", ","), "cd");
  EXPECT_EQ(NthWord(4, ",,ab,,cd,e", ","), "");
  EXPECT_EQ(NthWordPos(0, "ab", ","), 0u);
  EXPECT_EQ(CountWords(",,ab,,cd,e,", ","), 3);
  EXPECT_EQ(CountWords("", ","), 0);
  EXPECT_EQ(RepeatChar('x', -2), "");
  EXPECT_EQ(PadLeftWith('0', "7", 3), "007");
  EXPECT_EQ(PadLeftWith('0', "1234", 3), "1234");
  EXPECT_EQ(RemoveChars("a-b-c", '-'), "abc");
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");  // replaced text is not scanned again
  EXPECT_EQ(ReplaceAll("abcabc", "bc", ""), "aa");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(Files, NormalizeDirPath) {
  struct {
    const char *in, *out;
  } cases[] = {{"", ""}, {"D", "D:\\"}, {"a/", "a\\"}, {"C:\\x\\", "C:\\x\\"}, {"C:\\x", "C:\\x\\"}, {"/", "\\"}};
  for (const auto& c : cases) EXPECT_EQ(NormalizeDirPath(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(Ticks, ElapsedTimeSurvivesTheCounterWrap) {
  // What both waits ask at each turn: how long is still to go.
  const uint64_t wrap = 0x100000000ull;  // where a 32-bit tick count starts again at 0
  struct {
    uint64_t start;
    uint32_t interval;
    uint64_t now, left;
  } cases[] = {
      {100, 250, 100, 250},          {100, 250, 300, 50},         {100, 250, 350, 0}, {100, 250, 9000, 0},
      {100, 0, 100, 0},              // a wait of nothing is over at once
      {wrap - 0x100, 0x200, wrap - 0x100, 0x200},  // a wait that spans the wrap: not over
      {wrap - 0x100, 0x200, wrap - 1, 0x101},      // at the last tick before the wrap,
      {wrap - 0x100, 0x200, wrap, 0x100},          // nor at the wrap itself,
      {wrap - 0x100, 0x200, wrap + 0xFF, 1},
      {wrap - 0x100, 0x200, wrap + 0x100, 0},      // but when its time has passed
      {wrap - 1, 0xFFFFFFFFu, wrap, 0xFFFFFFFEu},  // the longest wait, begun just before it
      {~0ull - 5, 10, ~0ull, 5},                   // and the same at the end of the 64-bit count
      {~0ull - 5, 10, 4, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TicksLeft(c.start, c.interval, c.now), c.left) << std::hex << c.start << " " << c.now;
}

TEST(MessageBoxes, StyleOfKindAndButtons) {
  struct {
    int kind;
    unsigned buttons;
    uint32_t style;
  } cases[] = {
      {mkConfirmation, mbtYes | mbtNo | mbtCancel | mbtHelp, 0x20 | 0x3 | 0x4000},
      {mkWarning, mbtOK | mbtCancel, 0x30 | 0x1},
      {mkError, mbtOK, 0x10},
      {mkInformation, mbtOK | mbtAbort, 0x40},  // OK is matched first
      {mkCustom, mbtIgnore, 0x2},
      {mkCustom, mbtNo, 0x4},
      {mkCustom, mbtRetry | mbtCancel, 0x5},
      {mkCustom, mbtCancel, 0x0},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageBoxStyle(c.kind, c.buttons), c.style) << c.kind << "/" << c.buttons;
  EXPECT_STREQ(DefaultMessageCaption(mkConfirmation), "Confirm");
  EXPECT_STREQ(DefaultMessageCaption(mkCustom), "");
}

TEST(CommandLine, VersionSwitchInAnyCaseButExact) {
  EXPECT_TRUE(HasVersionSwitch({"x", "/ACVER"}));
  EXPECT_TRUE(HasVersionSwitch({"/acver"}));
  EXPECT_FALSE(HasVersionSwitch({"/acverx", "acver", "/acve"}));
  EXPECT_FALSE(HasVersionSwitch({}));
}

}  // namespace
}  // namespace skin

#include "rtl/TypInfo.h"

namespace skin {
namespace {

class TPropHost : public rtl::TPersistent {
  KORVAN_CLASS(TPropHost)
 public:
  int64_t color = 5;
  int64_t options = 0;
  rtl::TPersistent font;
};
class TPropChild : public TPropHost {
  KORVAN_CLASS(TPropChild)
};

void RegisterHostProperties() {
  static bool done = false;
  if (done) return;
  done = true;
  rtl::RegisterOrdProperty<TPropHost>(
      "Color", [](TPropHost* h) { return h->color; }, [](TPropHost* h, int64_t v) { h->color = v; });
  rtl::RegisterObjectProperty<TPropHost>("Font", [](TPropHost* h) { return &h->font; });
  rtl::TPropInfo set;
  set.Name = "Options";
  set.Kind = rtl::TPropKind::pkSet;
  set.AppliesTo = [](const rtl::TObject* o) { return dynamic_cast<const TPropHost*>(o) != nullptr; };
  set.GetOrd = [](rtl::TObject* o) { return static_cast<TPropHost*>(o)->options; };
  set.SetOrd = [](rtl::TObject* o, int64_t v) { static_cast<TPropHost*>(o)->options = v; };
  set.SetMembers = {"goFixed", "goEditing", "goRowSelect"};
  rtl::RegisterProperty(set);
}

TEST(Properties, ReadAndWriteByNameOnDescendantsToo) {
  RegisterHostProperties();
  TPropChild c;
  rtl::TObject other;
  EXPECT_TRUE(HasProp(&c, "color"));
  EXPECT_FALSE(HasProp(&other, "Color"));
  EXPECT_EQ(ReadOrdProp(&c, "Color"), 5);
  WriteOrdProp(&c, "Color", 9);
  EXPECT_EQ(c.color, 9);
  EXPECT_EQ(ReadOrdProp(&other, "Color"), -1);
  WriteOrdProp(&other, "Color", 1);  // absent: nothing happens
  EXPECT_EQ(ReadObjectProp(&c, "Font"), &c.font);
  EXPECT_EQ(ReadObjectProp(&c, "Color"), nullptr);
  EXPECT_EQ(ReadObjectProp(nullptr, "Font"), nullptr);
}

TEST(Properties, SetMembersByTheirText) {
  RegisterHostProperties();
  TPropHost h;
  ChangeSetProp(&h, "Options", "goEditing", true);  // into an empty set
  EXPECT_EQ(h.options, 2);
  EXPECT_TRUE(SetPropContains(&h, "Options", "goEditing"));
  EXPECT_FALSE(SetPropContains(&h, "Options", "goediting"));  // exact names
  ChangeSetProp(&h, "Options", "goRowSelect", true);
  ChangeSetProp(&h, "Options", "goEditing", false);
  EXPECT_EQ(h.options, 4);
  ChangeSetProp(&h, "Options", "goFixed", false);  // not there: nothing written
  EXPECT_EQ(h.options, 4);
  EXPECT_THROW(ChangeSetProp(&h, "Options", "goNoSuch", true), rtl::EConvertError);
}

TEST(Properties, SetTextRule) {
  struct {
    const char *text, *element;
    bool include;
    const char* result;
  } cases[] = {
      {"a,b", "c", true, "a,b,c"},  {"a,b", "b", true, "a,b"},   {"", "a", true, ",a"},
      {"a,b,c", "b", false, "a,c"}, {"b,c", "b", false, "c"},    {"b", "b", false, ""},
      {"ab,c", "b", false, "ab,c"}, {"a,c", "b", false, "a,c"},  // whole names, not substrings
      {"ab", "b", true, "ab,b"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChangeSetText(c.text, c.element, c.include), c.result) << c.text << " " << c.element;
}

}  // namespace
}  // namespace skin
