// Menu shortcuts between their text and their key: the texts a window's own menu shows
// after a tab become keys the class layer's items carry, and show the same again.
#include <windows.h>

#include <gtest/gtest.h>

#include "gui/Menus.h"

namespace gui {
namespace {

TEST(ShortCuts, TextsBecomeKeysAndShowTheSameAgain) {
  struct Case {
    const char* text;
    TShortCut key;
    const char* shown;  // nullptr: the text itself
  };
  const Case cases[] = {
      {"Alt+F4", TShortCut(scAlt | VK_F4), nullptr},
      {"Ctrl+T", TShortCut(scCtrl | 'T'), nullptr},
      {"Shift+Del", TShortCut(scShift | VK_DELETE), nullptr},
      {"Ctrl+Shift+F12", TShortCut(scCtrl | scShift | VK_F12), "Shift+Ctrl+F12"},
      {"ctrl+p", TShortCut(scCtrl | 'P'), "Ctrl+P"},
      {"F1", TShortCut(VK_F1), nullptr},
      {"Alt+Enter", TShortCut(scAlt | VK_RETURN), nullptr},
      {"9", TShortCut('9'), nullptr},
      // Texts no key answers to.
      {"", 0, ""},
      {"Ctrl+", 0, ""},
      {"Alt+Foo", 0, ""},
      {"F25", 0, ""},
      {"F1x", 0, ""},
      {"Strg+T", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToShortCut(c.text), c.key) << c.text;
    EXPECT_EQ(ShortCutToText(TextToShortCut(c.text)), c.shown ? c.shown : c.text) << c.text;
  }
}

}  // namespace
}  // namespace gui
