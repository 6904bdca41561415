// Tests of the panel kind.
#include <string>
#include <vector>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

std::vector<std::string> g_entries;
const char* EntryText(int n, int) {
  // Reading outside the list is a fault of the caller.
  EXPECT_GE(n, 0);
  EXPECT_LT(n, static_cast<int>(g_entries.size()));
  if (n < 0 || n >= static_cast<int>(g_entries.size())) return "";
  return g_entries[n].c_str();
}
struct PanelEvent {
  int event, entry, source;
};
std::vector<PanelEvent> g_events;
void RecordPanel(MWinCallbackRecord* r, std::uint32_t, std::uint32_t) {
  g_events.push_back({r->panelEvent, r->panelEntry, r->panelSource});
}

class MWinPanelTest : public MWinTest {
 protected:
  MWinButton* MakePanel(int count, int perPage) {
    g_entries.clear();
    for (int i = 0; i < count; ++i) g_entries.push_back("Row" + std::to_string(i));
    w = AddScreen();
    MWinButton* p = w->AddButton("P", MWIN_BUT_PANEL, "MWIN_TEXBUT_NONE", "", 100, 100, 200, 200);
    EXPECT_TRUE(p->PanelSetStringsCallback(count, perPage, EntryText));
    p->SetCallback(RecordPanel, 0, 0);
    g_events.clear();
    return p;
  }
  MWinWindow* w = nullptr;
};

TEST_F(MWinPanelTest, ThumbAndTrackPaging) {
  MWinButton* p = MakePanel(25, 10);
  const MWinPanelData& d = p->PanelData();
  ASSERT_TRUE(d.barShown);
  const float* m = mw->Metrics(0);
  EXPECT_FLOAT_EQ(d.trackLength, 200 - 2 * m[kMetPanelEndInset]);
  EXPECT_FLOAT_EQ(d.thumbH, d.trackLength * 10 / 25);
  EXPECT_FLOAT_EQ(d.textWidth, 200 - m[kMetPanelBarW]);
  const float barX = 100 + 200 - m[kMetPanelBarW] + 2;
  const float expected[] = {10, 15, 15};
  for (float e : expected) {
    Move(barX, 295);  // below the thumb
    Press();
    EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), e);
    Release();  // a release on the track selects nothing
  }
  EXPECT_TRUE(g_events.empty());
  Move(barX, 105);
  Press();
  EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), 5);
  Release();
  EXPECT_EQ(p->PanelGetNumVisible(), 10);
  EXPECT_EQ(p->PanelGetEntryFromVisibleRow(3), 8);
  MWinArea a;
  ASSERT_TRUE(p->PanelGetVisibleRowArea(1, &a));
  EXPECT_FLOAT_EQ(a.y, 120);
  EXPECT_FALSE(p->PanelGetVisibleRowArea(10, &a));
}

TEST_F(MWinPanelTest, ReleaseOnARowSelectsItAndDoubleClickConfirms) {
  MWinButton* p = MakePanel(25, 10);
  Move(150, 145);  // row 2
  Press();
  EXPECT_TRUE(g_events.empty());
  Release();
  ASSERT_EQ(g_events.size(), 1u);
  EXPECT_EQ(g_events[0].event, 0);
  EXPECT_EQ(g_events[0].entry, 2);
  EXPECT_EQ(g_events[0].source, 1);
  EXPECT_TRUE(mw->HandleInputEvent(3, 0, 0));
  ASSERT_EQ(g_events.size(), 2u);
  EXPECT_EQ(g_events[1].event, 1);
  EXPECT_EQ(g_events[1].source, 2);
  EXPECT_TRUE(Key(13));
  EXPECT_EQ(g_events.back().event, 1);
  EXPECT_EQ(g_events.back().source, 0);
  EXPECT_EQ(p->PanelGetPos(), 2);
}

TEST_F(MWinPanelTest, SelectionClampingAndNoSelection) {
  MWinButton* p = MakePanel(25, 10);
  p->PanelAllowNoSelection();
  p->PanelSetPos(-5, 0, 0);
  EXPECT_EQ(p->PanelGetPos(), -1);
  EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), 0);
  p->PanelSetPos(99, 0, 0);
  EXPECT_EQ(p->PanelGetPos(), 24);
  EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), 15);
  int bound = 7;
  ASSERT_TRUE(p->PanelRegisterIntVariable(&bound, 0));
  EXPECT_EQ(p->PanelGetPos(), 7);
  Move(150, 150);
  Key(40);
  EXPECT_EQ(bound, 8);
  Key(34);
  EXPECT_EQ(bound, 18);
  p->PanelCentreOnPos();
  EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), 13);
  // The wheel away from the user scrolls toward the first entry.
  Wheel(3);
  EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), 10);
  Wheel(-50);
  EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), 15);
}

TEST_F(MWinPanelTest, TypeToFindWalksEntriesWithTheSameFirstLetter) {
  MWinButton* p = MakePanel(0, 5);
  g_entries = {"Bee", "Bat", "Cow"};
  ASSERT_TRUE(p->PanelSetStringsCallback(3, 5, EntryText));
  p->PanelSetPos(2, 0, 0);
  Move(150, 110);
  const int expected[] = {0, 1, 0};
  for (int e : expected) {
    EXPECT_TRUE(Key('B'));
    EXPECT_EQ(p->PanelGetPos(), e);
  }
  EXPECT_FALSE(Key('Z'));
  // From the last entry and from no selection nothing is read outside the
  // list.
  g_entries = {"Ant", "Cat", "Cod"};
  p->PanelSetPos(2, 0, 0);
  EXPECT_TRUE(Key('C'));
  EXPECT_EQ(p->PanelGetPos(), 1);
  p->PanelAllowNoSelection();
  p->PanelSetPos(-1, 0, 0);
  EXPECT_TRUE(Key('C'));
  EXPECT_EQ(p->PanelGetPos(), 1);
}

TEST_F(MWinPanelTest, ThumbDragScrolls) {
  MWinButton* p = MakePanel(25, 10);
  const MWinPanelData& d = p->PanelData();
  const float* m = mw->Metrics(0);
  const float barX = 100 + 200 - m[kMetPanelBarW] + 2;
  Move(barX, d.thumbTop + 2);  // the window sits at 0, 0
  Press();
  ASSERT_TRUE(p->IsCapturingInput());
  Move(barX, 400);  // far below: the last page
  EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), 15);
  Move(barX, 0);
  EXPECT_FLOAT_EQ(p->PanelGetScrollPos(), 0);
  Release();
  EXPECT_FALSE(p->IsCapturingInput());
}

TEST_F(MWinPanelTest, BadSetUpsAndDrawing) {
  MWinButton* p = MakePanel(3, 10);
  EXPECT_FALSE(p->PanelSetStringsCallback(-1, 10, EntryText));
  EXPECT_TRUE(LogContains("invalid num entries -1 (ID: P)"));
  EXPECT_FALSE(p->PanelSetStringsCallback(3, 0, EntryText));
  EXPECT_TRUE(LogContains("invalid num_per_page 0 (ID: Pd)"));
  ASSERT_TRUE(p->PanelSetStringsCallback(3, 10, EntryText));
  EXPECT_FALSE(p->PanelData().barShown);
  EXPECT_FLOAT_EQ(p->PanelData().textWidth, 200);
  eng.ClearDrawn();
  mw->Render();
  EXPECT_EQ(eng.DrawnTexts(), (std::vector<std::string>{"Row0", "Row1", "Row2"}));
}

}  // namespace
