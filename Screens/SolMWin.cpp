// SolMWin.cpp - the game's toolkit look (see SolMWin.h).
#include "Screens/SolMWin.h"

#include "Engine/Debug.h"
#include "Engine/EngFont.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"
#include "Game/GameState.h"
#include "Screens/ScreensHandles.h"
#include "Screens/ScreensImports.h"

namespace {

constexpr const char* kWhere = "SolMWinSetupTexturesAndTexButs()";
constexpr const char* kTexture = "Buttons.tga";
constexpr const char* kTextureFile = "Data\\Main\\0101.dat";

struct TexButRow {
  const char* id;
  int slot;         // standard slot, -1 none
  int states;       // pictures given (1 or 4)
  float rect[4][4];  // u from, v from, u to, v to per state
  int modeH;
  float fractionH, borderH;
  int modeV;
  float fractionV, borderV;
};

// The texture buttons in the order they are made.
const TexButRow kTexButs[] = {
    {"ArrowL", -1, 4, {{0.002f, 0.628f, 0.124f, 0.875f}, {0.127f, 0.627f, 0.249f, 0.874f},
                       {0.251f, 0.628f, 0.374f, 0.875f}, {0.376f, 0.627f, 0.498f, 0.874f}},
     0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"ArrowR", -1, 4, {{0.124f, 0.629f, 0.002f, 0.875f}, {0.25f, 0.628f, 0.127f, 0.874f},
                       {0.374f, 0.628f, 0.251f, 0.876f}, {0.499f, 0.627f, 0.377f, 0.873f}},
     1, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"Back1", -1, 1, {{0.005f, 0.007f, 0.493f, 0.494f}}, 2, 0.03f, 6.0f, 2, 0.03f, 6.0f},
    {"Back2", -1, 1, {{0.005f, 0.507f, 0.493f, 0.994f}}, 2, 0.03f, 4.0f, 2, 0.03f, 5.0f},
    {"Back3", -1, 1, {{0.001f, 0.499f, 0.499f, 0.001f}}, 2, 0.03f, 2.0f, 2, 0.03f, 2.0f},
    {"Back4", -1, 1, {{0.535f, 0.692f, 0.965f, 0.748f}}, 1, 0.0f, 0.0f, 1, 0.0f, 0.0f},
    {"Back5", -1, 1, {{0.688f, 0.749f, 0.752f, 0.998f}}, 2, 0.23f, 3.0f, 2, 0.22f, 2.0f},
    {"Black", -1, 1, {{0.753f, 0.751f, 0.873f, 0.874f}}, 2, 0.16f, 9.0f, 2, 0.1f, 6.0f},
    {"Black2", -1, 1, {{0.768f, 0.773f, 0.863f, 0.863f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"Main", -1, 4, {{0.506f, 0.008f, 0.994f, 0.117f}, {0.506f, 0.133f, 0.994f, 0.242f},
                     {0.506f, 0.258f, 0.994f, 0.366f}, {0.502f, 0.376f, 0.999f, 0.499f}},
     2, 0.04f, 5.0f, 2, 0.16f, 4.0f},
    {"Panel", -1, 4, {{0.503f, 0.501f, 0.996f, 0.563f}, {0.503f, 0.564f, 0.996f, 0.624f},
                      {0.503f, 0.626f, 0.996f, 0.689f}, {0.503f, 0.687f, 0.996f, 0.749f}},
     1, 0.0f, 0.0f, 1, 0.0f, 0.0f},
    {"Stat", -1, 1, {{0.876f, 0.751f, 0.998f, 0.875f}}, 2, 0.16f, 5.0f, 2, 0.16f, 4.0f},
    {"TitleBack", -1, 1, {{0.033f, 0.022f, 0.47f, 0.447f}}, 2, 0.13f, 7.0f, 2, 0.11f, 4.0f},
    {"StdUpArrow", 7, 1, {{0.755f, 0.878f, 0.874f, 0.998f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"StdDownArrow", 8, 1, {{0.879f, 0.877f, 0.996f, 0.996f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"StdScrollButton", 9, 1, {{0.501f, 0.75f, 0.626f, 0.811f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"StdVScrollButton", 11, 1, {{0.626f, 0.752f, 0.684f, 0.874f}}, 0, 0.0f, 0.0f, 2, 0.14f, 7.0f},
    {"StdVScrollBack", 12, 1, {{0.688f, 0.749f, 0.749f, 0.998f}}, 0, 0.0f, 0.0f, 2, 0.04f, 7.0f},
    {"StdListOpenMain", 13, 1, {{0.0f, 0.027f, 0.504f, 0.478f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"StdListOpenTop", 14, 1, {{0.0f, 0.0f, 0.504f, 0.028f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"StdListOpenBot", 15, 1, {{0.0f, 0.466f, 0.504f, 0.499f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"StdListOpenSel", 16, 1, {{0.0f, 0.709f, 0.504f, 0.865f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"StdCheckButton", 17, 1, {{0.506f, 0.252f, 1.0f, 0.372f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
    {"StdUnCheckButton", 18, 1, {{0.505f, 0.377f, 1.0f, 0.497f}}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f},
};

// The game metrics 1-23 of each layout block (Normal, IPhonePortrait,
// IPhoneLandscape, IPadPortrait, the spare block 4).
constexpr int kGameMetrics = 23;
constexpr int kFirstEntry = 4;  // game metric 1 is the toolkit's entry 4 (0-based)
const float kMetrics[kMWinNumLayouts][kGameMetrics] = {
    {0, 0, 3, 0, 7.1f, 12, 12, 3, 14, 27.1f, 12.3f, 24.8f, 13.7f, 17, 3, 3, 12, 15.6f, 3, 12, 12, 3, 3},
    {2.5f, 1.3f, 7, 0, 10, 12, 12, 3, 27.1f, 75, 19.3f, 30.1f, 23.2f, 20.3f, 3, 3, 23.2f, 25.5f, 5.8f, 12, 12, 3, 3},
    {1.7f, 1.8f, 5, 0, 10, 12, 12, 3, 35, 45.1f, 12.7f, 24, 14.9f, 3, 3, 3, 16.7f, 32.1f, 3, 12, 12, 3, 3},
    {1.6f, 0.8f, 7, 0, 6.6f, 12, 12, 3, 20, 44.3f, 23, 24, 25.1f, 3, 3, 3, 20.6f, 16.1f, 5, 12, 12, 3, 3},
    {0, 0, 3, 0, 10, 12, 12, 3, 12, 24, 12, 24, 15, 3, 3, 3, 12, 12, 3, 12, 12, 3, 3},
};

bool MakeTexBut(MWinTextures* t, const TexButRow& r) {
  // A button with one picture gives its other states no texture.
  const char* tex[4] = {kTexture, r.states > 1 ? kTexture : "", r.states > 1 ? kTexture : "",
                        r.states > 1 ? kTexture : ""};
  const float empty = r.slot >= 0 ? 0.0f : 1.0f;
  float rect[4][4];
  for (int s = 0; s < 4; ++s) {
    for (int k = 0; k < 4; ++k) {
      rect[s][k] = s < r.states ? r.rect[s][k] : (k < 2 ? 0.0f : empty);
    }
  }
  if (r.slot < 0) {
    return t->AddTextureButton(r.id, tex[0], rect[0][0], rect[0][1], rect[0][2], rect[0][3], tex[1],
                               rect[1][0], rect[1][1], rect[1][2], rect[1][3], tex[2], rect[2][0],
                               rect[2][1], rect[2][2], rect[2][3], tex[3], rect[3][0], rect[3][1],
                               rect[3][2], rect[3][3]) != nullptr;
  }
  return t->AddStandardTextureButton(r.slot, r.id, tex[0], rect[0][0], rect[0][1], rect[0][2],
                                     rect[0][3], tex[1], rect[1][0], rect[1][1], rect[1][2],
                                     rect[1][3], tex[2], rect[2][0], rect[2][1], rect[2][2],
                                     rect[2][3], tex[3], rect[3][0], rect[3][1], rect[3][2],
                                     rect[3][3]) != nullptr;
}

}  // namespace

bool SolMWinSetupTexturesAndTexButs() {
  MWinTextures* t = g_MWin.GetTextures();
  bool ok = true;
  if (!t->AddTexture(kTexture, kTextureFile, 1, 2)) {
    DebugError(kWhere, "Could not load texture <%s>", kTextureFile);
    ok = false;
  }
  for (const TexButRow& r : kTexButs) {
    if (r.slot >= 0) t->ClearStandardTexBut(r.slot);
    if (!MakeTexBut(t, r)) {
      DebugError(kWhere, r.slot >= 0 ? "Could not load standard texbut <%s>" : "Could not load texbut <%s>", r.id);
      ok = false;
      continue;
    }
    if (!t->SetTexButDrawStyle(r.id, r.modeH, r.fractionH, r.borderH, r.modeV, r.fractionV, r.borderV)) {
      DebugError(kWhere,
                 r.slot >= 0 ? "Could not set standard texbut draw style <%s>"
                             : "Could not set texbut draw style <%s>",
                 r.id);
      ok = false;
    }
  }
  return ok;
}

bool SolMWinCreateFontApart(int fontNumber, const char* fontFile, EngFont* font) {
  if (!font || !fontFile || !*fontFile) return false;
  if (fontNumber != 0) {
    DebugError("SolMWinCreateFontApart", "Bad font number %d", fontNumber);
    return false;
  }
  EngFontGlyphEffectSettings effects = {};
  effects.border = 0;
  effects.shadowX = 4;
  effects.shadowY = 7;
  effects.shadowIntensity = 0.0f;
  effects.shadowAlpha = 0.737649f;
  effects.blurPassesFirst = 2;
  effects.blurPassesSecond = 2;
  font->SetGlyphEffectSettings(&effects);
  // Every character of CP1252, the text's encoding, up to 255 (y with
  // diaeresis): a name like "Müller" must show whole.
  if (!font->Create(fontFile, 1, 32, 32, 255, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true)) {
    DebugError("SolMWinCreateFontApart", "EngFont::Create failed <Main>");
    return false;
  }
  return true;
}

bool SolMWinSetupLayoutConstants(MWin* mw) {
  if (!mw) return false;
  MWinStyle& style = mw->Style();
  style.hoverActivatesCollections = 1;
  style.hoverActivatesWindows = 0;
  for (int layout = 0; layout < kMWinNumLayouts; ++layout) {
    for (int k = 0; k < kGameMetrics; ++k) style.layouts[layout].m[kFirstEntry + k] = kMetrics[layout][k];
  }
  return true;
}

bool SolMWinSetupStyleOf(MWin* mw, EngFont* gameFont) {
  if (!mw) return false;
  SolMWinSetupLayoutConstants(mw);
  MWinTextures* t = mw->GetTextures();
  t->SetStandardTextureToTexBut(0, "Back1");
  t->SetStandardTextureToTexBut(1, "TitleBack");
  t->SetStandardTextureToTexBut(3, "Main");
  t->SetStandardTextureToTexBut(4, "Main");
  t->SetStandardTextureToTexBut(10, "Main");
  if (gameFont) {
    mw->GetFonts()->AddUserFontPointer("Main", gameFont);
    mw->GetFonts()->AddFontPointer(nullptr, gameFont);
  }
  // Popups: a framed window with a title bar, "Main" buttons, light text.
  mw->PopupSetStyle("Back1", "TitleBack", "Main", "Main", "Main", 1.0f, 1.0f, 1.0f, 0.9f, 1.0f, 1.2f,
                    1.0f, 0.6f, 0.9f, 1.0f, 1.1f, 1.3f, 1);
  mw->PopupSetSizes(220, 400, 80, 28);
  return true;
}

void SolMWinSetupStyle() { SolMWinSetupStyleOf(&g_MWin, GameGetFont()); }

void SolMWinClearAllButtonHandles() {
  UsersClearButtonHandles();
  UserNewClearButtonHandles();
  UserLoadClearButtonHandles();
  CountryClearButtonHandles();
  MainClearButtonHandles();
  AboutClearButtonHandles();
  DeckGenClearButtonHandles();
  DecksClearButtonHandles();
  PrintClearButtonHandles();
  PublishClearButtonHandles();
  SetsClearButtonHandles();
  SetsEditClearButtonHandles();
  OptionsClearButtonHandles();
  GeneralClearButtonHandles();
  DisplayClearButtonHandles();
  CamerasClearButtonHandles();
  LightsClearButtonHandles();
  StartupClearButtonHandles();
  KeysClearButtonHandles();
  SystemClearButtonHandles();
  GetFileClearButtonHandles();
  GameClearButtonHandles();
  HelpClearButtonHandles();
  InGameClearButtonHandles();
  PauseClearButtonHandles();
  PopupClearButtonHandles();
  ScoresClearButtonHandles();
  StatsClearButtonHandles();
}
