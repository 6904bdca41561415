// VariantTestSupport.cpp - the row notation of the shared variant tests (see
// VariantTest.h) and their fixture.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <sstream>
#include <string>

#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

// The rule byte a kind letter names in a section ("pick", "drop", "space");
// -1 when it names none.
int RuleByteOf(const std::string& section, const std::string& kind) {
  const bool fan = kind == "n" || kind == "fan";
  if (section == "space") {
    if (kind == "t") return kRuleDropEmptyTableau;
    return fan ? kRuleDropEmptyFan : -1;
  }
  const bool pick = section == "pick";
  if (section != "pick" && section != "drop") return -1;
  if (kind == "c") return pick ? kRulePickupCell : kRuleDropCell;
  if (kind == "f") return pick ? kRulePickupFoundation : kRuleDropFoundation;
  if (kind == "t") return pick ? kRulePickupTableau : kRuleDropTableau;
  if (fan) return pick ? kRulePickupFan : kRuleDropFan;
  if (kind == "d") return pick ? kRulePickupDeck : kRuleDropDeck;
  if (kind == "w") return pick ? kRulePickupWaste : kRuleDropWaste;
  if (kind == "r") return pick ? kRulePickupReserve : kRuleDropReserve;
  return -1;
}

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// Calls f(kind letter, patterns) for each "K: p p p" section of a text.
template <typename F>
bool ForEachSection(const char* text, F f) {
  std::stringstream all(text ? text : "");
  std::string section;
  while (std::getline(all, section, ';')) {
    section = Trim(section);
    if (section.empty()) continue;
    const size_t colon = section.find(':');
    if (colon != 1) return false;
    std::istringstream words(section.substr(colon + 1));
    std::vector<std::string> patterns;
    std::string word;
    while (words >> word) {
      int repeat = 1;
      const size_t star = word.find('*');
      if (star != std::string::npos) {
        repeat = std::atoi(word.c_str() + star + 1);
        word.erase(star);
      }
      for (int i = 0; i < repeat; ++i) patterns.push_back(word);
    }
    if (!f(section[0], patterns)) return false;
  }
  return true;
}

// The piles of a kind letter of the faces notation.
bool PilesOf(char kind, int* base, int* count) {
  const Gen& g = g_GenLive;
  switch (kind) {
    case 'T': *base = kWhereTableau; *count = g.numTableaus; return true;
    case 'N': *base = kWhereFan; *count = g.numFans; return true;
    case 'C': *base = kWhereCell; *count = g.numCells; return true;
    case 'R': *base = kWhereReserve; *count = g.numReserves; return true;
    case 'F': *base = kWhereFoundation; *count = g.numFoundations; return true;
    case 'W': *base = kWhereWaste; *count = 1; return true;
    case 'D': *base = kWhereDeck; *count = 1; return true;
    default: return false;
  }
}

// A pattern ("d2u", "u~", "0") as a regular expression over "u"/"d".
std::string PatternRegex(const std::string& pattern) {
  if (pattern == "0") return "";
  std::string re;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != 'u' && c != 'd') return "!";  // never matches
    re += c;
    if (i + 1 < pattern.size() && pattern[i + 1] == '~') {
      re += '*';
      ++i;
    } else if (i + 1 < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[i + 1]))) {
      size_t end = i + 1;
      while (end < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[end]))) ++end;
      re += "{" + pattern.substr(i + 1, end - i - 1) + "}";
      i = end - 1;
    }
  }
  return re;
}

// The faces of a pile, bottom first, as "u"/"d".
std::string FacesOf(const CardGroup& pile) {
  std::string faces;
  for (int i = 0; i < pile.numCards; ++i) faces += pile.cards[i].faceUp ? 'u' : 'd';
  return faces;
}

// The deepest pattern's faces, written out ("d2u" -> "ddu").
std::string Expand(const std::string& pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    int n = 1;
    size_t end = i + 1;
    while (end < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[end]))) ++end;
    if (end > i + 1) n = std::atoi(pattern.substr(i + 1, end - i - 1).c_str());
    out.append(static_cast<size_t>(n), c);
    i = end - 1;
  }
  return out;
}

}  // namespace

void PrintTo(const VariantRow& row, std::ostream* os) {
  *os << (row.game >= 0 && row.game < kGenNumGames ? GenGameTable[row.game].name : "?");
}

std::string VariantRowName(const ::testing::TestParamInfo<VariantRow>& info) {
  const int game = info.param.game;
  return game >= 0 && game < kGenNumGames ? GenGameTable[game].name : "Unknown";
}

bool VariantParseRules(const char* text, uint8_t rules[kGenNumRules]) {
  for (int i = 0; i < kGenNumRules; ++i) rules[i] = 0;
  rules[kRuleDropDeck] = kRuleNone;
  std::stringstream all(text ? text : "");
  std::string part;
  while (std::getline(all, part, '/')) {
    std::istringstream words(part);
    std::string section, word;
    if (!(words >> section)) continue;
    while (words >> word) {
      size_t digit = 0;
      while (digit < word.size() && !std::isdigit(static_cast<unsigned char>(word[digit]))) ++digit;
      const int byte = RuleByteOf(section, word.substr(0, digit));
      if (byte < 0 || digit == word.size()) return false;
      rules[byte] = static_cast<uint8_t>(std::atoi(word.c_str() + digit));
    }
  }
  return true;
}

std::string VariantFilledSlots() {
  const GenVariantCallbacks& cb = GenGetCallbacks();
  const bool filled[9] = {cb.deal != nullptr,      cb.afterDeal != nullptr,  cb.dealWithAnimation != nullptr,
                          cb.selection != nullptr, cb.autoplay != nullptr,   cb.customRule != nullptr,
                          cb.tableauSpace != nullptr, cb.pairRule != nullptr, cb.dropVeto != nullptr};
  std::string slots;
  for (int i = 0; i < 9; ++i) {
    if (!filled[i]) continue;
    if (!slots.empty()) slots += ' ';
    slots += static_cast<char>('0' + i);
  }
  return slots;
}

std::string VariantCheckFaces(const char* faces) {
  std::string problems;
  bool named[128] = {};
  const bool parsed = ForEachSection(faces, [&](char kind, const std::vector<std::string>& patterns) {
    int base = 0, count = 0;
    if (!PilesOf(kind, &base, &count)) return false;
    named[static_cast<int>(kind)] = true;
    if (static_cast<int>(patterns.size()) != count) {
      problems += std::string(1, kind) + ": " + std::to_string(patterns.size()) + " patterns for " +
                  std::to_string(count) + " piles\n";
      return true;
    }
    for (int i = 0; i < count; ++i) {
      const std::string have = FacesOf(*GenGetGroup(g_GenLive, base + i));
      if (!std::regex_match(have, std::regex(PatternRegex(patterns[static_cast<size_t>(i)])))) {
        problems += std::string(1, kind) + std::to_string(i + 1) + ": \"" + have + "\" is not " +
                    patterns[static_cast<size_t>(i)] + "\n";
      }
    }
    return true;
  });
  if (!parsed) return "unreadable faces text";
  for (char kind : std::string("TNCRFW")) {
    int base = 0, count = 0;
    PilesOf(kind, &base, &count);
    for (int i = 0; i < count && !named[static_cast<int>(kind)]; ++i) {
      if (GenGetGroup(g_GenLive, base + i)->numCards > 0) {
        problems += std::string(1, kind) + std::to_string(i + 1) + " holds cards\n";
      }
    }
  }
  return problems;
}

bool VariantBuildDeepest(const char* deepest) {
  return ForEachSection(deepest, [](char kind, const std::vector<std::string>& patterns) {
    int base = 0, count = 0;
    if (!PilesOf(kind, &base, &count) || patterns.empty()) return false;
    const std::string faces = Expand(patterns[0]);
    for (int i = 0; i < count; ++i) {
      CardGroup* pile = GenGetGroup(g_GenLive, base + i);
      pile->numCards = 0;
      pile->RelinkOwners();
      for (size_t k = 0; k < faces.size() && static_cast<int>(k) < pile->maxCards; ++k) {
        Card card;
        CardsSetupCard(&card, faces[k] == 'u', static_cast<int>(k % 4), static_cast<int>(k % 13) + 1,
                       0, 0, 0);
        pile->AddCardToGroup(&card, false, false, false);
      }
      pile->Refresh(true);
    }
    return true;
  });
}

bool VariantTable(int game, const std::string& piles) {
  VariantSettle();  // what the last table started ends first
  GenSetCurGame(game);
  EXPECT_TRUE(GenInit());
  if (!g_GenLive.ready || !FixtureBuild("D: ; " + piles)) return false;
  GenUndoReset();
  GenUndoRecordState();
  GenBuildPickupCandidates();
  return true;
}

std::string VariantFoundationsUpTo(int n, int top) {
  const char* ranks = "A23456789TJQK";
  const char* suits = "hsdc";
  std::string text;
  for (int f = 0; f < n; ++f) {
    text += "F" + std::to_string(f) + ":";
    for (int r = 0; r < top; ++r) text += std::string(" ") + ranks[r] + suits[f % 4] + "*";
    text += "; ";
  }
  return text;
}

void VariantMove(int from, int index, int to) {
  CardGroup* pile = GenGetGroup(g_GenLive, from);
  FixtureDrag(from, index >= 0 ? index : pile->numCards - 1, to);
  VariantSettle();
}

void VariantTest::SetUp() {
  GameTest::SetUp();
  VariantUseGameSettings();
}
