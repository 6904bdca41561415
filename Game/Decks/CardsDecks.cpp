// CardsDecks.cpp - the deck library's folders, element and deck lists, and
// the steps that turn a deck into generated pictures (see CardsDecks.h).
// The settings file itself is read and written in CardsDecksFile.cpp.
#include "Game/Decks/CardsDecks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Game/Decks/CardsDecksLocal.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksFiles.h"
#include "Game/GameImports.h"

namespace {

constexpr int kMaxPath = 412;
constexpr int kMaxGenPath = 405;

struct ElementKindInfo {
  const char* folder;
  const char* suffix;       // before the extension: "<name> Shape.tga"
  const char* defaultName;  // sorts first
};

constexpr ElementKindInfo kKinds[kDecksNumElementKinds] = {
    {"Element Shapes", " Shape", "Normal"}, {"Element Bases", " Base", "Plain"},
    {"Element Suits", " Suits", nullptr},   {"Element Ranks", " Ranks", nullptr},
    {"Element Aces", " Aces", "Use Suits"}, {"Element Courts", " Jacks", "None"},
};

CardsDecksState g_decks;

bool ValidFolderText(const std::string& text, int limit) {
  return !text.empty() && static_cast<int>(text.size()) < limit;
}

// The element list order: the kind's default name first, then (suits and
// ranks) names beginning "Type ", then byte order.
bool ElementBefore(int kind, const std::string& a, const std::string& b) {
  auto rank = [kind](const std::string& name) {
    const char* def = kKinds[kind].defaultName;
    if (def && name == def) return 0;
    if ((kind == kDeckElementSuits || kind == kDeckElementRanks) && name.rfind("Type ", 0) == 0) {
      return 1;
    }
    return 2;
  };
  const int ra = rank(a), rb = rank(b);
  if (ra != rb) return ra < rb;
  return a < b;
}

void ResetElementLists() {
  for (auto& list : g_decks.elements) list.clear();
  g_decks.elements[kDeckElementAces].push_back("Use Suits");
  g_decks.elements[kDeckElementCourts].push_back("None");
}

std::string ColourModePath() {
  return g_decks.genBase + (g_decks.fourColour ? "/4Cols" : "/2Cols");
}

}  // namespace

CardsDecksState& CardsDecksGetState() { return g_decks; }

void CardsDecksInit() {
  g_decks.pathsSet = false;
  g_decks.settingsFolder.clear();
  g_decks.elementsFolder.clear();
  g_decks.genBase.clear();
  g_decks.genPath.clear();
  g_decks.decks.clear();
  g_decks.numStandard = 0;
  g_decks.generatorDeck = -1;
  ResetElementLists();
  CardsDecksSetDefaultSettings(&g_decks.settings);
}

void CardsDecksResetForTests() {
  CardsDecksInit();
  g_decks.fourColour = false;
}

// ---- Folders ---------------------------------------------------------------------------

bool CardsDecksSetPaths(const char* settings, const char* elements, const char* custom,
                        const char* generated) {
  const char* where = "CardsDecksSetPaths";
  const std::string s = settings ? settings : "", e = elements ? elements : "";
  if (!ValidFolderText(s, kMaxPath)) {
    DebugError(where, "Invalid settings path");
    return false;
  }
  if (!EngFileDirectoryExists(s.c_str())) {
    DebugError(where, "Settings path does not exist <%s>", s.c_str());
    return false;
  }
  if (!ValidFolderText(e, kMaxPath)) {
    DebugError(where, "Invalid elements path");
    return false;
  }
  if (!EngFileDirectoryExists(e.c_str())) {
    DebugError(where, "Elements path does not exist <%s>", e.c_str());
    return false;
  }
  if (custom) {
    DebugError(where, "Custom decks path not implemented yet");
    return false;
  }
  if (!CardsDecksSetDeckGenPath(generated)) return false;
  g_decks.settingsFolder = s;
  g_decks.elementsFolder = e;
  g_decks.pathsSet = true;
  CardsDecksGetTypes();
  CardsDecksGetDecks();
  return true;
}

bool CardsDecksSetDeckGenPath(const char* folder) {
  const char* where = "CardsDecksSetDeckGenPath";
  const std::string f = folder ? folder : "";
  if (!ValidFolderText(f, kMaxGenPath)) {
    DebugError(where, "Invalid deck gen path");
    return false;
  }
  if (!EngFileDirectoryExists(f.c_str())) {
    DebugError(where, "Deck gen path does not exist <%s>", f.c_str());
    return false;
  }
  g_decks.genBase = f;
  for (const char* mode : {"/2Cols", "/4Cols"}) {
    const std::string sub = f + mode;
    if (!EngFileDirectoryExists(sub.c_str())) EngFileCreateDirectory(sub.c_str());
  }
  g_decks.genPath = ColourModePath();
  return true;
}

const char* CardsDecksGetDeckGenPath() {
  if (!g_decks.pathsSet) {
    DebugError("CardsDecksGetDeckGenPath", "Decks paths not setup");
    return "";
  }
  return g_decks.genPath.c_str();
}

void CardsDecksSetFourColor(bool fourColour) {
  if (fourColour == g_decks.fourColour) return;
  g_decks.fourColour = fourColour;
  if (g_decks.genPath.empty()) return;
  std::string path = g_decks.genPath;
  if (path.size() > 6 && (DecksEndsWithNoCase(path, "/4Cols") || DecksEndsWithNoCase(path, "/2Cols"))) {
    path.resize(path.size() - 6);
  }
  path += fourColour ? "/4Cols" : "/2Cols";
  if (static_cast<int>(path.size()) < kMaxGenPath) g_decks.genPath = path;
}

bool CardsDecksIsFourColor() { return g_decks.fourColour; }

bool CardsDecksIsValidDeckName(const char* name) {
  return name && EngFileIsSafeName(name) && std::strlen(name) <= kDecksMaxNameLength;
}

const char* CardsDecksGetUserDecksDirectory(const char* name, bool create) {
  const char* where = "CardsDecksGetUserDecksDirectory";
  static std::string buffer;
  const char* folder =
      g_GameImports.PrefFolderGetMyDocsSubSubFolder("Quarnix", "Card Decks", create);
  const std::string path = folder ? folder : "";
  // The documents layer falls back to a parent folder when it cannot make
  // the one asked for; decks (and their deletion) never go there.
  if (!DecksIsFolderAskedFor(path, "Quarnix/Card Decks")) {
    DebugError(where, "Invalid dir <%s>", path.c_str());
    return nullptr;
  }
  if (path.size() < 26 || path.size() >= kMaxPath) {
    DebugError(where, "Invalid dir <%s>", path.c_str());
    return nullptr;
  }
  buffer = path;
  if (name) {
    if (!CardsDecksIsValidDeckName(name)) {
      DebugError(where, "Invalid deck name <%s>", DebugForeignText(name).c_str());  // a folder's name, as found
      return nullptr;
    }
    buffer += "\\";
    buffer += name;
  }
  return buffer.c_str();
}

// ---- Lists -------------------------------------------------------------------------------

bool CardsDecksGetTypes() {
  const char* where = "CardsDecksGetTypes";
  ResetElementLists();
  if (!g_decks.pathsSet) {
    DebugError(where, "Decks paths not setup");
    return false;
  }
  if (!EngFileDirectoryExists(g_decks.elementsFolder.c_str())) {
    DebugError(where, "Elements path does not exist");
    return false;
  }
  bool ok = true;
  for (int kind = 0; kind < kDecksNumElementKinds; ++kind) {
    const std::string folder = g_decks.elementsFolder + "/" + kKinds[kind].folder;
    std::vector<std::string> files;
    if (!DecksListFolder(folder.c_str(), false, &files)) {
      DebugError(where, "Element paths does not exist <%s>", folder.c_str());
      ok = false;
      continue;
    }
    std::vector<std::string>& list = g_decks.elements[kind];
    for (const std::string& file : files) {
      if (file.size() < 5 || !(DecksEndsWithNoCase(file, ".jpg") || DecksEndsWithNoCase(file, ".tga"))) {
        continue;
      }
      if (DecksStartsWithNoCase(file, "Print")) continue;
      const std::string base = file.substr(0, file.size() - 4);
      if (!DecksEndsWithNoCase(base, kKinds[kind].suffix)) continue;
      const std::string stem = base.substr(0, base.size() - std::strlen(kKinds[kind].suffix));
      if (stem.empty() || stem.size() > kDecksMaxNameLength) continue;
      if (std::find(list.begin(), list.end(), stem) != list.end()) continue;
      if (static_cast<int>(list.size()) < kDecksMaxElements) list.push_back(stem);
    }
    if (list.empty()) {
      DebugError(where, "No standard elements found for type <%s>", kKinds[kind].folder);
      ok = false;
      continue;
    }
    std::stable_sort(list.begin(), list.end(),
                     [kind](const std::string& a, const std::string& b) { return ElementBefore(kind, a, b); });
  }
  return ok;
}

bool CardsDecksGetDecks() {
  const char* where = "CardsDecksGetDecks";
  g_decks.decks.clear();
  g_decks.numStandard = 0;
  if (!g_decks.pathsSet) {
    DebugError(where, "Decks paths not setup");
    return false;
  }
  std::vector<std::string> files;
  if (!DecksListFolder(g_decks.settingsFolder.c_str(), false, &files)) {
    DebugError(where, "Std decks paths does not exist");
    return false;
  }
  for (const std::string& file : files) {
    if (file.size() < 5 || file.size() > 35 || !DecksEndsWithNoCase(file, ".dat")) continue;
    if (static_cast<int>(g_decks.decks.size()) >= kDecksMaxDecks) break;
    std::string name = file.substr(0, file.size() - 4);
    if (name.size() > kDecksMaxNameLength) name.resize(kDecksMaxNameLength);
    g_decks.decks.push_back(name);
  }
  g_decks.numStandard = static_cast<int>(g_decks.decks.size());
  if (const char* user = CardsDecksGetUserDecksDirectory(nullptr, false)) {
    std::vector<std::string> folders;
    DecksListFolder(user, true, &folders);
    for (const std::string& name : folders) {
      if (static_cast<int>(g_decks.decks.size()) >= kDecksMaxDecks) break;
      if (CardsDecksIsValidDeckName(name.c_str())) g_decks.decks.push_back(name);
    }
  }
  if (g_decks.numStandard == 0) {
    DebugError(where, "No standard decks found");
    return false;
  }
  return true;
}

int CardsDecksGetNumDecks() { return static_cast<int>(g_decks.decks.size()); }
int CardsDecksGetNumStandardDecks() { return g_decks.numStandard; }

const char* CardsDecksGetDeckName(int deck) {
  if (deck < 0 || deck >= CardsDecksGetNumDecks()) return "???";
  return g_decks.decks[deck].c_str();
}

int CardsDecksGetElementCount(int kind) {
  if (kind < 0 || kind >= kDecksNumElementKinds) return 0;
  return static_cast<int>(g_decks.elements[kind].size());
}

const char* CardsDecksGetElementName(int kind, int index) {
  if (index < 0 || index >= CardsDecksGetElementCount(kind)) return "???";
  return g_decks.elements[kind][index].c_str();
}

const char* CardsDecksGetShapeName(int index) { return CardsDecksGetElementName(kDeckElementShapes, index); }
const char* CardsDecksGetBaseName(int index) { return CardsDecksGetElementName(kDeckElementBases, index); }
const char* CardsDecksGetSuitsName(int index) { return CardsDecksGetElementName(kDeckElementSuits, index); }
const char* CardsDecksGetRanksName(int index) { return CardsDecksGetElementName(kDeckElementRanks, index); }
const char* CardsDecksGetAcesName(int index) { return CardsDecksGetElementName(kDeckElementAces, index); }
const char* CardsDecksGetCourtsName(int index) { return CardsDecksGetElementName(kDeckElementCourts, index); }

int CardsDecksFindElement(int kind, const char* name) {
  if (!name || !name[0] || kind < 0 || kind >= kDecksNumElementKinds) return -1;
  const auto& list = g_decks.elements[kind];
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] == name) return static_cast<int>(i);
  return -1;
}

// ---- Generating ------------------------------------------------------------------------------

bool CardsDecksUpdateGeneratedPathForDeck(int deck) {
  g_decks.generatorDeck = deck;
  if (!CardsGenerateSetGeneratedCardsPath(g_decks.genPath.c_str(), CardsDecksGetDeckName(deck), true,
                                          true)) {
    DebugError("CardsDecksUpdateGeneratedPathForDeck", "Could not set generate path");
    return false;
  }
  return true;
}

bool CardsDecksSetTextureSizeForQuality(int quality, int printMode) {
  if (printMode != 0) return CardsGenerateSetCardTextureSize(1024, 0, printMode - 1);
  switch (quality) {
    case 3:
      return CardsGenerateSetCardTextureSize(512, 1, 1);
    case 2:
      return CardsGenerateSetCardTextureSize(512, 1, 0);
    case 1:
      return CardsGenerateSetCardTextureSize(256, 1, 0);
    default:
      return CardsGenerateSetCardTextureSize(128, 1, 0);
  }
}

void CardsDecksDeriveAcesSettings(DeckSettings* s) {
  DeckGeneratorSettings& g = s->generator;
  const DeckElementSettings& e = s->elements;
  g.addAcesCenterPip = e.acesHaveCenterPip;
  g.numAcesPics = 0;
  if (e.acesType != 0) {
    g.numAcesPics = e.acesType == 1 ? 1 : 4;
    return;
  }
  const std::string name = CardsDecksGetAcesName(e.aces);
  if (name == "Use Suits") {
    g.addAcesCenterPip = 1;
  } else if (name == "Indonesian 1" || name == "English 2") {
    g.numAcesPics = 1;
    g.addAcesCenterPip = 0;
  } else if (name == "Indonesian 2" || name == "Polish") {
    g.numAcesPics = 4;
    g.addAcesCenterPip = 0;
  }
}

bool CardsDecksSetupDeckElements(int deck, int printMode) {
  DeckSettings& s = g_decks.settings;
  CardsDecksDeriveAcesSettings(&s);
  CardsGenerateSetSettings(&s.generator);
  const DeckElementSettings& e = s.elements;
  if (deck >= g_decks.numStandard) {
    const char* folder = CardsDecksGetUserDecksDirectory(CardsDecksGetDeckName(deck), false);
    if (!folder || CardsGenerateSetFrontElementsPath(folder) < 0) return false;
  }
  const std::string root = g_decks.elementsFolder + "/";
  auto set = [&root](int slot, const char* kindFolder, const std::string& name) {
    CardsGenerateSetElementPathAndFilename(slot, (root + kindFolder).c_str(), name.c_str());
  };
  set(kGenSlotShape, "Element Shapes",
      printMode ? std::string("Print Shape") : std::string(CardsDecksGetShapeName(e.shape)) + " Shape");
  if (e.baseType == 0) {
    const std::string base = printMode == 2   ? "Print2 Base"
                             : printMode == 1 ? "Print Base"
                                              : std::string(CardsDecksGetBaseName(e.base)) + " Base";
    set(kGenSlotBase, "Element Bases", base);
  }
  if (e.suitsType == 0) set(kGenSlotSuits, "Element Suits", std::string(CardsDecksGetSuitsName(e.suits)) + " Suits");
  if (e.ranksType == 0) set(kGenSlotRanks, "Element Ranks", std::string(CardsDecksGetRanksName(e.ranks)) + " Ranks");
  if (e.acesType == 0) {
    if (e.aces >= 1) {
      set(kGenSlotAces, "Element Aces", std::string(CardsDecksGetAcesName(e.aces)) + " Aces");
    } else {
      CardsGenerateSetElementPathAndFilename(kGenSlotAces, nullptr, nullptr);
    }
  }
  const struct {
    int32_t type, index;
    int slot;
    const char* suffix;
  } courts[3] = {{e.jacksType, e.jacks, kGenSlotJacks, " Jacks"},
                 {e.queensType, e.queens, kGenSlotQueens, " Queens"},
                 {e.kingsType, e.kings, kGenSlotKings, " Kings"}};
  for (const auto& c : courts) {
    if (c.type != 0) continue;
    if (c.index >= 1) {
      set(c.slot, "Element Courts", std::string(CardsDecksGetCourtsName(c.index)) + c.suffix);
    } else {
      CardsGenerateSetElementPathAndFilename(c.slot, nullptr, nullptr);
    }
  }
  return true;
}

bool CardsDecksGenerateDeckIfNeeded(int deck, int printMode, bool onlyAsk) {
  if (deck < 0 || deck >= CardsDecksGetNumDecks()) return false;
  if (!CardsDecksLoadDeckSettings(deck) || !CardsDecksSetupDeckElements(deck, printMode)) return false;
  if (!CardsDecksUpdateGeneratedPathForDeck(deck)) return onlyAsk;
  if (!CardsGenerateIsGenerationNeeded()) return false;
  if (onlyAsk) return true;
  return CardsGenerateAllCards() >= 0;
}

void CardsDecksUpdateCardBacksAndSidesForAllDecksWithCurrentDecksCardBack(int currentDeck) {
  const char* where = "CardsDecksUpdateCardBacksAndSidesForAllDecksWithCurrentDecksCardBack";
  if (currentDeck < 0 || currentDeck >= CardsDecksGetNumDecks()) {
    DebugError(where, "Deck not set");
    return;
  }
  const bool keptMode = g_decks.fourColour;
  const std::string currentName = CardsDecksGetDeckName(currentDeck);
  for (const char* picture : {"/ba.tga", "/ds.tga"}) {
    const std::string source = g_decks.genPath + "/" + currentName + picture;
    if (!EngFileExists(source.c_str())) {
      DebugError(where, picture[2] == 'a' ? "Deck back does not exist <%s>" : "Deck side does not exist <%s>",
                 source.c_str());
      break;
    }
    // Read once, written into every other deck that has the picture, in
    // both colour modes.
    std::string bytes;
    if (!DecksReadWholeFile(source.c_str(), &bytes)) break;
    for (const char* mode : {"/2Cols/", "/4Cols/"}) {
      for (int deck = 0; deck < CardsDecksGetNumDecks(); ++deck) {
        const std::string target = g_decks.genBase + mode + CardsDecksGetDeckName(deck) + picture;
        if (target == source || !EngFileExists(target.c_str())) continue;
        EngFileWriteReplacing(target.c_str(), bytes.data(), bytes.size());
      }
    }
  }
  g_decks.fourColour = keptMode;
  g_decks.genPath = ColourModePath();
  CardsDecksUpdateGeneratedPathForDeck(currentDeck);
}
