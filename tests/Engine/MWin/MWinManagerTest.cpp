// Tests of the manager: metrics, the message queue, input gates, mouse
// mapping and text placement.
#include <cstring>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

int g_calls = 0;
void CountCallback() { ++g_calls; }

TEST_F(MWinTest, StyleResetGivesTheLayoutMetrics) {
  const float* m = mw->Metrics(0);
  struct Case {
    int entry;
    float value;
  };
  const Case cases[] = {{0, 30}, {1, 3},  {2, 60},  {3, 20},  {4, 0},   {6, 3},   {7, 0},
                        {8, 10}, {9, 12}, {13, 24}, {16, 15}, {17, 3},  {25, 3},  {29, 20},
                        {34, 0.05f}, {36, 4}, {40, 8}, {42, 24}, {45, 1}, {46, 4}, {48, 12}};
  for (const Case& c : cases) EXPECT_FLOAT_EQ(m[c.entry], c.value) << "entry " << c.entry;
  EXPECT_FLOAT_EQ(mw->Metrics(1)[0], 40);
  EXPECT_FLOAT_EQ(mw->Metrics(2)[0], 50);
  EXPECT_FLOAT_EQ(mw->Metrics(3)[0], 30);
  EXPECT_EQ(mw->Style().hoverActivatesCollections, 1);
  EXPECT_EQ(mw->Style().pieBlendingType, -1);
}

TEST_F(MWinTest, QueueHoldsOneMessageAndRunsItOnTheNextTick) {
  MWinWindow* w = AddScreen();
  MWinButton* b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
  b->SetSimpleCallback(CountCallback);
  g_calls = 0;
  EXPECT_TRUE(mw->AddMessageToQueue("Screen", "Win", "B", 0));
  EXPECT_FALSE(mw->AddMessageToQueue("Screen", "Win", "B", 0));
  EXPECT_TRUE(LogContains("Queue not empty"));
  EXPECT_FALSE(mw->AddMessageToQueue("Screen", "", "B", 0));
  EXPECT_TRUE(LogContains("ID(s) invalid"));
  EXPECT_EQ(g_calls, 0);
  EXPECT_TRUE(mw->Tick());
  EXPECT_EQ(g_calls, 1);
  EXPECT_EQ(mw->GetQueueCount(), 0);
  EXPECT_FALSE(mw->ProcessQueueMessages());
}

TEST_F(MWinTest, QueuedMessageOfARemovedButtonIsDropped) {
  MWinWindow* w = AddScreen();
  MWinButton* b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
  b->SetSimpleCallback(CountCallback);
  g_calls = 0;
  ASSERT_TRUE(mw->AddMessageToQueue("Screen", "Win", "B", 0));
  ASSERT_TRUE(w->RemoveButton(b));
  mw->Tick();
  EXPECT_EQ(g_calls, 0);
  EXPECT_TRUE(LogContains("mwin.GetButtonFromIDs() failed"));
  EXPECT_EQ(mw->GetQueueCount(), 0);
}

int g_ticks = 0;
bool TickingHook(int) { return false; }

TEST_F(MWinTest, InputIsRefusedWhileOffOrDisabled) {
  MWinWindow* w = AddScreen();
  MWinButton* b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
  EXPECT_TRUE(Move(20, 20) || b->IsHighlighted());
  EXPECT_TRUE(b->IsHighlighted());
  mw->EnableKeys(false);
  EXPECT_FALSE(Key(13));
  EXPECT_FALSE(Char('a'));
  mw->EnableKeys(true);
  mw->EnableInput(false);
  EXPECT_FALSE(Move(30, 30));
  mw->EnableInput(true);
  mw->Shutdown();
  EXPECT_FALSE(mw->HandleInputEvent(1, 10, 10));
  EXPECT_FALSE(mw->IsOn());
  (void)g_ticks;
  (void)TickingHook;
}

TEST_F(MWinTest, MappingRectangleAndPlainMapping) {
  mw->SetMousePosition(100, 200);
  EXPECT_FLOAT_EQ(mw->GetMouseX(), 100);
  EXPECT_FLOAT_EQ(mw->GetMouseY(), 200);
  mw->SetMappingRect(true, 320, 240, 320, 240);
  mw->SetMousePosition(480, 300);
  EXPECT_FLOAT_EQ(mw->GetMouseX(), 320);
  EXPECT_FLOAT_EQ(mw->GetMouseY(), 120);
}

TEST_F(MWinTest, DrawTextPlacesAndFitsTheLine) {
  struct Case {
    int align;
    float x;
    int hAlign;
  };
  // Area 100, 50, 200 x 40; margin 5.
  const Case cases[] = {{0, 105, 0}, {1, 200, 1}, {2, 295, 2}};
  for (const Case& c : cases) {
    eng.ClearDrawn();
    mw->DrawText(-1, c.align, 5, 100, 50, 200, 40, nullptr, "abc", false, true);
    ASSERT_EQ(eng.texts.size(), 1u);
    EXPECT_FLOAT_EQ(eng.texts[0].x, c.x);
    EXPECT_FLOAT_EQ(eng.texts[0].y, 70);
    EXPECT_EQ(eng.texts[0].hAlign, c.hAlign);
    EXPECT_EQ(eng.texts[0].vAlign, 1);
  }
  // 30 characters are 300 wide: squeezed for this draw only, into a room
  // that keeps the margin, and at least the script text's margin (5), off
  // both edges whatever the alignment: 200 - 2 x 5.
  ASSERT_FLOAT_EQ(mw->Metrics(0)[kMetScriptMarginX], 5);
  const struct {
    int align;
    float margin;
  } squeezes[] = {{1, 5}, {1, 2}, {0, 5}, {2, 2}};
  const std::string wide(30, 'w');
  for (const auto& c : squeezes) {
    eng.ClearDrawn();
    mw->DrawText(-1, c.align, c.margin, 100, 50, 200, 40, nullptr, wide.c_str(), false, true);
    ASSERT_EQ(eng.texts.size(), 1u);
    EXPECT_NEAR(eng.texts[0].rx, 190.0f / 300.0f, 1e-5) << c.align << " " << c.margin;
    EXPECT_FLOAT_EQ(font.rx, 1.0f);
  }
  // Nothing for an unknown font or an empty text.
  eng.ClearDrawn();
  mw->DrawText(5, 0, 0, 0, 0, 10, 10, nullptr, "x", false, false);
  mw->DrawText(-1, 0, 0, 0, 0, 10, 10, nullptr, "", false, false);
  EXPECT_TRUE(eng.texts.empty());
}

TEST_F(MWinTest, BackgroundModeThreeWithMissingImageFallsBackToClearing) {
  mw->Shutdown();
  mw->Style().backgroundMode = 3;
  std::strcpy(mw->Style().backgroundFile, "missing.tga");
  EXPECT_TRUE(mw->Startup());
  EXPECT_EQ(mw->Style().backgroundMode, 1);
  EXPECT_TRUE(LogContains("Could not load background image <missing.tga>"));
}

TEST_F(MWinTest, TickRunningAMessageSkipsTheDesktopTick) {
  MWinWindow* w = AddScreen();
  MWinButton* edit = w->AddButton("E", MWIN_BUT_TEXTEDIT, "MWIN_TEXBUT_NONE", "", 10, 10, 100, 20);
  MWinButton* b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 40, 50, 20);
  b->SetSimpleCallback(CountCallback);
  edit->TextEditSetLength(20);
  ASSERT_TRUE(edit->TextEditStartEditing());
  ASSERT_TRUE(mw->AddMessageToQueue("Screen", "Win", "B", 0));
  edit->ClearPressed();
  mw->Tick();
  // The text entry's tick (which sets its pressed flag) did not run.
  EXPECT_FALSE(edit->IsPressed());
  mw->Tick();
  EXPECT_TRUE(edit->IsPressed());
}

}  // namespace
