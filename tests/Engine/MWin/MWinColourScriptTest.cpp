// Tests of the colour picker, the picture and the script text kinds.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

std::vector<int> g_flags;
void RecordColour(MWinCallbackRecord* r, std::uint32_t, std::uint32_t) {
  g_flags.push_back(r->colourDragging);
}

class MWinPickerTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    w = AddScreen();
    picker = w->AddButton("C", MWIN_BUT_COLOUR, "MWIN_TEXBUT_NONE", "", 100, 100, 200, 100);
    picker->SetCallback(RecordColour, 0, 0);
    g_flags.clear();
  }
  MWinWindow* w = nullptr;
  MWinButton* picker = nullptr;
  // Default metrics: the strip is 12 wide at x 288, its inner part 104-196;
  // the square is 187 wide from x 100 with the inner part 104..283, 104..196.
};

TEST_F(MWinPickerTest, TableColoursSurviveARoundTripThroughThePicker) {
  struct Case {
    float r, g, b;
  };
  const Case cases[] = {{1, 0, 0}, {0.5f, 0, 0}, {1, 0.5f, 0.5f}, {0.3f, 0.3f, 0.3f},
                        {0, 0, 1}, {0, 1, 1}};
  for (const Case& c : cases) {
    ASSERT_TRUE(picker->ColourSetFloat(c.r, c.g, c.b, false));
    // A press exactly on the square's marker must not change the colour.
    const MWinColourData& d = picker->ColourData();
    mw->SetMousePosition(104 + d.s * 179, 104 + d.v * 92);
    picker->Activate();
    ASSERT_TRUE(picker->ButtonPressed(0, 1));
    picker->ButtonPressed(0, 0);
    float r, g, b;
    picker->ColourGet(&r, &g, &b);
    EXPECT_NEAR(r, c.r, 1e-4) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(g, c.g, 1e-4);
    EXPECT_NEAR(b, c.b, 1e-4);
  }
}

TEST_F(MWinPickerTest, RefusalsBlackAndTheBoundVariable) {
  EXPECT_FALSE(picker->ColourSetFloat(1.2f, 0, 0, false));
  EXPECT_TRUE(LogContains("invalid col R:1.200000 G:0.000000 B:0.000000 (ID: C)"));
  ASSERT_TRUE(picker->ColourSetFloat(0, 0, 0, false));
  EXPECT_FLOAT_EQ(picker->ColourData().s, 0);
  EXPECT_FLOAT_EQ(picker->ColourData().v, 1);
  EXPECT_FALSE(picker->ColourRegisterVariableMult(nullptr, 1, 0));
  EXPECT_TRUE(LogContains("Var not set"));
  float colour[3] = {255, 0, 0};
  ASSERT_TRUE(picker->ColourRegisterVariableMult(colour, 255, 0));
  float r, g, b;
  picker->ColourGet(&r, &g, &b);
  EXPECT_FLOAT_EQ(r, 1);
  picker->ColourSetFloat(0, 255, 0, true);
  EXPECT_FLOAT_EQ(colour[1], 255);
  EXPECT_EQ(g_flags, std::vector<int>{0});
}

TEST_F(MWinPickerTest, StripPressAndDrag) {
  Move(290, 104);  // the inner top of the strip
  Press();
  EXPECT_FLOAT_EQ(picker->ColourData().hue, 0);
  const size_t afterPress = g_flags.size();
  Release();
  EXPECT_EQ(g_flags.size(), afterPress);  // no final callback without a move
  Move(290, 150);
  Press();
  g_flags.clear();
  Move(290, 300);  // below the strip
  EXPECT_FLOAT_EQ(picker->ColourData().hue, 255);
  Move(290, 400);  // no change, no callback
  Release();
  EXPECT_EQ(g_flags, (std::vector<int>{1, 0}));
}

// ---- Picture ------------------------------------------------------------------

TEST_F(MWinTest, PieQuarterStartsLeftOfTheCentreAndEndsAtTheTop) {
  MWinWindow* w = AddScreen();
  MWinButton* pic = w->AddButton("P", MWIN_BUT_PICTURE, "MWIN_TEXBUT_NONE", "", 100, 100, 100, 100);
  ASSERT_TRUE(pic->PictureSetPieValues(0.25f, 1));
  auto* sector = static_cast<FakeTriList*>(pic->PictureData().lists[2]);
  ASSERT_NE(sector, nullptr);
  EXPECT_NEAR(sector->xy[0][0], 105, 1e-3);
  EXPECT_NEAR(sector->xy[0][1], 150, 1e-3);
  EXPECT_NEAR(sector->xy[63][2], 150, 1e-3);
  EXPECT_NEAR(sector->xy[63][3], 105, 1e-3);
  EXPECT_NEAR(sector->xy[0][4], 150, 1e-3);  // the centre
  EXPECT_FLOAT_EQ(sector->colour[0][0], 0.8f);
  EXPECT_FALSE(pic->PictureSetPieValues(2, 1));
  EXPECT_FLOAT_EQ(pic->PictureData().a, 0.25f);
  eng.ClearDrawn();
  mw->Render();
  EXPECT_EQ(eng.triDraws.size(), 3u);
  // Textures: refused when not loaded, drawn over the area when loaded.
  int fakeTexture = 0;
  EngTexture* t = reinterpret_cast<EngTexture*>(&fakeTexture);
  EXPECT_FALSE(pic->PictureAttachTextureToButton(t, 0));
  EXPECT_TRUE(LogContains("No texture"));
  eng.engTextures[t] = true;
  ASSERT_TRUE(pic->PictureAttachTextureToButton(t, 1));
  eng.ClearDrawn();
  mw->Render();
  ASSERT_FALSE(eng.quads.empty());
  EXPECT_EQ(eng.quads.back().engTexture, t);
  EXPECT_FLOAT_EQ(eng.quads.back().w, 100);
}

// ---- Script -------------------------------------------------------------------------

bool g_hookSaw = false;
bool SeeKey(int) {
  g_hookSaw = true;
  return false;
}

TEST_F(MWinTest, ScriptParagraphsHeadingsAndOwnCopy) {
  MWinWindow* w = AddScreen();
  MWinButton* s = w->AddButton("S", MWIN_BUT_SCRIPT, "MWIN_TEXBUT_NONE", "", 100, 100, 300, 200);
  char text[] = "<1>Title\nA short sentence\n<3>plain";
  s->ScriptSetText(text);
  std::memset(text, 'z', sizeof(text) - 1);  // the caller may reuse its buffer
  const MWinScriptData& d = s->ScriptData();
  ASSERT_EQ(d.parCount, 3);
  EXPECT_EQ(d.pars[0].style, 1);
  EXPECT_EQ(d.pars[1].style, 0);
  EXPECT_EQ(d.pars[2].style, 0);
  EXPECT_FALSE(d.needsBar);
  eng.ClearDrawn();
  mw->Render();
  EXPECT_EQ(eng.DrawnTexts(), (std::vector<std::string>{"Title", "A short sentence", "<3>plain"}));
  s->ScriptSetText("literal text\n");  // a literal is never written to
  EXPECT_EQ(s->ScriptData().parCount, 1);
}

TEST_F(MWinTest, ScriptScrollsByKeysAndTakesEveryKey) {
  MWinWindow* w = AddScreen();
  MWinButton* s = w->AddButton("S", MWIN_BUT_SCRIPT, "MWIN_TEXBUT_NONE", "", 100, 100, 300, 110);
  w->SetKeyHook(SeeKey);
  std::string text;
  for (int i = 0; i < 30; ++i) text += "Line " + std::to_string(i) + "\n";
  s->ScriptSetText(text.c_str());
  const MWinScriptData& d = s->ScriptData();
  EXPECT_TRUE(d.needsBar);
  EXPECT_EQ(d.linesPerPage, 5);  // (110 - 2 x 5) / 20
  EXPECT_EQ(d.totalLines, 31);
  Move(150, 150);
  g_hookSaw = false;
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(Key(34));
  EXPECT_EQ(d.firstLine, 26);
  EXPECT_TRUE(Key(65));
  EXPECT_FALSE(g_hookSaw);
  Key(38);
  EXPECT_EQ(d.firstLine, 25);
  Key(33);
  EXPECT_EQ(d.firstLine, 20);
  Wheel(2);
  EXPECT_EQ(d.firstLine, 18);
  eng.ClearDrawn();
  mw->Render();
  ASSERT_FALSE(eng.texts.empty());
  EXPECT_EQ(eng.texts[0].text, "Line 18");
}

}  // namespace

namespace {

TEST_F(MWinTest, PickerHueRowsAndTextures) {
  struct Row {
    int row;
    float r, g, b;
  };
  const Row rows[] = {{0, 1, 0, 0},   {21, 1, 0, 0.5f}, {42, 1, 0, 1},  {43, 1, 0, 1},
                      {84, 0, 0, 1},  {85, 0, 0, 1},    {127, 0, 1, 1}, {128, 0, 1, 1},
                      {170, 0, 1, 0}, {171, 0, 1, 0},   {212, 41.0f / 42, 1, 0}, {213, 1, 1, 0},
                      {255, 1, 0, 0}};
  for (const Row& k : rows) {
    const float* c = mw->PickerHue(k.row);
    EXPECT_NEAR(c[0], k.r, 1e-6) << k.row;
    EXPECT_NEAR(c[1], k.g, 1e-6) << k.row;
    EXPECT_NEAR(c[2], k.b, 1e-6) << k.row;
  }
  // The strip: border columns of half metric 46 (2 texels), border rows of
  // metric 47 (4 texels); the square: white inside a 4-texel border.
  auto* strip = static_cast<FakeTexture*>(mw->PickerStrip());
  auto* square = static_cast<FakeTexture*>(mw->PickerSquare());
  ASSERT_NE(strip, nullptr);
  ASSERT_NE(square, nullptr);
  ASSERT_EQ(strip->width, 32);
  ASSERT_EQ(strip->height, 256);
  const unsigned black = 0xFF000000u;
  EXPECT_EQ(strip->pixels[100 * 32 + 1], black);
  EXPECT_NE(strip->pixels[100 * 32 + 2], black);
  EXPECT_EQ(strip->pixels[100 * 32 + 30], black);
  EXPECT_EQ(strip->pixels[3 * 32 + 16], black);
  EXPECT_EQ(strip->pixels[4 * 32 + 16], 0xFFFF0018u);  // row 4: red, blue 4/42
  EXPECT_EQ(square->pixels[3 * 256 + 100], black);
  EXPECT_EQ(square->pixels[100 * 256 + 3], black);
  EXPECT_EQ(square->pixels[100 * 256 + 4], 0xFFFFFFFFu);
}

}  // namespace
