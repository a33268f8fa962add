// A skin manager over the project's test skin, made and freed by each test and the first
// manager of its process while it lives; message boxes are recorded.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../../gui/GuiTestSupport.h"
#include "skin/core/sSkinManager.h"

namespace skin::test {

inline const std::string kSkins = std::string("Z:") + KORVAN_TEST_SKIN;
inline constexpr const char* kSkinName = "Korvan Test";

class WithTestSkinManager : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    ASSERT_EQ(DefaultManager(), nullptr);
    m = std::make_unique<TsSkinManager>(nullptr);
    m->SetSkinDirectory(kSkins);
  }
  void TearDown() override {
    m.reset();
    WithRecordedDialogs::TearDown();
  }
  void Load(const std::string& name) { m->SetSkinName(name); }
  std::unique_ptr<TsSkinManager> m;
};

}  // namespace skin::test
