// MWinFake.cpp - the recording back end and the shared fixture.
#include "tests/Engine/MWin/MWinFake.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

bool FakeBackEnd::TextureLoad(MWinEngTexture* texture, const char* fileName, int, int,
                              int datKind) {
  auto* t = static_cast<FakeTexture*>(texture);
  t->file = fileName ? fileName : "";
  t->loaded = false;
  if (!fileName || !std::filesystem::exists(fileName)) return false;
  std::string ext = t->file.size() > 3 ? t->file.substr(t->file.size() - 3) : "";
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const bool known = ext == "bmp" || ext == "tga" || ext == "jpg" || ext == "png" ||
                     (ext == "dat" && datKind > 0);
  if (datKind >= 0 && !known) return false;
  t->loaded = true;
  return true;
}

FakeBackEnd::Quad FakeBackEnd::PlacedQuad(float x, float y, float w, float h,
                                          const float uv[4]) {
  Quad q{};
  q.x = x;
  q.y = y;
  q.w = w;
  q.h = h;
  std::memcpy(q.uv, uv, sizeof(q.uv));
  return q;
}

void FakeBackEnd::TextureDraw(MWinEngTexture* texture, float x, float y, float w, float h,
                              const float uv[4], const float colours[4][4]) {
  Quad q = PlacedQuad(x, y, w, h, uv);
  q.texture = texture;
  std::memcpy(q.colour, colours, sizeof(q.colour));
  quads.push_back(q);
}

void FakeBackEnd::EngTextureDraw(EngTexture* texture, float x, float y, float w, float h,
                                 const float uv[4], const float colour[4]) {
  Quad q = PlacedQuad(x, y, w, h, uv);
  q.engTexture = texture;
  for (int i = 0; i < 4; ++i) std::memcpy(q.colour[i], colour, sizeof(q.colour[i]));
  quads.push_back(q);
}

void FakeBackEnd::TriListSet(MWinEngTriList* list, int triangle, const float xy[6],
                             const float colour[4]) {
  auto* l = static_cast<FakeTriList*>(list);
  if (triangle < 0 || triangle >= l->triangles) {
    ADD_FAILURE() << "triangle " << triangle << " outside a list of " << l->triangles;
    return;
  }
  std::copy(xy, xy + 6, l->xy[triangle].begin());
  std::copy(colour, colour + 4, l->colour[triangle].begin());
}

float FakeBackEnd::FontStringWidth(EngFont* font, const char* text) {
  if (!text) return 0;
  return static_cast<float>(std::strlen(text)) * F(font)->advance * F(font)->rx;
}

void FakeBackEnd::FontDrawAligned(EngFont* font, float x, float y, int hAlign, int vAlign,
                                  const char* text, bool) {
  FakeFont* f = F(font);
  Text t{};
  t.font = f;
  t.x = x;
  t.y = y;
  t.hAlign = hAlign;
  t.vAlign = vAlign;
  t.text = text ? text : "";
  t.rx = f->rx;
  t.ry = f->ry;
  std::memcpy(t.colour, f->colour, sizeof(t.colour));
  texts.push_back(t);
  const float width = FontStringWidth(font, text);
  float left = x;
  if (hAlign == 1) left -= width / 2;
  else if (hAlign == 2) left -= width;
  if (trackIndex >= 0) {
    const int n = std::min<int>(trackIndex, static_cast<int>(t.text.size()));
    trackedX = left + n * f->advance * f->rx;
  }
}

// Greedy wrap at blanks; a word longer than the box is cut.
bool FakeBackEnd::FontDrawMultiline(EngFont* font, float x, float y, float w, float h, int hAlign,
                                    int vAlign, const char* text, bool draw, int firstLine,
                                    MWinEngMultilineResult* result) {
  *result = {};
  FakeFont* f = F(font);
  const float adv = f->advance * f->rx, lineH = f->height * f->ry;
  if (!text) return true;
  std::vector<std::string> lines;
  std::string para = text;
  std::string line;
  auto flush = [&]() {
    lines.push_back(line);
    line.clear();
  };
  size_t i = 0;
  while (i <= para.size()) {
    if (i == para.size() || para[i] == '\n') {
      flush();
      ++i;
      if (i > para.size()) break;
      continue;
    }
    size_t j = i;
    while (j < para.size() && para[j] != ' ' && para[j] != '\n') ++j;
    std::string word = para.substr(i, j - i);
    std::string candidate = line.empty() ? word : line + " " + word;
    if (candidate.size() * adv <= w || line.empty()) {
      if (candidate.size() * adv > w && line.empty()) {
        // Cut a long word at the box edge.
        const size_t fit = std::max<size_t>(1, static_cast<size_t>(w / adv));
        while (word.size() > fit) {
          line = word.substr(0, fit);
          flush();
          word = word.substr(fit);
        }
        line = word;
      } else {
        line = candidate;
      }
    } else {
      flush();
      line = word;
    }
    i = j;
    while (i < para.size() && para[i] == ' ') ++i;
  }
  if (!lines.empty() && lines.back().empty() && para.size() && para.back() != '\n' && lines.size() > 1)
    lines.pop_back();
  float cy = y;
  bool finished = true;
  for (size_t k = static_cast<size_t>(std::max(firstLine, 0)); k < lines.size(); ++k) {
    if (cy + lineH > y + h + 0.001f) {
      finished = false;
      break;
    }
    if (draw && !lines[k].empty()) FontDrawAligned(font, x, cy, hAlign, vAlign, lines[k].c_str(), false);
    result->widest = std::max(result->widest, lines[k].size() * adv);
    ++result->lines;
    cy += lineH;
  }
  result->usedHeight = cy - y;
  result->finished = finished;
  return true;
}

int FakeBackEnd::LanguageTokenNum(const char* token, int* subTexts) {
  auto it = token ? language.find(token) : language.end();
  if (it == language.end()) {
    if (subTexts) *subTexts = 0;
    return -1;
  }
  if (subTexts) *subTexts = static_cast<int>(it->second.size());
  return static_cast<int>(std::distance(language.begin(), it));
}

const char* FakeBackEnd::LanguageString(const char* token, int subText) {
  auto it = token ? language.find(token) : language.end();
  if (it == language.end() || subText < 0 || subText >= static_cast<int>(it->second.size()))
    return "";
  return it->second[subText].c_str();
}

std::vector<std::string> FakeBackEnd::DrawnTexts() const {
  std::vector<std::string> out;
  for (const Text& t : texts) out.push_back(t.text);
  return out;
}

bool FakeBackEnd::Drew(const std::string& text) const {
  for (const Text& t : texts)
    if (t.text == text) return true;
  return false;
}

void MWinTest::SetUp() {
  TempDirTest::SetUp();
  MWinEngSetBackEnd(&eng);
  mw = std::make_unique<MWin>();
  ASSERT_EQ(mw->GetFonts()->AddFontPointer(nullptr, FakeBackEnd::AsEng(&font)), -1);
  mw->Startup();
}

void MWinTest::TearDown() {
  if (mw) mw->Cleanup();
  mw.reset();
  MWinEngSetBackEnd(nullptr);
  TempDirTest::TearDown();
}

MWinWindow* MWinTest::AddScreen(const char* collection, float x, float y, float w, float h) {
  MWinCollection* c = mw->GetDesktop()->AddCollection(collection);
  if (!c) return nullptr;
  const MWinWindowSetup s = TestWindowSetup(x, y, w, h);
  return c->AddWindow("Win", &s);
}

void MWinTest::InstallTestLook() {
  WriteFile("look.tga", "x");
  MWinTextures* t = mw->GetTextures();
  ASSERT_TRUE(t->AddTexture("LookTex", "look.tga", 1, 2));
  ASSERT_NE(t->AddTextureButton("Look", "LookTex", 0, 0, 1, 1, "LookTex", 0, 0, 0.5f, 0.5f,
                                "LookTex", 0.5f, 0.5f, 1, 1, "", 0, 0, 0, 0),
            nullptr);
  for (int slot = 0; slot < kMWinNumStandardTexButs; ++slot)
    ASSERT_TRUE(t->SetStandardTextureToTexBut(slot, "Look"));
  ASSERT_TRUE(mw->CreateGraphicsObjects());
}
