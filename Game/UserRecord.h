// UserRecord.h - the current player's profile, the record every layer
// reads: the card core its play options, the shell and the screens
// everything else. The per-game block is UserOptions.h.
//
// UserRecord is the profile (".usr", 10804 bytes on disk); the shell's
// player unit (App/User) loads, saves and serialises it field by field
// through its offset table, so the in-memory layout here is free. Each field's comment
// gives its file offset and its meaning; the member initialisers are the
// values a new player gets (the camera presets, the light settings and the
// deck choices are filled by their own modules when a player is made).
//
// State: none here; g_UserRecord is defined in GameImports.cpp and loaded
// by the player data.
#pragma once

#include <cstdint>

constexpr int kUserMaxNameLength = 32;
constexpr int kUserMaxCountryLength = 64;
constexpr int kUserNumCardBacks = 16;
constexpr int kUserPathSize = 512;
constexpr int kCameraPresetCount = 12;

// One camera preset: look-at point, eye offsets, distance, field of view in
// degrees, aspect (32 bytes on disk).
struct CameraPreset {
  float lookX = 0, lookY = 0, lookZ = 0;
  float eyeOffsetX = 0, eyeOffsetY = 0;
  float distance = 0;
  float fieldOfView = 0;
  float aspect = 0;
};

// The scene light settings (28 bytes on disk).
struct LightSettings {
  float ambient = 0.2f;           // 0 to 0.6
  std::uint8_t lightSystem = 1;   // 0 directional, 1 point light
  std::uint8_t colourSet = 1;     // 0-3 presets, 4 custom
  float colour[3] = {1.0f, 0.8f, 0.6f};
  std::uint8_t positionSet = 1;   // 0-8, the point light's place ("A" to "I")
  float height = 15.0f;           // 5 to 50
};

struct UserRecord {
  float version = 4.3f;                           // 0     accepted only when 4.3
  std::uint32_t playerId = 0;                     // 4     1-10000, drawn at creation
  char name[kUserMaxNameLength + 2] = {};         // 8
  char country[kUserMaxCountryLength + 2] = {};   // 42
  std::int32_t currentDeck = 1;                   // 108   index into the deck list
  std::int32_t currentCardBack = 0;               // 112   0-31
  std::uint8_t fourColourDeck = 0;                // 116
  char cardBackPaths[kUserNumCardBacks][kUserPathSize] = {};  // 117 empty = free slot
  CameraPreset cameras[kCameraPresetCount] = {};  // 8312
  std::int32_t currentCamera = 1;                 // 8696
  LightSettings lights;                           // 8700
  std::int32_t currentBoard = 1;                  // 8728
  std::int32_t boardEditPart = 0;                 // 8732  0 background, 1 table top
  char language[64] = {};                         // 8736
  std::uint8_t reserved8800 = 0;                  // 8800
  std::int32_t reserved8804 = 3;                  // 8804
  std::int32_t menuGame = 37;                     // 8808  the main menu's game, 0-83
  std::uint8_t cardSet = 3;                       // 8812
  std::uint8_t cardAngle = 0;                     // 8813  random card turn, 0-3
  std::uint8_t cardSpacing = 0;                   // 8814  card fade / spacing, 0-3
  std::uint8_t deckCount = 1;                     // 8815  the deck's count is drawn
  std::uint8_t playMovesSound = 1;                // 8816  card sounds on
  float soundVolume = 0.25f;                      // 8820  0.05-1.0
  std::uint8_t deviceOption = 1;                  // 8824  read when the device is set up
  float animSpeed = 8.0f;                         // 8828  8.0 after every load
  std::uint8_t undoLevel = 2;                     // 8832  0 no undo, 1 not into a marked state, 2 always
  std::uint8_t foundationSoundEffect = 3;         // 8833  0 sample, 1 + effect, 2 rank sound, 3 + effect
  std::uint8_t swapMouseButtons = 0;              // 8834
  std::uint8_t cardAnimationOn = 1;               // 8835  the deal is animated
  std::uint8_t showScore = 1;                     // 8836
  std::uint8_t showTime = 1;                      // 8837
  std::uint8_t hoursAndMinutesClock = 0;          // 8838  game time format, 0-1
  std::uint8_t showClock = 0;                     // 8839
  std::uint8_t hideMenuButton = 0;                // 8840
  float statusAlpha = 0.5f;                       // 8844  score and time transparency, 0.1-1.0
  std::uint8_t afterWin = 0;                      // 8848  0 celebration, 1 new deal, 2 main menu
  std::uint8_t gatherCards = 1;                   // 8849  the cards are gathered after a win
  std::uint8_t congratulations = 1;               // 8850  0-2
  std::uint8_t playMusic = 1;                     // 8851
  std::uint8_t batteryMode = 5;                   // 8852  0-5 (5 not polled)
  std::uint8_t batteryPosition = 0;               // 8853  0-3
  std::uint8_t batteryFlash = 15;                 // 8854  percent
  std::uint8_t batteryAlpha = 30;                 // 8855  percent
  std::uint8_t eventLoop = 0;                     // 8856  the event-driven loop switches every tick
  std::uint8_t alwaysStartWithPlayer = 0;         // 8857
  std::uint8_t afterLoadAction = 0;               // 8858  0 none, 1 continue or new, 2 new game
  std::uint8_t highlightPlayable = 1;             // 8859
  std::uint8_t undoQuestion = 1;                  // 8860
  std::uint8_t reserved8861 = 1;                  // 8861
  char pictureFolder[kUserPathSize] = {};         // 8862  last folder of a picture chooser
  std::uint8_t reserved9374[10] = {};             // 9374
  std::uint8_t printOptions[3] = {};              // 9384
  std::uint8_t mainPage = 0;                      // 9387  0 Game, 1 Help, 2 Stats, 3 Scores
  std::uint8_t optionsPage = 0;                   // 9388  0-8
  std::uint8_t statsOptions[3] = {};              // 9389  pie period, graph period, graph kind
  std::uint8_t decksPage = 0;                     // 9392  0 decks, 1 card backs
  std::uint8_t deckGenEditSet = 0;                // 9393
  char photoEditorPath[kUserPathSize] = {};       // 9394
  char photoEditorFolder[kUserPathSize] = {};     // 9906
  char publisherName[66] = {};                    // 10418
  char reservedText1[82] = {};                    // 10484
  char reservedText2[130] = {};                   // 10566
  std::uint8_t reserved10696[8] = {};             // 10696
  std::uint8_t reserved10704 = 255;               // 10704
  std::uint8_t reserved10705[91] = {};            // 10705
  std::uint8_t rememberedMode = 255;              // 10796 program mode at shutdown; 255 none
  std::int32_t rememberedScreen = -1;             // 10800 screen at shutdown; -1 none
};

extern UserRecord g_UserRecord;
