// The program block's frame: a failing start-up step or a main window that cannot be
// made ends the program with the exception box, or with the error output when no box
// can be shown, and exit code 1; nothing leaves the block.
#include <gtest/gtest.h>

#include "app/ProgramBlock.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;

namespace {

// A form whose window cannot be made: its base window class does not exist.
class TFUnmakeable : public TForm {
  KORVAN_CLASS(TFUnmakeable)
 public:
  using TForm::TForm;

 protected:
  void CreateParams(TCreateParams& p) override {
    TForm::CreateParams(p);
    p.BaseClassName = L"KorvanNoSuchClass";
  }
};

class BoxThatCannotShow : public IDialogService {
 public:
  int ShowMessageBox(const TMessageRequest&) override { throw rtl::Exception("Error creating window (TMessageForm)"); }
};

using StartupFailure = guitest::WithRecordedDialogs;

TEST_F(StartupFailure, EndsWithTheExceptionBoxAndExitCodeOne) {
  struct Case {
    const char* what;
    std::function<void()> startUp;
    const char* text;
  } cases[] = {
      {"a failing step", [] { throw rtl::Exception("Cannot open resource LOGO"); }, "Cannot open resource LOGO."},
      {"a non-standard exception", [] { throw 42; }, "Unknown error."},
      {"a main window that cannot be made",
       [] {
         TFUnmakeable* f = nullptr;
         Application->CreateForm(f);
         Application->SetMainForm(f);
       },
       "Window class KorvanNoSuchClass is not available."},
  };
  for (const auto& c : cases) {
    dialogs.shown.clear();
    EXPECT_EQ(app::RunProgram(c.startUp), 1) << c.what;
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.what;
    EXPECT_EQ(dialogs.shown[0].Caption, "KORVAN") << c.what;
    EXPECT_EQ(dialogs.shown[0].Text, c.text) << c.what;
    EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError) << c.what;
    if (TCustomForm* f = Application->MainForm()) delete f;
  }
}

TEST(StartupFailureWithoutWindows, GoesToTheErrorOutput) {
  BoxThatCannotShow noBox;
  SetDialogService(&noBox);
  testing::internal::CaptureStderr();
  int rc = app::RunProgram([] { throw rtl::Exception("Error creating window (TFLogin)"); });
  std::string err = testing::internal::GetCapturedStderr();
  SetDialogService(nullptr);
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(err, "KORVAN: Error creating window (TFLogin)\n");
}

}  // namespace
