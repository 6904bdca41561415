// GenLayoutFile.cpp - the per-game layout values of "Data\Main\0110.dat":
// a card scale and up to seven x and seven y values per game.
//
// State: the layout table (84 entries) and its loaded byte; cleared and
// filled by GenGameLayoutsLoad at start-up.
#include <array>
#include <cstdlib>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"

namespace {

constexpr int kMaxVars = 7;
constexpr int kMaxLineLength = 255;
constexpr const char* kLayoutFile = "Data\\Main\\0110.dat";

struct GameLayout {
  float scaleX, scaleY;
  bool scalesSet;
  float x[kMaxVars], y[kMaxVars];
  int numX, numY;
};

GameLayout g_layouts[kGenNumGames];
bool g_loaded = false;

// The game whose entry a game reads: the first game with its layout key.
int LayoutGameOf(int game) {
  static const std::array<int, kGenNumGames> owners = [] {
    std::array<int, kGenNumGames> first{};
    for (int n = 0; n < kGenNumGames; ++n) {
      first[n] = n;
      for (int other = 0; other < n && first[n] == n; ++other) {
        if (std::strcmp(GenGameTable[other].layoutKey, GenGameTable[n].layoutKey) == 0) first[n] = other;
      }
    }
    return first;
  }();
  return owners[game];
}

// Parses "<rest>" after a game's key into its entry; false when the line is
// not one of the three forms.
bool ParseForGame(GameLayout& layout, const char* rest) {
  if (std::strncmp(rest, "_CS:", 4) == 0) {
    char* end;
    float sx = std::strtof(rest + 4, &end);
    if (end == rest + 4) return false;
    const char* second = end;
    float sy = std::strtof(second, &end);
    if (end == second) return false;
    layout.scaleX = sx;
    layout.scaleY = sy;
    layout.scalesSet = true;
    return true;
  }
  bool isX = std::strncmp(rest, "_X_", 3) == 0;
  bool isY = std::strncmp(rest, "_Y_", 3) == 0;
  if (!isX && !isY) return false;
  char digit = rest[3];
  if (digit < '0' || digit > '6' || rest[4] != ':') return false;
  int n = digit - '0';
  char* end;
  float value = std::strtof(rest + 5, &end);
  if (end == rest + 5) return false;
  if (isX) {
    layout.x[n] = value;
    if (layout.numX < n + 1) layout.numX = n + 1;
  } else {
    layout.y[n] = value;
    if (layout.numY < n + 1) layout.numY = n + 1;
  }
  return true;
}

const GameLayout* CurLayout() {
  int game = GenGetCurGame();
  if (game < 0 || game >= kGenNumGames) return nullptr;
  return &g_layouts[LayoutGameOf(game)];
}

// The current game's card scale (y or x); 1.0 and a report under where
// when the file set none.
float CardScale(const char* where, bool y) {
  const GameLayout* l = CurLayout();
  if (!l || !l->scalesSet) {
    DebugError(where, "Card scales not set for this game");
    return 1.0f;
  }
  return y ? l->scaleY : l->scaleX;
}

// The current game's y (or x) value n; 0.0 and a report under where for a
// value the file did not give.
float Var(const char* where, bool y, int n) {
  const GameLayout* l = CurLayout();
  if (!l || n < 0 || n >= (y ? l->numY : l->numX)) {
    DebugError(where, "Invalid var num %d", n);
    return 0.0f;
  }
  return y ? l->y[n] : l->x[n];
}

}  // namespace

void GenGameLayoutsLoad() {
  for (GameLayout& l : g_layouts) {
    l = GameLayout{};
    l.scaleX = l.scaleY = 1.0f;
  }
  g_loaded = true;
  EngFile file;
  if (!file.OpenForReadingIfExists(kLayoutFile, true)) return;
  int from = 0;  // games are matched from the last match onwards
  char line[kMaxLineLength + 2];
  while (file.ReadLine(line, sizeof line)) {
    size_t len = std::strlen(line);
    if (len > 0 && line[len - 1] == '\n') {
      line[--len] = 0;
    } else if (len == sizeof line - 1) {
      // Longer than a line may be: report it and drop the rest of it.
      DebugError("GenGameLayoutsLoad", "Line too long <%s...>", DebugForeignText(line, 40).c_str());
      char rest[kMaxLineLength + 2];
      while (file.ReadLine(rest, sizeof rest)) {
        size_t n = std::strlen(rest);
        if (n > 0 && rest[n - 1] == '\n') break;
      }
      continue;
    }
    for (int game = from; game < kGenNumGames; ++game) {
      // A game that shares another's entry has none of its own to fill.
      if (LayoutGameOf(game) != game) continue;
      const char* key = GenGameTable[game].layoutKey;
      size_t keyLength = std::strlen(key);
      if (std::strncmp(line, key, keyLength) != 0) continue;
      if (ParseForGame(g_layouts[game], line + keyLength)) {
        from = game;
        break;
      }
    }
  }
}

bool GenGameLayoutsIsLoaded() { return g_loaded; }

float GenGameLayoutsGetCurGameCardScaleX() {
  return CardScale("GenGameLayoutsGetCurGameCardScaleX", false);
}

float GenGameLayoutsGetCurGameCardScaleY() {
  return CardScale("GenGameLayoutsGetCurGameCardScaleY", true);
}

float GenGameLayoutsGetCurGameXVar(int n) { return Var("GenGameLayoutsGetCurGameXVar", false, n); }
float GenGameLayoutsGetCurGameYVar(int n) { return Var("GenGameLayoutsGetCurGameYVar", true, n); }
