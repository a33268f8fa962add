// A frame's adapter on a skinned form: the frame painted from its section (see-through by
// default, so exactly the form's pixels show where the frame lies), its popup menus drawn
// by the skin, and the frame's own window procedure and look given back when the adapter
// goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "../hooks/HookSteps.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {
namespace {

// Pixels of the frame's place, outside its edit, that differ between two shots of the form.
int ChangedAroundEdit(gui::TBitmap& a, gui::TBitmap& b, HWND form, gui::TWinControl* frame, gui::TWinControl* edit) {
  RECT fr, r, er;
  GetWindowRect(form, &fr);
  GetWindowRect(frame->Handle(), &r);
  GetWindowRect(edit->Handle(), &er);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      if (x >= er.left && x < er.right && y >= er.top && y < er.bottom) continue;
      n += ::GetPixel(a.Canvas().Handle(), x - fr.left, y - fr.top) !=
           ::GetPixel(b.Canvas().Handle(), x - fr.left, y - fr.top);
    }
  return n;
}

TEST(FrameAdapter, PaintsTheFrameFromItsSectionAndGivesItBack) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  h.Manager->SetSkinnedPopups(true);
  gui::TForm& form = h.NewForm("Bingkai", 420, 260);
  form.SetBounds(420, 300, 420, 260);
  auto* frame = new gui::TFrame(&form);
  frame->SetParent(&form);
  frame->SetBounds(20, 30, 360, 180);
  frame->SetColor(gui::TColor(RGB(250, 230, 60)));  // its own colour, unlike the form's
  auto* edit = new gui::TEdit(frame);
  edit->SetParent(frame);
  edit->SetBounds(8, 8, 150, 24);
  auto* popup = new gui::TPopupMenu(frame);
  form.HandleNeeded();
  const HWND formWnd = form.Handle();

  auto* provider = new TsSkinProvider(&form);
  auto* adapter = new TsFrameAdapter(frame);
  adapter->Loaded();
  ASSERT_TRUE(adapter->OwnsWindowProc());
  EXPECT_TRUE(popup->OwnerDraw()) << "the frame's popup menu is drawn by the skin";

  gui::TBitmap* behind = nullptr;
  skintest::ShowSteps(h, formWnd);
  h.Step("the form without the frame", [&] {
    frame->SetVisible(false);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("the frame shown", [&] {
    behind = &h.Shot(formWnd, "frame_adapter_behind");
    frame->SetVisible(true);
    skintest::RedrawWhole(formWnd);
  });
  gui::TBitmap* skinned = nullptr;
  h.Step("painted from its section", [&] {
    skinned = &h.Shot(formWnd, "frame_adapter_skinned");
    const HWND fw = frame->Handle();
    EXPECT_NE(GetWindowSkinData(fw), nullptr);
    EXPECT_EQ(SendSkinCommand(fw, AC_GETSKININDEX), h.Manager->GetSkinIndex("TRANSPARENT") + 1);
    EXPECT_EQ(ChangedAroundEdit(*behind, *skinned, formWnd, frame, edit), 0)
        << "a see-through frame shows exactly the form's pixels, not its own colour";
    EXPECT_EQ(frame->Perform(WM_NCPAINT, 1, 0), 0);
    // A record the sender does not hold is not written to.
    int32_t record[2] = {7, 7};
    PostMessageW(fw, SM_ALPHACMD, MakeSkinCommand(AC_GETSKININDEXTO), LPARAM(record));
    skintest::TSkinHarness::Pump(30);
    EXPECT_EQ(record[1], 7);
  });
  h.Step("a section of its own", [&] {
    adapter->SkinData()->SetSkinSection("PANEL");
    SendSkinCommand(frame->Handle(), AC_REFRESH, LPARAM(h.Manager.get()));
    skintest::RedrawWhole(formWnd);
  });
  h.Step("the panel's look", [&] {
    gui::TBitmap& panel = h.Shot(formWnd, "frame_adapter_panel");
    EXPECT_GT(ChangedAroundEdit(*behind, panel, formWnd, frame, edit), 1000) << "the frame takes the panel section";
    delete adapter;
    skintest::RedrawWhole(formWnd);
  });
  h.Step("given back", [&] {
    gui::TBitmap& back = h.Shot(formWnd, "frame_adapter_released");
    const HWND fw = frame->Handle();
    EXPECT_EQ(GetWindowSkinData(fw), nullptr);
    EXPECT_NE(SendSkinCommand(fw, AC_CTRLHANDLED), 1);
    EXPECT_GT(ChangedAroundEdit(*behind, back, formWnd, frame, edit), 1000) << "the frame paints its own colour again";
  });
  h.Run();
  delete provider;
}

// The mouse entering a frame leaves a frame inside it that still shows itself hovered (but
// not the one it came from), and makes the entered frame the manager's hovered window.
TEST(FrameAdapter, EnteringAFrameLeavesTheHoveredFramesInsideIt) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Bingkai", 420, 260);
  auto* outer = new gui::TFrame(&form);
  outer->SetParent(&form);
  outer->SetBounds(10, 10, 380, 200);
  gui::TFrame* inner[2];
  int leaves[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    inner[i] = new gui::TFrame(outer);
    inner[i]->SetParent(outer);
    inner[i]->SetBounds(10 + 180 * i, 10, 160, 150);
    gui::TWndMethod own = inner[i]->WindowProc;
    inner[i]->WindowProc = [own, &leaves, i](gui::TMessage& m) {
      if (m.Msg == gui::CM_MOUSELEAVE) ++leaves[i];
      own(m);
    };
  }
  form.HandleNeeded();
  auto* provider = new TsSkinProvider(&form);
  std::unique_ptr<TsFrameAdapter> adapters[3] = {std::make_unique<TsFrameAdapter>(outer),
                                                 std::make_unique<TsFrameAdapter>(inner[0]),
                                                 std::make_unique<TsFrameAdapter>(inner[1])};
  for (auto& a : adapters) a->Loaded();
  adapters[1]->SkinData()->FHovered = true;
  adapters[2]->SkinData()->FHovered = true;
  outer->Perform(gui::CM_MOUSEENTER, 0, LPARAM(inner[1]));
  EXPECT_EQ(leaves[0], 1) << "the hovered frame inside is left";
  EXPECT_EQ(leaves[1], 0) << "the frame the mouse came from is told by its own leave";
  EXPECT_EQ(h.Manager->HoveredWindow(), outer->Handle());
  adapters[1]->SkinData()->FHovered = false;
  outer->Perform(gui::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(leaves[0], 1) << "a frame no longer hovered is left alone";
  EXPECT_EQ(leaves[1], 1);
  for (auto& a : adapters) a.reset();
  delete provider;
}

}  // namespace
}  // namespace skin
