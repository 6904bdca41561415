// CardsGeneratePaint.cpp - painting one card: outline, base, court or ace
// picture, centre pips, side pips and corner ranks on an S x S canvas, then
// halved, blurred and saved (see CardsGenerate.h).
//
// Positions are fractions of the canvas (x across, y down as the card is
// seen). A "turned" element is drawn mirrored in both directions, a half
// turn, for the lower half of a double-ended card.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngMath.h"
#include "Game/CardsRender.h"
#include "Game/Decks/CardsGenerateLocal.h"

namespace {

struct Pip {
  float x, y;
  bool turned;
};

// Centre pips of ranks 1-10 (jack, queen and king have none).
const std::vector<Pip>& CentrePips(int rank) {
  static const std::vector<Pip> kPips[11] = {
      {},
      {{0.5f, 0.5f, false}},
      {{0.5f, 0.29f, false}, {0.5f, 0.71f, true}},
      {{0.5f, 0.2f, false}, {0.5f, 0.5f, false}, {0.5f, 0.8f, true}},
      {{0.28f, 0.2f, false}, {0.72f, 0.2f, false}, {0.28f, 0.8f, true}, {0.72f, 0.8f, true}},
      {{0.28f, 0.2f, false}, {0.72f, 0.2f, false}, {0.5f, 0.5f, false}, {0.28f, 0.8f, true},
       {0.72f, 0.8f, true}},
      {{0.28f, 0.2f, false}, {0.72f, 0.2f, false}, {0.28f, 0.5f, false}, {0.72f, 0.5f, false},
       {0.28f, 0.8f, true}, {0.72f, 0.8f, true}},
      {{0.28f, 0.2f, false}, {0.72f, 0.2f, false}, {0.28f, 0.5f, false}, {0.72f, 0.5f, false},
       {0.28f, 0.8f, true}, {0.72f, 0.8f, true}, {0.5f, 0.35f, false}},
      {{0.28f, 0.2f, false}, {0.72f, 0.2f, false}, {0.28f, 0.5f, false}, {0.72f, 0.5f, false},
       {0.28f, 0.8f, true}, {0.72f, 0.8f, true}, {0.5f, 0.35f, false}, {0.5f, 0.65f, true}},
      {{0.28f, 0.18f, false}, {0.72f, 0.18f, false}, {0.28f, 0.4f, false}, {0.72f, 0.4f, false},
       {0.5f, 0.5f, false}, {0.28f, 0.6f, true}, {0.72f, 0.6f, true}, {0.28f, 0.82f, true},
       {0.72f, 0.82f, true}},
      {{0.28f, 0.18f, false}, {0.72f, 0.18f, false}, {0.5f, 0.29f, false}, {0.28f, 0.4f, false},
       {0.72f, 0.4f, false}, {0.28f, 0.6f, true}, {0.72f, 0.6f, true}, {0.5f, 0.71f, true},
       {0.28f, 0.82f, true}, {0.72f, 0.82f, true}},
  };
  return kPips[rank >= 1 && rank <= 10 ? rank : 0];
}

constexpr Pip kCornerRanks[2] = {{0.1f, 0.12f, false}, {0.9f, 0.88f, true}};
constexpr Pip kSidePips[2] = {{0.1f, 0.27f, false}, {0.9f, 0.73f, true}};
constexpr Pip kCourtPips[2] = {{0.28f, 0.17f, false}, {0.72f, 0.83f, true}};

int TransMode(int setting, bool fromTga) {
  if (fromTga) return 8;
  return setting == 0 ? 5 : setting == 1 ? 4 : 1;
}

// Draws a cell of an element into a box of the canvas. The box is kept
// inside the canvas (moved back from the right and lower edges, negative
// positions to 0); a turned cell is read mirrored in both directions.
void DrawCell(EngTga* canvas, const EngTga& source, int cellX, int cellY, int cellW, int cellH,
              int left, int top, int w, int h, bool turned, int mode) {
  const int side = canvas->GetWidth();
  w = std::min(w, side);
  h = std::min(h, side);
  if (w < 1 || h < 1 || cellW < 1 || cellH < 1) return;
  if (left + w > side) left = side - w;
  if (top + h > side) top = side - h;
  left = std::max(left, 0);
  top = std::max(top, 0);
  // A mirrored read takes its rectangle from the opposite side: ask for the
  // one that lands on this cell.
  const int sx = turned ? source.GetWidth() - cellX - cellW : cellX;
  const int sy = turned ? source.GetHeight() - cellY - cellH : cellY;
  canvas->FillFromOtherTga(sx, sy, cellW, cellH, &source, left, top, w, h, turned, turned, mode, false);
}

struct Painter {
  CardsGenerateState& g;
  const DeckGeneratorSettings& s;
  EngTga& canvas;
  int suit;
  int rank;
  float S, mx, my, iw, ih;

  // The suit's cell of the tinted suits picture.
  void SuitCell(int left, int top, int w, int h, bool turned) {
    const GeneratorElement& e = g.slots[kGenSlotSuits];
    DrawCell(&canvas, g.tintedSuits[suit], g.suitCell[suit][0] * e.cellWidth,
             g.suitCell[suit][1] * e.cellHeight, e.cellWidth, e.cellHeight, left, top, w, h, turned,
             TransMode(s.suitsTrans, e.fromTga));
  }

  // The corner rank box and the side pip box of an entry (d: +1 upright,
  // -1 turned).
  void RankBox(const Pip& p, int* left, int* top, int* w, int* h) {
    const int d = p.turned ? -1 : 1;
    *w = static_cast<int>(s.rankW * 42 * iw / 256);
    *h = static_cast<int>(s.rankH * 36 * ih / 256);
    *left = static_cast<int>((p.x + d * s.rankX) * S - *w / 2) - d * (*w / 2);
    *top = static_cast<int>((p.y + d * s.rankY) * S - *h / 2) - d * (*h / 2);
  }
  void SidePipBox(const Pip& p, int* left, int* top, int* w, int* h) {
    const int d = p.turned ? -1 : 1;
    *w = static_cast<int>(static_cast<int>(iw * 36 / 256) * s.sidePipsW);
    *h = static_cast<int>(static_cast<int>(ih * 36 / 256) * s.sidePipsH);
    *left = static_cast<int>((p.x + d * s.sidePipsX) * S - *w / 2) - d * *w;
    *top = static_cast<int>((p.y + d * s.sidePipsY) * S - *h / 2) - d * *h;
  }

  // When only the top-left corner is decorated, the centre moves down by
  // half of what that corner takes.
  int TopOffset() {
    const bool sideOne = s.sidePipsOn == 0 || s.sidePipsOn == 1;
    const bool rankOne = s.ranksOn == 0 || s.ranksOn == 2;
    if (!sideOne || !rankOne || (s.sidePipsOn == 0 && s.ranksOn == 0)) return 0;
    int d = 0, left, top, w, h;
    if (s.ranksOn) {
      RankBox(kCornerRanks[0], &left, &top, &w, &h);
      d = std::max(d, top + h);
    }
    if (s.sidePipsOn) {
      SidePipBox(kSidePips[0], &left, &top, &w, &h);
      d = std::max(d, top + h);
    }
    return d;
  }

  void CourtPips() {
    if (rank < 11 || !s.addPipsToCourtCards || !g.slots[kGenSlotSuits].loaded) return;
    const int w = static_cast<int>(s.courtPipsW * iw * 48 / 256);
    const int h = static_cast<int>(s.courtPipsH * ih * 42 / 256);
    for (int i = 0; i < 2; ++i) {
      const Pip& p = kCourtPips[i];
      const float sign = i == 0 ? 1.0f : -1.0f;
      const float x = p.x + sign * 0.5f * s.courtPipsX, y = p.y + sign * 0.5f * s.courtPipsY;
      SuitCell(static_cast<int>((S - mx) * x - w / 2 + mx / 2),
               static_cast<int>((S - my) * y - h / 2 + my / 2), w, h, p.turned);
    }
  }

  void Picture(int d) {
    int slot = -1;
    if (rank == 11) slot = kGenSlotJacks;
    if (rank == 12) slot = kGenSlotQueens;
    if (rank == 13) slot = kGenSlotKings;
    if (rank == 1 && s.numAcesPics != 0) slot = kGenSlotAces;
    if (slot < 0) return;
    const GeneratorElement& e = g.slots[slot];
    if (!e.loaded) return;
    const bool ace = slot == kGenSlotAces;
    if (ace && s.numAcesPics == 1 && suit != 1) return;  // the one picture is the ace of spades'
    int width = std::min(EngMathRound(s.courtCardsWidth * ih), static_cast<int>(S));
    int height = std::min(EngMathRound(s.courtCardsHeight * ih), static_cast<int>(S));
    int cellX = g.suitCell[suit][0] * e.cellWidth, cellY = g.suitCell[suit][1] * e.cellHeight;
    int cellW = e.cellWidth, cellH = e.cellHeight;
    if (ace && s.numAcesPics == 1) {
      cellX = cellY = 0;
      cellW = e.image.GetWidth();
      cellH = e.image.GetHeight();
      height = static_cast<int>(ih * 150 / 256);
    }
    const int mode = TransMode(s.courtCardsTrans, e.fromTga);
    const int left = (static_cast<int>(S) - width) / 2;
    const int side = static_cast<int>(S);
    if (!ace && s.courtCardsMirrored) {
      height /= 2;
      const int first = std::min(side / 2 - height + d / 2, side - height);
      const int second = std::min(side / 2 + d / 2, side - height);
      DrawCell(&canvas, e.image, cellX, cellY, cellW, cellH, left, first, width, height, false, mode);
      DrawCell(&canvas, e.image, cellX, cellY, cellW, cellH, left, second, width, height, true, mode);
      return;
    }
    const int top = std::min((side - height) / 2 + d / 2, side - height);
    DrawCell(&canvas, e.image, cellX, cellY, cellW, cellH, left, top, width, height, false, mode);
  }

  void MainPips(int d) {
    if (!s.mainPipsOn || !g.slots[kGenSlotSuits].loaded || rank > 10) return;
    int w = static_cast<int>(static_cast<int>(iw * 56 / 256) * s.mainPipW);
    int h = static_cast<int>(static_cast<int>(ih * 44 / 256) * s.mainPipH);
    if (rank == 1) {
      if (suit == 1) {
        if (!s.addAcesCenterPip) return;
        w = w * 5 / 2;
        h = h * 5 / 2;
      } else {
        if (s.numAcesPics == 4) return;
        w = w * 3 / 2;
        h = h * 3 / 2;
      }
    }
    for (const Pip& p : CentrePips(rank)) {
      const int x0 = static_cast<int>((S - mx) * p.x - w / 2 + mx / 2);
      const int left = static_cast<int>(x0 * s.mainPipsW) + static_cast<int>((1 - s.mainPipsW) * (S - w) / 2);
      const int y0 = static_cast<int>((S - my) * p.y - h / 2 + my / 2);
      const int top = static_cast<int>(y0 * s.mainPipsH) + static_cast<int>((1 - s.mainPipsH) * (S - h) / 2) + d / 2;
      SuitCell(left, top, w, h, p.turned);
    }
  }

  void SidePips() {
    if (!s.sidePipsOn || !g.slots[kGenSlotSuits].loaded) return;
    if (rank >= 11 && !s.addSidePipsToCourtCards) return;
    for (int i = 0; i < (s.sidePipsOn == 1 ? 1 : 2); ++i) {
      int left, top, w, h;
      SidePipBox(kSidePips[i], &left, &top, &w, &h);
      SuitCell(left, top, w, h, kSidePips[i].turned);
      if (s.sidePipsOn == 3) SuitCell(static_cast<int>(S) - left - w, top, w, h, kSidePips[i].turned);
    }
  }

  void CornerRanks() {
    const GeneratorElement& e = g.slots[kGenSlotRanks];
    if (!s.ranksOn || !e.loaded) return;
    for (int i = 0; i < (s.ranksOn == 1 ? 2 : 1); ++i) {
      int left, top, w, h;
      RankBox(kCornerRanks[i], &left, &top, &w, &h);
      DrawCell(&canvas, g.tintedRanks[suit], g.rankCell[rank][0] * e.cellWidth,
               g.rankCell[rank][1] * e.cellHeight, e.cellWidth, e.cellHeight, left, top, w, h,
               kCornerRanks[i].turned, TransMode(s.rankTrans, e.fromTga));
    }
  }
};

// The whole of an element over the whole canvas.
void DrawWhole(EngTga* canvas, const GeneratorElement& e, int mode, bool alphaOnly) {
  if (!e.loaded) return;
  canvas->FillFromOtherTga(0, 0, -1, -1, &e.image, 0, 0, -1, -1, false, false, mode, alphaOnly);
}

}  // namespace

bool CardsGenerateASingleCard(int suit, int rank) {
  const char* where = "CardsGenerateASingleCard";
  CardsGenerateState& g = CardsGenerateGetState();
  if (rank > 0 && (suit < 0 || suit > 3 || rank > 13)) {
    DebugError(where, "Invalid suit orr rank: %d,%d", suit, rank);
    return false;
  }
  if (rank < -1) {
    DebugError(where, "Invalid rank: %d", rank);
    return false;
  }
  const int side = g.canvas;
  EngTga canvas;
  if (!canvas.CreateWithColour(side, side, 32, 1, 1, 1, 0)) return false;
  if (rank != -1) {
    DrawWhole(&canvas, g.slots[kGenSlotShape], 0, true);
    DrawWhole(&canvas, g.slots[kGenSlotBase], 1, false);
  }
  if (rank == 0) {
    DrawWhole(&canvas, g.slots[kGenSlotBack], 1, false);
    DrawWhole(&canvas, g.slots[kGenSlotBackOverlay], 3, false);
  } else if (rank == -1) {
    DrawWhole(&canvas, g.slots[kGenSlotDeckSide], 0, false);
  } else {
    const float S = static_cast<float>(side);
    const float mx = 0.03f * S, my = 0.01f * S;
    Painter p{g, g.settings, canvas, suit, rank, S, mx, my, S - 2 * mx, S - 2 * my};
    const int d = p.TopOffset();
    p.CourtPips();
    p.Picture(d);
    p.MainPips(d);
    p.SidePips();
    p.CornerRanks();
  }
  g.lastCanvas.Release();
  if (g.lastCanvas.Create(side, side, 32)) {
    std::memcpy(g.lastCanvas.GetData(), canvas.GetData(), canvas.GetDataSize());
  }
  // Composed large, saved small: halving averages the edges smooth.
  EngTga halves[2];
  const EngTga* result = &canvas;
  for (int step = 0; step < g.halving; ++step) {
    if (!halves[step].CreateFromTwiceSizeData(result, true)) break;
    result = &halves[step];
  }
  EngTga* saved = const_cast<EngTga*>(result);
  if (rank >= 1 && g.blur > 0) CardsGenerateApplyBlurToData(saved, g.blur);
  char name[3];
  CardsGetCardFacePicName(suit, rank, name);
  const std::string file = g.output + "\\" + name + ".tga";
  if (!g.outputSet || !saved->SaveToFile(file.c_str())) {
    DebugError(where, "Problem creating card [%d,%d]", suit, rank);
    return false;
  }
  return true;
}
