// CardsGeneratePrepare.cpp - loading the element pictures for a generation:
// decoding on the CPU, alpha made from brightness where the file carries
// none, the cell tables, and the suit and rank pictures tinted per suit
// (see CardsGenerate.h).
#include <algorithm>
#include <cstring>
#include <string>

#include "Engine/Debug.h"
#include "Game/Decks/CardsGenerateLocal.h"
#include "Platform/Image.h"

namespace {

bool IsCourtOrOverlay(int slot) {
  return slot == kGenSlotKings || slot == kGenSlotQueens || slot == kGenSlotJacks ||
         slot == kGenSlotBackOverlay;
}

// A decoded picture (top row first) into a 32-bit image (bottom row first).
// With makeAlpha the alpha comes from brightness: the brightest channel for
// the shape, the inverted darkest channel for every other element, so that
// dark strokes are opaque and white is clear.
bool ToImage(const PlatformImage& picture, bool makeAlpha, bool shape, EngTga* image) {
  image->Release();
  if (!image->Create(picture.width, picture.height, 32)) return false;
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* source = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
    uint32_t* row = image->RowFromTop(y);
    if (!makeAlpha) {
      std::memcpy(row, source, static_cast<std::size_t>(picture.width) * sizeof(uint32_t));
      continue;
    }
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t p = source[x];
      const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      const uint32_t a = shape ? std::max({r, g, b}) : 255 - std::min({r, g, b});
      row[x] = (p & 0x00FFFFFFu) | (a << 24);
    }
  }
  return true;
}

bool CopyImage(const EngTga& source, EngTga* copy) {
  copy->Release();
  if (!copy->Create(source.GetWidth(), source.GetHeight(), 32)) return false;
  std::memcpy(copy->GetData(), source.GetData(), source.GetDataSize());
  return true;
}

void Tint(EngTga* image, const float* colour) {
  uint32_t* data = image->GetData();
  const std::size_t n = static_cast<std::size_t>(image->GetWidth()) * image->GetHeight();
  for (std::size_t i = 0; i < n; ++i) data[i] = CardsGenerateTintPixel(data[i], colour);
}

// The base tinted by the base colour: each channel = colour x the pixel's
// darkest channel.
void ColourBase(EngTga* image, const float* colour) {
  uint32_t* data = image->GetData();
  const std::size_t n = static_cast<std::size_t>(image->GetWidth()) * image->GetHeight();
  for (std::size_t i = 0; i < n; ++i) {
    const uint32_t p = data[i];
    const uint32_t m = std::min({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF});
    uint32_t rgb[3];
    for (int c = 0; c < 3; ++c) rgb[c] = std::min<uint32_t>(static_cast<uint32_t>(colour[c] * m), 255);
    data[i] = (p & 0xFF000000u) | (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
  }
}

bool SetupSuitAndRankDatas(CardsGenerateState& g) {
  if (!g.slots[kGenSlotSuits].loaded || !g.slots[kGenSlotRanks].loaded) {
    DebugError("CardsGenerateSetupSuitAndRankDatas", "Elements not ok");
    return false;
  }
  const DeckGeneratorSettings& s = g.settings;
  const bool four = CardsDecksIsFourColor();
  const float* colours[4] = {s.heartsColour, s.spadesColour, four ? s.diamondsColour : s.heartsColour,
                             four ? s.clubsColour : s.spadesColour};
  for (int suit = 0; suit < 4; ++suit) {
    if (!CopyImage(g.slots[kGenSlotSuits].image, &g.tintedSuits[suit]) ||
        !CopyImage(g.slots[kGenSlotRanks].image, &g.tintedRanks[suit])) {
      return false;
    }
    if (!s.suitsNoColours) Tint(&g.tintedSuits[suit], colours[suit]);
    Tint(&g.tintedRanks[suit], colours[suit]);
  }
  return true;
}

}  // namespace

bool CardsGenerateLoadElementPart(int slot) {
  CardsGenerateState& g = CardsGenerateGetState();
  if (slot < 0 || slot >= kGenNumSlots) return false;
  GeneratorElement& e = g.slots[slot];
  e.image.Release();
  e.loaded = false;
  e.fromTga = false;
  const std::string file = CardsGenerateFindFile(e.path);
  if (e.path.empty() || file.empty()) {
    DebugError("CardsGenerateLoadElementPart", "Could not load element %d <%s>", slot, e.path.c_str());
    return false;
  }
  PlatformImage picture;
  std::string error;
  if (!PlatformImageLoadFile(file.c_str(), &picture, &error)) {
    DebugError("CardsGenerateLoadElementPart", "Could not load element <%d> <%s> (%s)", slot,
               file.c_str(), error.c_str());
    return false;
  }
  const bool tga = picture.format == PlatformImageFormat::kTga;
  if (!ToImage(picture, !tga, slot == kGenSlotShape, &e.image)) {
    DebugError("CardsGenerateLoadElementPart", "Could not create tga data <%s>", file.c_str());
    return false;
  }
  e.fromTga = tga;
  e.loaded = true;
  e.cellWidth = e.image.GetWidth();
  e.cellHeight = e.image.GetHeight();
  return true;
}

int CardsGeneratePrepareForGenerating() {
  CardsGenerateState& g = CardsGenerateGetState();
  const char* where = "CardsGeneratePrepareForGenerating";
  if (!g.initialised) {
    DebugError(where, "Error - Call CardsInit() first");
    return -1;
  }
  int result = 1;
  for (int slot = 0; slot < kGenNumSlots; ++slot) {
    GeneratorElement& e = g.slots[slot];
    e.image.Release();
    e.loaded = false;
    if (slot == kGenSlotAces && g.settings.numAcesPics == 0) continue;
    if (IsCourtOrOverlay(slot) && e.path.empty()) continue;
    if (e.path.empty()) {
      DebugError(where, "Invalid filename in element %d", slot);
    } else if (CardsGenerateLoadElementPart(slot)) {
      continue;
    }
    if (IsCourtOrOverlay(slot)) continue;
    // A required element that cannot be had is drawn as nothing at all, so
    // the deck still gets every picture.
    DebugError(where, "Could not create element part %d - creating empty data", slot);
    if (!e.image.CreateWithColour(g.canvas, g.canvas, 32, 1, 1, 1, 0)) {
      DebugError(where, "Could not create empty tga data (part %d)", slot);
      result = 0;
      continue;
    }
    e.loaded = true;
    e.fromTga = true;
    e.cellWidth = e.cellHeight = g.canvas;
  }
  // Cells: suits, four aces and the courts 2 x 2, ranks 4 x 4.
  for (int slot : {static_cast<int>(kGenSlotSuits), static_cast<int>(kGenSlotKings),
                   static_cast<int>(kGenSlotQueens), static_cast<int>(kGenSlotJacks)}) {
    g.slots[slot].cellWidth /= 2;
    g.slots[slot].cellHeight /= 2;
  }
  if (g.settings.numAcesPics == 4) {
    g.slots[kGenSlotAces].cellWidth /= 2;
    g.slots[kGenSlotAces].cellHeight /= 2;
  }
  g.slots[kGenSlotRanks].cellWidth /= 4;
  g.slots[kGenSlotRanks].cellHeight /= 4;
  static constexpr int kSuitCells[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (int suit = 0; suit < 4; ++suit) {
    g.suitCell[suit][0] = kSuitCells[suit][0];
    g.suitCell[suit][1] = kSuitCells[suit][1];
  }
  for (int rank = 1; rank <= 13; ++rank) {
    const int index = rank == 1 ? 12 : rank - 2;  // 2-5, 6-9, 10-K, then the ace
    g.rankCell[rank][0] = index % 4;
    g.rankCell[rank][1] = index / 4;
  }
  if (!SetupSuitAndRankDatas(g)) return -1;
  if (g.settings.useBaseColour && g.slots[kGenSlotBase].loaded) {
    ColourBase(&g.slots[kGenSlotBase].image, g.settings.baseColour);
  }
  return result;
}
