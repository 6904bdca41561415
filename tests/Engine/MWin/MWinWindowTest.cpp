// Tests of windows: IDs, set-up rules, hit tests, focus walking, the escape
// and default keys, dragging and button look-ups.
#include <array>
#include <string>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

MWinWindowSetup WinSetup(float x, float y, float w, float h, bool title) {
  return TestWindowSetup(x, y, w, h, "MWIN_TEXBUT_NONE", title ? "T" : nullptr);
}
TEST(MWinIDTest, CopyCompareAndPrint) {
  LogCapture log;
  MWinID id;
  const std::string max(31, 'a'), over(32, 'b');
  EXPECT_TRUE(MWinCopyID(id, max.c_str()));
  EXPECT_EQ(std::string(id), max);
  EXPECT_FALSE(MWinCopyID(id, over.c_str()));
  EXPECT_EQ(std::string(id), max);
  EXPECT_TRUE(log.Contains("Source string Too Long"));
  EXPECT_FALSE(MWinCopyID(nullptr, "x"));
  EXPECT_FALSE(MWinCopyID(id, nullptr));
  EXPECT_TRUE(MWinCompareIDs("Ab", "Ab"));
  EXPECT_FALSE(MWinCompareIDs("Ab", "ab"));
  EXPECT_FALSE(MWinCompareIDs("", ""));
  EXPECT_FALSE(MWinCompareIDs(nullptr, nullptr));
  EXPECT_STREQ(MWinIDForPrint(""), "(empty id)");
  EXPECT_STREQ(MWinIDForPrint("x"), "x");
  EXPECT_EQ(MWinSetArea(nullptr, 1, 2, 3, 4), nullptr);
  EXPECT_TRUE(log.Contains("Parameter Error"));
}

TEST_F(MWinTest, SetupAreaRules) {
  struct Case {
    float x, y, w, h;
    bool title;
    float ex, ey, ew, eh;
  };
  const Case cases[] = {
      {-1, -1, -1, -1, false, 270, 190, 100, 100},
      {-5, 10, 700, 50, false, 0, 10, 640, 50},
      {10, 5, 100, 100, true, 10, 30, 100, 100},
      {600, 450, 100, 100, false, 540, 380, 100, 100},
  };
  MWinCollection* c = mw->GetDesktop()->AddCollection("C");
  int n = 0;
  for (const Case& k : cases) {
    MWinWindowSetup s = WinSetup(k.x, k.y, k.w, k.h, k.title);
    MWinWindow* w = c->AddWindow(("W" + std::to_string(n++)).c_str(), &s);
    const MWinArea& a = w->GetArea();
    EXPECT_FLOAT_EQ(a.x, k.ex);
    EXPECT_FLOAT_EQ(a.y, k.ey);
    EXPECT_FLOAT_EQ(a.w, k.ew);
    EXPECT_FLOAT_EQ(a.h, k.eh);
  }
  MWinWindow* w = c->AddWindow("Null", nullptr);
  EXPECT_TRUE(LogContains("No info passed in"));
  EXPECT_FLOAT_EQ(w->GetArea().w, 50);
}

TEST_F(MWinTest, HitTestCountsLeftAndTopEdgesInsideAndIncludesTheTitleBar) {
  MWinCollection* c = mw->GetDesktop()->AddCollection("C");
  MWinWindowSetup s = WinSetup(100, 100, 50, 40, true);
  MWinWindow* w = c->AddWindow("W", &s);
  struct Case {
    float x, y;
    bool inside;
  };
  const Case cases[] = {{100, 100, true}, {149.9f, 139.9f, true}, {150, 120, false},
                        {120, 140, false}, {99.9f, 120, false},  {120, 70, true},
                        {120, 69.9f, false}};
  for (const Case& k : cases) {
    mw->SetMousePosition(k.x, k.y);
    EXPECT_EQ(w->IsMouseInside(), k.inside) << k.x << "," << k.y;
  }
}

void Nothing() {}

// Tab only places the system cursor on the next button that can take the
// focus; the focus follows when the window system reports the cursor's move.
TEST_F(MWinTest, TabWalksFocusableButtonsAndWraps) {
  eng.window = true;
  MWinWindow* w = AddScreen();
  MWinButton* a = w->AddButton("A", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "a", 10, 10, 50, 20);
  MWinButton* label = w->AddButton("L", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "l", 10, 40, 50, 20);
  MWinButton* b = w->AddButton("B", MWIN_BUT_CHECKBOX, "MWIN_TEXBUT_NONE", "b", 10, 70, 50, 20);
  MWinButton* hidden = w->AddButton("H", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "h", 10, 100, 50, 20);
  a->SetSimpleCallback(Nothing);
  hidden->SetSimpleCallback(Nothing);
  hidden->Hide();
  // Tab, then the move the window system reports; the button under it.
  auto tab = [&]() {
    const size_t moves = eng.cursorMoves.size();
    EXPECT_TRUE(Key(9));
    if (eng.cursorMoves.size() != moves + 1) return static_cast<MWinButton*>(nullptr);
    const auto at = eng.cursorMoves.back();
    MWinButton* highlighted = w->GetHighlightedButton();
    Move(at[0], at[1]);
    EXPECT_NE(w->GetHighlightedButton(), highlighted);
    return w->GetHighlightedButton();
  };
  Move(20, 20);
  ASSERT_TRUE(a->IsHighlighted());
  EXPECT_EQ(tab(), b);
  EXPECT_FALSE(label->IsHighlighted());
  EXPECT_EQ(eng.cursorMoves.back(), (std::array<float, 2>{35, 80}));
  EXPECT_EQ(tab(), a);
  eng.keys[16] = true;  // Shift
  EXPECT_EQ(tab(), b);
  eng.keys[16] = false;
  EXPECT_FALSE(a->IsHighlighted());
  // Without an engine window nothing moves, and the key is still taken.
  eng.window = false;
  const size_t moves = eng.cursorMoves.size();
  EXPECT_TRUE(Key(9));
  EXPECT_EQ(eng.cursorMoves.size(), moves);
  EXPECT_TRUE(b->IsHighlighted());
}

// A text box being typed in keeps the pointer: Tab moves the cursor, the
// typing goes on.
TEST_F(MWinTest, TabWhileTypingKeepsTheEditGoing) {
  eng.window = true;
  MWinWindow* w = AddScreen();
  MWinButton* edit = w->AddButton("E", MWIN_BUT_TEXTEDIT, "MWIN_TEXBUT_NONE", "", 10, 10, 100, 20);
  MWinButton* ok = w->AddButton("OK", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "ok", 10, 40, 50, 20);
  ok->SetSimpleCallback(Nothing);
  edit->TextEditSetLength(10);
  Move(20, 20);
  ASSERT_TRUE(edit->IsHighlighted());
  edit->TextEditStartEditing();
  Char('a');
  EXPECT_TRUE(Key(9));
  ASSERT_FALSE(eng.cursorMoves.empty());
  Move(eng.cursorMoves.back()[0], eng.cursorMoves.back()[1]);
  EXPECT_TRUE(edit->TextEditIsEditing());
  EXPECT_TRUE(edit->IsHighlighted());
  EXPECT_FALSE(ok->IsHighlighted());
  Char('b');
  EXPECT_STREQ(edit->GetTextP(), "ab");
}

TEST_F(MWinTest, TabStopsAfterOneCycleWhenNothingCanTakeTheFocus) {
  MWinWindow* w = AddScreen();
  MWinButton* a = w->AddButton("A", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "a", 10, 10, 50, 20);
  w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 40, 50, 20);
  Move(20, 20);
  EXPECT_FALSE(Key(9));
  EXPECT_TRUE(a->IsHighlighted());
}

int g_pressed = 0;
void Pressed() { ++g_pressed; }
const char* Entry(int n) {
  static const char* names[] = {"one", "two", "three"};
  return names[n];
}

TEST_F(MWinTest, EscapeAndEnterQueueTheirButtonsUnlessAListIsOpen) {
  MWinWindow* w = AddScreen();
  MWinButton* ok = w->AddButton("OK", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "ok", 10, 10, 50, 20);
  MWinButton* list = w->AddButton("L", MWIN_BUT_LIST, "MWIN_TEXBUT_NONE", "", 10, 100, 80, 20);
  ASSERT_TRUE(list->ListSetStringsCallback(3, Entry));
  ok->SetSimpleCallback(Pressed);
  w->SetEscapeButton(ok);
  w->SetDefaultButton(ok);
  g_pressed = 0;
  EXPECT_TRUE(Key(27));
  EXPECT_EQ(g_pressed, 0);  // queued, not run inside the routing
  mw->Tick();
  EXPECT_EQ(g_pressed, 1);
  EXPECT_TRUE(Key(13));
  mw->Tick();
  EXPECT_EQ(g_pressed, 2);
  Move(20, 105);
  ASSERT_TRUE(Press());
  Release();
  ASSERT_TRUE(list->ListIsOpen());
  EXPECT_TRUE(Key(27));
  EXPECT_FALSE(list->ListIsOpen());
  mw->Tick();
  EXPECT_EQ(g_pressed, 2);
}

TEST_F(MWinTest, LookUpFindsTheLaterOfTwoButtonsWithOneID) {
  MWinWindow* w = AddScreen();
  w->AddButton("Same", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "1", 10, 10, 50, 20);
  MWinButton* later = w->AddButton("Same", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "2", 10, 40, 50, 20);
  EXPECT_EQ(w->GetButtonFromID("Same", true), later);
  EXPECT_EQ(w->GetButtonFromID("None", false), nullptr);
  EXPECT_FALSE(LogContains("ID <None> not found"));
  EXPECT_EQ(w->GetButtonFromIDChecked("None"), nullptr);
  EXPECT_TRUE(LogContains("ID <None> not found"));
}

TEST_F(MWinTest, AddButtonRefusesTheClassKinds) {
  MWinWindow* w = AddScreen();
  for (int kind : {3, 4, 11, 13}) {
    EXPECT_EQ(w->AddButton("X", kind, "MWIN_TEXBUT_NONE", "", 10, 10, 50, 20), nullptr);
  }
  EXPECT_TRUE(LogContains("Use individual class buttons instead"));
  EXPECT_EQ(w->GetFirstButton(), nullptr);
}

TEST_F(MWinTest, TitleBarDragFollowsTheLeftButtonOnly) {
  MWinCollection* c = mw->GetDesktop()->AddCollection("C");
  MWinWindowSetup s = WinSetup(100, 100, 100, 100, true);
  MWinWindow* w = c->AddWindow("W", &s);
  Move(150, 85);  // in the title bar (70 to 100)
  EXPECT_FALSE(mw->HandleInputEvent(2, 1, 1));
  EXPECT_FALSE(w->IsDragging());
  Press();
  EXPECT_TRUE(w->IsDragging());
  Move(170, 95);
  EXPECT_FLOAT_EQ(w->GetArea().x, 120);
  EXPECT_FLOAT_EQ(w->GetArea().y, 110);
  Move(170, 0);  // the title bar stays on the screen
  EXPECT_FLOAT_EQ(w->GetArea().y, 30);
  Release();
  EXPECT_FALSE(w->IsDragging());
}

MWinWindow* g_window = nullptr;
void RemoveOwnWindow() { g_window->GetCollection()->RemoveWindow(g_window); }

TEST_F(MWinTest, CallbackRemovingItsOwnWindowReportsTheKeyTaken) {
  MWinWindow* w = AddScreen();
  MWinButton* b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
  b->SetSimpleCallback(RemoveOwnWindow);
  g_window = w;
  Move(20, 20);
  EXPECT_TRUE(Key(13));
  EXPECT_EQ(mw->GetDesktop()->GetCollectionFromID("Screen")->GetFirstWindow(), nullptr);
}

// A button whose callback removes the button itself: it leaves the window at
// once (and forgets it), the event is taken, and the window goes on working
// with its other buttons (AddressSanitizer watches the freed button).
MWinButton* g_self = nullptr;
bool g_selfForgotParent = false;
void RemoveSelf() {
  g_self->GetParent()->RemoveButton(g_self);
  g_selfForgotParent = g_self->GetParent() == nullptr;
}

TEST_F(MWinTest, CallbackRemovingItsOwnButtonEndsTheRouting) {
  struct Case {
    const char* how;
    int key;  // 0: a click
  };
  const Case cases[] = {{"Enter", 13}, {"Space", 32}, {"click", 0}};
  for (const Case& c : cases) {
    MWinWindow* w = AddScreen(c.how);
    g_self = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
    MWinButton* other = w->AddButton("C", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "c", 10, 40, 50, 20);
    g_self->SetSimpleCallback(RemoveSelf);
    g_selfForgotParent = false;
    Move(20, 20);
    ASSERT_TRUE(g_self->IsHighlighted()) << c.how;
    EXPECT_TRUE(c.key ? Key(c.key) : Click(20, 20)) << c.how;
    EXPECT_TRUE(g_selfForgotParent) << c.how;
    EXPECT_EQ(w->GetButtonFromID("B", false), nullptr) << c.how;
    EXPECT_EQ(w->GetFirstButton(), other) << c.how;
    Move(20, 50);
    EXPECT_TRUE(other->IsHighlighted()) << c.how;
    mw->Render();
    mw->GetDesktop()->RemoveCollection(c.how);
  }
}

TEST_F(MWinTest, CentreButtonsCentresTheVisibleGroup) {
  MWinWindow* w = AddScreen();
  MWinButton* a = w->AddButton("A", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "a", 10, 10, 100, 20);
  MWinButton* b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 110, 50, 100, 20);
  w->CentreButtons(true, true);
  EXPECT_FLOAT_EQ(a->GetAreaRelative().x, 220);
  EXPECT_FLOAT_EQ(b->GetAreaRelative().x, 320);
  EXPECT_FLOAT_EQ(a->GetAreaRelative().y, 210);
  EXPECT_FLOAT_EQ(b->GetAreaRelative().y + 20, 270);
}

}  // namespace
