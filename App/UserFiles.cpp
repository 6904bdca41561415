// UserFiles.cpp - the file images of the player's profile and per-game
// block (see User.h): one writer and one reader per record, field by field
// at the offsets of the file layout, little-endian. The readers repair what
// a damaged or hand-edited file could carry into the game: texts are
// terminated, choices and ranged values clamped, non-finite floats reset to
// their defaults, camera presets that could not be shown reset to the
// factory's.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "App/User.h"
#include "Game/GameCameras.h"
#include "Game/GenBytes.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

namespace {

// Profile offsets (UserRecord); the record's comments name each field.
enum : int {
  kVersion = 0, kPlayerId = 4, kName = 8, kCountry = 42, kCurrentDeck = 108,
  kCurrentCardBack = 112, kFourColour = 116, kCardBackPaths = 117, kCameras = 8312,
  kCurrentCamera = 8696, kLights = 8700, kCurrentBoard = 8728, kBoardEditPart = 8732,
  kLanguage = 8736, kReserved8800 = 8800, kReserved8804 = 8804, kMenuGame = 8808,
  kCardSet = 8812, kCardAngle = 8813, kCardSpacing = 8814, kDeckCount = 8815,
  kPlayMovesSound = 8816, kSoundVolume = 8820, kDeviceOption = 8824, kAnimSpeed = 8828,
  kUndoLevel = 8832, kFoundationEffects = 8833, kSwapMouse = 8834, kCardAnimation = 8835,
  kShowScore = 8836, kShowTime = 8837, kTimeFormat = 8838, kShowClock = 8839,
  kHideMenu = 8840, kStatusAlpha = 8844, kAfterWin = 8848, kGather = 8849,
  kCongratulations = 8850, kPlayMusic = 8851, kBatteryMode = 8852, kBatteryPosition = 8853,
  kBatteryFlash = 8854, kBatteryAlpha = 8855, kEventLoop = 8856, kAlwaysStart = 8857,
  kAfterLoad = 8858, kHighlight = 8859, kUndoQuestion = 8860, kReserved8861 = 8861,
  kPictureFolder = 8862, kReserved9374 = 9374, kPrintOptions = 9384, kMainPage = 9387,
  kOptionsPage = 9388, kStatsOptions = 9389, kDecksPage = 9392, kDeckGenEditSet = 9393,
  kPhotoEditorPath = 9394, kPhotoEditorFolder = 9906, kPublisher = 10418,
  kReservedText1 = 10484, kReservedText2 = 10566, kReserved10696 = 10696,
  kReserved10704 = 10704, kReserved10705 = 10705, kRememberedMode = 10796,
  kRememberedScreen = 10800,
};
static_assert(kRememberedScreen + 4 == static_cast<int>(kUserRecordFileSize), "profile is 10804 bytes");

// Per-game block offsets (UserOptions): four arrays of the 84 games.
constexpr int kGameBlock = 0;       // 12 bytes a game: level + 3 padding, reserved, played
constexpr int kOnlineBlock = 1008;  // 12 bytes a game: online value, 8 reserved
constexpr int kScoreBlock = 2016;   // 4 bytes a game
constexpr int kTimeBlock = 2352;    // 4 bytes a game
static_assert(kTimeBlock + 4 * kUserNumGames == static_cast<int>(kUserOptionsFileSize),
              "per-game block is 2688 bytes");

void PutText(std::uint8_t* b, int offset, const char* text, std::size_t size) {
  std::memcpy(b + offset, text, size);
}
void GetText(const std::uint8_t* b, int offset, char* text, std::size_t size) {
  std::memcpy(text, b + offset, size);
  text[size - 1] = '\0';
}

std::uint8_t Clamp8(std::uint8_t value, std::uint8_t maximum) { return value > maximum ? maximum : value; }
std::int32_t Clamp32(std::int32_t value, std::int32_t minimum, std::int32_t maximum) {
  return value < minimum ? minimum : (value > maximum ? maximum : value);
}
float ClampF(float value, float minimum, float maximum, float fallback) {
  if (!std::isfinite(value)) return fallback;
  return value < minimum ? minimum : (value > maximum ? maximum : value);
}

void PutCamera(std::uint8_t* b, int offset, const CameraPreset& c) {
  const float v[8] = {c.lookX, c.lookY, c.lookZ, c.eyeOffsetX, c.eyeOffsetY, c.distance,
                      c.fieldOfView, c.aspect};
  GenPutF32s(b, offset, v, 8);
}
// A preset the view could never be built from (a number that is not
// finite, a field of view outside 0-180 degrees, an aspect not above 0)
// takes its factory value: such a preset is never applied, so the table
// would be seen through whatever view the device had before, and a device
// made anew (a window and full-screen switch) has none.
void GetCamera(const std::uint8_t* b, int offset, int preset, CameraPreset* c) {
  float v[8];
  GenGetF32s(b, offset, v, 8);
  const bool finite = std::all_of(std::begin(v), std::end(v), [](float f) { return std::isfinite(f); });
  if (!finite || !(v[6] > 0 && v[6] < 180) || !(v[7] > 0)) {
    *c = *GameCamerasGetDefault(preset);
    return;
  }
  *c = CameraPreset{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
}

void PutLights(std::uint8_t* b, int offset, const LightSettings& l) {
  GenPutF32(b, offset, l.ambient);
  GenPutU8(b, offset + 4, l.lightSystem);
  GenPutU8(b, offset + 5, l.colourSet);
  GenPutF32s(b, offset + 8, l.colour, 3);
  GenPutU8(b, offset + 20, l.positionSet);
  GenPutF32(b, offset + 24, l.height);
}
void GetLights(const std::uint8_t* b, int offset, LightSettings* l) {
  const LightSettings defaults;
  l->ambient = ClampF(GenGetF32(b, offset), 0.0f, 0.6f, defaults.ambient);
  l->lightSystem = Clamp8(GenGetU8(b, offset + 4), 1);
  l->colourSet = Clamp8(GenGetU8(b, offset + 5), 4);
  for (int i = 0; i < 3; ++i) {
    l->colour[i] = ClampF(GenGetF32(b, offset + 8 + 4 * i), 0.0f, 1.0f, defaults.colour[i]);
  }
  l->positionSet = Clamp8(GenGetU8(b, offset + 20), 8);
  l->height = ClampF(GenGetF32(b, offset + 24), 5.0f, 50.0f, defaults.height);
}

}  // namespace

void UserRecordToBytes(const UserRecord& r, std::uint8_t b[kUserRecordFileSize]) {
  std::memset(b, 0, kUserRecordFileSize);
  GenPutF32(b, kVersion, r.version);
  GenPutU32(b, kPlayerId, r.playerId);
  PutText(b, kName, r.name, sizeof r.name);
  PutText(b, kCountry, r.country, sizeof r.country);
  GenPutI32(b, kCurrentDeck, r.currentDeck);
  GenPutI32(b, kCurrentCardBack, r.currentCardBack);
  GenPutU8(b, kFourColour, r.fourColourDeck);
  PutText(b, kCardBackPaths, &r.cardBackPaths[0][0], sizeof r.cardBackPaths);
  for (int i = 0; i < kCameraPresetCount; ++i) PutCamera(b, kCameras + 32 * i, r.cameras[i]);
  GenPutI32(b, kCurrentCamera, r.currentCamera);
  PutLights(b, kLights, r.lights);
  GenPutI32(b, kCurrentBoard, r.currentBoard);
  GenPutI32(b, kBoardEditPart, r.boardEditPart);
  PutText(b, kLanguage, r.language, sizeof r.language);
  GenPutU8(b, kReserved8800, r.reserved8800);
  GenPutI32(b, kReserved8804, r.reserved8804);
  GenPutI32(b, kMenuGame, r.menuGame);
  GenPutU8(b, kCardSet, r.cardSet);
  GenPutU8(b, kCardAngle, r.cardAngle);
  GenPutU8(b, kCardSpacing, r.cardSpacing);
  GenPutU8(b, kDeckCount, r.deckCount);
  GenPutU8(b, kPlayMovesSound, r.playMovesSound);
  GenPutF32(b, kSoundVolume, r.soundVolume);
  GenPutU8(b, kDeviceOption, r.deviceOption);
  GenPutF32(b, kAnimSpeed, r.animSpeed);
  GenPutU8(b, kUndoLevel, r.undoLevel);
  GenPutU8(b, kFoundationEffects, r.foundationSoundEffect);
  GenPutU8(b, kSwapMouse, r.swapMouseButtons);
  GenPutU8(b, kCardAnimation, r.cardAnimationOn);
  GenPutU8(b, kShowScore, r.showScore);
  GenPutU8(b, kShowTime, r.showTime);
  GenPutU8(b, kTimeFormat, r.hoursAndMinutesClock);
  GenPutU8(b, kShowClock, r.showClock);
  GenPutU8(b, kHideMenu, r.hideMenuButton);
  GenPutF32(b, kStatusAlpha, r.statusAlpha);
  GenPutU8(b, kAfterWin, r.afterWin);
  GenPutU8(b, kGather, r.gatherCards);
  GenPutU8(b, kCongratulations, r.congratulations);
  GenPutU8(b, kPlayMusic, r.playMusic);
  GenPutU8(b, kBatteryMode, r.batteryMode);
  GenPutU8(b, kBatteryPosition, r.batteryPosition);
  GenPutU8(b, kBatteryFlash, r.batteryFlash);
  GenPutU8(b, kBatteryAlpha, r.batteryAlpha);
  GenPutU8(b, kEventLoop, r.eventLoop);
  GenPutU8(b, kAlwaysStart, r.alwaysStartWithPlayer);
  GenPutU8(b, kAfterLoad, r.afterLoadAction);
  GenPutU8(b, kHighlight, r.highlightPlayable);
  GenPutU8(b, kUndoQuestion, r.undoQuestion);
  GenPutU8(b, kReserved8861, r.reserved8861);
  PutText(b, kPictureFolder, r.pictureFolder, sizeof r.pictureFolder);
  PutText(b, kReserved9374, reinterpret_cast<const char*>(r.reserved9374), sizeof r.reserved9374);
  PutText(b, kPrintOptions, reinterpret_cast<const char*>(r.printOptions), sizeof r.printOptions);
  GenPutU8(b, kMainPage, r.mainPage);
  GenPutU8(b, kOptionsPage, r.optionsPage);
  PutText(b, kStatsOptions, reinterpret_cast<const char*>(r.statsOptions), sizeof r.statsOptions);
  GenPutU8(b, kDecksPage, r.decksPage);
  GenPutU8(b, kDeckGenEditSet, r.deckGenEditSet);
  PutText(b, kPhotoEditorPath, r.photoEditorPath, sizeof r.photoEditorPath);
  PutText(b, kPhotoEditorFolder, r.photoEditorFolder, sizeof r.photoEditorFolder);
  PutText(b, kPublisher, r.publisherName, sizeof r.publisherName);
  PutText(b, kReservedText1, r.reservedText1, sizeof r.reservedText1);
  PutText(b, kReservedText2, r.reservedText2, sizeof r.reservedText2);
  PutText(b, kReserved10696, reinterpret_cast<const char*>(r.reserved10696), sizeof r.reserved10696);
  GenPutU8(b, kReserved10704, r.reserved10704);
  PutText(b, kReserved10705, reinterpret_cast<const char*>(r.reserved10705), sizeof r.reserved10705);
  GenPutU8(b, kRememberedMode, r.rememberedMode);
  GenPutI32(b, kRememberedScreen, r.rememberedScreen);
}

void UserRecordFromBytes(const std::uint8_t b[kUserRecordFileSize], UserRecord* out) {
  const UserRecord defaults;
  UserRecord& r = *out;
  r = UserRecord{};
  r.version = GenGetF32(b, kVersion);
  r.playerId = GenGetU32(b, kPlayerId);
  GetText(b, kName, r.name, sizeof r.name);
  r.name[kUserMaxNameLength] = '\0';
  GetText(b, kCountry, r.country, sizeof r.country);
  r.country[kUserMaxCountryLength] = '\0';
  r.currentDeck = GenGetI32(b, kCurrentDeck);
  r.currentCardBack = Clamp32(GenGetI32(b, kCurrentCardBack), 0, 31);
  r.fourColourDeck = Clamp8(GenGetU8(b, kFourColour), 1);
  for (int i = 0; i < kUserNumCardBacks; ++i) {
    GetText(b, kCardBackPaths + kUserPathSize * i, r.cardBackPaths[i], kUserPathSize);
  }
  for (int i = 0; i < kCameraPresetCount; ++i) GetCamera(b, kCameras + 32 * i, i, &r.cameras[i]);
  r.currentCamera = Clamp32(GenGetI32(b, kCurrentCamera), 0, 9);
  GetLights(b, kLights, &r.lights);
  r.currentBoard = GenGetI32(b, kCurrentBoard);
  r.boardEditPart = Clamp32(GenGetI32(b, kBoardEditPart), 0, 1);
  GetText(b, kLanguage, r.language, sizeof r.language);
  r.reserved8800 = GenGetU8(b, kReserved8800);
  r.reserved8804 = GenGetI32(b, kReserved8804);
  r.menuGame = Clamp32(GenGetI32(b, kMenuGame), 0, kUserNumGames - 1);
  r.cardSet = GenGetU8(b, kCardSet);
  r.cardAngle = Clamp8(GenGetU8(b, kCardAngle), 3);
  r.cardSpacing = Clamp8(GenGetU8(b, kCardSpacing), 3);
  r.deckCount = Clamp8(GenGetU8(b, kDeckCount), 1);
  r.playMovesSound = Clamp8(GenGetU8(b, kPlayMovesSound), 1);
  r.soundVolume = ClampF(GenGetF32(b, kSoundVolume), 0.05f, 1.0f, defaults.soundVolume);
  r.deviceOption = Clamp8(GenGetU8(b, kDeviceOption), 1);
  r.animSpeed = GenGetF32(b, kAnimSpeed);  // replaced by 8.0 on every load
  r.undoLevel = Clamp8(GenGetU8(b, kUndoLevel), 2);
  r.foundationSoundEffect = Clamp8(GenGetU8(b, kFoundationEffects), 3);
  r.swapMouseButtons = Clamp8(GenGetU8(b, kSwapMouse), 1);
  r.cardAnimationOn = Clamp8(GenGetU8(b, kCardAnimation), 1);
  r.showScore = Clamp8(GenGetU8(b, kShowScore), 1);
  r.showTime = Clamp8(GenGetU8(b, kShowTime), 1);
  r.hoursAndMinutesClock = Clamp8(GenGetU8(b, kTimeFormat), 1);
  r.showClock = Clamp8(GenGetU8(b, kShowClock), 1);
  r.hideMenuButton = Clamp8(GenGetU8(b, kHideMenu), 1);
  r.statusAlpha = ClampF(GenGetF32(b, kStatusAlpha), 0.1f, 1.0f, defaults.statusAlpha);
  r.afterWin = Clamp8(GenGetU8(b, kAfterWin), 2);
  r.gatherCards = Clamp8(GenGetU8(b, kGather), 1);
  r.congratulations = Clamp8(GenGetU8(b, kCongratulations), 2);
  r.playMusic = Clamp8(GenGetU8(b, kPlayMusic), 1);
  r.batteryMode = Clamp8(GenGetU8(b, kBatteryMode), 5);
  r.batteryPosition = Clamp8(GenGetU8(b, kBatteryPosition), 3);
  r.batteryFlash = Clamp8(GenGetU8(b, kBatteryFlash), 100);
  r.batteryAlpha = Clamp8(GenGetU8(b, kBatteryAlpha), 100);
  r.eventLoop = Clamp8(GenGetU8(b, kEventLoop), 1);
  r.alwaysStartWithPlayer = Clamp8(GenGetU8(b, kAlwaysStart), 1);
  r.afterLoadAction = Clamp8(GenGetU8(b, kAfterLoad), 2);
  r.highlightPlayable = Clamp8(GenGetU8(b, kHighlight), 1);
  r.undoQuestion = Clamp8(GenGetU8(b, kUndoQuestion), 1);
  r.reserved8861 = GenGetU8(b, kReserved8861);
  GetText(b, kPictureFolder, r.pictureFolder, sizeof r.pictureFolder);
  std::memcpy(r.reserved9374, b + kReserved9374, sizeof r.reserved9374);
  std::memcpy(r.printOptions, b + kPrintOptions, sizeof r.printOptions);
  r.mainPage = Clamp8(GenGetU8(b, kMainPage), 3);
  r.optionsPage = Clamp8(GenGetU8(b, kOptionsPage), 8);
  std::memcpy(r.statsOptions, b + kStatsOptions, sizeof r.statsOptions);
  r.decksPage = Clamp8(GenGetU8(b, kDecksPage), 1);
  r.deckGenEditSet = GenGetU8(b, kDeckGenEditSet);
  GetText(b, kPhotoEditorPath, r.photoEditorPath, sizeof r.photoEditorPath);
  GetText(b, kPhotoEditorFolder, r.photoEditorFolder, sizeof r.photoEditorFolder);
  GetText(b, kPublisher, r.publisherName, sizeof r.publisherName);
  GetText(b, kReservedText1, r.reservedText1, sizeof r.reservedText1);
  GetText(b, kReservedText2, r.reservedText2, sizeof r.reservedText2);
  std::memcpy(r.reserved10696, b + kReserved10696, sizeof r.reserved10696);
  r.reserved10704 = GenGetU8(b, kReserved10704);
  std::memcpy(r.reserved10705, b + kReserved10705, sizeof r.reserved10705);
  r.rememberedMode = GenGetU8(b, kRememberedMode);
  r.rememberedScreen = GenGetI32(b, kRememberedScreen);
}

void UserOptionsToBytes(const UserOptions& o, std::uint8_t b[kUserOptionsFileSize]) {
  std::memset(b, 0, kUserOptionsFileSize);
  for (int g = 0; g < kUserNumGames; ++g) {
    GenPutU8(b, kGameBlock + 12 * g, o.autoplayMode[g]);
    GenPutU32(b, kGameBlock + 12 * g + 4, o.reserved[g]);
    GenPutU32(b, kGameBlock + 12 * g + 8, o.gamesPlayed[g]);
    GenPutU32(b, kOnlineBlock + 12 * g, o.onlineValue[g]);
    std::memcpy(b + kOnlineBlock + 12 * g + 4, o.onlineReserved[g], 8);
    GenPutI32(b, kScoreBlock + 4 * g, o.runningScore[g]);
    GenPutI32(b, kTimeBlock + 4 * g, o.elapsedSeconds[g]);
  }
}

void UserOptionsFromPartialBytes(const std::uint8_t* bytes, std::size_t length, UserOptions* o) {
  std::uint8_t image[kUserOptionsFileSize];
  UserOptionsToBytes(*o, image);
  const auto take = [&](int offset, int size) {
    if (static_cast<std::size_t>(offset + size) <= length) std::memcpy(image + offset, bytes + offset, size);
  };
  for (int g = 0; g < kUserNumGames; ++g) {
    take(kGameBlock + 12 * g, 1);
    take(kGameBlock + 12 * g + 4, 4);
    take(kGameBlock + 12 * g + 8, 4);
    take(kOnlineBlock + 12 * g, 4);
    take(kOnlineBlock + 12 * g + 4, 8);
    take(kScoreBlock + 4 * g, 4);
    take(kTimeBlock + 4 * g, 4);
  }
  UserOptionsFromBytes(image, o);
}

void UserOptionsFromBytes(const std::uint8_t b[kUserOptionsFileSize], UserOptions* o) {
  *o = UserOptions{};
  for (int g = 0; g < kUserNumGames; ++g) {
    o->autoplayMode[g] = Clamp8(GenGetU8(b, kGameBlock + 12 * g), 3);
    o->reserved[g] = GenGetU32(b, kGameBlock + 12 * g + 4);
    o->gamesPlayed[g] = GenGetU32(b, kGameBlock + 12 * g + 8);
    o->onlineValue[g] = GenGetU32(b, kOnlineBlock + 12 * g);
    std::memcpy(o->onlineReserved[g], b + kOnlineBlock + 12 * g + 4, 8);
    o->runningScore[g] = GenGetI32(b, kScoreBlock + 4 * g);
    const std::int32_t seconds = GenGetI32(b, kTimeBlock + 4 * g);
    o->elapsedSeconds[g] = seconds < 0 ? 0 : seconds;
  }
}
