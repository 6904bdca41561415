// Tests of the drop-down list, check box and choice kinds.
#include <string>
#include <vector>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

std::vector<std::string> g_names;
const char* Name(int n) { return g_names.at(n).c_str(); }
struct Event {
  int event, entry;
};
std::vector<Event> g_events;
void RecordList(MWinCallbackRecord* r, std::uint32_t, std::uint32_t) {
  g_events.push_back({r->listEvent, r->listEntry});
}

class MWinListTest : public MWinTest {
 protected:
  MWinButton* MakeList(int count, float y) {
    g_names.clear();
    for (int i = 0; i < count; ++i) g_names.push_back("E" + std::to_string(i));
    w = AddScreen();
    MWinButton* l = w->AddButton("L", MWIN_BUT_LIST, "MWIN_TEXBUT_NONE", "", 100, y, 100, 20);
    EXPECT_TRUE(l->ListSetStringsCallback(count, Name));
    l->SetCallback(RecordList, 0, 0);
    g_events.clear();
    return l;
  }
  MWinWindow* w = nullptr;
};

TEST_F(MWinListTest, ShortListNearTheTopOpensDownwards) {
  MWinButton* l = MakeList(3, 10);
  Move(150, 20);
  Press();
  ASSERT_TRUE(l->ListIsOpen());
  const MWinListData& d = l->ListData();
  EXPECT_EQ(d.first, 0);
  EXPECT_EQ(d.end, 3);
  EXPECT_FLOAT_EQ(d.top, 10);
  EXPECT_FLOAT_EQ(d.height, 60);
  EXPECT_FALSE(d.moreAbove);
  EXPECT_FALSE(d.moreBelow);
  EXPECT_FLOAT_EQ(d.topCapH, 10);
  // Hovering the third row and pressing chooses it.
  Move(150, 55);
  EXPECT_EQ(d.hovered, 2);
  Press();
  EXPECT_FALSE(l->ListIsOpen());
  EXPECT_EQ(l->ListGetPos(), 2);
  EXPECT_STREQ(l->ListGetString(), "E2");
  ASSERT_FALSE(g_events.empty());
  EXPECT_EQ(g_events.back().event, 1);
  EXPECT_EQ(g_events.back().entry, 2);
}

TEST_F(MWinListTest, LongListScrollsOnItsArrowRowsWithShrinkingDelays) {
  MWinButton* l = MakeList(60, 230);
  Move(150, 240);
  Press();
  ASSERT_TRUE(l->ListIsOpen());
  const MWinListData& d = l->ListData();
  EXPECT_TRUE(d.moreBelow);
  EXPECT_TRUE(d.moreAbove == 0);
  const int end = d.end;
  // Rest on the down-arrow row.
  Move(150, d.downY + 10);
  ASSERT_EQ(d.hovered, end);
  eng.timeMs += 499;
  mw->Tick();
  EXPECT_EQ(d.scroll, 0);
  const int delays[] = {1, 430, 360, 290};
  for (int i = 0; i < 4; ++i) {
    eng.timeMs += delays[i];
    mw->Tick();
    EXPECT_EQ(d.scroll, i + 1) << i;
  }
  // Never faster than every 5 ms.
  for (int i = 0; i < 20; ++i) {
    eng.timeMs += 500;
    mw->Tick();
  }
  EXPECT_EQ(d.delay, 5);
  // Off the arrow row the delay is 500 again; back on it after a rest
  // longer than that, the next step comes at once.
  const int scrolled = d.scroll;
  Move(150, 240);
  eng.timeMs += 1000;
  mw->Tick();
  EXPECT_EQ(d.delay, 500);
  EXPECT_EQ(d.scroll, scrolled);
  Move(150, d.downY + 10);
  mw->Tick();
  EXPECT_EQ(d.scroll, scrolled + 1);
  EXPECT_EQ(d.delay, 430);
}

TEST_F(MWinListTest, DownOnAClosedListWithTheLastEntrySelected) {
  MWinButton* l = MakeList(3, 100);
  l->ListSetPosNoCallback(2);
  Move(150, 110);
  EXPECT_TRUE(Key(40));
  EXPECT_FALSE(l->ListIsOpen());
  EXPECT_EQ(l->ListGetPos(), 2);
  ASSERT_EQ(g_events.size(), 1u);
  EXPECT_EQ(g_events[0].event, 1);
  EXPECT_TRUE(Key(38));
  EXPECT_EQ(l->ListGetPos(), 1);
}

TEST_F(MWinListTest, LeavingTheColumnClosesAndReportsOnlyAMovedHover) {
  MWinButton* l = MakeList(5, 100);
  Move(150, 110);
  Press();
  Move(300, 110);  // hover unchanged
  EXPECT_FALSE(l->ListIsOpen());
  EXPECT_TRUE(g_events.empty());
  Move(150, 110);
  Press();
  Move(150, 130);  // hover moves to entry 1 (event 0)
  Move(300, 130);
  EXPECT_FALSE(l->ListIsOpen());
  ASSERT_FALSE(g_events.empty());
  EXPECT_EQ(g_events.back().event, 2);
  EXPECT_EQ(l->ListGetPos(), 0);
}

TEST_F(MWinListTest, BadSetUpsAreReported) {
  MWinButton* l = MakeList(3, 100);
  EXPECT_FALSE(l->ListSetPos(3, true));
  EXPECT_TRUE(LogContains("invalid pos : 3 (id: L, entries = 3)"));
  EXPECT_FALSE(l->ListSetStringsCallback(0, Name));
  EXPECT_FALSE(l->ListSetStringsLanguageToken(2, ""));
  MWinButton* push = w->AddButton("P", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "", 10, 10, 20, 20);
  EXPECT_FALSE(push->ListSetStringsCallback(3, Name));
  EXPECT_TRUE(LogContains("button P not a list"));
  signed char bound = 1;
  ASSERT_TRUE(l->ListRegisterCharVariable(&bound));
  EXPECT_EQ(l->ListGetPos(), 1);
  l->ListSetPos(2, false);
  EXPECT_EQ(bound, 2);
}

TEST_F(MWinListTest, LanguageListShowsSubTexts) {
  eng.language["Sizes"] = {"Small", "Large"};
  w = AddScreen();
  MWinButton* l = w->AddButton("L", MWIN_BUT_LIST, "MWIN_TEXBUT_NONE", "", 100, 100, 100, 20);
  ASSERT_TRUE(l->ListSetStringsLanguageToken(2, "Sizes"));
  l->ListSetPosNoCallback(1);
  eng.ClearDrawn();
  mw->Render();
  EXPECT_TRUE(eng.Drew("Large"));
  EXPECT_FALSE(eng.Drew("Small"));
}

// ---- Choice ---------------------------------------------------------------

int g_choice = -9;
void RecordChoice(MWinCallbackRecord* r, std::uint32_t, std::uint32_t) { g_choice = r->choiceEntry; }
int g_hook3 = 0;
void CountHook(std::uint32_t word) {
  if (word == 3) ++g_hook3;
}

TEST_F(MWinTest, ChoiceBoxesPressesAndStates) {
  static const char* const entries[] = {"A", "B", "C"};
  MWinWindow* w = AddScreen();
  MWinButton* c = w->AddButton("C", MWIN_BUT_CHOICE, "MWIN_TEXBUT_NONE", "", 100, 100, 90, 20);
  ASSERT_TRUE(c->ChoiceSetStrings(3, entries));
  c->SetCallback(RecordChoice, 0, 0);
  mw->SetButtonHook(CountHook);
  int bound = 2;
  ASSERT_TRUE(c->ChoiceRegisterIntVariable(&bound, false));
  EXPECT_EQ(c->ChoiceGetSel(), 2);
  struct Case {
    float x;
    int entry;
  };
  const Case cases[] = {{189, 2}, {130, 1}, {100, 0}, {129.9f, 0}};
  for (const Case& k : cases) {
    Click(k.x, 110);
    EXPECT_EQ(c->ChoiceGetSel(), k.entry) << k.x;
    EXPECT_EQ(g_choice, k.entry);
    EXPECT_EQ(bound, k.entry);
  }
  g_hook3 = 0;
  Click(105, 110);  // the selected box again
  EXPECT_EQ(g_hook3, 1);
  // In choice mode 0 the hovered box is lit and the selected one pressed.
  Move(135, 110);
  EXPECT_EQ(c->ChoiceBoxState(0), 2);
  EXPECT_EQ(c->ChoiceBoxState(1), 1);
  EXPECT_EQ(c->ChoiceBoxState(2), 0);
  EXPECT_TRUE(c->ChoiceSetSel(-1, false));
  EXPECT_FALSE(c->ChoiceSetSel(3, false));
  EXPECT_TRUE(LogContains("invalid sel : 3 (m_id: C, entries = 3)"));
  // A disabled choice: every box in state 3, the texts of the others dimmed.
  c->ChoiceSetSel(1, false);
  c->SetEnabled(false);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(c->ChoiceBoxState(i), 3);
  eng.ClearDrawn();
  mw->Render();
  ASSERT_EQ(eng.texts.size(), 3u);
  EXPECT_FLOAT_EQ(eng.texts[0].colour[3], 0.5f);
  EXPECT_FLOAT_EQ(eng.texts[1].colour[3], 1.0f);
  EXPECT_FLOAT_EQ(eng.texts[1].x, 145);
}

}  // namespace

namespace {

MWin* g_listMw = nullptr;
void RemoveOnHover(MWinCallbackRecord* r, std::uint32_t, std::uint32_t) {
  if (r->listEvent == 0) g_listMw->GetDesktop()->RemoveAllCollections();
}

TEST_F(MWinListTest, ATickCallbackRemovingTheScreenEndsTheTickCleanly) {
  MWinButton* l = MakeList(60, 230);
  w->AddButton("After", MWIN_BUT_TEXTEDIT, "MWIN_TEXBUT_NONE", "", 10, 10, 50, 20)->TextEditSetLength(5);
  Move(150, 240);
  Press();
  ASSERT_TRUE(l->ListIsOpen());
  Move(150, l->ListData().downY + 10);
  g_listMw = mw.get();
  l->SetCallback(RemoveOnHover, 0, 0);
  eng.timeMs += 1000;
  mw->Tick();  // the auto-scroll moves the hover: the callback removes all
  EXPECT_EQ(mw->GetDesktop()->GetFirstCollection(), nullptr);
  mw->Tick();
  Move(10, 10);
}

TEST_F(MWinTest, PopupWithoutADesktopFailsCleanly) {
  mw->Cleanup();
  EXPECT_FALSE(mw->PopupOk("T", "x"));
  EXPECT_TRUE(LogContains("No desktop"));
  EXPECT_FALSE(mw->IsPopupOpen());
}

}  // namespace
