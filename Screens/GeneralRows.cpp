// GeneralRows.cpp - the General page's button rows for the four layouts
// (see General.h). Only Normal is built in this program (the toolkit's
// layout index stays 0); the others are kept as data.
#include <iterator>

#include "Screens/GeneralLocal.h"

namespace {

constexpr float kNormal[2] = {1.0f, 1.2f};
constexpr float kTitle[2] = {1.3f, 1.3f};
constexpr float kPhone[2] = {0.8f, 0.9f};

// A label: no look, right-aligned.
constexpr ScreenRow Label(const char* id, const char* text, float x, float y, float w, float h, const float* scale,
                          const char* token = nullptr, int align = 2) {
  return {id, MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", text, x, y, w, h, {1, 1, 1, 0.7f}, scale[0], scale[1], align,
          token, nullptr};
}
// A control or a frame: centred.
constexpr ScreenRow Control(const char* id, int kind, const char* look, const char* text, float x, float y, float w,
                            float h, const float* scale, const char* token = nullptr) {
  return {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, scale[0], scale[1], 1, token, nullptr};
}

constexpr int kPush = MWIN_BUT_PUSH;
constexpr int kChoice = MWIN_BUT_CHOICE;
constexpr int kList = MWIN_BUT_LIST;
constexpr int kBar = MWIN_BUT_HORZSCROLLBAR;
constexpr const char* kListText = "First Panel Entry 1";

const ScreenRow kNormalRows[] = {
    Control("Title", kPush, "Back1", "MAIN OPTIONS", 101, 48, 438, 36, kTitle, "General_Title"),
    Control("TypeBg", kPush, "Back1", "", 101, 84, 438, 312, kNormal),
    Label("UndoText", "Undo Level", 109.13f, 93, 152.05f, 23, kNormal, "General_UndoText"),
    Control("Undo", kChoice, "Main", " ", 261.41f, 93, 243.59f, 23, kNormal),
    Control("UndoInfo", kPush, "Main", "?", 508, 93, 21, 23, kNormal),
    Label("CardSoundsText", "Card Sounds", 109.13f, 120.4f, 152.05f, 23, kNormal, "General_CardSoundsText"),
    Control("CardSounds", kChoice, "Main", " ", 261.41f, 120.2f, 267.59f, 23, kNormal),
    Label("CardSoundsVolText", "Card Sounds Volume", 109.13f, 147.8f, 152.05f, 23, kNormal,
          "General_CardSoundsVolText"),
    Control("CardSoundsVol", kBar, "Main", " ", 261.41f, 147.4f, 267.59f, 23, kNormal),
    Label("FndEffectsText", "Foundation Effects", 109.13f, 175.2f, 152.05f, 23, kNormal),
    Control("FndEffects", kList, "Main", kListText, 261.41f, 174.6f, 267.59f, 23, kNormal),
    Label("SwapButtonsText", "Swap mouse buttons", 109.13f, 202.6f, 152.05f, 23, kNormal, "General_SwapButtonsText"),
    Control("SwapButtons", kChoice, "Main", " ", 261.41f, 201.8f, 267.59f, 23, kNormal),
    Label("ShowPlayMovesText", "Highlight Playable Moves", 109.13f, 230, 152.05f, 23, kNormal,
          "General_ShowPlayMovesText"),
    Control("ShowPlayMoves", kChoice, "Main", " ", 261.41f, 229, 267.59f, 23, kNormal),
    Label("LangText", "Language", 163.94f, 16.09f, 152.05f, 19, kNormal, "General_LangText"),
    Control("Lang", kList, "Main", kListText, 316.22f, 16.09f, 267.59f, 19, kNormal),
    Label("EndGameText", "END GAME OPTIONS", 101, 264, 438, 23, kNormal, "General_EndGameText", 1),
    Label("EndGameCardsText", "Move Cards Sequence", 108.14f, 288, 183.46f, 23, kNormal, "General_EndGameCardsText"),
    Control("EndGameCards", kChoice, "Main", " ", 293, 288, 233, 23, kNormal),
    Label("EndGameSeqText", "When Game Ends", 108.14f, 313.67f, 183.46f, 23, kNormal, "General_EndGameSeqText"),
    Control("EndGameSeq", kList, "Main", kListText, 293, 313.67f, 233, 23, kNormal),
    Label("EndGameMusicText", "Play Music", 108.14f, 339.33f, 183.46f, 23, kNormal, "General_EndGameMusicText"),
    Control("EndGameMusic", kChoice, "Main", " ", 293, 339.33f, 233, 23, kNormal),
    Label("EndGameCongratsText", "Show Congratulations Text", 108.14f, 365, 183.46f, 23, kNormal,
          "General_EndGameCongratsText"),
    Control("EndGameCongrats", kChoice, "Main", " ", 293, 365, 233, 23, kNormal),
    Control("Done", kPush, "Main", "Done", 264, 396, 112, 30, kNormal, "Common_ButtonDone"),
};

// The small layouts: a row of each kind at its place, the texts of the
// smaller screens, almost no tokens.
struct SmallPlaces {
  float title[4], typeBg[4], rotationText[4], rotation[4], undoText[4], undo[4], undoInfo[4], cardSoundsText[4],
      cardSounds[4], volText[4], vol[4], fndText[4], fnd[4], endGameText[4], musicText[4], music[4],
      congratsText[4], congrats[4], done[4];
};

#define AT(p) p[0], p[1], p[2], p[3]
#define SMALL_ROWS(P, S, END, DONE, TITLE_TOKEN, UNDO_TOKEN)                                                         \
  Control("Title", kPush, "Back1", "MAIN OPTIONS", AT(P.title), kTitle, TITLE_TOKEN),                           \
      Control("TypeBg", kPush, "Back1", "", AT(P.typeBg), S),                                                   \
      Label("RotationText", "Rotation", AT(P.rotationText), S),                                                 \
      Control("Rotation", kChoice, "Main", " ", AT(P.rotation), S),                                             \
      Label("UndoText", "Undo Level", AT(P.undoText), S, UNDO_TOKEN),                                           \
      Control("Undo", kChoice, "Main", " ", AT(P.undo), S), Control("UndoInfo", kPush, "Main", "?", AT(P.undoInfo), S), \
      Label("CardSoundsText", "Card Sounds", AT(P.cardSoundsText), S),                                          \
      Control("CardSounds", kChoice, "Main", " ", AT(P.cardSounds), S),                                         \
      Label("CardSoundsVolText", "Volume", AT(P.volText), S),                                                   \
      Control("CardSoundsVol", kBar, "Main", " ", AT(P.vol), S),                                                \
      Label("FndEffectsText", "Foundation Effects", AT(P.fndText), S),                                          \
      Control("FndEffects", kList, "Main", kListText, AT(P.fnd), S),                                            \
      Label("EndGameText", "END GAME OPTIONS", AT(P.endGameText), END, nullptr, 1),                             \
      Label("EndGameMusicText", "Play Music", AT(P.musicText), S),                                              \
      Control("EndGameMusic", kChoice, "Main", " ", AT(P.music), S),                                            \
      Label("EndGameCongratsText", " Congratulations Text", AT(P.congratsText), S),                             \
      Control("EndGameCongrats2", kList, "Main", kListText, AT(P.congrats), S),                                 \
      Control("Done", kPush, "Main", "Done", AT(P.done), DONE)

constexpr SmallPlaces kIPhonePortrait = {
    {12.31f, 0, 615.38f, 50},          {12.31f, 50, 615.38f, 374.34f},   {26.04f, 57.93f, 205.12f, 37},
    {234.44f, 57.93f, 383.06f, 38},    {26.04f, 109, 205.12f, 37},        {234.23f, 109, 317, 37},
    {558.29f, 109, 58.21f, 37},        {26.04f, 161, 205.12f, 38},        {234.44f, 161, 383.06f, 38},
    {26.04f, 201.2f, 205.12f, 38},     {234.44f, 201.2f, 383.06f, 38},    {19.6f, 253.14f, 319.96f, 38},
    {341.22f, 253.14f, 273.28f, 38},   {101, 305.53f, 438, 18},           {22.08f, 337, 330.03f, 38},
    {354.14f, 337, 260.36f, 38},       {22.08f, 377.8f, 330.03f, 38},     {354.14f, 377.8f, 260.36f, 38},
    {270, 424, 100, 50}};
constexpr SmallPlaces kIPhoneLandscape = {
    {12.31f, 0, 615.38f, 50},          {12.31f, 50, 615.38f, 374.34f},   {40.74f, 60.52f, 178.23f, 40},
    {222.23f, 60.52f, 376.17f, 41},    {40.74f, 110, 178.23f, 40},        {222.23f, 110, 315.35f, 40},
    {552, 110, 45.24f, 40},            {40.74f, 161, 178.23f, 41},        {222.23f, 161, 115.82f, 41},
    {355.91f, 161, 71.45f, 41},        {428.13f, 161, 170.12f, 41},       {40.74f, 212.94f, 178.23f, 41},
    {222.08f, 212.94f, 376.17f, 41},   {101, 273, 438, 41},               {22.08f, 324, 299.46f, 41},
    {327.63f, 324, 269.87f, 41},       {22.08f, 373, 299.46f, 41},        {327.63f, 373, 269.87f, 41},
    {270, 424, 100, 50}};
constexpr SmallPlaces kIPadPortrait = {
    {20, 0, 600, 30},       {20, 35, 600, 315},    {35, 50, 180.12f, 25},  {220, 50, 380, 25},
    {35, 85, 180.12f, 25},  {220, 85, 320, 25},    {550, 85, 50, 25},      {35, 120, 180.12f, 25},
    {220, 120, 380, 25},    {35, 155, 180.12f, 25}, {220, 155, 380, 25},   {35, 190, 260.12f, 25},
    {300, 190, 300, 25},    {120, 240, 400, 25},   {40, 275, 297.18f, 25}, {340, 275, 260.36f, 25},
    {40, 310, 297.18f, 25}, {340, 310, 260.36f, 25}, {260, 355, 120, 30}};

const ScreenRow kIPhonePortraitRows[] = {SMALL_ROWS(kIPhonePortrait, kPhone, kNormal, kNormal, "General_Title", nullptr)};
const ScreenRow kIPhoneLandscapeRows[] = {SMALL_ROWS(kIPhoneLandscape, kPhone, kNormal, kNormal, nullptr, "General_UndoText")};
const ScreenRow kIPadPortraitRows[] = {SMALL_ROWS(kIPadPortrait, kNormal, kTitle, kNormal, nullptr, nullptr)};
#undef SMALL_ROWS
#undef AT

}  // namespace

const ScreenLayoutRows kGeneralLayouts[4] = {
    {kNormalRows, static_cast<int>(std::size(kNormalRows))},
    {kIPhonePortraitRows, static_cast<int>(std::size(kIPhonePortraitRows))},
    {kIPhoneLandscapeRows, static_cast<int>(std::size(kIPhoneLandscapeRows))},
    {kIPadPortraitRows, static_cast<int>(std::size(kIPadPortraitRows))},
};
