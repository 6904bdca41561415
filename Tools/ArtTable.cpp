// ArtTable.cpp - the small pictures of the table: the empty-pile marker and
// its letters (white on black: the game takes their alpha from their
// brightness), the deck marker's pictures, the top of the deck box, the
// score panel (Data/Main/0135.dat), the celebration's seamless tile
// (0150), the playable-card highlight (0155) and the card shadow (0156).
#include <cmath>
#include <string>

#include "Tools/ArtParts.h"

namespace {

constexpr float kCard = 5.8f / 8.7f;

void Markers(const ArtOutput& out) {
  const std::string deck = out.Folder("Data/Deck");
  ArtCanvas space(256, 256, ArtRgb(1, 1, 1, 0));
  ArtCell cell(&space, kCard);
  const ArtShape outline = ArtRoundRect(kCard / 2, 0.5f, kCard / 2 - 0.02f, 0.48f, 0.045f);
  cell.Fill(outline, ArtRgb(1, 1, 1, 0.1f));
  cell.Fill(ArtRing(outline, 0.008f), ArtRgb(1, 1, 1, 0.75f));
  out.Tga(space, deck + "/CardSpace.tga");
  // The top of the deck-side box: the top card covers it.
  ArtCanvas blank(64, 64, ArtRgb(0.96f, 0.95f, 0.9f));
  out.Tga(blank, deck + "/Blank.tga");

  const std::string letters = out.Folder("Data/Letters");
  const char* const names[13] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "T", "J", "Q", "K"};
  const std::u32string shown[13] = {U"A", U"2", U"3", U"4", U"5", U"6", U"7",
                                    U"8", U"9", U"10", U"J", U"Q", U"K"};
  for (int i = 0; i < 13; ++i) {
    ArtCanvas letter(256, 256, ArtRgb(0, 0, 0));
    ArtCell(&letter, kCard).Text(kArtSansBold, shown[i], kCard / 2, 0.5f, kCard * 0.6f, 0.36f,
                                  ArtRgb(0.85f, 0.85f, 0.85f));
    out.Bmp(letter, letters + "/" + names[i] + ".bmp");
  }
  out.Bmp(ArtCanvas(256, 256, ArtRgb(0, 0, 0)), letters + "/Blank.bmp");

  const std::string custom = out.Folder("Data/Custom");
  ArtCanvas again(256, 256, ArtRgb(0, 0, 0));
  ArtCell(&again, kCard).Text(kArtSansBold, U"\u21BB", kCard / 2, 0.5f, kCard * 0.7f, 0.42f,
                               ArtRgb(0.85f, 0.85f, 0.85f));
  out.Bmp(again, custom + "/Special1.bmp");
  ArtCanvas cross(256, 256, ArtRgb(0, 0, 0));
  ArtCell crossCell(&cross, kCard);
  const float c = kCard / 2, d = 0.2f;
  crossCell.Fill(ArtSegment(c - d, 0.5f - d, c + d, 0.5f + d, 0.03f), ArtRgb(0.85f, 0.85f, 0.85f));
  crossCell.Fill(ArtSegment(c - d, 0.5f + d, c + d, 0.5f - d, 0.03f), ArtRgb(0.85f, 0.85f, 0.85f));
  out.Bmp(cross, custom + "/X.bmp");
}

void MainPictures(const ArtOutput& out) {
  const std::string main = out.Folder("Data/Main");
  // Score panel: a dark, soft-edged rounded panel.
  ArtCanvas score(256, 64, ArtRgb(0, 0, 0, 0));
  ArtCell(&score, 4.0f).FillShaded(ArtRoundRect(2.0f, 0.5f, 1.96f, 0.45f, 0.3f),
                                   [](float, float y) { return ArtRgb(0.05f, 0.07f, 0.1f, 0.55f + 0.2f * y); });
  out.Tga(score, main + "/0135.dat");

  // The celebration's background: light suit symbols on white, seamless so
  // that it repeats and scrolls without seams; the vertex colours tint it.
  ArtCanvas tile(256, 192, ArtRgb(1, 1, 1));
  const char32_t suits[4] = {U'\u2660', U'\u2665', U'\u2663', U'\u2666'};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) {
      const int x0 = col * 64 + (row & 1) * 32, y0 = row * 64;
      // Drawn at its place and, where it crosses an edge, again on the other
      // side.
      for (int wrap = 0; wrap < 2; ++wrap) {
        const int x = wrap ? x0 - 256 : x0;
        ArtCell cell(&tile, x, y0, 64, 64, 1.0f);
        cell.Text(kArtSans, std::u32string(1, suits[(row + col) % 4]), 0.5f, 0.5f, 0.5f, 0.5f,
                  ArtRgb(0.78f, 0.78f, 0.78f));
      }
    }
  }
  out.Jpeg(tile, main + "/0150.dat");

  // Highlight: a warm glow along the card's edge, added over a playable card.
  ArtCanvas glow(256, 256, ArtRgb(1, 0.9f, 0.45f, 0));
  ArtCell glowCell(&glow, kCard);
  const ArtShape edge = ArtRoundRect(kCard / 2, 0.5f, kCard / 2, 0.5f, 0.045f);
  glowCell.FillShaded(edge, [&edge](float x, float y) {
    const float depth = -edge(x, y);
    return ArtRgb(1, 0.9f, 0.45f, 0.85f * std::exp(-depth * 28));
  });
  out.Tga(glow, main + "/0155.dat");

  // Shadow: a soft dark card.
  ArtCanvas shadow(128, 128, ArtRgb(0, 0, 0, 0));
  ArtCell shadowCell(&shadow, kCard);
  const ArtShape card = ArtRoundRect(kCard / 2, 0.5f, kCard / 2 - 0.06f, 0.44f, 0.05f);
  shadowCell.FillShaded(ArtRoundRect(kCard / 2, 0.5f, kCard / 2, 0.5f, 0.05f), [&card](float x, float y) {
    const float d = card(x, y);
    const float a = d <= 0 ? 0.45f : 0.45f * std::exp(-d * d * 900);
    return ArtRgb(0, 0, 0, a);
  });
  out.Tga(shadow, main + "/0156.dat");
}

}  // namespace

void ArtMakeTable(const ArtOutput& out) {
  Markers(out);
  MainPictures(out);
}
