// GenGameTable.h - the two static tables of the 84 games and the current
// game number.
//
// The game table (GameDef) holds what is fixed about a variant before play:
// its number, the internal name that names its files, its set-up routine,
// ratings, decks, autoplay offer, four-colour flag and glossary topics. The
// rules-text table (GameRulesText) holds the language keys of its objective
// and rules. Entry n of both tables is game n (0-83). Nothing writes either
// table at run time.
//
// The current game number lives here too; GenInit repairs it when it is out
// of range.
#pragma once

#include <cstdint>

constexpr int kGenNumGames = 84;
constexpr int kGenMaxGameTopics = 16;
constexpr int kGenMaxGameRules = 8;
constexpr int kGenMaxRuleTexts = 4;

// The game numbers: each game's place in the alphabetical list of the 84
// games (the main menu lists them in this order). The numbers are stored:
// the player's per-game options file keeps 84 blocks of 32 bytes
// (UserOptions: autoplay level, games played, online value, running score,
// playing time) in this order, and the profile keeps the menu's game by
// number. Renumbering or reordering the games hands every player's options
// to another game.
//
// Outside Game/Variants and the game table below nothing tests these names:
// what sets a game apart is a column of its row.
enum GenGameNumber : int {
  kGameAccordion = 0, kGameAcesUp = 1, kGameAgnesBernauer = 2, kGameAgnesSorel = 3,
  kGameAlternations = 4, kGameBakersDozen = 5, kGameBakersGame = 6, kGameBaroness = 7,
  kGameBeleagueredCastle = 8, kGameBlackHole = 9, kGameBlondesAndBrunettes = 10,
  kGameBrigade = 11, kGameBristol = 12, kGameBuffaloBill = 13, kGameCalculation = 14,
  kGameCanfield = 15, kGameCastlesInSpain = 16, kGameColeopter = 17, kGameCurdsAndWhey = 18,
  kGameDoubleKlondike = 19, kGameDoubleYukon = 20, kGameEightOff = 21, kGameFan = 22,
  kGameFlowerGarden = 23, kGameFortyThieves = 24, kGameFortyThievesEasier = 25,
  kGameFreeCell = 26, kGameGaps = 27, kGameGargantua = 28, kGameGiant = 29, kGameGiza = 30,
  kGameGolf = 31, kGameGrandfathersClock = 32, kGameHarp = 33, kGameIntelligence = 34,
  kGameInterchange = 35, kGameKings = 36, kGameKlondike = 37, kGameKlondike2 = 38,
  kGameLaBelleLucie = 39, kGameLasVegas = 40, kGameLasVegas2 = 41, kGameMartha = 42,
  kGameMemory = 43, kGameMemory2 = 44, kGameMissMilligan = 45, kGameMonteCarlo = 46,
  kGameNewYork = 47, kGameNumberTen = 48, kGamePenguin = 49, kGamePokerShuffle = 50,
  kGamePokerSquare = 51, kGamePyramid = 52, kGameQueenOfItaly = 53, kGameRougeEtNoir = 54,
  kGameRussianCardolia = 55, kGameScorpion = 56, kGameSeaTowers = 57, kGameShamrocks = 58,
  kGameSirTommy = 59, kGameSpider = 60, kGameSpider3Suits = 61, kGameSpider2Suits = 62,
  kGameSpider1Suit = 63, kGameSpiderTrap = 64, kGameSpiderTripleDeck = 65,
  kGameSpiderette = 66, kGameSpiderette3Suits = 67, kGameSpiderette2Suits = 68,
  kGameSpiderette1Suit = 69, kGameSpidersCrossing = 70, kGameSpidersCrossingTD = 71,
  kGameSpiral = 72, kGameSteps = 73, kGameStonewall = 74, kGameStrategy = 75,
  kGameStreets = 76, kGameThreeCell = 77, kGameThumbAndPouch = 78, kGameTutsTomb = 79,
  kGameTwenty = 80, kGameUnlimited = 81, kGameWaningMoon = 82, kGameYukon = 83,
};

// A game's scoring system. The card core only names it; what each system
// counts (points per foundation card and per sequence, time, undos, the
// game's own part) is the score unit's table (App/ScoreSystem.cpp).
enum GenScoringId : uint8_t {
  kScoringStandard,                  // foundations, time and undos only
  kScoringAccordion,
  kScoringAlternateDown,
  kScoringAlternateDownNoCheatUndo,
  kScoringAnySuitDownNoCheatUndo,
  kScoringBaroness,
  kScoringBuffaloBill,
  kScoringCurdsAndWhey,
  kScoringDiffSuitDown,
  kScoringGaps,
  kScoringGrandfathersClock,
  kScoringMemory,
  kScoringMonteCarlo,
  kScoringNewYork,
  kScoringNoCheatUndo,
  kScoringPoker,
  kScoringPyramid,
  kScoringSameColourDown,
  kScoringSameSuitDown,
  kScoringSameSuitDownNoCheatUndo,
  kScoringSpider,
  kScoringTwenty,
  kScoringCount
};

// The picture an empty deck shows (GenUpdateDeckMarker).
enum GenDeckMarker : uint8_t {
  kDeckMarkerNone,       // the deck's picture is left alone
  kDeckMarkerRedeal,     // "redeal" always
  kDeckMarkerNoMore,     // "no more redeals" always
  kDeckMarkerByCounter,  // "redeal" while the redeal counter is 1 or more, else "no more redeals"
};

// Where the cards are gathered back to the deck from after a won or given-up
// game (AnimSetupGatherAllCardsToDeck).
enum GenGatherFrom : uint8_t {
  kGatherFromFoundations,
  kGatherFromTableaus,
  kGatherFromFirstReserve,
};

// Which button makes a quick move on a press (GenHandleSelection).
enum GenQuickClick : uint8_t {
  kQuickClickRightButton,      // the right button only
  kQuickClickEitherButton,     // the left button too, everywhere
  kQuickClickEitherOnTableau,  // the left button too, on a tableau pile
};

// How a quick move looks for its target (GenQuickMoveRun).
enum GenQuickSearch : uint8_t {
  kQuickSearchOnce,         // one search by the game's own rules
  kQuickSearchInSuitFirst,  // in suit without spaces first, then by suit or rank with kings to spaces
  kQuickSearchSpider,       // a same-suit fit first, then a fit by rank, then any pile
};

// The reserves a quick move may send cards to (GenQuickMoveSearch).
enum GenQuickReserves : uint8_t {
  kQuickReservesBoth,           // an empty one first, then one with cards
  kQuickReservesEmptyOnly,
  kQuickReservesWithCardsOnly,
};

// The game a new player's main menu opens on (UserRecord::menuGame).
constexpr int kGenNewPlayersMenuGame = kGameKlondike;

// One row of the game table: what is fixed about a game before play.
struct GameDef {
  int32_t id;                 // the game number; equals the row's index
  char name[64];              // internal name (names its saved games, scores, pictures)
  char code[8];               // four letters; nothing reads it
  void (*setup)();            // the set-up routine of its family (Game/Variants)
  int8_t skill;               // 0-100
  int8_t winChance;           // 0-100; the difficulty bar is 101 - winChance
  int8_t length;              // 0-100; nothing reads it
  int32_t decks;              // 1-3
  uint8_t autoplay;           // the game offers autoplay
  uint8_t autoplayLevel1;     // levels the player may choose (only with autoplay)
  uint8_t autoplayLevel2;
  uint8_t autoplayLevel3;
  uint8_t fourColour;         // may be shown with the four-colour deck
  int32_t topics[kGenMaxGameTopics];  // glossary topics 1-18, ended by the first 0
  // Its entry in the layouts file (Data/Main/0110.dat): the lines that start
  // with the key. Games with one key share the first such game's entry.
  char layoutKey[32];
  GenScoringId scoring = kScoringStandard;
  GenDeckMarker deckMarker = kDeckMarkerNone;
  GenGatherFrom gatherFrom = kGatherFromFoundations;
  int8_t suits = 4;                       // suits in the pack; fewer: drawn from the deal number
  // Input: the mouse and the keys.
  GenQuickClick quickClick = kQuickClickRightButton;
  bool noQuickMove = false;               // neither button makes a quick move
  bool noQuickMoveFromWaste = false;      // a quick press on the waste does nothing
  GenQuickSearch quickSearch = kQuickSearchOnce;
  GenQuickReserves quickReserves = kQuickReservesBoth;
  bool sourceIsDropCandidate = true;      // the pile the carried cards came from is a drop candidate
  bool pressHitsColumns = false;          // a press hits a tableau's column, not only its cards
  bool highlightsOff = false;             // the drop target's top card is never highlighted
  bool multiCardFoundationDrop = false;   // a run of cards may be dropped on a foundation
  // The table.
  bool foundationLandingEffects = true;   // a card landing on a foundation plays the player's foundation sound and effect
  bool secondFoundationMarker = false;    // foundations 5 and up show the second foundation marker
  bool autoplayStartsOff = false;         // a new player's autoplay level is off, though the game offers it
  void (*drawOverPiles)() = nullptr;      // the game's own drawing after its piles (the poker games' hand scores)
  bool wholeViewportWhenOver = false;     // a finished game's table is drawn with the whole window as viewport
};

// One rule of a game's rules text: language keys, empty = unused.
struct GameRule {
  char title[64];                     // title key; empty = empty record
  int32_t count;                      // put into the title's "%1" when 2 or more
  char place[64];                     // key naming where the piles lie; may be empty
  char text[kGenMaxRuleTexts][64];    // keys of the paragraph, in order
};

struct GameRulesText {
  char displayName[64];               // English name; nothing reads it
  char objective[64];                 // key of the objective text
  GameRule rules[kGenMaxGameRules];   // filled from the first
};

extern const GameDef GenGameTable[kGenNumGames];
extern const GameRulesText GenRulesTextTable[kGenNumGames];

// The current game number (0-83 once GenInit has checked it).
int GenGetCurGame();
// Sets the current game number (not checked here: GenInit repairs it) and,
// when it names a game, composes the window title "%s - %s" of the product's
// title and the game's display name (GenGetWindowTitle).
void GenSetCurGame(int game);
// The last title composed by GenSetCurGame; the shell hands it to the window.
const char* GenGetWindowTitle();

// The internal name of game n; n < 0 means the current game. A number
// outside 0-83 (or a negative n while the current game is out of range) logs
// "Invalid game number %d" under "GenGetGameFilename" and gives "XXX".
const char* GenGetGameFilename(int n);

// The current game's row; a row of the defaults (and "XXX" for its name)
// while the current game is out of range.
const GameDef& GenCurGameDef();

// The current game's table flag that asks for the four-colour deck; false
// while the current game is out of range.
bool GenCurGameWantsFourColorDeck();
// True when the player's four-colour deck option is on and the current game
// allows it (the card loader's question before it loads the faces).
bool GenFourColorDeckNeeded();
