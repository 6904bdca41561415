// CardsGenerate.cpp - the card-face generator: its settings, element slots,
// output folder, the completeness test, deleting, and the pixel helpers
// (see CardsGenerate.h). Loading the elements is CardsGeneratePrepare.cpp,
// painting a card CardsGeneratePaint.cpp.
#include "Game/Decks/CardsGenerate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "Game/CardsRender.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerateLocal.h"

namespace {

CardsGenerateState g_gen;

// Lower case first; a picture the player chose may carry its extension in
// capitals ("Photo.JPG").
const char* const kExtensions[] = {".tga", ".jpg", ".bmp", ".TGA", ".JPG", ".BMP"};
const char* const kFrontNames[8] = {"Shape", "Base", "Suits", "Ranks", "Aces", "Kings", "Queens", "Jacks"};

bool ValidSlot(const char* where, int slot) {
  if (slot >= 0 && slot < kGenNumSlots) return true;
  DebugError(where, "Invalid element num %d", slot);
  return false;
}

// The picture names of the 54 generated files ("ah" .. "kc", "ba", "ds").
std::vector<std::string> GeneratedNames() {
  std::vector<std::string> names;
  char name[3];
  for (int suit = 0; suit < 4; ++suit) {
    for (int rank = 1; rank <= 13; ++rank) {
      CardsGetCardFacePicName(suit, rank, name);
      names.emplace_back(name);
    }
  }
  names.emplace_back("ba");
  names.emplace_back("ds");
  return names;
}

}  // namespace

CardsGenerateState& CardsGenerateGetState() { return g_gen; }

void CardsGenerateInit() {
  for (GeneratorElement& slot : g_gen.slots) {
    slot.path.clear();
    slot.image.Release();
    slot.loaded = false;
    slot.fromTga = false;
  }
  g_gen.initialised = true;
}

void CardsGenerateForgetInitForTests() { g_gen.initialised = false; }

void CardsGenerateResetForTests() {
  CardsGenerateFreeAll();
  CardsGenerateInit();
  g_gen.canvas = 256;
  g_gen.halving = 1;
  g_gen.blur = 0;
  g_gen.output.clear();
  g_gen.outputSet = false;
  g_gen.use = false;
  g_gen.force = false;
  g_gen.settings = DeckGeneratorSettings();
  g_gen.lastCanvas.Release();
}

bool CardsGenerateSetCardTextureSize(int size, int halvingSteps, int blurPasses) {
  static const int kSizes[] = {32, 64, 128, 256, 512, 1024};
  if (std::find(std::begin(kSizes), std::end(kSizes), size) == std::end(kSizes)) {
    DebugError("CardsGenerateSetCardTextureSize", "Size not ok (%d)", size);
    return false;
  }
  g_gen.canvas = size;
  g_gen.halving = std::clamp(halvingSteps, 0, 2);
  g_gen.blur = std::max(0, blurPasses);
  return true;
}

int CardsGenerateGetCanvasSize() { return g_gen.canvas; }
int CardsGenerateGetSavedSize() { return g_gen.canvas >> g_gen.halving; }

bool CardsGenerateSetGeneratedCardsPath(const char* base, const char* name, bool create, bool use) {
  const char* where = "CardsGenerateSetGeneratedCardsPath";
  if (!base || !name || std::strlen(base) + std::strlen(name) >= 493) {
    DebugError(where, "Invalid Path");
    return false;
  }
  const std::string folder = std::string(base[0] ? base : ".") + "\\" + name;
  if (!EngFileDirectoryExists(folder.c_str())) {
    if (!create) {
      DebugError(where, "Directory not found <%s>", folder.c_str());
      return false;
    }
    if (!EngFileCreateDirectory(folder.c_str())) {
      DebugError(where, "Could create directory <%s>", folder.c_str());
      return false;
    }
  }
  g_gen.output = folder;
  g_gen.outputSet = true;
  g_gen.use = use;
  return true;
}

const char* CardsGenerateGetGeneratedCardsPath() { return g_gen.outputSet ? g_gen.output.c_str() : ""; }
bool CardsGenerateIsUseSet() { return g_gen.outputSet && g_gen.use; }

void CardsGenerateSetSettings(const DeckGeneratorSettings* settings) {
  g_gen.settings = settings ? *settings : DeckGeneratorSettings();
}

const DeckGeneratorSettings& CardsGenerateGetSettings() { return g_gen.settings; }

// The slot's picture file with its extension; empty when none exists.
std::string CardsGenerateFindFile(const std::string& path) {
  for (const char* ext : kExtensions) {
    const std::string file = path + ext;
    if (EngFileExists(file.c_str())) return file;
  }
  return std::string();
}

bool CardsGenerateSetElementPathAndFilename(int slot, const char* folder, const char* name) {
  const char* where = "CardsGenerateSetElementPathAndFilename";
  if (!ValidSlot(where, slot)) return false;
  GeneratorElement& e = g_gen.slots[slot];
  if (!folder && !name) {
    e.path.clear();
    return true;
  }
  const std::string path = std::string(folder ? folder : "") + "\\" + (name ? name : "");
  if (!name || !name[0] || path.size() >= 502) {
    DebugError(where, "Invalid path/filename for element %d", slot);
    e.path.clear();
    return false;
  }
  if (CardsGenerateFindFile(path).empty()) {
    DebugError(where, "Element %d does not exist <%s>", slot, path.c_str());
    e.path.clear();
    return false;
  }
  e.path = path;
  return true;
}

bool CardsGenerateSetElementFilename(int slot, const char* fullName) {
  const char* where = "CardsGenerateSetElementFilename";
  if (!ValidSlot(where, slot)) return false;
  GeneratorElement& e = g_gen.slots[slot];
  if (!fullName) {
    e.path.clear();
    return true;
  }
  if (!fullName[0] || std::strlen(fullName) >= 503) {
    DebugError(where, "Invalid filename for element %d", slot);
    e.path.clear();
    return false;
  }
  if (CardsGenerateFindFile(fullName).empty()) {
    DebugError(where, "Element %d does not exist <%s>", slot, fullName);
    e.path.clear();
    return false;
  }
  e.path = fullName;
  return true;
}

int CardsGenerateSetFrontElementsPath(const char* deckFolder) {
  const char* where = "CardsGenerateSetFrontElementsPath";
  for (int slot = 0; slot < 8; ++slot) g_gen.slots[slot].path.clear();
  if (!deckFolder || !deckFolder[0] || std::strlen(deckFolder) >= 503) {
    DebugError(where, "Invalid Path");
    return -1;
  }
  if (!EngFileDirectoryExists(deckFolder)) {
    DebugError(where, "Directory not found <%s>", deckFolder);
    return -1;
  }
  int result = 1;
  for (int slot = 0; slot < 8; ++slot) {
    const std::string path = std::string(deckFolder) + "\\" + kFrontNames[slot];
    if (CardsGenerateFindFile(path).empty()) {
      result = 0;
    } else {
      g_gen.slots[slot].path = path;
    }
  }
  return result;
}

const char* CardsGenerateGetElementFilename(int slot, bool report) {
  static std::string file;
  if (!ValidSlot("CardsGenerateGetElementFilename", slot)) return nullptr;
  const GeneratorElement& e = g_gen.slots[slot];
  if (e.path.empty()) {
    if (report) DebugError("CardsGenerateGetElementFilename", "Element %d - no filename", slot);
    return nullptr;
  }
  file = CardsGenerateFindFile(e.path);
  if (file.empty()) {
    if (report) DebugError("CardsGenerateGetElementFilename", "Part %d : file not found <%s>", slot, e.path.c_str());
    return nullptr;
  }
  return file.c_str();
}

bool CardsGenerateCheckElementFileExists(int slot, bool report) {
  if (slot == kGenSlotAces && g_gen.settings.numAcesPics == 0) return true;
  return CardsGenerateGetElementFilename(slot, report) != nullptr;
}

bool CardsGenerateLoadElementTexture(int slot, EngTexture* texture, const char** nameOnly) {
  const char* where = "CardsGenerateLoadElementTexture";
  if ((texture != nullptr) == (nameOnly != nullptr)) {
    DebugError(where, "Parameters Error");
    return false;
  }
  const bool optional = slot >= kGenSlotKings && slot <= kGenSlotJacks;
  const char* file = CardsGenerateGetElementFilename(slot, !optional);
  if (nameOnly) {
    *nameOnly = file ? file : "";
    return file != nullptr || optional;
  }
  texture->Release();
  if (!file) return optional;
  return texture->LoadFromFile(file, 1, 7);
}

void CardsGenerateForceRegeneration() { g_gen.force = true; }

bool CardsGenerateIsGenerationNeeded() {
  if (g_gen.force) return true;
  if (!g_gen.outputSet) return true;
  char name[3];
  std::string last;
  for (int suit = 0; suit < 4; ++suit) {
    for (int rank = 1; rank <= 13; ++rank) {
      CardsGetCardFacePicName(suit, rank, name);
      last = g_gen.output + "/" + name + ".tga";
      if (!EngFileExists(last.c_str())) return true;
    }
  }
  // The back and the deck side belong to a complete deck too: without them
  // no game could ever load its cards.
  for (const char* other : {"ba", "ds"}) {
    if (!EngFileExists((g_gen.output + "/" + other + ".tga").c_str())) return true;
  }
  EngTga king;
  if (!king.LoadFromFile(last.c_str())) return true;
  const int saved = CardsGenerateGetSavedSize();
  return king.GetWidth() != saved || king.GetHeight() != saved;
}

int CardsGenerateAllCards() {
  if (CardsGeneratePrepareForGenerating() < 0) {
    CardsGenerateFreeAll();
    return -1;
  }
  int result = 1;
  for (int suit = 0; suit < 4; ++suit) {
    for (int rank = 1; rank <= 13; ++rank) {
      if (!CardsGenerateASingleCard(suit, rank)) result = 0;
    }
  }
  if (!CardsGenerateASingleCard(0, 0)) result = 0;
  if (!CardsGenerateASingleCard(0, -1)) result = 0;
  CardsGenerateFreeAll();
  g_gen.force = false;
  return result;
}

void CardsGenerateFreeAll() {
  for (GeneratorElement& slot : g_gen.slots) {
    slot.image.Release();
    slot.loaded = false;
  }
  for (int s = 0; s < 4; ++s) {
    g_gen.tintedSuits[s].Release();
    g_gen.tintedRanks[s].Release();
  }
}

bool CardsGenerateDeleteGeneratedCardsIn(const char* folder) {
  if (!folder || !folder[0] || !EngFileDirectoryExists(folder)) return false;
  // Only the pictures the generator makes: anything else the player keeps
  // there stays, and so does the folder then.
  for (const std::string& name : GeneratedNames()) {
    const std::string file = std::string(folder) + "/" + name + ".tga";
    if (EngFileExists(file.c_str())) EngFileDelete(file.c_str());
  }
  EngFileDeleteDirectory(folder);
  return true;
}

bool CardsGenerateDeleteGeneratedCards() {
  if (!g_gen.outputSet) return false;
  return CardsGenerateDeleteGeneratedCardsIn(g_gen.output.c_str());
}

// ---- Pixel helpers -------------------------------------------------------------------------

uint32_t CardsGenerateTintPixel(uint32_t argb, const float* colour) {
  const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  const uint32_t m = std::min({r, g, b});
  uint32_t out[3];
  for (int i = 0; i < 3; ++i) {
    const uint32_t c = std::min<uint32_t>(static_cast<uint32_t>(colour[i] * 255.0f), 255);
    out[i] = 255 - (255 - m) * (255 - c) / 255;
  }
  return (argb & 0xFF000000u) | (out[0] << 16) | (out[1] << 8) | out[2];
}

bool CardsGenerateApplyBlurToData(EngTga* image, int passes) {
  const char* where = "CardsGenerateApplyBlurToData";
  if (!image || !image->HasData()) {
    DebugError(where, "Invalid data");
    return false;
  }
  const int w = image->GetWidth(), h = image->GetHeight();
  if (w != h || w <= 32) {
    DebugError(where, "Invalid data dimensions");
    return false;
  }
  if (w > 2048 || (w & (w - 1)) != 0) {
    DebugError(where, "Invalid data dimensions (2)");
    return false;
  }
  std::vector<uint32_t> source(image->GetData(), image->GetData() + static_cast<std::size_t>(w) * h);
  // Weights in quarters: centre 4, edges 2, diagonals 1.
  static const int kWeights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
  for (int pass = 0; pass < passes; ++pass) {
    uint32_t* out = image->GetData();
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        int sum[4] = {0, 0, 0, 0};
        int weight = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          const int yy = y + dy;
          if (yy < 0 || yy >= h) continue;
          for (int dx = -1; dx <= 1; ++dx) {
            const int xx = x + dx;
            if (xx < 0 || xx >= w) continue;
            const int k = kWeights[dy + 1][dx + 1];
            const uint32_t p = source[static_cast<std::size_t>(yy) * w + xx];
            for (int c = 0; c < 4; ++c) sum[c] += k * static_cast<int>((p >> (8 * c)) & 0xFF);
            weight += k;
          }
        }
        uint32_t pixel = 0;
        for (int c = 0; c < 4; ++c) {
          const int v = std::min(255, (2 * sum[c] + weight) / (2 * weight));
          pixel |= static_cast<uint32_t>(v) << (8 * c);
        }
        out[static_cast<std::size_t>(y) * w + x] = pixel;
      }
    }
    std::copy(out, out + static_cast<std::size_t>(w) * h, source.begin());
  }
  return true;
}

const EngTga* CardsGenerateGetLastCanvasForTests() { return &g_gen.lastCanvas; }
