// EngFontWrap.cpp - laying text out in a box, line by line. A pure walk over
// the text and a table of advance widths; drawing is the sink's business.
//
// The walk, for a line starting at lineStart:
//   - each character is added to the running width until the line must end:
//     at the text's end, at a new line, or when the running width plus the
//     next two characters (one of look-ahead) reaches the box width; blanks,
//     tabs and new lines take no room in that test;
//   - a line that ends inside text breaks at its last blank or tab after the
//     previous break; without one (a word longer than the box) it is cut at
//     the box edge;
//   - the next line starts at the break; a blank or new line there is not
//     measured again (it is not drawn either), a letter is.
// Every line takes at least one character, so the walk always ends.
#include <algorithm>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFont.h"

namespace {

constexpr int kMaxLinePart = 255;

}  // namespace

EngFontWrapResult EngFontWrapText(const float* advances, float ratioX, float lineHeight,
                                  float lineSpacing, float y, float boxWidth, float boxHeight,
                                  const char* text, int firstLine, EngFontLineSink sink,
                                  void* context) {
  EngFontWrapResult result;
  if (!advances || !text) return result;
  const int length = static_cast<int>(std::strlen(text));
  if (length == 0 || (length == 1 && EngFontIsSpaceOrTab(text[0]))) {
    result.lineCount = 1;
    result.usedHeight = lineHeight;
    return result;
  }
  auto advance = [&](char c) { return advances[static_cast<unsigned char>(c)] * ratioX; };
  auto room = [&](char c) { return EngFontIsSpaceOrTab(c) || c == '\n' ? 0.0f : advance(c); };
  const float step = lineSpacing != 0.0f ? lineSpacing : lineHeight;

  float lineY = y;
  int lineStart = 0;
  int lineNumber = 0;
  int lastBreak = -1;
  float running = 0.0f;
  int i = 0;
  for (;;) {
    const bool textDone = i >= length;
    if (!textDone && text[i] != '\n' && running + room(text[i]) + room(text[i + 1]) < boxWidth) {
      running += advance(text[i]);
      result.widest = std::max(result.widest, running);
      ++i;
      continue;
    }
    int cut = i;
    if (!textDone && text[i] != '\n' && !(i > 0 && text[i - 1] == '\n')) {
      int blank = i;
      while (blank >= 1 && !EngFontIsSpaceOrTab(text[blank])) --blank;
      if (blank >= 1 && blank < i && blank > lastBreak) cut = blank;
    }
    // A single character wider than the box still takes a line of its own.
    if (!textDone && cut == lineStart && text[cut] != '\n' && !EngFontIsSpaceOrTab(text[cut])) {
      cut = lineStart + 1;
      result.widest = std::max(result.widest, advance(text[lineStart]));
    }

    if (lineNumber >= firstLine) {
      const char* start = text + lineStart;
      int partLength = cut - lineStart;
      if (partLength > 0 && *start == '\n') {
        ++start;
        --partLength;
      }
      if (partLength > kMaxLinePart) {
        DebugError("EngFont::DrawMultilineText", "Line part too long");
        partLength = kMaxLinePart;
      }
      char line[kMaxLinePart + 1];
      std::memcpy(line, start, static_cast<std::size_t>(std::max(partLength, 0)));
      line[std::max(partLength, 0)] = '\0';
      if (sink) sink(context, line, lineY);
      result.lineCount += 1;
      lineY += step;
    }
    const bool lastLine = cut >= length;
    if (lastLine || lineY > y + boxHeight - lineHeight) {
      result.finished = lastLine;
      result.usedHeight = lineY - y;
      return result;
    }
    lineNumber += 1;
    running = 0.0f;
    lastBreak = cut;
    lineStart = cut;
    // A break on a blank or new line resumes after it; a cut word resumes at
    // its next letter, which belongs to the new line.
    i = cut < length && (text[cut] == '\n' || EngFontIsSpaceOrTab(text[cut])) ? cut + 1 : cut;
  }
}
