// Tests of the texture and texture-button registry, sliced drawing, and the
// font registry.
#include <string>

#include "tests/Engine/MWin/MWinFake.h"

namespace {

class MWinTexturesTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    WriteFile("a.tga", "x");
    tex = mw->GetTextures();
    ASSERT_TRUE(tex->AddTexture("A", "a.tga", 1, 2));
  }
  MWinTexBut* Look(const char* id, float l, float t, float r, float b) {
    return tex->AddTextureButton(id, "A", l, t, r, b, "", 0, 0, 0, 0, "", 0, 0, 0, 0, "", 0, 0, 0,
                                 0);
  }
  MWinTextures* tex = nullptr;
};

TEST_F(MWinTexturesTest, NineSlicesForABorderedLook) {
  ASSERT_NE(Look("Box", 0, 0, 1, 1), nullptr);
  ASSERT_TRUE(tex->SetTexButDrawStyle("Box", 2, 0.1f, 16, 2, 0.2f, 16));
  ASSERT_TRUE(tex->CreateTextures());
  const int n = tex->GetTexButNumFromID("Box");
  eng.ClearDrawn();
  ASSERT_TRUE(tex->DrawTexBut(n, 0, 10, 20, 100, 50));
  ASSERT_EQ(eng.quads.size(), 9u);
  const float xs[3] = {10, 26, 94}, ws[3] = {16, 68, 16};
  const float ys[3] = {20, 36, 54}, hs[3] = {16, 18, 16};
  const float us[4] = {0, 0.1f, 0.9f, 1}, vs[4] = {0, 0.2f, 0.8f, 1};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const FakeBackEnd::Quad& q = eng.quads[r * 3 + c];
      EXPECT_FLOAT_EQ(q.x, xs[c]);
      EXPECT_FLOAT_EQ(q.w, ws[c]);
      EXPECT_FLOAT_EQ(q.y, ys[r]);
      EXPECT_FLOAT_EQ(q.h, hs[r]);
      EXPECT_FLOAT_EQ(q.uv[0], us[c]);
      EXPECT_FLOAT_EQ(q.uv[2], us[c + 1]);
      EXPECT_FLOAT_EQ(q.uv[1], vs[r]);
      EXPECT_FLOAT_EQ(q.uv[3], vs[r + 1]);
    }
  }
  // 2 x 16 is not below 30: stretched across, sliced down.
  eng.ClearDrawn();
  ASSERT_TRUE(tex->DrawTexBut(n, 0, 0, 0, 30, 50));
  ASSERT_EQ(eng.quads.size(), 3u);
  EXPECT_FLOAT_EQ(eng.quads[0].w, 30);
  EXPECT_FLOAT_EQ(eng.quads[1].h, 18);
}

TEST_F(MWinTexturesTest, MirroredRectanglesMirrorTheCoordinates) {
  ASSERT_NE(Look("Mirror", 1, 0, 0, 1), nullptr);
  ASSERT_TRUE(tex->SetTexButDrawStyle("Mirror", 2, 0.25f, 10, 1, 0, 0));
  ASSERT_TRUE(tex->CreateTextures());
  eng.ClearDrawn();
  ASSERT_TRUE(tex->DrawTexBut(tex->GetTexButNumFromID("Mirror"), 0, 0, 0, 100, 40));
  ASSERT_EQ(eng.quads.size(), 3u);
  EXPECT_FLOAT_EQ(eng.quads[0].uv[0], 1);
  EXPECT_FLOAT_EQ(eng.quads[0].uv[2], 0.75f);
  EXPECT_FLOAT_EQ(eng.quads[2].uv[0], 0.25f);
  EXPECT_FLOAT_EQ(eng.quads[2].uv[2], 0);
}

TEST_F(MWinTexturesTest, ColourIsTintTimesStateColourAndMissingStatesFallBack) {
  MWinTexBut* tb = Look("Tinted", 0, 0, 1, 1);
  ASSERT_NE(tb, nullptr);
  tb->states[0].ownColour = 1;
  const float own[4] = {0.5f, 1, 0.25f, 1};
  std::copy(own, own + 4, tb->states[0].colour);
  ASSERT_TRUE(tex->CreateTextures());
  const int n = tex->GetTexButNumFromID("Tinted");
  const float tint[4] = {0.5f, 0.5f, 1, 0.5f};
  struct Case {
    const float* tint;
    float r, g, b, a;
  };
  const Case cases[] = {{tint, 0.25f, 0.5f, 0.25f, 0.5f}, {nullptr, 0.5f, 1, 0.25f, 1}};
  for (const Case& c : cases) {
    eng.ClearDrawn();
    // State 1 has no texture: the normal state is drawn.
    ASSERT_TRUE(tex->DrawTexBut(n, 1, 0, 0, 10, 10, c.tint));
    ASSERT_EQ(eng.quads.size(), 1u);
    EXPECT_FLOAT_EQ(eng.quads[0].colour[0][0], c.r);
    EXPECT_FLOAT_EQ(eng.quads[0].colour[0][1], c.g);
    EXPECT_FLOAT_EQ(eng.quads[0].colour[0][2], c.b);
    EXPECT_FLOAT_EQ(eng.quads[0].colour[0][3], c.a);
  }
  tb->states[0].ownColour = 0;
  eng.ClearDrawn();
  ASSERT_TRUE(tex->DrawTexBut(n, 0, 0, 0, 10, 10, tint));
  EXPECT_FLOAT_EQ(eng.quads[0].colour[3][2], 1);
  EXPECT_FLOAT_EQ(eng.quads[0].colour[3][3], 0.5f);
}

TEST_F(MWinTexturesTest, RegistryLimits) {
  EXPECT_FALSE(tex->AddTexture("M", "missing.tga", 0, 0));
  EXPECT_TRUE(LogContains("File does not exist <missing.tga>"));
  for (int i = 1; i < kMWinMaxTextures; ++i)
    ASSERT_TRUE(tex->AddTexture(("T" + std::to_string(i)).c_str(), "a.tga", 0, 0));
  EXPECT_FALSE(tex->AddTexture("Over", "a.tga", 0, 0));
  EXPECT_TRUE(LogContains("Too many textures"));
  for (int i = 0; i < kMWinMaxTexButs; ++i)
    ASSERT_NE(Look(("B" + std::to_string(i)).c_str(), 0, 0, 1, 1), nullptr);
  EXPECT_EQ(Look("Over", 0, 0, 1, 1), nullptr);
  EXPECT_TRUE(LogContains("Too many texture buttons"));
  EXPECT_EQ(Look("B1", 0, 0, 1, 1), nullptr);
  EXPECT_FALSE(tex->AddTexture("E", "", 0, 0));
  EXPECT_TRUE(LogContains("No filename passed in"));
}

TEST_F(MWinTexturesTest, StandardSlots) {
  ASSERT_NE(Look("S", 0, 0, 1, 1), nullptr);
  EXPECT_TRUE(tex->SetStandardTextureToTexBut(5, "S"));
  EXPECT_EQ(tex->GetStandardTexButNum(5), tex->GetTexButNumFromID("S"));
  EXPECT_STREQ(tex->GetStandardTexButID(5), "S");
  EXPECT_TRUE(tex->SetStandardTextureToTexBut(5, ""));
  EXPECT_EQ(tex->GetStandardTexButNum(5), -1);
  EXPECT_FALSE(tex->SetStandardTextureToTexBut(24, "S"));
  EXPECT_TRUE(LogContains("Invalid std tex num 24"));
  EXPECT_FALSE(tex->SetStandardTextureToTexBut(6, "Nope"));
  // Out-of-range slots answer -1 instead of reading past the table.
  EXPECT_EQ(tex->GetStandardTexButNum(24), -1);
  EXPECT_EQ(tex->GetStandardTexButNum(-1), -1);
  EXPECT_TRUE(LogContains("Invalid standard texbut num: 24"));
  ASSERT_TRUE(tex->SetStandardTextureToTexBut(7, "S"));
  EXPECT_TRUE(tex->ClearStandardTexBut(7));
  EXPECT_EQ(tex->GetTexButNumFromID("S"), -1);
  EXPECT_FALSE(tex->ClearStandardTexBut(7));
  ASSERT_NE(tex->AddStandardTextureButton(9, "Std", "A", 0, 0, 1, 1, "", 0, 0, 0, 0, "", 0, 0, 0, 0,
                                          "", 0, 0, 0, 0),
            nullptr);
  EXPECT_STREQ(tex->GetStandardTexButID(9), "Std");
}

TEST_F(MWinTexturesTest, DatNamesLoadAndUnknownNamesFail) {
  WriteFile("b.dat", "x");
  WriteFile("c.gif", "x");
  ASSERT_TRUE(tex->AddTexture("B", "b.dat", 0, 0));
  ASSERT_TRUE(tex->AddTexture("C", "c.gif", 0, 0));
  EXPECT_FALSE(tex->CreateTextures());
  EXPECT_FALSE(tex->IsLoaded());
  EXPECT_TRUE(tex->IsTextureLoaded(0));
  EXPECT_TRUE(tex->IsTextureLoaded(1));
  EXPECT_FALSE(tex->IsTextureLoaded(2));
  // A look over the failed texture draws nothing.
  ASSERT_NE(tex->AddTextureButton("G", "C", 0, 0, 1, 1, "", 0, 0, 0, 0, "", 0, 0, 0, 0, "", 0, 0,
                                  0, 0),
            nullptr);
  eng.ClearDrawn();
  EXPECT_FALSE(tex->DrawTexBut(tex->GetTexButNumFromID("G"), 0, 0, 0, 10, 10));
  EXPECT_TRUE(eng.quads.empty());
}

TEST_F(MWinTest, FontRegistry) {
  MWinFonts* f = mw->GetFonts();
  FakeFont fonts[9];
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(f->AddUserFontPointer(("F" + std::to_string(i)).c_str(), FakeBackEnd::AsEng(&fonts[i])), i);
  EXPECT_EQ(f->AddUserFontPointer("F8", FakeBackEnd::AsEng(&fonts[8])), kMWinFontNone);
  EXPECT_TRUE(LogContains("No more user fonts can be created"));
  EXPECT_EQ(f->AddUserFontPointer("", FakeBackEnd::AsEng(&fonts[8])), kMWinFontNone);
  EXPECT_TRUE(LogContains("No id specified"));
  EXPECT_EQ(f->AddFontPointer("F9", nullptr), kMWinFontNone);
  EXPECT_TRUE(LogContains("No font passed in"));
  // The fixture registered the standard font (number -1, not user font 1);
  // a second standard font is refused.
  EXPECT_EQ(f->AddFontPointer(nullptr, FakeBackEnd::AsEng(&fonts[8])), kMWinFontNone);
  EXPECT_TRUE(LogContains("Font is already loaded"));
  ClearLog();
  EXPECT_EQ(f->GetFontNumFromID("MWIN_FONT_NONE"), kMWinFontNone);
  EXPECT_EQ(f->GetFontNumFromID("MWIN_FONT_DEFAULT"), kMWinFontDefault);
  EXPECT_TRUE(LogLines().empty());
  EXPECT_EQ(f->GetFontNumFromID("Nope"), kMWinFontNone);
  EXPECT_TRUE(LogContains("Font <Nope> does not exist"));
  EXPECT_EQ(f->GetFontNumFromID("F3"), 3);
  EXPECT_EQ(f->GetFont(3), FakeBackEnd::AsEng(&fonts[3]));
  EXPECT_EQ(f->GetFont(-1), FakeBackEnd::AsEng(&font));
  EXPECT_EQ(f->GetFont(-2), nullptr);
  EXPECT_EQ(f->GetFont(8), nullptr);
  // Pointer fonts survive a release and a load.
  f->ReleaseFonts();
  EXPECT_TRUE(f->LoadFonts());
  EXPECT_EQ(f->GetFont(3), FakeBackEnd::AsEng(&fonts[3]));
}

TEST_F(MWinTest, FontsMadeByTheRegistryFollowTheGraphics) {
  MWinFonts* f = mw->GetFonts();
  MWinEngFontParams params = {};
  const int n = f->AddFontParams("Made", params);
  ASSERT_EQ(n, 0);
  EXPECT_EQ(f->GetFont(n), nullptr);
  ASSERT_TRUE(f->LoadFonts());
  ASSERT_NE(f->GetFont(n), nullptr);
  EXPECT_TRUE(FakeBackEnd::F(f->GetFont(n))->created);
  f->ReleaseFonts();
  EXPECT_EQ(f->GetFont(n), nullptr);
  EXPECT_FALSE(f->IsLoaded());
}

}  // namespace
