// ScoreSystem.h - how a game in play is scored: the scoring systems (each
// game's row names its own, GameDef::scoring; what a system counts is this
// unit's table), the running score of the game in play with its text, and
// the explanation of a system for the Scores page.
//
// A system adds points per card on a foundation and per pair of cards (or
// lone card) in the tableau and fan piles that follows a sequence rule, and
// takes points off per time step, per undo and once; three games add a bonus
// of their own (Game/GenScores.h). The running score is never negative and
// lives in the player's per-game options (runningScore); its text here.
//
// State: the score text (64 bytes), the rule-name buffer (64 bytes) and the
// description text.
#pragma once

#include <cstdint>

struct Card;

// Sequence rules (ScoreCheckTableauFanRule).
enum ScoreRule : int {
  kScoreRuleNone = -1,
  kScoreRuleAlternateDown = 1,   // colours differ, one rank down
  kScoreRuleSameSuitDown = 2,
  kScoreRuleSameColourDown = 3,
  kScoreRuleDiffSuitDown = 5,
  kScoreRuleAnySuitDown = 6,
  kScoreRuleGameOwn = 21,        // Curds and Whey's or Gaps' own rule
};

struct ScoringSystem {
  std::int32_t firstRule = kScoreRuleNone;
  std::int32_t secondRule = kScoreRuleNone;   // asked where the first did not count
  std::int32_t foundationPoints = 50;         // per card on a foundation
  std::int32_t firstRulePoints = 25;
  std::int32_t secondRulePoints = 10;
  std::int32_t secondsPerStep = 1;            // 0: no time deduction
  std::int32_t stepPoints = 1;                // per whole step of play time
  std::int32_t cheatUndoPoints = 100;         // per undo past a marked state
  std::int32_t normalUndoPoints = 20;
  std::int32_t fixedDeduction = 0;
  int (*bonus)() = nullptr;                   // the game's own part, added
};

// The system of the current game (defaults, then the game's differences).
void ScoreGetScoringSystem(ScoringSystem* system);
// The system of game 0-83 (a number outside: the defaults).
void ScoreGetScoringSystemOfGame(int game, ScoringSystem* system);

// 1 when the rule counts card b lying on card a (b null: a lone card; only
// Gaps' rule counts those), else 0. inTableau and group (the pile's index)
// serve the games' own rules. An unknown rule of 0 or more logs "Unknow rule
// %d", rule 21 outside its two games "Unknow custom game %d".
int ScoreCheckTableauFanRule(int rule, const Card* a, const Card* b, bool inTableau, int group);
// The rule's name in the current language (a unit buffer; "???" for an
// unknown rule, logged).
const char* ScoreGetRuleDescription(int rule);

// Recomputes the current game's running score and its text; nothing while
// the game is over, a quick-move search runs or cards fly.
void ScoreUpdateCurrentScore();
// Sets the running score to 0, rewrites the text and recomputes.
void ScoreResetCurrentScore();
// Writes the current game's running score into the text ("%lu").
void ScoreUpdateScoreText();
const char* ScoreGetScoreText();

// The explanation of the current game's system: one line per part, each
// "<what>:  +<points>" or "-<points>", separated by blank lines. Valid until
// the next call.
const char* ScoreGetSystemDescription();
