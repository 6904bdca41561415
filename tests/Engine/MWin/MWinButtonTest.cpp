// Tests of the button base: default looks, placement, draw states, press
// behaviour, texts, tint and binding order.
#include <string>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

TEST_F(MWinTest, DefaultLookSlotFollowsTheKind) {
  WriteFile("a.tga", "x");
  MWinTextures* t = mw->GetTextures();
  ASSERT_TRUE(t->AddTexture("A", "a.tga", 0, 0));
  for (int slot : {3, 4, 10}) {
    const std::string id = "S" + std::to_string(slot);
    ASSERT_NE(t->AddStandardTextureButton(slot, id.c_str(), "A", 0, 0, 1, 1, "", 0, 0, 0, 0, "", 0,
                                          0, 0, 0, "", 0, 0, 0, 0),
              nullptr);
  }
  MWinWindow* w = AddScreen();
  struct Case {
    int kind;
    int slot;
  };
  const Case cases[] = {{1, 3}, {2, 4}, {5, 4}, {6, 3}, {7, 4}, {8, 4}, {9, 10}, {10, 3}, {12, 3}};
  for (const Case& c : cases) {
    MWinButton* b = w->AddButton("B", c.kind, "MWIN_TEXBUT_DEFAULT", "", 10, 10, 50, 20);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetTexButNum(), t->GetStandardTexButNum(c.slot)) << "kind " << c.kind;
    w->RemoveButton(b);
  }
  MWinButton* none = w->AddButton("N", 1, "MWIN_TEXBUT_NONE", "", 10, 10, 50, 20);
  EXPECT_EQ(none->GetTexButNum(), -1);
  EXPECT_FALSE(none->SetTexBut("Unknown"));
  EXPECT_EQ(none->GetTexButNum(), -1);
}

TEST_F(MWinTest, PlacementCentresClampsAndRefuses) {
  MWinWindow* w = AddScreen("C", 100, 100, 200, 100);
  MWinButton* b = w->AddButton("B", 1, "MWIN_TEXBUT_NONE", "", -1, -1, 50, 20);
  EXPECT_FLOAT_EQ(b->GetAreaRelative().x, 75);
  EXPECT_FLOAT_EQ(b->GetAreaRelative().y, 40);
  float x, y;
  b->GetPos(&x, &y, nullptr, nullptr, false);
  EXPECT_FLOAT_EQ(x, 175);
  EXPECT_FLOAT_EQ(y, 140);
  MWinButton* wide = w->AddButton("W", 1, "MWIN_TEXBUT_NONE", "", 0, 0, 300, 20);
  EXPECT_FLOAT_EQ(wide->Width(), 200);
  b->SetPos(10, 10, 2, -1);
  EXPECT_FLOAT_EQ(b->Width(), 5);
  EXPECT_FLOAT_EQ(b->Height(), 20);  // the layout's default height
  b->SetPos(190, 90, 50, 20);
  EXPECT_FLOAT_EQ(b->GetAreaRelative().x, 150);
  EXPECT_FLOAT_EQ(b->GetAreaRelative().y, 80);
  int ix, iy, iw, ih;
  b->SetPosXY(10.7f, 20.9f);
  b->GetPosInt(&ix, &iy, &iw, &ih, true);
  EXPECT_EQ(ix, 10);
  EXPECT_EQ(iy, 20);
  // Moving the window moves the absolute position.
  w->SetPosXY(300, 300);
  b->GetPos(&x, &y, nullptr, nullptr, false);
  EXPECT_FLOAT_EQ(x, 310.7f);
  EXPECT_FLOAT_EQ(y, 320.9f);
}

TEST_F(MWinTest, DrawStatePriority) {
  MWinWindow* w = AddScreen();
  MWinButton* b = w->AddButton("B", 1, "MWIN_TEXBUT_NONE", "", 10, 10, 50, 20);
  EXPECT_EQ(b->GetDrawState(), 0);
  b->Activate();
  EXPECT_EQ(b->GetDrawState(), 1);
  Move(20, 20);
  Press();
  EXPECT_EQ(b->GetDrawState(), 2);
  b->SetEnabled(false);
  EXPECT_EQ(b->GetDrawState(), 3);
  b->SetForcedDrawState(1);
  EXPECT_EQ(b->GetDrawState(), 1);
}

int g_fired = 0;
int g_seen = -1;
signed char g_bound = 0;
void Fire() { ++g_fired; }
void SeeBound(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2) {
  g_seen = g_bound;
  EXPECT_EQ(record->checkboxState, g_bound);
  EXPECT_EQ(user1, 7u);
  EXPECT_EQ(user2, 9u);
  EXPECT_STREQ(record->buttonID, "Check");
  EXPECT_STREQ(record->windowID, "Win");
}
bool g_hooked = false;
bool Hook(int key) {
  g_hooked = key == 13;
  return false;
}

TEST_F(MWinTest, PushButtonFiresOnReleaseAfterAPressOnIt) {
  MWinWindow* w = AddScreen();
  MWinButton* b = w->AddButton("B", 1, "MWIN_TEXBUT_NONE", "", 10, 10, 50, 20);
  b->SetSimpleCallback(Fire);
  g_fired = 0;
  EXPECT_TRUE(Click(20, 20));
  EXPECT_EQ(g_fired, 1);
  // Pressed elsewhere, released on it: nothing.
  Move(200, 200);
  Press();
  Move(20, 20);
  Release();
  EXPECT_EQ(g_fired, 1);
  // Pressed on it, released after leaving: nothing.
  Press();
  Move(200, 200);
  Release();
  EXPECT_EQ(g_fired, 1);
  // Enter on the focused button calls it but the key goes on to the hook.
  Move(20, 20);
  b->SetKeyHook(Hook);
  g_hooked = false;
  EXPECT_FALSE(Key(13));
  EXPECT_EQ(g_fired, 2);
  EXPECT_TRUE(g_hooked);
}

TEST_F(MWinTest, BoundVariableIsWrittenBeforeTheCallback) {
  MWinWindow* w = AddScreen();
  MWinButton* c = w->AddButton("Check", MWIN_BUT_CHECKBOX, "MWIN_TEXBUT_NONE", "", 10, 10, 50, 20);
  g_bound = 0;
  c->CheckboxRegisterVariable(&g_bound, false);
  c->SetCallback(SeeBound, 7, 9);
  g_seen = -1;
  Click(20, 20);
  EXPECT_EQ(g_bound, 1);
  EXPECT_EQ(g_seen, 1);
  EXPECT_FALSE(c->CheckboxSet(2, true));
  EXPECT_TRUE(LogContains("Invalid check parameter: 2"));
  EXPECT_EQ(c->CheckboxGet(), 1);
}

TEST_F(MWinTest, TextsTokensAndTint) {
  MWinWindow* w = AddScreen();
  MWinButton* b = w->AddButton("B", 1, "MWIN_TEXBUT_NONE", "One", 10, 10, 200, 40);
  const std::string huge(600, 'x');
  EXPECT_TRUE(b->SetText(huge.c_str()));
  EXPECT_TRUE(LogContains("String too long"));
  EXPECT_EQ(std::string(b->GetTextP()), huge);
  b->SetText(nullptr);
  EXPECT_FALSE(b->HasText());
  EXPECT_EQ(b->GetTextP(), nullptr);
  EXPECT_TRUE(LogContains("No text present. Ensure call HasText() first."));
  b->SetTextFormatted("%d-%s", 4, "x");
  EXPECT_STREQ(b->GetTextP(), "4-x");
  eng.language["Two"] = {"First", "Second"};
  ASSERT_TRUE(b->SetTextLanguageToken("Two"));
  eng.ClearDrawn();
  mw->Render();
  ASSERT_EQ(eng.texts.size(), 2u);
  EXPECT_EQ(eng.texts[0].text, "First");
  EXPECT_EQ(eng.texts[1].text, "Second");
  EXPECT_FLOAT_EQ(eng.texts[1].y - eng.texts[0].y, 20);  // twice metric 8
  b->SetTextColour(-1, 0.5f, -1, -1);
  b->SetAlpha(1.0f);
  eng.ClearDrawn();
  mw->Render();
  EXPECT_FLOAT_EQ(eng.texts[0].colour[1], 0.5f);
  EXPECT_FLOAT_EQ(eng.texts[0].colour[3], 1);
  b->SetAlpha(0.0f);
  eng.ClearDrawn();
  mw->Render();
  EXPECT_TRUE(eng.texts.empty());
}

// A screen that changes a text in its tick, with no input to bring a
// frame, gets one; setting the text it already shows asks for none.
TEST_F(MWinTest, ANewTextAsksForAFrame) {
  MWinWindow* w = AddScreen();
  MWinButton* b = w->AddButton("B", 1, "MWIN_TEXBUT_NONE", "", 10, 10, 200, 40);
  eng.language["Two"] = {"First", "Second"};
  struct Step {
    const char* text;  // nullptr: the token "Two"
    int frames;
  };
  const Step steps[] = {{"", 0}, {"Ann", 1}, {"Ann", 0}, {"Bob", 1}, {nullptr, 1}, {nullptr, 0}, {"Bob", 1}, {"", 1}};
  for (const Step& s : steps) {
    eng.frames = 0;
    if (s.text) {
      b->SetText(s.text);
    } else {
      b->SetTextLanguageToken("Two");
    }
    EXPECT_EQ(eng.frames, s.frames) << (s.text ? s.text : "the token");
  }
}

// Wrapped text in a framed button keeps off the frame: a sliced look by its
// border, a look drawn whole by the script text's margins, across beyond
// the text inset and down from the top. Without a look it uses the button.
TEST_F(MWinTest, WrappedTextKeepsOffTheFrame) {
  InstallTestLook();
  MWinTextures* t = mw->GetTextures();
  ASSERT_NE(t->AddTextureButton("Sliced", "LookTex", 0, 0, 1, 1, "", 0, 0, 0, 0, "", 0, 0, 0, 0, "", 0, 0, 0, 0),
            nullptr);
  ASSERT_TRUE(t->SetTexButDrawStyle("Sliced", 2, 0.1f, 8, 2, 0.1f, 7));
  MWinWindow* w = AddScreen();
  const float* m = mw->Metrics(0);
  const float inset = m[kMetTextInset];
  struct Case {
    const char* look;
    float insetX, insetY;
  } cases[] = {{"Sliced", inset + 8, 7},
               {"Look", inset + m[kMetScriptMarginX], m[kMetScriptMarginY]},
               {"MWIN_TEXBUT_NONE", inset, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.look);
    MWinButton* b = w->AddButton("B", 1, c.look, "every word here has four letters", 10, 20, 120, 200);
    b->SetTextAlign(0);
    b->SetMultilineText(true);
    eng.ClearDrawn();
    mw->Render();
    ASSERT_GT(eng.texts.size(), 1u);
    EXPECT_FLOAT_EQ(eng.texts.front().y, 20 + c.insetY);
    for (const FakeBackEnd::Text& text : eng.texts) {
      EXPECT_FLOAT_EQ(text.x, 10 + c.insetX) << text.text;
      EXPECT_LE(text.x + static_cast<float>(text.text.size()) * font.advance, 130 - c.insetX) << text.text;
    }
    w->RemoveButton(b);
  }
}

}  // namespace

namespace {

int g_clicks = 0;
void Clicked() { ++g_clicks; }

// A press and a release on a push button are a click, whatever the routing
// did to its highlight before them and whatever move comes right after: a
// popup shown and closed while the pointer rested on it (the Game page's
// picture being made), the button's window rebuilt under the pointer, or
// the pointer moving away at once.
TEST_F(MWinTest, APressAndReleaseOnAButtonAreAClickWhateverCameBefore) {
  enum Before { kNothing, kPopupShownAndClosed, kButtonsRebuilt };
  for (Before before : {kNothing, kPopupShownAndClosed, kButtonsRebuilt}) {
    SCOPED_TRACE(static_cast<int>(before));
    MWinWindow* w = AddScreen();
    MWinButton* b = w->AddButton("New", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "New", 100, 100, 80, 40);
    ASSERT_NE(b, nullptr);
    b->SetSimpleCallback(Clicked);
    Move(120, 120);
    ASSERT_TRUE(b->IsHighlighted());
    if (before == kPopupShownAndClosed) {
      ASSERT_TRUE(mw->PopupMessage("", "Preparing..."));
      mw->PopupCloseIfOpen();
    } else if (before == kButtonsRebuilt) {
      w->RemoveButton(b);
      b = w->AddButton("New", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "New", 100, 100, 80, 40);
      b->SetSimpleCallback(Clicked);
    }
    g_clicks = 0;
    Press();
    Release();
    Move(400, 400);
    EXPECT_EQ(g_clicks, 1);
    mw->GetDesktop()->RemoveCollection("Screen");
  }
}

}  // namespace
