// The skin engine's start-up steps run once before the tests of a program and its shut-down
// steps once after them, as the program itself does; and a skin manager on the project's
// test skin.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/core/acStartup.h"
#include "skin/core/sSkinManager.h"

namespace skintest {

class EngineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { skin::RunEngineStartup(); }
  void TearDown() override { skin::RunEngineShutdown(); }
};
inline ::testing::Environment* const kEngineEnvironment = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

// A manager (the default one while it is the first) with the test skin loaded from the
// folder of skins given in the form the Windows build reads it ("Z:" and the host path).
inline std::unique_ptr<skin::TsSkinManager> TestSkinManager(const std::string& skins,
                                                            const std::string& name = "Korvan Test") {
  auto m = std::make_unique<skin::TsSkinManager>(nullptr);
  m->SetSkinDirectory(skins);
  m->SetSkinName(name);
  EXPECT_TRUE(m->IsSkinLoaded()) << skins;
  return m;
}

}  // namespace skintest
