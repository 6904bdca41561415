// Tests of the horizontal scrollbar and the graph.
#include <cmath>
#include <string>
#include <vector>

#include "Engine/MWin/MWinGraph.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "tests/Engine/MWin/MWinFake.h"

namespace {

struct Call {
  int dragging;
  double value;
};
std::vector<Call> g_calls;
void RecordBar(MWinCallbackRecord* r, std::uint32_t, std::uint32_t) {
  g_calls.push_back({r->scrollbarDragging, r->scrollbarValue});
}

class MWinScrollbarTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    w = AddScreen();
    bar = w->AddHorzScrollbar("H", "MWIN_TEXBUT_NONE", "", 100, 100, 200, 20);
    ASSERT_NE(bar, nullptr);
    bar->SetCallback(RecordBar, 0, 0);
    g_calls.clear();
  }
  MWinWindow* w = nullptr;
  MWinHorzScrollbar* bar = nullptr;
  // Default metrics: thumb 24 wide, track ends 3 in: usable length 170.
};

TEST_F(MWinScrollbarTest, RangesAndSteps) {
  EXPECT_DOUBLE_EQ(bar->GetMaximum(), 100);
  EXPECT_DOUBLE_EQ(bar->GetBigStep(), 10);
  Move(150, 110);
  EXPECT_FALSE(Key(39));  // no input before a range is set
  bar->SetRange(0, 50, 0, 0);
  EXPECT_DOUBLE_EQ(bar->GetBigStep(), 5);
  EXPECT_DOUBLE_EQ(bar->GetSmallStep(), 0.5);
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 0);
  bar->SetRange(10, 5, 1, 1);  // reversed: ignored
  EXPECT_DOUBLE_EQ(bar->GetMaximum(), 50);
  bar->SetRange(0, 10, 2, 1);
  bar->SetPosFloat(0.5f, false);
  EXPECT_TRUE(Key(37));
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 0.5);
  EXPECT_TRUE(Key(39));
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 1.5);
  EXPECT_TRUE(Key(34));
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 3.5);
  EXPECT_TRUE(Wheel(2));
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 1.5);
  // Setting the same value again still calls back.
  g_calls.clear();
  bar->SetPosDouble(1.5, false, false, true);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].dragging, 0);
}

TEST_F(MWinScrollbarTest, BoundCharRoundingAndFloatMultiplier) {
  bar->SetRange(-200, 200, 0, 0);
  signed char c = 0;
  ASSERT_TRUE(bar->RegisterCharVariable(&c, false));
  struct Case {
    double value;
    int expected;
  };
  const Case cases[] = {{3.5, 3}, {3.6, 4}, {-3.6, -3}, {200, 127}, {-200, -127}, {3.0, 3}};
  for (const Case& k : cases) {
    bar->SetPosDouble(k.value, false, true, false);
    EXPECT_EQ(c, k.expected) << k.value;
  }
  float f = 2;
  EXPECT_FALSE(bar->RegisterFloatVariable(&f, 0, false));
  EXPECT_TRUE(LogContains("0 val passed as mult"));
  ASSERT_TRUE(bar->RegisterFloatVariable(&f, 10, false));
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 20);
  bar->SetPosDouble(50, false, false, false);
  EXPECT_FLOAT_EQ(f, 5);
  EXPECT_TRUE(std::isfinite(f));
}

TEST_F(MWinScrollbarTest, ThumbDragAndTrackClicks) {
  bar->SetRange(0, 170, 10, 1);
  // The thumb starts at x 103.
  Move(110, 110);
  Press();
  ASSERT_TRUE(bar->IsCapturingInput());
  Release();
  EXPECT_TRUE(g_calls.empty());  // no move, no callback
  Press();
  Move(160, 110);  // 50 units right
  Move(210, 110);
  Release();
  ASSERT_EQ(g_calls.size(), 3u);
  EXPECT_EQ(g_calls[0].dragging, 1);
  EXPECT_NEAR(g_calls[0].value, 50, 1e-9);
  EXPECT_NEAR(g_calls[1].value, 100, 1e-9);
  EXPECT_EQ(g_calls[2].dragging, 0);
  EXPECT_NEAR(g_calls[2].value, 100, 1e-9);
  g_calls.clear();
  Click(290, 110);  // right of the thumb: a big step up
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 110);
  Click(105, 110);  // left of the thumb: a big step down
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 100);
}

// ---- Graph ------------------------------------------------------------------------

TEST_F(MWinTest, GraphMarksValuesAndShapes) {
  MWinWindow* w = AddScreen();
  MWinGraph* g = w->AddGraph("G", "MWIN_TEXBUT_NONE", 100, 100, 200, 100);
  ASSERT_NE(g, nullptr);
  EXPECT_FALSE(g->SetMarks(0, 10, 1, 0, 100, 4));
  EXPECT_TRUE(LogContains("Invalid Parameters"));
  ASSERT_TRUE(g->SetMarks(0, 10, 5, 0, 100, 3));
  EXPECT_EQ(g->GetGraphTriangles(), 8);
  EXPECT_FALSE(g->SetMarkValue(5, 1));
  EXPECT_TRUE(LogContains("Invalid horz mark num 5"));
  EXPECT_TRUE(g->SetMarkValue(2, 150));
  EXPECT_TRUE(LogContains("Warning - Invalid vert val 150.000000 - cropping"));
  EXPECT_DOUBLE_EQ(g->GetMarkValue(2), 100);
  // Plot box 100 + 0 inset .. 300; marks every 50.
  EXPECT_FLOAT_EQ(g->GetMarkX(4), 300);
  EXPECT_FLOAT_EQ(g->GetVertMarkY(1), 150);
  g->SetStyle(2, -1, -1, -1, -1, -1, -1, -1, 60);
  EXPECT_EQ(g->GetGraphTriangles(), 10);
  // Bars are 40 wide: a gap of 60 (30 a side) would turn them inside out,
  // so they are drawn without one.
  auto* list = static_cast<FakeTriList*>(g->GetGraphList());
  ASSERT_NE(list, nullptr);
  EXPECT_FLOAT_EQ(list->xy[0][0], 100);
  EXPECT_FLOAT_EQ(list->xy[0][2], 140);
  g->SetStyle(-1, -1, -1, -1, -1, -1, -1, -1, 10);
  list = static_cast<FakeTriList*>(g->GetGraphList());
  EXPECT_FLOAT_EQ(list->xy[0][0], 105);
  eng.ClearDrawn();
  mw->Render();
  // Frame, grid lines at the first and last marks (3 vertical: bars have one
  // more), then the series.
  EXPECT_EQ(eng.triDraws.size(), 1u + 2u + 2u + 1u);
}

TEST_F(MWinTest, GraphWithOneVerticalMarkAndMoreVerticalThanHorizontalMarks) {
  MWinWindow* w = AddScreen();
  MWinGraph* g = w->AddGraph("G", "MWIN_TEXBUT_NONE", 100, 100, 200, 100);
  g->SetStyle(2, -1, 2, -1, -1, -1, -1, -1, -1);
  ASSERT_TRUE(g->SetMarks(0, 1, 1, 0, 10, 1));
  EXPECT_FLOAT_EQ(g->GetVertMarkY(0), 200);
  EXPECT_FALSE(std::isnan(g->GetVertMarkY(0)));
  ASSERT_TRUE(g->SetMarks(0, 1, 2, 0, 10, 9));
  for (int j = 0; j < 9; ++j) EXPECT_FLOAT_EQ(g->GetVertMarkY(j), 200 - j * 12.5f);
  eng.ClearDrawn();
  mw->Render();  // every grid line; no overflow of the mark tables
  EXPECT_EQ(eng.triDraws.size(), 1u + 9u + 3u + 1u);
}

TEST_F(MWinTest, GraphTexts) {
  MWinWindow* w = AddScreen();
  MWinGraph* g = w->AddGraph("G", "MWIN_TEXBUT_NONE", 100, 100, 200, 100);
  const std::string forty(40, 'q');
  ASSERT_TRUE(g->SetTexts("100", nullptr, forty.c_str(), "end"));
  EXPECT_EQ(std::string(g->GetGraphText(2)), std::string(31, 'q'));
  EXPECT_STREQ(g->GetGraphText(1), "");
  eng.ClearDrawn();
  mw->Render();
  EXPECT_EQ(eng.DrawnTexts().size(), 3u);
  ASSERT_TRUE(g->SetTexts(nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(g->GetGraphText(0), nullptr);
}

}  // namespace

namespace {

TEST_F(MWinTest, GraphicsComeBackAfterADeviceRecreation) {
  MWinWindow* w = AddScreen();
  MWinGraph* g = w->AddGraph("G", "MWIN_TEXBUT_NONE", 10, 10, 200, 100);
  ASSERT_TRUE(g->SetMarks(0, 10, 4, 0, 100, 3));
  MWinButton* pic = w->AddButton("P", MWIN_BUT_PICTURE, "MWIN_TEXBUT_NONE", "", 300, 10, 50, 50);
  ASSERT_NE(pic->PictureData().lists[0], nullptr);
  mw->DestroyGraphicsObjects();
  EXPECT_EQ(g->GetGraphList(), nullptr);
  EXPECT_EQ(pic->PictureData().lists[0], nullptr);
  EXPECT_EQ(eng.liveLists, 0);
  EXPECT_TRUE(mw->CreateGraphicsObjects());
  EXPECT_NE(g->GetGraphList(), nullptr);
  EXPECT_EQ(g->GetGraphTriangles(), 6);
  EXPECT_NE(pic->PictureData().lists[0], nullptr);
}

}  // namespace
