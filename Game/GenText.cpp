// GenText.cpp - a game's texts from the rules-text table and the language
// files (see GenText.h). State: the result buffer.
#include "Game/GenText.h"

#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Game/GenGameTable.h"

namespace {

char g_text[1024];

const char* Fail(const char* format, int value) {
  DebugError("GenGetGameString", format, value);
  return "XXX";
}

// Appends text to the buffer, keeping it terminated.
void Append(const char* text) {
  size_t used = std::strlen(g_text);
  std::snprintf(g_text + used, sizeof g_text - used, "%s", text);
}

}  // namespace

const char* GenGetGameString(int kind, int n) {
  g_text[0] = 0;
  int game = GenGetCurGame();
  switch (kind) {
    case 1:
    case 2: {
      int which = n < 0 ? game : n;
      if (which < 0 || which >= kGenNumGames) return Fail("Invalid game number %d", which);
      const char* text = kind == 1 ? EngLanguagesGetString("Game_GameList", which)
                                   : EngLanguagesGetFirstString(GenRulesTextTable[which].objective);
      Append(text);
      return g_text;
    }
    case 3:
    case 4: {
      if (n < 0) return Fail("Invalid rule number %d", n);
      if (game < 0 || game >= kGenNumGames) return Fail("Invalid game number %d", game);
      if (n >= kGenMaxGameRules) return g_text;
      const GameRule& rule = GenRulesTextTable[game].rules[n];
      if (rule.title[0] == 0) return g_text;
      if (kind == 3) {
        char title[512];
        const char* plain = EngLanguagesGetFirstString(rule.title);
        std::snprintf(title, sizeof title, "%s", plain);
        if (rule.count >= 2) {
          char count[16];
          std::snprintf(count, sizeof count, "%d", rule.count);
          if (!EngLanguagesGetStringWithParam(rule.title, count, title, sizeof title)) {
            std::snprintf(title, sizeof title, "%s", plain);
          }
        }
        if (rule.place[0]) {
          std::snprintf(g_text, sizeof g_text, "%s (%s)", title,
                        EngLanguagesGetFirstString(rule.place));
        } else {
          Append(title);
        }
        return g_text;
      }
      for (int i = 0; i < kGenMaxRuleTexts; ++i) {
        if (rule.text[i][0] == 0) continue;
        if (g_text[0]) Append(" ");
        Append(EngLanguagesGetFirstString(rule.text[i]));
      }
      return g_text;
    }
    default:
      return Fail("Unknown string kind %d", kind);
  }
}
