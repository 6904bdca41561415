// CardsDecksFile.cpp - the deck settings file: 52 lines "KEY: value", read
// over the defaults and written whole (see CardsDecks.h).
//
// One table drives both directions: each key's form (int, switch, real,
// colour, name) and, for reals, the range the deck editor offers. Reading
// clamps into those ranges, so a hand-edited or damaged file cannot push the
// generator's arithmetic out of its bounds.
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Game/Decks/CardsDecksLocal.h"
#include "Game/Decks/DecksFiles.h"

namespace {

enum Form { kInt, kSwitch, kReal, kColour, kName };

struct KeyInfo {
  const char* key;
  Form form;
  std::size_t offset;  // into DeckSettings
  float minimum, maximum;  // reals
  int kind;                // names: the element list
};

#define G(field) offsetof(DeckSettings, generator.field)
#define E(field) offsetof(DeckSettings, elements.field)

// In the writer's order.
const KeyInfo kKeys[] = {
    {"MCG_USE_BASE_COL", kSwitch, G(useBaseColour), 0, 0, 0},
    {"MCG_BASE_COL", kColour, G(baseColour), 0, 1, 0},
    {"MCG_COURT_CARDS_MIRRORED", kSwitch, G(courtCardsMirrored), 0, 0, 0},
    {"MCG_COURT_CARDS_WIDTH", kReal, G(courtCardsWidth), 0.2f, 1.05f, 0},
    {"MCG_COURT_CARDS_HEIGHT", kReal, G(courtCardsHeight), 0.2f, 1.05f, 0},
    {"MCG_COURT_CARDS_TRANS", kSwitch, G(courtCardsTrans), 0, 0, 0},
    {"MCG_ADD_PIPS_TO_COURT_CARDS", kSwitch, G(addPipsToCourtCards), 0, 0, 0},
    {"MCG_ADD_SIDE_PIPS_TO_COURT_CARDS", kSwitch, G(addSidePipsToCourtCards), 0, 0, 0},
    {"MCG_COURT_PIPS_X", kReal, G(courtPipsX), -0.5f, 1.5f, 0},
    {"MCG_COURT_PIPS_Y", kReal, G(courtPipsY), -0.5f, 1.5f, 0},
    {"MCG_COURT_PIPS_W", kReal, G(courtPipsW), 0.1f, 2.5f, 0},
    {"MCG_COURT_PIPS_H", kReal, G(courtPipsH), 0.1f, 2.5f, 0},
    {"MCG_NUM_ACES_PICS", kInt, G(numAcesPics), 0, 0, 0},
    {"MCG_ADD_ACES_CENTER_PIP", kSwitch, G(addAcesCenterPip), 0, 0, 0},
    {"MCG_HEARTS_COL", kColour, G(heartsColour), 0, 1, 0},
    {"MCG_SPADES_COL", kColour, G(spadesColour), 0, 1, 0},
    {"MCG_DIAMONDS_COL", kColour, G(diamondsColour), 0, 1, 0},
    {"MCG_CLUBS_COL", kColour, G(clubsColour), 0, 1, 0},
    {"MCG_SUITS_TRANS", kSwitch, G(suitsTrans), 0, 0, 0},
    {"MCG_SUITS_NO_COLOURS", kSwitch, G(suitsNoColours), 0, 0, 0},
    {"MCG_RANKS_ON", kInt, G(ranksOn), 0, 0, 0},
    {"MCG_RANK_X", kReal, G(rankX), 0, 1, 0},
    {"MCG_RANK_Y", kReal, G(rankY), 0, 1, 0},
    {"MCG_RANK_W", kReal, G(rankW), 0.3f, 4, 0},
    {"MCG_RANK_H", kReal, G(rankH), 0.3f, 4, 0},
    {"MCG_RANK_TRANS", kSwitch, G(rankTrans), 0, 0, 0},
    {"MCG_MAIN_PIPS_ON", kInt, G(mainPipsOn), 0, 0, 0},
    {"MCG_MAIN_PIP_W", kReal, G(mainPipW), 0.1f, 2, 0},
    {"MCG_MAIN_PIP_H", kReal, G(mainPipH), 0.1f, 2, 0},
    {"MCG_MAIN_PIPS_W", kReal, G(mainPipsW), 0.2f, 1.5f, 0},
    {"MCG_MAIN_PIPS_H", kReal, G(mainPipsH), 0.2f, 1.5f, 0},
    {"MCG_SIDE_PIPS_ON", kInt, G(sidePipsOn), 0, 0, 0},
    {"MCG_SIDE_PIPS_X", kReal, G(sidePipsX), 0, 1.2f, 0},
    {"MCG_SIDE_PIPS_Y", kReal, G(sidePipsY), -0.2f, 1, 0},
    {"MCG_SIDE_PIPS_W", kReal, G(sidePipsW), 0.2f, 5, 0},
    {"MCG_SIDE_PIPS_H", kReal, G(sidePipsH), 0.2f, 5, 0},
    {"DG_BASE_TYPE", kInt, E(baseType), 0, 0, 0},
    {"DG_SUITS_TYPE", kInt, E(suitsType), 0, 0, 0},
    {"DG_RANKS_TYPE", kInt, E(ranksType), 0, 0, 0},
    {"DG_ACES_TYPE", kInt, E(acesType), 0, 0, 0},
    {"DG_KINGS_TYPE", kInt, E(kingsType), 0, 0, 0},
    {"DG_QUEENS_TYPE", kInt, E(queensType), 0, 0, 0},
    {"DG_JACKS_TYPE", kInt, E(jacksType), 0, 0, 0},
    {"DG_DEFAULT_SHAPE_STR", kName, E(shape), 0, 0, kDeckElementShapes},
    {"DG_DEFAULT_BASE_STR", kName, E(base), 0, 0, kDeckElementBases},
    {"DG_DEFAULT_SUITS_STR", kName, E(suits), 0, 0, kDeckElementSuits},
    {"DG_DEFAULT_RANKS_STR", kName, E(ranks), 0, 0, kDeckElementRanks},
    {"DG_DEFAULT_ACES_STR", kName, E(aces), 0, 0, kDeckElementAces},
    {"DG_DEFAULT_JACKS_STR", kName, E(jacks), 0, 0, kDeckElementCourts},
    {"DG_DEFAULT_QUEENS_STR", kName, E(queens), 0, 0, kDeckElementCourts},
    {"DG_DEFAULT_KINGS_STR", kName, E(kings), 0, 0, kDeckElementCourts},
    {"DG_ACES_HAVE_CENTER_PIP", kSwitch, E(acesHaveCenterPip), 0, 0, 0},
};
constexpr int kNumKeys = sizeof(kKeys) / sizeof(kKeys[0]);
static_assert(kNumKeys == 52, "the deck settings file holds 52 keys");

#undef G
#undef E

constexpr std::size_t kMaxLine = 127;
// Every line ends CR CR LF on disk, as a line ended CR LF and written in a
// text mode that turns each LF into CR LF. Readers take it and CR LF alike.
constexpr const char* kLineEnd = "\r\r\n";

template <typename T>
T* Field(DeckSettings* s, const KeyInfo& k) {
  return reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(s) + k.offset);
}
template <typename T>
const T* Field(const DeckSettings& s, const KeyInfo& k) {
  return reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(&s) + k.offset);
}

// A whole number: optional sign and digits; false for anything else.
bool ParseInt(const char* text, long* value) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text) return false;
  *value = v;
  return true;
}

// A real read as "%f" would read it; false when none is there or it is not
// a finite number.
bool ParseReal(const char** text, float* value) {
  char* end = nullptr;
  const float v = std::strtof(*text, &end);
  if (end == *text || !std::isfinite(v)) return false;
  *value = v;
  *text = end;
  return true;
}

float Clamp(float v, float lo, float hi) { return v < lo ? lo : v > hi ? hi : v; }

void ApplyLine(const std::string& line, DeckSettings* s) {
  for (const KeyInfo& k : kKeys) {
    const std::size_t n = std::strlen(k.key);
    // The key starts the line and is followed by ": ".
    if (line.compare(0, n, k.key) != 0 || line.compare(n, 2, ": ") != 0) continue;
    const char* value = line.c_str() + n + 2;
    switch (k.form) {
      case kInt: {
        long v;
        if (ParseInt(value, &v)) *Field<int32_t>(s, k) = static_cast<int32_t>(v);
        break;
      }
      case kSwitch: {
        long v;
        if (ParseInt(value, &v)) *Field<uint8_t>(s, k) = static_cast<uint8_t>(v & 0xFF);
        break;
      }
      case kReal: {
        float v;
        if (ParseReal(&value, &v)) *Field<float>(s, k) = Clamp(v, k.minimum, k.maximum);
        break;
      }
      case kColour: {
        float rgb[3];
        const char* p = value;
        if (ParseReal(&p, &rgb[0]) && ParseReal(&p, &rgb[1]) && ParseReal(&p, &rgb[2])) {
          float* out = Field<float>(s, k);
          for (int i = 0; i < 3; ++i) out[i] = Clamp(rgb[i], 0, 1);
        }
        break;
      }
      case kName: {
        const int index = CardsDecksFindElement(k.kind, value);
        if (index >= 0) *Field<int32_t>(s, k) = index;
        break;
      }
    }
    return;
  }
}

}  // namespace

DeckSettings& CardsDecksGetSettings() { return CardsDecksGetState().settings; }

void CardsDecksSetDefaultSettings(DeckSettings* settings) {
  if (settings) *settings = DeckSettings();
}

void CardsDecksParseSettingsText(const char* text, DeckSettings* settings) {
  if (!text || !settings) return;
  for (const std::string& line : DecksSplitLines(text, kMaxLine)) ApplyLine(line, settings);
}

int CardsDecksFormatSettingsText(const DeckSettings& settings, char* out, int size) {
  std::string text;
  char line[256];
  for (const KeyInfo& k : kKeys) {
    switch (k.form) {
      case kInt:
        std::snprintf(line, sizeof(line), "%s: %d", k.key, *Field<int32_t>(settings, k));
        break;
      case kSwitch:
        std::snprintf(line, sizeof(line), "%s: %d", k.key, *Field<uint8_t>(settings, k));
        break;
      case kReal:
        std::snprintf(line, sizeof(line), "%s: %.3f", k.key, static_cast<double>(*Field<float>(settings, k)));
        break;
      case kColour: {
        const float* c = Field<float>(settings, k);
        std::snprintf(line, sizeof(line), "%s: %.3f %.3f %.3f", k.key, static_cast<double>(c[0]),
                      static_cast<double>(c[1]), static_cast<double>(c[2]));
        break;
      }
      case kName:
        std::snprintf(line, sizeof(line), "%s: %s", k.key,
                      CardsDecksGetElementName(k.kind, *Field<int32_t>(settings, k)));
        break;
    }
    text += line;
    text += kLineEnd;
  }
  if (out && size > 0) std::snprintf(out, static_cast<std::size_t>(size), "%s", text.c_str());
  return static_cast<int>(text.size());
}

bool CardsDecksLoadDeckSettings(int deck) {
  const char* where = "CardsDecksLoadDeckSettings";
  CardsDecksState& st = CardsDecksGetState();
  CardsDecksSetDefaultSettings(&st.settings);
  if (!st.pathsSet) {
    DebugError(where, "Decks paths not setup");
    return false;
  }
  if (deck < 0 || deck >= CardsDecksGetNumDecks()) {
    DebugError(where, "Invalid deck num %d", deck);
    return false;
  }
  std::string file;
  if (deck < st.numStandard) {
    if (!EngFileDirectoryExists(st.settingsFolder.c_str())) {
      DebugError(where, "Settings path does not exist <%s>", st.settingsFolder.c_str());
      return false;
    }
    file = st.settingsFolder + "/" + st.decks[deck] + ".dat";
  } else {
    const char* folder = CardsDecksGetUserDecksDirectory(nullptr, false);
    if (!folder || !EngFileDirectoryExists(folder)) {
      DebugError(where, "Settings path does not exist <%s>", folder ? folder : "");
      return false;
    }
    file = std::string(folder) + "\\" + st.decks[deck] + "\\Settings.dat";
  }
  if (!EngFileExists(file.c_str())) {
    DebugError(where, "Settings file does not exist <%s>", file.c_str());
    return false;
  }
  std::string text;
  if (!DecksReadWholeFile(file.c_str(), &text)) {
    DebugError(where, "Could not open file <%s>", file.c_str());
    return false;
  }
  CardsDecksParseSettingsText(text.c_str(), &st.settings);
  return true;
}

bool CardsDecksSaveDeckSettings(int deck) {
  const char* where = "CardsDecksSaveDeckSettings";
  CardsDecksState& st = CardsDecksGetState();
  if (!st.pathsSet) {
    DebugError(where, "Decks paths not setup");
    return false;
  }
  if (deck < 0 || deck >= CardsDecksGetNumDecks()) {
    DebugError(where, "Invalid deck num %d", deck);
    return false;
  }
  if (deck < st.numStandard) {
    DebugError(where, "Cannot change standard deck (%d)", deck);
    return false;
  }
  const char* folder = CardsDecksGetUserDecksDirectory(nullptr, false);
  if (!folder || !EngFileDirectoryExists(folder)) {
    DebugError(where, "Settings path does not exist <%s>", folder ? folder : "");
    return false;
  }
  const std::string file = std::string(folder) + "\\" + st.decks[deck] + "\\Settings.dat";
  const int length = CardsDecksFormatSettingsText(st.settings, nullptr, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  CardsDecksFormatSettingsText(st.settings, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  if (!EngFileWriteReplacing(file.c_str(), text.data(), text.size())) {
    DebugError(where, "Could not create file <%s>", file.c_str());
    return false;
  }
  return true;
}
