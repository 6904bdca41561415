// ScoreSystem.cpp - scoring systems, the running score and its explanation
// (see ScoreSystem.h).
#include "App/ScoreSystem.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Game/Card.h"
#include "Game/CardsAnim.h"
#include "Game/Gen.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenQuickMove.h"
#include "Game/GenRecord.h"
#include "Game/GenScores.h"
#include "Game/UserOptions.h"

namespace {

constexpr int kGapsRowLength = 13;
constexpr int kPairBonusPoints = 50;  // what the pair games' line says a removed card earns

char g_scoreText[64] = "0";
char g_ruleName[64] = {};
char g_description[2048] = {};

bool Present(const Card* c) { return c && c->suit >= 0 && c->rank >= 1; }

// Gaps: the lone card of tableau pile `group` counts when its row, from the
// left up to and including it, runs 2, 3, 4 ... in the suit of the row's
// first card.
bool GapsRowRunsUpTo(int group) {
  const Gen& g = g_GenLive;
  if (group < 0 || group >= g.numTableaus || group >= kGenMaxTableaus) return false;
  const int rowStart = group - group % kGapsRowLength;
  const CardGroup& first = g.tableaus[rowStart];
  if (first.numCards < 1) return false;
  const int suit = first.cards[0].suit;
  for (int pile = rowStart; pile <= group; ++pile) {
    const CardGroup& p = g.tableaus[pile];
    if (p.numCards < 1 || p.cards[0].suit != suit || p.cards[0].rank != 2 + (pile - rowStart)) {
      return false;
    }
  }
  return true;
}

// Gaps' own rule: the lone card of a tableau pile counts when its row runs
// up to it.
int GapsRule(const Card* a, const Card* b, bool inTableau, int group) {
  return !b && inTableau && Present(a) && GapsRowRunsUpTo(group) ? 1 : 0;
}

// Curds and Whey's own rule: a card on one of its rank, or one rank lower
// in its suit.
int CurdsAndWheyRule(const Card* a, const Card* b, bool, int) {
  if (!Present(a) || !Present(b)) return 0;
  return a->rank == b->rank || (a->suit == b->suit && GenIsNextLowerRank(a->rank, b->rank)) ? 1 : 0;
}

// One scoring system: what it counts, the game's own sequence rule when it
// asks rule 21, and the line that explains its own part.
struct SystemRow {
  GenScoringId id;
  ScoringSystem counts;
  int (*ownRule)(const Card* a, const Card* b, bool inTableau, int group) = nullptr;
  const char* ownRuleName = nullptr;   // language key of the own rule's name
  const char* bonusLine = nullptr;     // language key of the line that explains the bonus
  int bonusLinePoints = 0;             // shown after the line when above 0
};

// The systems, in the order of their ids; a field not named keeps the
// default of ScoringSystem (50 a foundation card, 25 and 10 a sequence,
// 1 a second, 100 a cheat undo and 20 a normal undo).
constexpr SystemRow kSystems[kScoringCount] = {
    {.id = kScoringStandard},
    {.id = kScoringAccordion,
     .counts = {.foundationPoints = 0, .cheatUndoPoints = 0, .normalUndoPoints = 100, .bonus = AccordionGetScore},
     .bonusLine = "Score_SysShoterTab"},
    {.id = kScoringAlternateDown, .counts = {.firstRule = kScoreRuleAlternateDown}},
    {.id = kScoringAlternateDownNoCheatUndo,
     .counts = {.firstRule = kScoreRuleAlternateDown, .cheatUndoPoints = 0}},
    {.id = kScoringAnySuitDownNoCheatUndo, .counts = {.firstRule = kScoreRuleAnySuitDown, .cheatUndoPoints = 0}},
    {.id = kScoringBaroness,
     .counts = {.foundationPoints = 0, .firstRulePoints = 0, .cheatUndoPoints = 0, .normalUndoPoints = 100,
                .bonus = PairGamesGetScore},
     .bonusLine = "Score_SysEveryCardRemoved", .bonusLinePoints = kPairBonusPoints},
    {.id = kScoringBuffaloBill, .counts = {.foundationPoints = 25, .cheatUndoPoints = 0, .normalUndoPoints = 100}},
    {.id = kScoringCurdsAndWhey,
     .counts = {.firstRule = kScoreRuleGameOwn, .cheatUndoPoints = 0, .normalUndoPoints = 100},
     .ownRule = CurdsAndWheyRule, .ownRuleName = "Score_SysRuleCurdsAndWhey"},
    {.id = kScoringDiffSuitDown, .counts = {.firstRule = kScoreRuleDiffSuitDown}},
    {.id = kScoringGaps,
     .counts = {.firstRule = kScoreRuleGameOwn, .foundationPoints = 0, .firstRulePoints = 50,
                .cheatUndoPoints = 0, .normalUndoPoints = 100},
     .ownRule = GapsRule, .ownRuleName = "Score_SysRuleGaps"},
    {.id = kScoringGrandfathersClock, .counts = {.fixedDeduction = 120}},
    {.id = kScoringMemory,
     .counts = {.foundationPoints = 0, .firstRulePoints = 0, .cheatUndoPoints = 0, .normalUndoPoints = 0,
                .bonus = PairGamesGetScore},
     .bonusLine = "Score_SysEveryCardRemoved", .bonusLinePoints = kPairBonusPoints},
    {.id = kScoringMonteCarlo,
     .counts = {.foundationPoints = 0, .firstRulePoints = 0, .bonus = PairGamesGetScore},
     .bonusLine = "Score_SysEveryCardRemoved", .bonusLinePoints = kPairBonusPoints},
    {.id = kScoringNewYork,
     .counts = {.firstRule = kScoreRuleAlternateDown, .cheatUndoPoints = 0, .normalUndoPoints = 100}},
    {.id = kScoringNoCheatUndo, .counts = {.cheatUndoPoints = 0}},
    {.id = kScoringPoker,
     // A square scores its hands and nothing else: an undo's 100 would wipe
     // out most squares' whole score.
     .counts = {.foundationPoints = 0, .secondsPerStep = 0, .cheatUndoPoints = 0, .normalUndoPoints = 0,
                .bonus = PokerSquareGetScore},
     .bonusLine = "Score_SysPoker"},
    {.id = kScoringPyramid, .counts = {.cheatUndoPoints = 0, .normalUndoPoints = 100}},
    {.id = kScoringSameColourDown, .counts = {.firstRule = kScoreRuleSameColourDown}},
    {.id = kScoringSameSuitDown, .counts = {.firstRule = kScoreRuleSameSuitDown}},
    {.id = kScoringSameSuitDownNoCheatUndo, .counts = {.firstRule = kScoreRuleSameSuitDown, .cheatUndoPoints = 0}},
    {.id = kScoringSpider, .counts = {.firstRule = kScoreRuleSameSuitDown, .secondRule = kScoreRuleAnySuitDown}},
    {.id = kScoringTwenty, .counts = {.fixedDeduction = 80}},
};

constexpr bool SystemsInIdOrder() {
  for (int i = 0; i < kScoringCount; ++i) {
    if (kSystems[i].id != i) return false;
  }
  return true;
}
static_assert(SystemsInIdOrder(), "kSystems lists every scoring id once, in id order");

// The system of game 0-83; the standard one for a number outside.
const SystemRow& SystemOf(int game) {
  if (game < 0 || game >= kGenNumGames) return kSystems[kScoringStandard];
  return kSystems[GenGameTable[game].scoring];
}

// A bounded text: appends stop at the end of the buffer, and the first cut
// is logged once.
class DescriptionBuilder {
 public:
  DescriptionBuilder(char* buffer, std::size_t size) : buffer_(buffer), size_(size) { buffer_[0] = '\0'; }
  void Append(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    if (cut_) return;
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer_ + length_, size_ - length_, format, args);
    va_end(args);
    if (written < 0 || static_cast<std::size_t>(written) >= size_ - length_) {
      length_ = std::strlen(buffer_);
      cut_ = true;
      DebugError("ScoreGetSystemDescription", "Description too long - cut at %zu characters", length_);
      return;
    }
    length_ += static_cast<std::size_t>(written);
  }
  // Drops a trailing blank line ("\n\n") from a text of more than two characters.
  void TrimBlankLine() {
    if (length_ > 2 && buffer_[length_ - 1] == '\n' && buffer_[length_ - 2] == '\n') {
      length_ -= 2;
      buffer_[length_] = '\0';
    }
  }

 private:
  char* buffer_;
  std::size_t size_;
  std::size_t length_ = 0;
  bool cut_ = false;
};

// "<rule> in <piles>" for the description.
void AppendRuleLine(DescriptionBuilder* text, int rule, int points, const char* groupLabel) {
  if (rule < 0 || points <= 0) return;
  char line[128];
  // The rule's name lives in a unit buffer: copy it before the next call.
  char ruleName[64];
  std::snprintf(ruleName, sizeof ruleName, "%s", ScoreGetRuleDescription(rule));
  if (!EngLanguagesGetStringWithParams("Score_SysForXInY", ruleName, EngLanguagesGetFirstString(groupLabel),
                                       line, sizeof line)) {
    std::snprintf(line, sizeof line, "%s", ruleName);
  }
  text->Append("%s:  +%d\n\n", line, points);
}

}  // namespace

void ScoreGetScoringSystemOfGame(int game, ScoringSystem* system) {
  if (system) *system = SystemOf(game).counts;
}

void ScoreGetScoringSystem(ScoringSystem* system) { ScoreGetScoringSystemOfGame(GenGetCurGame(), system); }

int ScoreCheckTableauFanRule(int rule, const Card* a, const Card* b, bool inTableau, int group) {
  if (rule < 0) return 0;
  if (rule == kScoreRuleGameOwn) {
    const int game = GenGetCurGame();
    const SystemRow& system = SystemOf(game);
    if (!system.ownRule) {
      DebugError("ScoreCheckTableauFanRule", "Unknow custom game %d", game);
      return 0;
    }
    return system.ownRule(a, b, inTableau, group);
  }
  const bool known = rule == kScoreRuleAlternateDown || rule == kScoreRuleSameSuitDown ||
                     rule == kScoreRuleSameColourDown || rule == kScoreRuleDiffSuitDown ||
                     rule == kScoreRuleAnySuitDown;
  if (!known) {
    DebugError("ScoreCheckTableauFanRule", "Unknow rule %d", rule);
    return 0;
  }
  if (!Present(a) || !Present(b) || !GenIsNextLowerRank(a->rank, b->rank)) return 0;
  switch (rule) {
    case kScoreRuleAlternateDown: return GenSameColour(a->suit, b->suit) ? 0 : 1;
    case kScoreRuleSameSuitDown: return a->suit == b->suit ? 1 : 0;
    case kScoreRuleSameColourDown: return GenSameColour(a->suit, b->suit) ? 1 : 0;
    case kScoreRuleDiffSuitDown: return a->suit != b->suit ? 1 : 0;
    default: return 1;  // any suit
  }
}

const char* ScoreGetRuleDescription(int rule) {
  const char* token = nullptr;
  switch (rule) {
    case kScoreRuleAlternateDown: token = "Score_SysRuleAlternateDown"; break;
    case kScoreRuleSameSuitDown: token = "Score_SysRuleSameSuitDown"; break;
    case kScoreRuleSameColourDown: token = "Score_SysRuleSameColourDown"; break;
    case kScoreRuleDiffSuitDown: token = "Score_SysRuleDiffSuitDown"; break;
    case kScoreRuleAnySuitDown: token = "Score_SysRuleAnySuitDown"; break;
    case kScoreRuleGameOwn: {
      const int game = GenGetCurGame();
      token = SystemOf(game).ownRuleName;
      if (!token) DebugError("ScoreGetRuleDescription", "Unknow custom game %d", game);
      break;
    }
    default:
      DebugError("ScoreGetRuleDescription", "Unknow rule %d", rule);
      break;
  }
  std::snprintf(g_ruleName, sizeof g_ruleName, "%s", token ? EngLanguagesGetFirstString(token) : "???");
  return g_ruleName;
}

void ScoreUpdateCurrentScore() {
  const Gen& g = g_GenLive;
  if (g.gameOver || GenIsQuickMoveSearching() || CardsAnimIsAnimating()) return;
  const int game = GenGetCurGame();
  if (game < 0 || game >= kGenNumGames) return;
  ScoringSystem s;
  ScoreGetScoringSystemOfGame(game, &s);

  std::int64_t score = -static_cast<std::int64_t>(s.fixedDeduction);
  for (int i = 0; i < g.numFoundations && i < kGenMaxFoundations; ++i) {
    score += static_cast<std::int64_t>(s.foundationPoints) * g.foundations[i].numCards;
  }
  if (s.firstRule >= 0 || s.secondRule >= 0) {
    std::int64_t first = 0, second = 0;
    auto countPile = [&](const CardGroup& pile, bool inTableau, int index) {
      auto ask = [&](const Card* a, const Card* b) {
        if (ScoreCheckTableauFanRule(s.firstRule, a, b, inTableau, index)) {
          ++first;
        } else if (ScoreCheckTableauFanRule(s.secondRule, a, b, inTableau, index)) {
          ++second;
        }
      };
      if (pile.numCards == 1) {
        if (pile.cards[0].faceUp) ask(&pile.cards[0], nullptr);
        return;
      }
      for (int k = 0; k + 1 < pile.numCards && k + 1 < kCardGroupMaxCards; ++k) {
        if (pile.cards[k].faceUp && pile.cards[k + 1].faceUp) ask(&pile.cards[k], &pile.cards[k + 1]);
      }
    };
    for (int i = 0; i < g.numTableaus && i < kGenMaxTableaus; ++i) countPile(g.tableaus[i], true, i);
    for (int i = 0; i < g.numFans && i < kGenMaxFans; ++i) countPile(g.fans[i], false, i);
    score += s.firstRulePoints * first + s.secondRulePoints * second;
  }
  if (s.secondsPerStep > 0) {
    const std::int64_t seconds = g_UserOptions.elapsedSeconds[game] > 0 ? g_UserOptions.elapsedSeconds[game] : 0;
    score -= static_cast<std::int64_t>(s.stepPoints) * (seconds / s.secondsPerStep);
  }
  score -= static_cast<std::int64_t>(s.cheatUndoPoints) * g.markedUndos;
  score -= static_cast<std::int64_t>(s.normalUndoPoints) * g.unmarkedUndos;
  if (s.bonus) score += s.bonus();
  if (score < 0) score = 0;
  if (score > INT32_MAX) score = INT32_MAX;
  g_UserOptions.runningScore[game] = static_cast<std::int32_t>(score);
  ScoreUpdateScoreText();
}

void ScoreResetCurrentScore() {
  const int game = GenGetCurGame();
  if (game >= 0 && game < kGenNumGames) g_UserOptions.runningScore[game] = 0;
  ScoreUpdateScoreText();
  ScoreUpdateCurrentScore();
}

void ScoreUpdateScoreText() {
  const int game = GenGetCurGame();
  const std::int32_t score = game >= 0 && game < kGenNumGames ? g_UserOptions.runningScore[game] : 0;
  std::snprintf(g_scoreText, sizeof g_scoreText, "%" PRIu32, static_cast<std::uint32_t>(score));
}

const char* ScoreGetScoreText() { return g_scoreText; }

const char* ScoreGetSystemDescription() {
  const SystemRow& system = SystemOf(GenGetCurGame());
  const ScoringSystem& s = system.counts;
  DescriptionBuilder text(g_description, sizeof g_description);

  if (s.bonus && system.bonusLine) {
    if (system.bonusLinePoints > 0) {
      text.Append("\n%s:  +%d\n\n", EngLanguagesGetFirstString(system.bonusLine), system.bonusLinePoints);
    } else {
      text.Append("\n%s\n\n", EngLanguagesGetFirstString(system.bonusLine));
    }
  }
  if (s.foundationPoints > 0) {
    text.Append("%s:  +%d\n\n", EngLanguagesGetFirstString("Score_SysEveyCardFnd"), s.foundationPoints);
  }
  const bool tableaus = g_GenLive.numTableaus > 0;
  const bool fans = g_GenLive.numFans > 0;
  const char* groupLabel = !tableaus && !fans ? "Score_SysTabAndOrFan"
                           : !tableaus       ? "Score_SysFan"
                           : !fans           ? "Score_SysTab"
                                             : "Score_SysTabOrFan";
  AppendRuleLine(&text, s.firstRule, s.firstRulePoints, groupLabel);
  AppendRuleLine(&text, s.secondRule, s.secondRulePoints, groupLabel);
  if (s.stepPoints > 0 && s.secondsPerStep > 0) {
    char line[128];
    if (s.secondsPerStep == 1) {
      std::snprintf(line, sizeof line, "%s", EngLanguagesGetFirstString("Score_SysEverySecondPlaying"));
    } else {
      char seconds[16];
      std::snprintf(seconds, sizeof seconds, "%d", s.secondsPerStep);
      if (!EngLanguagesGetStringWithParam("Score_SysEveryNSecondsPlaying", seconds, line, sizeof line)) {
        line[0] = '\0';
      }
    }
    text.Append("%s:  -%d\n\n", line, s.stepPoints);
  }
  if (s.normalUndoPoints > 0) {
    text.Append("%s:  -%d\n\n",
                EngLanguagesGetFirstString(s.cheatUndoPoints < 1 ? "Score_SysEveryUndo" : "Score_SysEveryNormalUndo"),
                s.normalUndoPoints);
  }
  if (s.cheatUndoPoints > 0) {
    text.Append("%s:  -%d\n\n", EngLanguagesGetFirstString("Score_SysEveryCheatUndo"), s.cheatUndoPoints);
  }
  text.TrimBlankLine();
  return g_description;
}
