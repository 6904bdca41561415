// FontFuzz.cpp - font loading: any bytes as a font file, made into glyph
// sheets as the game makes its fonts, then measured and wrapped.
//
// The seeds are small TrueType fonts written here (a few outline glyphs:
// squares and a triangle mapped to 'A' to 'C' and the blank), so that the
// fuzzer starts from the tables a real font has rather than from the game's
// 700 KB font.
#include <algorithm>
#include <string>
#include <vector>

#include "Engine/EngFont.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

void U16(std::string& s, unsigned v) {
  s += static_cast<char>((v >> 8) & 0xFF);
  s += static_cast<char>(v & 0xFF);
}
void U32(std::string& s, unsigned long v) {
  U16(s, static_cast<unsigned>((v >> 16) & 0xFFFF));
  U16(s, static_cast<unsigned>(v & 0xFFFF));
}

struct Point {
  int x, y;
};

// One simple glyph: one closed contour of on-curve points.
std::string Glyph(const std::vector<Point>& points) {
  std::string g;
  int xMin = 10000, yMin = 10000, xMax = -10000, yMax = -10000;
  for (const Point& p : points) {
    xMin = std::min(xMin, p.x);
    yMin = std::min(yMin, p.y);
    xMax = std::max(xMax, p.x);
    yMax = std::max(yMax, p.y);
  }
  U16(g, 1);  // one contour
  U16(g, static_cast<unsigned>(xMin) & 0xFFFF);
  U16(g, static_cast<unsigned>(yMin) & 0xFFFF);
  U16(g, static_cast<unsigned>(xMax) & 0xFFFF);
  U16(g, static_cast<unsigned>(yMax) & 0xFFFF);
  U16(g, static_cast<unsigned>(points.size() - 1));  // end point of the contour
  U16(g, 0);                                         // no instructions
  for (std::size_t i = 0; i < points.size(); ++i) g += '\x01';  // on curve, 16-bit deltas
  Point last{0, 0};
  for (const Point& p : points) {
    U16(g, static_cast<unsigned>(p.x - last.x) & 0xFFFF);
    last.x = p.x;
  }
  for (const Point& p : points) {
    U16(g, static_cast<unsigned>(p.y - last.y) & 0xFFFF);
    last.y = p.y;
  }
  if (g.size() % 2) g += '\0';
  return g;
}

// A TrueType font of the glyphs (glyph 0 is the empty .notdef), mapping the
// blank and 'A' onwards to glyphs 1, 2, ...
std::string TrueType(const std::vector<std::string>& glyphs, unsigned unitsPerEm) {
  const unsigned count = static_cast<unsigned>(glyphs.size()) + 1;
  std::string glyf, loca;
  U16(loca, 0);
  for (const std::string& g : glyphs) {
    glyf += g;
    U16(loca, static_cast<unsigned>(glyf.size() / 2));
  }
  std::string head;
  U32(head, 0x00010000);
  U32(head, 0x00010000);
  U32(head, 0);            // checksum adjustment (not checked)
  U32(head, 0x5F0F3CF5);   // magic
  U16(head, 0x000B);
  U16(head, unitsPerEm);
  for (int i = 0; i < 4; ++i) U32(head, 0);  // created, modified
  U16(head, 0);
  U16(head, 0xFF38);  // yMin -200
  U16(head, unitsPerEm);
  U16(head, unitsPerEm);
  U16(head, 0);
  U16(head, 8);
  U16(head, 2);
  U16(head, 0);  // short loca offsets
  U16(head, 0);
  std::string hhea;
  U32(hhea, 0x00010000);
  U16(hhea, unitsPerEm * 8 / 10);
  U16(hhea, 0x10000 - unitsPerEm * 2 / 10);
  U16(hhea, 0);
  U16(hhea, unitsPerEm);
  for (int i = 0; i < 3; ++i) U16(hhea, 0);
  U16(hhea, 1);                              // caret slope rise
  for (int i = 0; i < 6; ++i) U16(hhea, 0);  // run, offset, reserved
  U16(hhea, 0);      // metric data format
  U16(hhea, count);  // every glyph has its own metrics
  std::string maxp;
  U32(maxp, 0x00010000);
  U16(maxp, count);
  U16(maxp, 16);
  U16(maxp, 1);
  for (int i = 0; i < 2; ++i) U16(maxp, 0);
  U16(maxp, 2);
  for (int i = 0; i < 8; ++i) U16(maxp, 0);
  std::string hmtx;
  for (unsigned i = 0; i < count; ++i) {
    U16(hmtx, unitsPerEm * 6 / 10);
    U16(hmtx, 0);
  }
  // cmap: one Windows Unicode subtable of format 4, segments ' ', 'A'..,
  // and the closing 0xFFFF.
  std::string cmap;
  const unsigned letters = count - 2;
  U16(cmap, 0);
  U16(cmap, 1);
  U16(cmap, 3);
  U16(cmap, 1);
  U32(cmap, 12);
  const unsigned segments = 3;
  U16(cmap, 4);
  U16(cmap, 16 + segments * 8);
  U16(cmap, 0);
  U16(cmap, segments * 2);
  U16(cmap, 4);
  U16(cmap, 1);
  U16(cmap, segments * 2 - 4);
  U16(cmap, ' ');
  U16(cmap, 'A' + letters - 1);
  U16(cmap, 0xFFFF);  // end codes
  U16(cmap, 0);
  U16(cmap, ' ');
  U16(cmap, 'A');
  U16(cmap, 0xFFFF);  // start codes
  U16(cmap, (1 - ' ') & 0xFFFF);
  U16(cmap, (2 - 'A') & 0xFFFF);
  U16(cmap, 1);  // deltas
  for (unsigned i = 0; i < segments; ++i) U16(cmap, 0);  // no range offsets

  const std::vector<std::pair<std::string, std::string>> tables = {
      {"cmap", cmap}, {"glyf", glyf}, {"head", head}, {"hhea", hhea},
      {"hmtx", hmtx}, {"loca", loca}, {"maxp", maxp}};
  std::string font;
  U32(font, 0x00010000);
  U16(font, static_cast<unsigned>(tables.size()));
  U16(font, 64);
  U16(font, 2);
  U16(font, static_cast<unsigned>(tables.size()) * 16 - 64);
  unsigned long offset = 12 + tables.size() * 16;
  std::string bodies;
  for (const auto& [tag, body] : tables) {
    font += tag;
    U32(font, 0);  // checksum (not checked)
    U32(font, offset + bodies.size());
    U32(font, body.size());
    bodies += body;
    while (bodies.size() % 4) bodies += '\0';
  }
  return font + bodies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzWriteFile("font.dat", data, size);
  EngFont font;
  // The game's own sizes: 16 points at 150 dpi, two channels, 32-126.
  if (!font.Create("font.dat", 1, 16, 32, 126, nullptr, 0, 1.0f, 1.0f, 0.0f, 0.0f, true)) {
    FUZZ_CHECK(!font.IsValid());
    return 0;
  }
  FUZZ_CHECK(font.GetStringWidth("ABC abc") >= 0.0f);
  float widest = 0, used = 0;
  int lines = 0;
  bool finished = false;
  font.DrawMultilineText(0, 0, 200, 100, 0, 0, "ABC A B C AAAA BBBB CCCC\nA", false, 0, &widest,
                         &used, &lines, &finished);
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  const std::string square = Glyph({{50, 0}, {50, 700}, {550, 700}, {550, 0}});
  const std::string triangle = Glyph({{0, 0}, {300, 700}, {600, 0}});
  const std::string blank;  // the blank has no outline
  return {
      {"squares.ttf", TrueType({blank, square, triangle, square}, 1000)},
      {"triangle-2048.ttf", TrueType({blank, triangle}, 2048)},
  };
}
