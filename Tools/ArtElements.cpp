// ArtElements.cpp - the element pictures the face generator builds cards
// from: card shapes, bases, suit symbols, rank glyphs, the ace picture, the
// court figures (chess pieces in suit-coloured frames), and the empty set a
// new deck of the player's own starts from.
//
// Pictures carrying alpha are TGA files: the generator then lays them over
// the card by their own alpha. Cells of the suits, aces and courts pictures
// are 2 x 2 (hearts top-left, spades top-right, clubs bottom-left, diamonds
// bottom-right), those of the ranks 4 x 4 (2-5, 6-9, 10 J Q K, A).
#include "Tools/ArtParts.h"

#include <cmath>

namespace {

constexpr float kCard = 5.8f / 8.7f;  // a card's width / height
// The aspect each cell is seen with on a card (the generator's boxes).
constexpr float kSuitCell = 0.76f;
constexpr float kRankCell = 0.78f;
constexpr float kCourtCell = 0.45f;
constexpr float kAcePicture = 0.57f;

const ArtColour kInk = ArtRgb(0, 0, 0);
const ArtColour kClear = ArtRgb(1, 1, 1, 0);

// Suits in the cells' order: the cell (column, row) of suit s.
constexpr int kSuitCol[4] = {0, 1, 1, 0};
constexpr int kSuitRow[4] = {0, 0, 1, 1};
const char32_t kSuitGlyph[4] = {U'\u2665', U'\u2660', U'\u2666', U'\u2663'};

bool RedSuit(int suit) { return suit == 0 || suit == 2; }

void Shapes(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Elements/Element Shapes");
  ArtCanvas normal(512, 512, kClear);
  ArtCell(&normal, kCard).Fill(ArtRoundRect(kCard / 2, 0.5f, kCard / 2 - 0.004f, 0.496f, 0.045f),
                               ArtRgb(1, 1, 1));
  out.Tga(normal, dir + "/Normal Shape.tga");
  // Printed cards are cut along their outline: a tight corner.
  ArtCanvas print(512, 512, kClear);
  ArtCell(&print, kCard).Fill(ArtRoundRect(kCard / 2, 0.5f, kCard / 2, 0.5f, 0.02f), ArtRgb(1, 1, 1));
  out.Tga(print, dir + "/Print Shape.tga");
}

void Bases(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Elements/Element Bases");
  ArtCanvas plain(512, 512, kClear);
  plain.Shade([](float u, float v) {
    const float grain = ArtNoise(u * 64, v * 64, 64, 11) * 0.02f;
    return ArtRgb(0.985f - grain, 0.975f - grain, 0.94f - grain);
  });
  out.Jpeg(plain, dir + "/Plain Base.jpg");
  ArtCanvas print(512, 512, ArtRgb(1, 1, 1));
  out.Jpeg(print, dir + "/Print Base.jpg");
  ArtCanvas print2(512, 512, ArtRgb(1, 1, 1));
  ArtCell(&print2, kCard).Fill(ArtRing(ArtRoundRect(kCard / 2, 0.5f, kCard / 2 - 0.01f, 0.49f, 0.03f), 0.002f),
                               ArtRgb(0.6f, 0.6f, 0.6f));
  out.Jpeg(print2, dir + "/Print2 Base.jpg");
}

void Suits(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Elements/Element Suits");
  ArtCanvas suits(512, 512, kClear);
  for (int s = 0; s < 4; ++s) {
    ArtCell cell(&suits, 256 * kSuitCol[s], 256 * kSuitRow[s], 256, 256, kSuitCell);
    cell.Text(kArtSans, std::u32string(1, kSuitGlyph[s]), kSuitCell / 2, 0.5f, kSuitCell * 0.9f, 0.9f,
              kInk);
  }
  out.Tga(suits, dir + "/Type 1 Suits.tga");
}

void Ranks(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Elements/Element Ranks");
  ArtCanvas ranks(512, 512, kClear);
  const std::u32string glyphs[13] = {U"2", U"3", U"4", U"5", U"6", U"7", U"8",
                                     U"9", U"10", U"J", U"Q", U"K", U"A"};
  for (int i = 0; i < 13; ++i) {
    ArtCell cell(&ranks, 128 * (i % 4), 128 * (i / 4), 128, 128, kRankCell);
    const bool ten = glyphs[i].size() == 2;
    cell.Text(kArtSansBold, glyphs[i], kRankCell / 2, 0.5f, kRankCell * (ten ? 0.96f : 0.92f), 0.86f, kInk,
              ten);
  }
  out.Tga(ranks, dir + "/Type 1 Ranks.tga");
}

// The one ace picture (the ace of spades): a large spade in a double ring
// with small spades at its four points.
void Aces(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Elements/Element Aces");
  ArtCanvas ace(456, 800, kClear);
  ArtCell cell(&ace, kAcePicture);
  const float cx = kAcePicture / 2, cy = 0.5f;
  const ArtColour dark = ArtRgb(0.08f, 0.08f, 0.12f);
  const ArtColour gold = ArtRgb(0.72f, 0.55f, 0.18f);
  cell.Fill(ArtRing(ArtEllipse(cx, cy, 0.26f, 0.3f), 0.008f), gold);
  cell.Fill(ArtRing(ArtEllipse(cx, cy, 0.238f, 0.276f), 0.003f), dark);
  cell.Text(kArtSans, U"\u2660", cx, cy + 0.005f, 0.34f, 0.38f, dark);
  const float points[4][2] = {{cx, 0.12f}, {cx, 0.88f}, {cx - 0.25f, cy}, {cx + 0.25f, cy}};
  for (const auto& p : points) cell.Text(kArtSans, U"\u2660", p[0], p[1], 0.07f, 0.07f, gold);
  out.Tga(ace, dir + "/English 2 Aces.tga");
}

// Courts: a chess figure in a framed, suit-tinted panel.
void Courts(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Elements/Element Courts");
  const struct {
    const char* file;
    char32_t figure;
  } kinds[3] = {{"Chess Jacks.tga", U'\u265E'}, {"Chess Queens.tga", U'\u265B'}, {"Chess Kings.tga", U'\u265A'}};
  for (const auto& kind : kinds) {
    ArtCanvas courts(512, 512, kClear);
    for (int s = 0; s < 4; ++s) {
      ArtCell cell(&courts, 256 * kSuitCol[s], 256 * kSuitRow[s], 256, 256, kCourtCell);
      const float cx = kCourtCell / 2;
      const ArtColour ink = RedSuit(s) ? ArtRgb(0.72f, 0.06f, 0.08f) : ArtRgb(0.08f, 0.1f, 0.22f);
      const ArtColour panel = RedSuit(s) ? ArtRgb(0.99f, 0.93f, 0.86f) : ArtRgb(0.9f, 0.93f, 0.98f);
      const ArtShape frame = ArtRoundRect(cx, 0.5f, cx - 0.015f, 0.485f, 0.03f);
      cell.FillShaded(frame, [panel](float, float y) {
        return ArtMix(panel, ArtRgb(1, 1, 1), 0.5f * std::fabs(y - 0.5f) * 2);
      });
      cell.Fill(ArtRing(frame, 0.008f), ArtRgb(0.72f, 0.55f, 0.18f));
      cell.Fill(ArtRing(ArtRoundRect(cx, 0.5f, cx - 0.04f, 0.46f, 0.02f), 0.0025f), ink);
      cell.Text(kArtSans, std::u32string(1, kind.figure), cx, 0.52f, kCourtCell * 0.8f, 0.6f, ink);
      cell.Text(kArtSans, std::u32string(1, kSuitGlyph[s]), cx, 0.12f, 0.1f, 0.08f, ink);
      cell.Text(kArtSans, std::u32string(1, kSuitGlyph[s]), cx, 0.9f, 0.1f, 0.08f, ink);
    }
    out.Tga(courts, dir + "/" + kind.file);
  }
}

// The set a new deck of the player's own starts with: white pictures with
// faint guides of the cells the generator cuts them into.
void EmptySet(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Elements/Element Empty");
  const struct {
    const char* file;
    int cells;
  } pictures[] = {{"Base.jpg", 1}, {"Suits.jpg", 2}, {"Ranks.jpg", 4}, {"Aces.jpg", 2},
                  {"Kings.jpg", 2}, {"Queens.jpg", 2}, {"Jacks.jpg", 2}};
  for (const auto& p : pictures) {
    ArtCanvas picture(512, 512, ArtRgb(1, 1, 1));
    ArtCell cell(&picture, 1.0f);
    const ArtColour guide = ArtRgb(0.93f, 0.93f, 0.93f);
    for (int i = 1; i < p.cells; ++i) {
      const float at = static_cast<float>(i) / static_cast<float>(p.cells);
      cell.Fill(ArtSegment(at, 0, at, 1, 0.001f), guide);
      cell.Fill(ArtSegment(0, at, 1, at, 0.001f), guide);
    }
    out.Jpeg(picture, dir + "/" + p.file);
  }
}

}  // namespace

void ArtMakeElements(const ArtOutput& out) {
  Shapes(out);
  Bases(out);
  Suits(out);
  Ranks(out);
  Aces(out);
  Courts(out);
  EmptySet(out);
}
