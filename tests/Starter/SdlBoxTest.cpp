// Tests of the text of SDL's message box broken into rows, measured here
// as 10 pixels a character (a multi-byte character counts once).
#include <string>

#include <gtest/gtest.h>

#include "Starter/SdlBox.h"

namespace {

int TenPerCharacter(const char* text, int length) {
  int characters = 0;
  for (int i = 0; i < length; ++i) characters += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
  return characters * 10;
}

TEST(SdlBox, LinesWiderThanARowBreakAtBlanksAndLongWordsBetweenCharacters) {
  struct Case {
    const char* what;
    const char* text;
    int maxWidth;
    const char* rows;
  };
  const Case cases[] = {
      {"fits", "Press OK to start.", 180, "Press OK to start."},
      {"at blanks", "Press OK to start the test.", 100, "Press OK\nto start\nthe test."},
      {"the text's own breaks stay", "Internet Test\n\nPress OK to start.", 100,
       "Internet\nTest\n\nPress OK\nto start."},
      {"a word wider than a row", "at /home/ann/lib/libGL.so.1: no", 100, "at\n/home/ann/\nlib/libGL.\nso.1: no"},
      {"whole characters", "\xC3\xA9t\xC3\xA9\xC3\xA9t\xC3\xA9", 30, "\xC3\xA9t\xC3\xA9\n\xC3\xA9t\xC3\xA9"},
      {"no width: as it is", "Press OK to start the test.", 0, "Press OK to start the test."},
      {"empty", "", 100, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SdlBoxWrap(c.text, c.maxWidth, TenPerCharacter), c.rows);
  }
}

}  // namespace
