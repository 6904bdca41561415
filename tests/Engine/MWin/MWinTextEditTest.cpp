// Tests of the text entry kind.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

std::vector<std::uint32_t> g_hooks;
void RecordHook(std::uint32_t word) { g_hooks.push_back(word); }
std::vector<int> g_endCodes;
void RecordEnd(MWinCallbackRecord* r, std::uint32_t, std::uint32_t) {
  g_endCodes.push_back(r->textEditEnter);
}

class MWinTextEditTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    w = AddScreen();
    edit = w->AddButton("E", MWIN_BUT_TEXTEDIT, "MWIN_TEXBUT_NONE", "", 10, 10, 200, 20);
    edit->SetCallback(RecordEnd, 0, 0);
    mw->SetButtonHook(RecordHook);
    g_hooks.clear();
    g_endCodes.clear();
    Move(20, 15);
  }
  MWinWindow* w = nullptr;
  MWinButton* edit = nullptr;
};

TEST_F(MWinTextEditTest, TypingEditingKeysAndEnter) {
  edit->TextEditSetLength(5);
  edit->TextEditSetText("ab");
  EXPECT_TRUE(Key(13));  // starts editing
  ASSERT_TRUE(edit->TextEditIsEditing());
  EXPECT_EQ(edit->TextEditGetCursor(), 2);
  Char('c');
  Key(37);
  Key(37);
  Char('X');  // a X b c
  EXPECT_STREQ(edit->GetTextP(), "aXbc");
  Key(8);  // removes X
  Key(46);  // removes b
  EXPECT_STREQ(edit->GetTextP(), "ac");
  Char('1');
  Char('2');
  Char('3');
  g_hooks.clear();
  Char('4');  // full: dropped, hook still told
  EXPECT_STREQ(edit->GetTextP(), "a123c");
  EXPECT_EQ(g_hooks, std::vector<std::uint32_t>{3});
  EXPECT_TRUE(Key(38));
  EXPECT_TRUE(Key(13));
  EXPECT_FALSE(edit->TextEditIsEditing());
  EXPECT_EQ(g_endCodes, std::vector<int>{1});
}

TEST_F(MWinTextEditTest, EndsOfTheTextTakeTheKeyAndChangeNothing) {
  edit->TextEditSetLength(10);
  edit->TextEditSetText("ab");
  ASSERT_TRUE(edit->TextEditStartEditing());
  Key(39);
  EXPECT_TRUE(Key(46));  // Delete at the end
  Key(37);
  Key(37);
  EXPECT_TRUE(Key(8));  // Backspace at 0
  EXPECT_STREQ(edit->GetTextP(), "ab");
  EXPECT_EQ(edit->TextEditGetCursor(), 0);
}

TEST_F(MWinTextEditTest, FullTextStartsEmptyAndLengthIsCapped) {
  edit->TextEditSetLength(3);
  edit->TextEditSetText("abc");
  ASSERT_TRUE(edit->TextEditStartEditing());
  EXPECT_STREQ(edit->TextEditGetBuffer(), "");
  edit->TextEditTurnOffEditing(0);
  edit->TextEditSetLength(600);
  EXPECT_EQ(edit->TextEditGetLength(), 511);
  EXPECT_TRUE(LogContains("Length too long: 600"));
}

TEST_F(MWinTextEditTest, EscapeStillCopiesTheTextIntoTheBoundBuffer) {
  char buffer[16] = "old";
  edit->TextEditRegisterText(buffer, sizeof(buffer));
  ASSERT_TRUE(edit->TextEditStartEditing());
  Char('!');
  EXPECT_TRUE(Key(27));
  EXPECT_EQ(g_endCodes, std::vector<int>{0});
  EXPECT_STREQ(buffer, "old!");
}

TEST_F(MWinTextEditTest, CopyBackNeverPassesTheRegisteredSize) {
  struct {
    char buffer[4];
    char guard[4];
  } caller = {{'a', 'b', 0, 0}, {'G', 'G', 'G', 0}};
  edit->TextEditRegisterText(caller.buffer, sizeof(caller.buffer));
  edit->TextEditSetLength(20);  // longer than the caller's buffer
  ASSERT_TRUE(edit->TextEditStartEditing());
  for (const char* p = "cdefgh"; *p; ++p) Char(*p);
  Key(13);
  EXPECT_STREQ(caller.buffer, "abc");
  EXPECT_STREQ(caller.guard, "GGG");
}

TEST_F(MWinTextEditTest, LengthRaisedWhileEditingGrowsTheBuffer) {
  edit->TextEditSetLength(2);
  ASSERT_TRUE(edit->TextEditStartEditing());
  Char('a');
  edit->TextEditSetLength(40);
  for (int i = 0; i < 30; ++i) Char('b');
  Key(13);
  EXPECT_EQ(std::string(edit->GetTextP()), "a" + std::string(30, 'b'));
}

TEST_F(MWinTextEditTest, ControlCharactersNeverEnterTheText) {
  edit->TextEditSetLength(10);
  ASSERT_TRUE(edit->TextEditStartEditing());
  Char('a');
  EXPECT_FALSE(Char(0));
  EXPECT_FALSE(Char(9));
  Char('b');
  Char(0xE9);  // CP1252 letters are fine
  EXPECT_EQ(std::string(edit->GetTextP()), "ab\xE9");
}

// A character CP1252 lacks reaches the text as its code point: it is
// refused, and the box says why in place of the text for a while.
TEST_F(MWinTextEditTest, ACharacterTheTextCannotHoldIsRefusedWhereItShows) {
  edit->TextEditSetLength(10);
  eng.timeMs = 5000;
  ASSERT_TRUE(edit->TextEditStartEditing());
  Char('Z');
  EXPECT_TRUE(Char(0x0141));  // L with stroke: taken, and nothing typed
  Char(0xFC);                 // u with diaeresis is CP1252's
  EXPECT_EQ(std::string(edit->GetTextP()), "Z\xFC");
  EXPECT_TRUE(edit->TextEditIsShowingRefusal());
  const char* note = "Only Western European letters can be typed";
  eng.ClearDrawn();
  mw->Render();
  EXPECT_TRUE(eng.Drew(note));
  EXPECT_FALSE(eng.Drew("Z\xFC"));
  // It goes by itself: the tick asks to be woken for that (the cursor's
  // blink asks for sooner wakes).
  eng.wakes.clear();
  mw->Tick();
  ASSERT_FALSE(eng.wakes.empty());
  const unsigned latest = *std::max_element(eng.wakes.begin(), eng.wakes.end());
  EXPECT_GE(latest, eng.timeMs + 1000);
  eng.timeMs = latest - 1;
  mw->Tick();
  EXPECT_TRUE(edit->TextEditIsShowingRefusal());
  eng.timeMs = latest;
  mw->Tick();
  EXPECT_FALSE(edit->TextEditIsShowingRefusal());
  eng.ClearDrawn();
  mw->Render();
  EXPECT_FALSE(eng.Drew(note));
  EXPECT_TRUE(eng.Drew("Z\xFC"));
  Key(13);
  EXPECT_EQ(std::string(edit->GetTextP()), "Z\xFC");
}

TEST_F(MWinTextEditTest, SettingATextTakesACopy) {
  edit->TextEditSetLength(3);
  char text[] = "abcdef";
  edit->TextEditSetText(text);
  EXPECT_STREQ(text, "abcdef");
  EXPECT_STREQ(edit->GetTextP(), "abc");
  edit->TextEditSetText("literal");  // must not write into a literal
  EXPECT_STREQ(edit->GetTextP(), "lit");
}

TEST_F(MWinTextEditTest, BoundNumberIsParsedAndClamped) {
  int value = 5;
  ASSERT_TRUE(edit->RegisterIntVariable(&value, 1));
  edit->TextEditSetLength(20);
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {{"42abc", 42}, {"abc", 0}, {"-17", -17}, {"99999999999", INT_MAX},
                        {"-99999999999", INT_MIN}};
  for (const Case& c : cases) {
    edit->TextEditSetText("");
    ASSERT_TRUE(edit->TextEditStartEditing());
    for (const char* p = c.text; *p; ++p) Char(*p);
    Key(13);
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST_F(MWinTextEditTest, CursorBlinksOnTheClockAndClickEndsEditing) {
  edit->TextEditSetLength(10);
  eng.timeMs = 10000;
  ASSERT_TRUE(edit->TextEditStartEditing());
  mw->Tick();
  EXPECT_TRUE(edit->IsPressed());
  eng.ClearDrawn();
  mw->Render();
  const bool shownFirst = eng.Drew("I");
  eng.timeMs += 100;
  mw->Tick();
  eng.ClearDrawn();
  mw->Render();
  EXPECT_EQ(eng.Drew("I"), shownFirst);
  eng.timeMs += 300;
  mw->Tick();
  eng.ClearDrawn();
  mw->Render();
  EXPECT_NE(eng.Drew("I"), shownFirst);
  // While editing the entry holds the mouse: a move elsewhere changes
  // nothing, a completed click anywhere ends editing without confirming.
  MWinButton* other = w->AddButton("O", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "o", 10, 100, 50, 20);
  Move(20, 105);
  EXPECT_FALSE(other->IsHighlighted());
  EXPECT_TRUE(edit->TextEditIsEditing());
  Press();
  Release();
  EXPECT_FALSE(edit->TextEditIsEditing());
  EXPECT_EQ(g_endCodes, std::vector<int>{0});
}

}  // namespace
