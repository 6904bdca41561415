// Tests of the desktop and its collections: IDs, activation, drawing order,
// routing, and handlers that remove what is being served.
#include "Engine/MWin/MWinGraph.h"
#include "tests/Engine/MWin/MWinFake.h"

namespace {

TEST_F(MWinTest, DuplicateCollectionIDGivesNullAndChangesNothing) {
  MWinDesktop* d = mw->GetDesktop();
  MWinCollection* a = d->AddCollection("A");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(d->AddCollection("A"), nullptr);
  EXPECT_TRUE(LogContains("Collection already exists <A>"));
  EXPECT_EQ(d->GetFirstCollection(), a);
  EXPECT_EQ(a->next_, nullptr);
  EXPECT_TRUE(a->IsActive());
}

TEST_F(MWinTest, NewCollectionIsTheOnlyActiveOne) {
  MWinDesktop* d = mw->GetDesktop();
  MWinCollection* a = d->AddCollection("A");
  MWinCollection* b = d->AddCollection("B");
  MWinCollection* c = d->AddCollection("C");
  EXPECT_FALSE(a->IsActive());
  EXPECT_FALSE(b->IsActive());
  EXPECT_TRUE(c->IsActive());
  a->Activate();
  EXPECT_TRUE(a->IsActive());
  EXPECT_FALSE(c->IsActive());
  EXPECT_EQ(d->GetActiveCollection(), a);
}

TEST_F(MWinTest, HoverActivatesTheCollectionWhoseHitAreaHoldsTheMouse) {
  MWinDesktop* d = mw->GetDesktop();
  MWinCollection* a = d->AddCollection("A");
  MWinCollection* b = d->AddCollection("B");
  a->SetHitArea(true, 0, 0, 100, 100);
  b->SetHitArea(true, 200, 200, 100, 100);
  a->Activate();
  Move(250, 250);
  EXPECT_TRUE(b->IsActive());
  EXPECT_FALSE(a->IsActive());
  Move(150, 150);
  EXPECT_FALSE(a->IsActive());
  EXPECT_FALSE(b->IsActive());
  Move(10, 10);
  EXPECT_TRUE(a->IsActive());
}

TEST_F(MWinTest, RenderDrawsInactiveThenDimThenActive) {
  InstallTestLook();
  MWinDesktop* d = mw->GetDesktop();
  MWinCollection* a = d->AddCollection("A");
  MWinWindowSetup sa = TestWindowSetup(10, 10, 50, 50, "Look");
  a->AddWindow("W", &sa);
  MWinCollection* b = d->AddCollection("B");
  MWinWindowSetup sb = TestWindowSetup(300, 10, 50, 50, "Look");
  b->AddWindow("W", &sb);
  // B is active: A is drawn first.
  eng.ClearDrawn();
  mw->Render();
  ASSERT_EQ(eng.quads.size(), 2u);
  EXPECT_FLOAT_EQ(eng.quads[0].x, 10);
  EXPECT_FLOAT_EQ(eng.quads[1].x, 300);
  EXPECT_TRUE(eng.dims.empty());
  a->Activate();
  d->SetPopupFlag(true);
  eng.ClearDrawn();
  mw->Render();
  ASSERT_EQ(eng.quads.size(), 2u);
  EXPECT_FLOAT_EQ(eng.quads[0].x, 300);
  EXPECT_FLOAT_EQ(eng.quads[1].x, 10);
  ASSERT_EQ(eng.dims.size(), 1u);
  EXPECT_FLOAT_EQ(eng.dims[0], 0.5f);
}

// Handlers that remove their own collection: the routing must end with the
// event taken and never touch the freed collection (AddressSanitizer).
MWin* g_mw = nullptr;
void RemoveScreen() { g_mw->GetDesktop()->RemoveCollection("Screen"); }
void RemoveAll() { g_mw->GetDesktop()->RemoveAllCollections(); }

TEST_F(MWinTest, KeyCallbackRemovingItsOwnCollectionEndsTheRouting) {
  g_mw = mw.get();
  for (auto remove : {RemoveScreen, RemoveAll}) {
    MWinWindow* w = AddScreen();
    ASSERT_NE(w, nullptr);
    MWinButton* b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
    w->AddButton("C", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "c", 10, 40, 50, 20);
    b->SetSimpleCallback(remove);
    Move(20, 20);
    ASSERT_TRUE(b->IsHighlighted());
    EXPECT_TRUE(Key(32));
    EXPECT_FALSE(mw->GetDesktop()->HasCollection("Screen"));
    // The same through a click (callback runs on the release).
    w = AddScreen();
    b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
    b->SetSimpleCallback(remove);
    EXPECT_TRUE(Click(20, 20));
    EXPECT_FALSE(mw->GetDesktop()->HasCollection("Screen"));
    Move(30, 30);
  }
}

TEST_F(MWinTest, RemovingACollectionKeepsTheOthersGraphics) {
  MWinWindow* w = AddScreen("A");
  MWinGraph* g = w->AddGraph("G", "MWIN_TEXBUT_NONE", 10, 10, 200, 100);
  ASSERT_TRUE(g->SetMarks(0, 10, 4, 0, 100, 3));
  ASSERT_NE(g->GetGraphList(), nullptr);
  AddScreen("B");
  ASSERT_TRUE(mw->GetDesktop()->RemoveCollection("B"));
  EXPECT_NE(g->GetGraphList(), nullptr);
  eng.ClearDrawn();
  mw->Render();
  EXPECT_FALSE(eng.triDraws.empty());
}

TEST_F(MWinTest, DestroyingACollectionFreesTheWindowsOfEveryLayout) {
  const int before = MWinButton::GetLiveCount();
  MWinCollection* c = mw->GetDesktop()->AddCollection("L");
  MWinWindowSetup s = TestWindowSetup(0, 0, 200, 200);
  for (int layout : {1, 2, 0}) {
    c->SetScreenLayout(layout);
    MWinWindow* w = c->AddWindow("W", &s);
    w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
  }
  EXPECT_EQ(MWinButton::GetLiveCount(), before + 3);
  ASSERT_TRUE(mw->GetDesktop()->RemoveCollection("L"));
  EXPECT_EQ(MWinButton::GetLiveCount(), before);
}

TEST_F(MWinTest, LeftClickOutsideActivatesTheWindowUnderTheMouse) {
  MWinCollection* c = mw->GetDesktop()->AddCollection("C");
  MWinWindowSetup s1 = TestWindowSetup(0, 0, 100, 100);
  MWinWindowSetup s2 = TestWindowSetup(200, 0, 100, 100);
  MWinWindow* w1 = c->AddWindow("W1", &s1);
  MWinWindow* w2 = c->AddWindow("W2", &s2);
  mw->Style().hoverActivatesWindows = 0;
  EXPECT_TRUE(w2->IsActive());
  mw->SetMousePosition(50, 50);
  EXPECT_FALSE(mw->ButtonPressed(1, 1));
  EXPECT_TRUE(w2->IsActive());
  EXPECT_TRUE(mw->ButtonPressed(0, 1));
  EXPECT_TRUE(w1->IsActive());
  EXPECT_FALSE(w2->IsActive());
}

TEST_F(MWinTest, DoubleClickIsTakenEvenWithoutAHandler) {
  AddScreen();
  Move(10, 10);
  EXPECT_TRUE(mw->HandleInputEvent(3, 0, 0));
}

}  // namespace
