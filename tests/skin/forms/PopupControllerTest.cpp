// The popup controller under Wine: a click that closes every open popup, a popup that stays
// open keeping all handlers, and nothing at all without a controller.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "../../gui/GuiTestSupport.h"
#include "skin/forms/acPopupController.h"

namespace skin {
namespace {

class Popups : public guitest::WithRecordedDialogs {
 protected:
  gui::TForm* Popup() {
    forms.push_back(std::make_unique<gui::TForm>(nullptr));
    gui::TForm* f = forms.back().get();
    f->SetBounds(10, 10, 80, 60);
    f->Show();
    return f;
  }
  void TearDown() override {
    controller.Handlers.clear();
    forms.clear();
    WithRecordedDialogs::TearDown();
  }
  std::vector<std::unique_ptr<gui::TForm>> forms;
  TacPopupController controller;
};

TEST_F(Popups, AClickClosesEveryOpenPopup) {
  gui::TForm* a = Popup();
  gui::TForm* b = Popup();
  gui::TForm* hidden = Popup();
  hidden->Hide();
  controller.Handlers.push_back(std::make_unique<TacFormHandler>(a));
  controller.Handlers.push_back(nullptr);
  controller.Handlers.push_back(std::make_unique<TacFormHandler>(b));
  controller.Handlers.push_back(std::make_unique<TacFormHandler>(hidden));
  controller.Handlers.push_back(std::make_unique<TacFormHandler>(nullptr));
  EXPECT_EQ(VisiblePopupCount(&controller, nullptr), 2);
  EXPECT_EQ(VisiblePopupCount(&controller, a), 1);
  CloseAllPopups(&controller);
  EXPECT_FALSE(IsWindowVisible(a->Handle()));
  EXPECT_FALSE(IsWindowVisible(b->Handle()));
  EXPECT_TRUE(controller.Handlers.empty()) << "no popup stays open: the handlers go";
}

TEST_F(Popups, APopupThatStaysOpenKeepsEveryHandler) {
  gui::TForm* a = Popup();
  gui::TForm* stays = Popup();
  stays->OnCloseQuery = [](rtl::TObject*, bool& canClose) { canClose = false; };
  controller.Handlers.push_back(std::make_unique<TacFormHandler>(a));
  controller.Handlers.push_back(std::make_unique<TacFormHandler>(stays));
  CloseAllPopups(&controller);
  EXPECT_FALSE(IsWindowVisible(a->Handle()));
  EXPECT_TRUE(IsWindowVisible(stays->Handle()));
  EXPECT_EQ(controller.Handlers.size(), 2u);
}

TEST_F(Popups, WithoutAControllerNothingCloses) {
  gui::TForm* a = Popup();
  ASSERT_EQ(PopupController(), nullptr) << "no component of this program makes one";
  CloseAllPopups(PopupController());
  EXPECT_EQ(VisiblePopupCount(PopupController(), nullptr), 0);
  EXPECT_TRUE(IsWindowVisible(a->Handle()));
}

}  // namespace
}  // namespace skin
