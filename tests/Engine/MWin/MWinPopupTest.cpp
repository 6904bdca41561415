// Tests of popups: sizes and button placement, answers by key and click,
// the saved flags, and popups opened from result callbacks.
#include <utility>
#include <vector>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

std::vector<int> g_answers;
void Answer(int result) { g_answers.push_back(result); }

class MWinPopupTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    InstallTestLook();
    g_answers.clear();
  }
  MWinButton* PopupButton(const char* id) {
    return mw->GetPopupWindow() ? mw->GetPopupWindow()->GetButtonFromID(id, false) : nullptr;
  }
};

TEST_F(MWinPopupTest, ThreeButtonsAreSpacedAndCentred) {
  ASSERT_TRUE(mw->PopupYesNoCancel(nullptr, nullptr, Answer));
  MWinWindow* w = mw->GetPopupWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_FLOAT_EQ(w->GetArea().w, 204);
  EXPECT_FLOAT_EQ(w->GetArea().h, 50);
  EXPECT_FLOAT_EQ(w->GetArea().x, 320 - 102);
  const char* ids[3] = {"OK", "NO", "CANCEL"};
  const float xs[3] = {6, 72, 138};
  for (int i = 0; i < 3; ++i) {
    MWinButton* b = PopupButton(ids[i]);
    ASSERT_NE(b, nullptr) << ids[i];
    EXPECT_FLOAT_EQ(b->GetAreaRelative().x, xs[i]) << ids[i];
    EXPECT_FLOAT_EQ(b->GetAreaRelative().y, 10);
  }
  EXPECT_STREQ(PopupButton("OK")->GetTextP(), "Yes");
  EXPECT_STREQ(PopupButton("CANCEL")->GetTextP(), "Cancel");
  // Three-button popups answer no keys.
  EXPECT_EQ(w->GetDefaultButton(), nullptr);
  EXPECT_EQ(w->GetEscapeButton(), nullptr);
  // The third button answers 2.
  const MWinArea a = PopupButton("NO")->GetAreaRelative();
  Click(w->GetArea().x + a.x + 5, w->GetArea().y + a.y + 5);
  mw->Tick();
  EXPECT_EQ(g_answers, std::vector<int>{2});
  EXPECT_FALSE(mw->IsPopupOpen());
}

// A click answers like a key: the press is queued inside the input routing
// and the result callback runs from the next tick, after the popup is gone.
bool g_openDuringAnswer = true;
MWin* g_answerMw = nullptr;
void AnswerAndLook(int result) {
  g_answers.push_back(result);
  g_openDuringAnswer = g_answerMw->IsPopupOpen();
}

TEST_F(MWinPopupTest, AClickAnswersFromTheNextTick) {
  g_answerMw = mw.get();
  ASSERT_TRUE(mw->PopupOkCancel("T", "Sure?", AnswerAndLook));
  MWinWindow* w = mw->GetPopupWindow();
  auto centre = [&](const char* id) {
    MWinArea a;
    PopupButton(id)->GetArea(&a, false);
    return std::pair<float, float>(a.x + a.w / 2, a.y + a.h / 2);
  };
  const auto cancel = centre("CANCEL"), ok = centre("OK");
  EXPECT_TRUE(Click(cancel.first, cancel.second));
  EXPECT_TRUE(g_answers.empty());
  EXPECT_TRUE(mw->IsPopupOpen());
  EXPECT_EQ(mw->GetPopupWindow(), w);
  EXPECT_EQ(mw->GetQueueCount(), 1);
  // A second answer before the tick is refused; the first one stands.
  Click(ok.first, ok.second);
  EXPECT_TRUE(LogContains("Queue not empty"));
  EXPECT_TRUE(mw->Tick());
  EXPECT_EQ(g_answers, std::vector<int>{0});
  EXPECT_FALSE(g_openDuringAnswer);
  EXPECT_FALSE(mw->IsPopupOpen());
  EXPECT_EQ(mw->GetQueueCount(), 0);
  mw->Tick();
  EXPECT_EQ(g_answers.size(), 1u);
}

// A click outside the popup leaves its window inactive; the next click on a
// button answers all the same, with windows activated by hover (the
// toolkit's default) or by clicks only (the game's look), over a screen or
// over nothing.
TEST_F(MWinPopupTest, AClickOnAButtonAnswersAfterAClickOutside) {
  const struct {
    bool hoverActivatesWindows;
    bool screenBehind;
  } cases[] = {{true, true}, {false, true}, {false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "hover " << c.hoverActivatesWindows << ", screen " << c.screenBehind);
    mw->Style().hoverActivatesWindows = c.hoverActivatesWindows ? 1 : 0;
    g_answers.clear();
    if (c.screenBehind) {
      ASSERT_NE(AddScreen("Behind"), nullptr);
    }
    ASSERT_TRUE(mw->PopupOkCancel("T", "Sure?", Answer));
    MWinArea ok;
    PopupButton("OK")->GetArea(&ok, false);
    Click(20, 20);
    EXPECT_TRUE(mw->IsPopupOpen());
    Click(ok.x + ok.w / 2, ok.y + ok.h / 2);
    mw->Tick();
    EXPECT_EQ(g_answers, std::vector<int>{1});
    EXPECT_FALSE(mw->IsPopupOpen());
    mw->PopupCloseIfOpen();
    mw->GetDesktop()->RemoveAllCollections();
  }
}

TEST_F(MWinPopupTest, EmptyPopupHasTheBaseWidthAndTheExtraHeight) {
  mw->CreateGraphicsObjects();
  ASSERT_TRUE(mw->PopupMessage(nullptr, nullptr));
  EXPECT_FLOAT_EQ(mw->GetPopupWindow()->GetArea().w, 200);
  mw->PopupCloseIfOpen();
  mw->PopupSetSizes(-1, -1, -1, -2);
  ASSERT_TRUE(mw->PopupOk(nullptr, nullptr));
  EXPECT_FLOAT_EQ(PopupButton("OK")->Height(), 20);
  EXPECT_FLOAT_EQ(mw->GetPopupWindow()->GetArea().h, 40);
}

TEST_F(MWinPopupTest, MessageTextWidensAndHeightensThePopup) {
  // 50 characters of 10 units wrap in the measuring button (340 wide, 3 in
  // from each side): 33 characters a line.
  const std::string text(50, 'x');
  ASSERT_TRUE(mw->PopupOk("Title", text.c_str()));
  MWinWindow* w = mw->GetPopupWindow();
  EXPECT_FLOAT_EQ(w->GetArea().w, 330 + 60);
  MWinButton* msg = PopupButton("MSG");
  ASSERT_NE(msg, nullptr);
  EXPECT_FLOAT_EQ(msg->GetAreaRelative().y, 10);
  // Two lines of 20 plus 3, then 10, then the button row.
  EXPECT_FLOAT_EQ(w->GetArea().h, 43 + 10 + 30 + 20);
  EXPECT_TRUE(w->HasTitleBar());
  EXPECT_EQ(mw->GetDesktop()->GetCollectionFromID("MWIN_POPUP")->GetWindowFromID("MWIN_POPUP_WIN_TEMP", false),
            nullptr);
  // A title too long for the bar keeps the bar and leaves it empty.
  mw->PopupCloseIfOpen();
  const std::string longTitle(256, 't');
  ASSERT_TRUE(mw->PopupOk(longTitle.c_str(), "x"));
  EXPECT_TRUE(mw->GetPopupWindow()->HasTitleBar());
  EXPECT_STREQ(mw->GetPopupWindow()->GetTitle(), "");
}

TEST_F(MWinPopupTest, EscapeAndEnterAnswerOkCancelButNotYesNo) {
  ASSERT_TRUE(mw->PopupOkCancel("T", "Sure?", Answer));
  EXPECT_TRUE(Key(27));
  mw->Tick();
  ASSERT_TRUE(mw->PopupOkCancel("T", "Sure?", Answer));
  EXPECT_TRUE(Key(13));
  mw->Tick();
  EXPECT_EQ(g_answers, (std::vector<int>{0, 1}));
  ASSERT_TRUE(mw->PopupYesNo("T", "Sure?", Answer));
  Key(27);
  Key(13);
  mw->Tick();
  EXPECT_EQ(g_answers.size(), 2u);
  EXPECT_TRUE(mw->IsPopupOpen());
  EXPECT_STREQ(PopupButton("CANCEL")->GetTextP(), "No");
}

TEST_F(MWinPopupTest, ClosingRestoresExactlyTheSavedFlags) {
  MWinDesktop* d = mw->GetDesktop();
  MWinWindow* w1 = AddScreen("A", 0, 0, 100, 100);
  MWinCollection* a = d->GetCollectionFromID("A");
  const MWinWindowSetup s = TestWindowSetup(200, 0, 100, 100);
  MWinWindow* w2 = a->AddWindow("W2", &s);
  MWinCollection* b = d->AddCollection("B");
  a->SetActiveFlag(true);  // both collections and both windows active
  w1->SetActive(true);
  w2->SetActive(true);
  ASSERT_TRUE(mw->PopupOk("T", "x"));
  EXPECT_FALSE(a->IsActive());
  EXPECT_FALSE(b->IsActive());
  EXPECT_FALSE(w1->IsActive());
  EXPECT_EQ(mw->Style().hoverActivatesCollections, 0);
  EXPECT_TRUE(d->GetPopupFlag());
  ASSERT_TRUE(mw->PopupCloseIfOpen());
  EXPECT_TRUE(a->IsActive());
  EXPECT_TRUE(b->IsActive());
  EXPECT_TRUE(w1->IsActive());
  EXPECT_TRUE(w2->IsActive());
  EXPECT_EQ(mw->Style().hoverActivatesCollections, 1);
  EXPECT_FALSE(d->GetPopupFlag());
  EXPECT_FALSE(mw->PopupCloseIfOpen());
}

TEST_F(MWinPopupTest, ASecondPopupIsRefusedBeforeAnythingChanges) {
  AddScreen("A");
  ASSERT_TRUE(mw->PopupOk("T", "first"));
  EXPECT_FALSE(mw->PopupOk("T", "second"));
  EXPECT_TRUE(LogContains("Popup already open"));
  EXPECT_TRUE(mw->PopupCloseIfOpen());
  EXPECT_TRUE(mw->GetDesktop()->GetCollectionFromID("A")->IsActive());
  EXPECT_EQ(mw->Style().hoverActivatesCollections, 1);
  EXPECT_FALSE(LogContains("Internal Error"));
}

TEST_F(MWinPopupTest, ShutdownClosesAnOpenPopupFirst) {
  ASSERT_TRUE(mw->PopupOk("T", "x"));
  mw->Shutdown();
  EXPECT_FALSE(mw->IsPopupOpen());
  EXPECT_EQ(mw->Style().hoverActivatesCollections, 1);
  mw->Startup();
  EXPECT_TRUE(mw->PopupOk("T", "again"));
}

void OpenAnother(int result) {
  g_answers.push_back(result);
  extern MWin* g_popupTestMw;
  g_popupTestMw->PopupOkWithCallback("Next", "next", Answer);
}
MWin* g_popupTestMw = nullptr;

TEST_F(MWinPopupTest, AResultCallbackMayOpenTheNextPopup) {
  g_popupTestMw = mw.get();
  ASSERT_TRUE(mw->PopupOkWithCallback("T", "x", OpenAnother));
  Key(13);
  mw->Tick();
  EXPECT_EQ(g_answers, std::vector<int>{1});
  ASSERT_TRUE(mw->IsPopupOpen());
  EXPECT_STREQ(mw->GetPopupWindow()->GetTitle(), "Next");
  Key(13);
  mw->Tick();
  EXPECT_EQ(g_answers, (std::vector<int>{1, 1}));
  EXPECT_FALSE(mw->IsPopupOpen());
}

TEST_F(MWinPopupTest, ButtonTextsAreForTheNextPopupOnlyAndLanguageTokensFollow) {
  mw->PopupSetButtonTexts("Sure", "Never", "Maybe");
  ASSERT_TRUE(mw->PopupYesNoCancel("T", "x", Answer));
  EXPECT_STREQ(PopupButton("OK")->GetTextP(), "Sure");
  EXPECT_STREQ(PopupButton("CANCEL")->GetTextP(), "Never");
  EXPECT_STREQ(PopupButton("NO")->GetTextP(), "Maybe");
  mw->PopupCloseIfOpen();
  eng.language["Popup_OK"] = {"Okay"};
  ASSERT_TRUE(mw->PopupOkCancel("T", "x", Answer));
  eng.ClearDrawn();
  mw->Render();
  EXPECT_TRUE(eng.Drew("Okay"));
  EXPECT_TRUE(eng.Drew("Cancel"));
  EXPECT_FALSE(eng.Drew("Sure"));
}

TEST_F(MWinPopupTest, PopupDrawsWithTheLookOverTheDimmedScreen) {
  MWinWindow* w = AddScreen("A", 0, 0, 640, 480);
  w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_DEFAULT", "Under", 10, 10, 80, 30);
  ASSERT_TRUE(mw->PopupOk("Title", "Message"));
  eng.ClearDrawn();
  mw->Render();
  ASSERT_EQ(eng.dims.size(), 1u);
  EXPECT_TRUE(eng.Drew("Under"));
  EXPECT_TRUE(eng.Drew("Message"));
  EXPECT_TRUE(eng.Drew("Title"));
  EXPECT_TRUE(eng.Drew("Ok"));
  // The screen's text comes before the popup's.
  const auto texts = eng.DrawnTexts();
  EXPECT_LT(std::find(texts.begin(), texts.end(), "Under") - texts.begin(),
            std::find(texts.begin(), texts.end(), "Message") - texts.begin());
}

TEST_F(MWinPopupTest, TextEditPopupEditsTheBufferAndEnterConfirms) {
  char buffer[8] = "ab";
  ASSERT_TRUE(mw->PopupTextEdit("Name", "Your name", buffer, sizeof(buffer), Answer));
  MWinButton* edit = PopupButton("TEXTEDIT");
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->TextEditIsEditing());
  // Under a one-line message and a title: button height + 20; the window is
  // the base width, the box 40 narrower.
  EXPECT_FLOAT_EQ(edit->GetAreaRelative().y, 50);
  EXPECT_FLOAT_EQ(edit->Width(), mw->GetPopupWindow()->GetArea().w - 40);
  EXPECT_TRUE(Key(39));  // Right: the old text stays, typing goes on after it
  for (const char* p = "cdefghijk"; *p; ++p) Char(*p);
  EXPECT_TRUE(Key(13));
  mw->Tick();
  EXPECT_EQ(g_answers, std::vector<int>{1});
  EXPECT_STREQ(buffer, "abcdefg");
  EXPECT_FALSE(mw->IsPopupOpen());
}

// The box edits the caller's buffer only for an answer of OK: Escape
// presses Cancel and leaves the buffer as it was, and a popup closed without
// an answer hands nothing over either.
TEST_F(MWinPopupTest, TextEditPopupHandsTheTextOverOnlyWithOk) {
  struct Case {
    const char* what;
    int key;  // 0: closed without an answer
    std::vector<int> answers;
    const char* buffer;
  } cases[] = {
      {"Enter", 13, {1}, "abXYZ"},
      {"Escape", 27, {0}, "ab"},
      {"closed", 0, {}, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_answers.clear();
    char buffer[8] = "ab";
    ASSERT_TRUE(mw->PopupTextEdit("Deal", "Deal number", buffer, sizeof(buffer), Answer));
    Key(39);
    for (const char* p = "XYZ"; *p; ++p) Char(*p);
    if (c.key) {
      EXPECT_TRUE(Key(c.key));
      mw->Tick();
    } else {
      EXPECT_TRUE(mw->PopupCloseIfOpen());
    }
    EXPECT_FALSE(mw->IsPopupOpen());
    EXPECT_EQ(g_answers, c.answers);
    EXPECT_STREQ(buffer, c.buffer);
  }
}

// While the box is typed in it holds the mouse, so the pointer going to
// a button never highlighted it: a click on OK or Cancel must still end
// the typing and answer, once, and only OK hands the text over.
TEST_F(MWinPopupTest, AClickOnAButtonWhileTypingAnswersOnce) {
  struct Case {
    const char* button;
    std::vector<int> answers;
    const char* buffer;
  } cases[] = {
      {"OK", {1}, "XYZ"},
      {"CANCEL", {0}, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    g_answers.clear();
    char buffer[8] = "ab";
    ASSERT_TRUE(mw->PopupTextEdit("Name", "Your name", buffer, sizeof(buffer), Answer));
    for (const char* p = "XYZ"; *p; ++p) Char(*p);
    MWinArea a;
    PopupButton(c.button)->GetArea(&a, false);
    Move(a.x + a.w / 2, a.y + a.h / 2);
    EXPECT_TRUE(PopupButton("TEXTEDIT")->TextEditIsEditing());
    Press();
    Release();
    Move(a.x + a.w + 40, a.y + a.h + 30);  // and away at once
    mw->Tick();
    mw->Tick();
    EXPECT_EQ(g_answers, c.answers);
    EXPECT_FALSE(mw->IsPopupOpen());
    EXPECT_STREQ(buffer, c.buffer);
  }
}

// The popup opens with its old text selected: what the player types
// replaces it (a deal number is not appended to the last one).
TEST_F(MWinPopupTest, TheOldTextIsSelectedSoTypingReplacesIt) {
  struct Case {
    const char* what;
    std::vector<int> keys;  // below 0: a character (negated), else a key
    const char* buffer;
  } cases[] = {
      {"typed", {-'9', -'8'}, "98"},
      {"Backspace, typed", {8, -'7'}, "7"},
      {"Delete", {46}, ""},
      {"Left, typed", {37, -'1'}, "1ab"},
      {"Right, typed", {39, -'1'}, "ab1"},
      {"nothing", {}, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_answers.clear();
    char buffer[8] = "ab";
    ASSERT_TRUE(mw->PopupTextEdit("Deal", "Deal number", buffer, sizeof(buffer), Answer));
    MWinButton* edit = PopupButton("TEXTEDIT");
    EXPECT_TRUE(edit->TextEditIsAllSelected());
    for (int k : c.keys) k < 0 ? Char(-k) : Key(k);
    EXPECT_EQ(edit->TextEditIsAllSelected(), c.keys.empty());
    EXPECT_TRUE(Key(13));
    mw->Tick();
    EXPECT_EQ(g_answers, std::vector<int>{1});
    EXPECT_STREQ(buffer, c.buffer);
  }
  // The selection shows as a band behind the text; an empty text has none.
  char buffer[8] = "ab";
  ASSERT_TRUE(mw->PopupTextEdit("Deal", "Deal number", buffer, sizeof(buffer), Answer));
  eng.ClearDrawn();
  mw->Render();
  EXPECT_EQ(eng.triDraws.size(), 1u);
  EXPECT_TRUE(eng.Drew("ab"));
  Key(8);
  eng.ClearDrawn();
  mw->Render();
  EXPECT_TRUE(eng.triDraws.empty());
  mw->PopupCloseIfOpen();
  buffer[0] = '\0';
  ASSERT_TRUE(mw->PopupTextEdit("Deal", "Deal number", buffer, sizeof(buffer), Answer));
  EXPECT_FALSE(PopupButton("TEXTEDIT")->TextEditIsAllSelected());
}

TEST_F(MWinPopupTest, MessageForTimeShowsWaitsAndCloses) {
  ASSERT_TRUE(mw->PopupMessageForTime("T", "Wait", 1.5f));
  EXPECT_EQ(eng.framesRendered, 2);
  EXPECT_FLOAT_EQ(eng.waited, 1.5f);
  EXPECT_FALSE(mw->IsPopupOpen());
  EXPECT_GE(eng.redraws, 1);
}

}  // namespace

TEST_F(MWinPopupTest, WrappedMessageTextTakesTheButtonsColourAndScale) {
  mw->PopupSetStyle("", "", "", "", "", 0.9f, 0.7f, 0.8f, 1.0f, 2.0f, 1.0f, -1, -1, -1, -1, -1, -1, -1);
  ASSERT_TRUE(mw->PopupOk(nullptr, "a message"));
  eng.texts.clear();
  mw->Render();
  const FakeBackEnd::Text* message = nullptr;
  for (const auto& t : eng.texts) {
    if (t.text == "a message") message = &t;
  }
  ASSERT_NE(message, nullptr);
  // Red, blue, green as PopupSetStyle takes them.
  EXPECT_FLOAT_EQ(message->colour[0], 0.9f);
  EXPECT_FLOAT_EQ(message->colour[1], 0.8f);
  EXPECT_FLOAT_EQ(message->colour[2], 0.7f);
  EXPECT_FLOAT_EQ(message->rx, 2.0f);
}
