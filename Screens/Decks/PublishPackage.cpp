// PublishPackage.cpp - the deck package a publish sends: fixed header
// blocks (names, the element choices, the generator settings), then one part
// per generator slot holding the player's own picture file, all little-endian;
// and its zlib compression (see Publish.h).
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngZlib.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksFiles.h"
#include "Screens/Decks/Publish.h"

namespace {

// Offsets of the header blocks.
constexpr int kOffPublisher = 0;
constexpr int kOffCountry = 144;
constexpr int kOffDeck = 272;
constexpr int kOffMarks = 304;
constexpr int kOffElements = 308;
constexpr int kOffGenerator = 372;

void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutI32(std::uint8_t* p, std::int32_t v) { PutU32(p, static_cast<std::uint32_t>(v)); }
void PutF32(std::uint8_t* p, float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  PutU32(p, bits);
}
void PutColour(std::uint8_t* p, const float* rgb) {
  for (int i = 0; i < 3; ++i) PutF32(p + 4 * i, rgb[i]);
}
// A text of at most max characters, the rest of its field zero.
void PutText(std::uint8_t* p, const char* text, std::size_t max) {
  const std::size_t n = text ? strnlen(text, max) : 0;
  std::memcpy(p, text ? text : "", n);
}

void PutElements(std::uint8_t* p, const DeckElementSettings& e) {
  const std::int32_t kinds[7] = {e.baseType,  e.suitsType,  e.ranksType, e.acesType,
                                 e.kingsType, e.queensType, e.jacksType};
  for (int i = 0; i < 7; ++i) PutI32(p + 4 * i, kinds[i]);
  const std::int32_t chosen[8] = {e.shape, e.base, e.suits, e.ranks, e.aces, e.kings, e.queens, e.jacks};
  for (int i = 0; i < 8; ++i) PutI32(p + 28 + 4 * i, chosen[i]);
  p[60] = e.acesHaveCenterPip;
}

void PutGenerator(std::uint8_t* p, const DeckGeneratorSettings& g) {
  p[0] = g.useBaseColour;
  PutColour(p + 4, g.baseColour);
  PutF32(p + 16, g.courtCardsWidth);
  PutF32(p + 20, g.courtCardsHeight);
  p[24] = g.courtCardsMirrored;
  p[25] = g.courtCardsTrans;
  p[26] = g.addPipsToCourtCards;
  p[27] = g.addSidePipsToCourtCards;
  PutF32(p + 28, g.courtPipsX);
  PutF32(p + 32, g.courtPipsY);
  PutF32(p + 36, g.courtPipsW);
  PutF32(p + 40, g.courtPipsH);
  PutI32(p + 44, g.numAcesPics);
  p[48] = g.addAcesCenterPip;
  PutColour(p + 52, g.heartsColour);
  PutColour(p + 64, g.diamondsColour);
  PutColour(p + 76, g.spadesColour);
  PutColour(p + 88, g.clubsColour);
  p[102] = g.suitsNoColours;
  p[103] = g.suitsTrans;
  PutI32(p + 104, g.ranksOn);
  PutF32(p + 108, g.rankX);
  PutF32(p + 112, g.rankY);
  PutF32(p + 116, g.rankW);
  PutF32(p + 120, g.rankH);
  p[124] = g.rankTrans;
  PutI32(p + 128, g.mainPipsOn);
  PutF32(p + 132, g.mainPipW);
  PutF32(p + 136, g.mainPipH);
  PutF32(p + 140, g.mainPipsW);
  PutF32(p + 144, g.mainPipsH);
  PutI32(p + 148, g.sidePipsOn);
  PutF32(p + 152, g.sidePipsX);
  PutF32(p + 156, g.sidePipsY);
  PutF32(p + 160, g.sidePipsW);
  PutF32(p + 164, g.sidePipsH);
}

}  // namespace

bool PublishIsPartSent(int slot) {
  const DeckElementSettings& e = CardsDecksGetSettings().elements;
  switch (slot) {
    case kGenSlotBase: return e.baseType == 1;
    case kGenSlotSuits: return e.suitsType == 1;
    case kGenSlotRanks: return e.ranksType == 1;
    case kGenSlotAces: return e.acesType > 0;
    case kGenSlotKings: return e.kingsType == 1;
    case kGenSlotQueens: return e.queensType == 1;
    case kGenSlotJacks: return e.jacksType == 1;
    default: return false;  // the shape, the back and the side are never sent
  }
}

long PublishGetPartSize(int slot) {
  const char* name = CardsGenerateGetElementFilename(slot, false);
  if (!name || !name[0]) return -1;
  EngFile file;
  if (!file.OpenForReadingIfExists(name, false)) return -1;
  return file.GetSize() + 3;
}

int PublishAddPartToData(int slot, std::uint8_t* package, long offset, long packageSize) {
  const char* where = "PublishAddPartToData";
  const long size = PublishGetPartSize(slot);
  if (size < 0 || !package) return -1;
  if (offset < 0 || offset + size > packageSize) {
    DebugError(where, "Internal error");
    return -1;
  }
  const std::string name = CardsGenerateGetElementFilename(slot, false);
  if (name.size() < 4) return -1;
  std::string bytes;
  if (!DecksReadWholeFile(name.c_str(), &bytes) || static_cast<long>(bytes.size()) + 3 != size) {
    DebugError(where, "Problem reading file");
    return -1;
  }
  std::memcpy(package + offset, name.data() + name.size() - 3, 3);
  std::memcpy(package + offset + 3, bytes.data(), bytes.size());
  return 1;
}

bool PublishBuildPackage(const char* publisher, const char* country, const char* deckName,
                         std::vector<std::uint8_t>* package, std::string* error) {
  long sizes[kPublishNumParts] = {};
  long total = kPublishHeaderSize + 4 * kPublishNumParts;
  for (int slot = 0; slot < kPublishNumParts; ++slot) {
    if (!PublishIsPartSent(slot)) continue;
    sizes[slot] = PublishGetPartSize(slot);
    if (sizes[slot] < 0) {
      *error = "Internal Error 01.";
      return false;
    }
    total += sizes[slot];
  }
  package->assign(static_cast<std::size_t>(total), 0);
  std::uint8_t* p = package->data();
  PutText(p + kOffPublisher, publisher, kPublishMaxNameLength);
  PutText(p + kOffCountry, country, 127);
  PutText(p + kOffDeck, deckName, kDecksMaxNameLength);
  p[kOffMarks] = p[kOffMarks + 1] = p[kOffMarks + 2] = 1;
  const DeckSettings& settings = CardsDecksGetSettings();
  PutElements(p + kOffElements, settings.elements);
  PutGenerator(p + kOffGenerator, settings.generator);
  long offset = kPublishHeaderSize;
  for (int slot = 0; slot < kPublishNumParts; ++slot) {
    PutU32(p + offset, static_cast<std::uint32_t>(sizes[slot]));
    offset += 4;
    if (sizes[slot] == 0) continue;
    if (PublishAddPartToData(slot, p, offset, total) != 1) {
      *error = "Internal Error 02.";
      package->clear();
      return false;
    }
    offset += sizes[slot];
  }
  if (offset != total) {
    *error = "Internal Error 03.";
    package->clear();
    return false;
  }
  return true;
}

bool PublishCompress(const std::vector<std::uint8_t>& package, std::vector<std::uint8_t>* out) {
  // Room for the worst case: pictures that are already compressed grow a
  // little in a zlib stream.
  unsigned long length = compressBound(static_cast<uLong>(package.size()));
  out->assign(length, 0);
  if (!EngZlibDeflateData(package.data(), package.size(), out->data(), &length, 9)) {
    out->clear();
    return false;
  }
  out->resize(length);
  return true;
}
