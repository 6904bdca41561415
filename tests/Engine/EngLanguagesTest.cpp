// Tests of the language texts: the line parser table, the folder scan and
// the default language, look-ups and parameters, and running out of memory.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngLanguages.h"
#include "tests/Support/TestSupport.h"

namespace {

class EngLanguagesTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::filesystem::create_directory("Languages");
  }
  void TearDown() override {
    EngLanguagesRelease();
    EngLanguagesFailAllocationForTests(0);
    TempDirTest::TearDown();
  }
  static void Language(const std::string& name, const std::string& text) {
    WriteFile("Languages/" + name + ".txt", text);
  }
  // The sub-texts of a token in the current language.
  static std::vector<std::string> SubTexts(const char* token) {
    int count = 0;
    std::vector<std::string> out;
    if (EngLanguagesGetTokenNumAndNumSubTexts(token, &count) < 0) return out;
    for (int i = 0; i < count; ++i) out.push_back(EngLanguagesGetString(token, i));
    return out;
  }
};

using Texts = std::vector<std::string>;

}  // namespace

TEST_F(EngLanguagesTest, LineParserTable) {
  Language("English",
           "; a comment\r\n"
           "[Section]\r\n"
           "\r\n"
           "Hello=Line one\\nLine two\r\n"
           "Score=##1 of %1#Next\r\n"
           "Three=A#B#C\r\n"
           "Empty=\r\n"
           "Tail=A#\r\n"
           "Eq=a=b\r\n"
           "Hashes=x ## y ## z\r\n"
           "Run=a##b#c\r\n"
           "Spaced name =v\r\n"
           "Twice=first\r\n"
           "Twice=second\r\n"
           "Accent=caf\xe9\r\n"
           "=abc\r\n"
           "   \r\n"
           "no equals sign\r\n" +
               std::string(64, 'N') + "=too long a name\r\n" + std::string(63, 'M') + "=ok\n");
  ASSERT_TRUE(EngLanguagesInit("Languages", nullptr));
  const struct {
    const char* token;
    Texts expected;
  } cases[] = {
      {"Hello", {"Line one\nLine two"}},
      {"Score", {"#1 of %1", "Next"}},
      {"Three", {"A", "B", "C"}},
      {"Empty", {""}},
      {"Tail", {"A", ""}},
      {"Eq", {"a=b"}},
      {"Hashes", {"x # y ## z"}},  // only the first "##" becomes '#'
      {"Run", {"a#b", "c"}},
      {"Spaced name ", {"v"}},
      {"Twice", {"first"}},
      {"Accent", {"caf\xe9"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SubTexts(c.token), c.expected) << c.token;
  EXPECT_EQ(SubTexts(std::string(63, 'M').c_str()), Texts{"ok"});
  // Invalid lines are logged; comments and empty lines are not.
  EXPECT_TRUE(LogContains("( EngLangParseLanguage )    ParseLang: Invalid token in line <=abc>"));
  EXPECT_TRUE(LogContains("ParseLang: Invalid token in line <   >"));
  EXPECT_TRUE(LogContains("ParseLang: Invalid token in line <no equals sign>"));
  EXPECT_TRUE(LogContains("ParseLang: Invalid token in line <" + std::string(64, 'N')));
  EXPECT_FALSE(LogContains("comment"));
  EXPECT_FALSE(LogContains("Section"));
  EXPECT_EQ(EngLanguagesGetTokenNum("Hello"), 0);
  EXPECT_STREQ(EngLanguagesGetTokenName(1), "Score");
}

TEST_F(EngLanguagesTest, LongLinesAreReadInPieces) {
  Language("English", "Long=" + std::string(5000, 'x') + "\nAfter=y\n");
  ASSERT_TRUE(EngLanguagesInit("Languages", nullptr));
  EXPECT_EQ(std::string(EngLanguagesGetFirstString("Long")).size(), 4094u - 5u);
  EXPECT_STREQ(EngLanguagesGetFirstString("After"), "y");
}

TEST_F(EngLanguagesTest, DefaultLanguageChoice) {
  Language("English", "A=english\n");
  Language("german", "A=deutsch\n");
  WriteFile("Languages/notes.md", "A=b\n");
  WriteFile("Languages/.txt", "A=b\n");
  ASSERT_TRUE(EngLanguagesInit("Languages", nullptr));
  EXPECT_EQ(EngLanguagesGetNumLanguages(), 2);
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageName(), "English");
  EXPECT_STREQ(EngLanguagesGetFirstString("A"), "english");
  EXPECT_TRUE(EngLanguagesSetCurrentLanguage("GERMAN"));
  EXPECT_STREQ(EngLanguagesGetFirstString("A"), "deutsch");
  EXPECT_TRUE(LogLines().empty());
  EXPECT_FALSE(EngLanguagesSetCurrentLanguage("Klingon"));
  EXPECT_TRUE(LogContains(
      "( EngLanguagesSetCurrentLanguage )    Language does not exist: <Klingon>"));
  EXPECT_EQ(EngLanguagesSetCurrentLanguageNum(2), -1);
  EXPECT_EQ(EngLanguagesSetCurrentLanguageNum(0), 1);

  ClearLog();
  ASSERT_TRUE(EngLanguagesInit("Languages", "French"));
  EXPECT_EQ(EngLanguagesGetCurrentLanguageNum(), 0);
  EXPECT_EQ(LogLines().size(), 1u);
  EXPECT_TRUE(LogContains("Could not find default language - using language 0 <"));
}

TEST_F(EngLanguagesTest, LookUpsOfMissingTexts) {
  Language("English", "One=only\n");
  EXPECT_STREQ(EngLanguagesGetFirstString("One"), "");  // nothing loaded yet
  EXPECT_EQ(EngLanguagesSetCurrentLanguageNum(0), 0);
  EXPECT_FALSE(EngLanguagesSetCurrentLanguage("English"));
  EXPECT_TRUE(LogLines().empty());
  ASSERT_TRUE(EngLanguagesInit("Languages", nullptr));
  EXPECT_STREQ(EngLanguagesGetString("Missing", 0), "");
  EXPECT_TRUE(LogContains("( EngLanguagesGetString )    Token <Missing:0> not found"));
  ClearLog();
  EXPECT_STREQ(EngLanguagesGetString("One", 5), "");
  EXPECT_STREQ(EngLanguagesGetString("", 0), "");
  EXPECT_STREQ(EngLanguagesGetString(nullptr, 0), "");
  EXPECT_TRUE(LogLines().empty());
  EXPECT_TRUE(EngLanguagesDoesTokenExist("One"));
  EXPECT_FALSE(EngLanguagesDoesStringExist("One", 1));
  EXPECT_EQ(EngLanguagesGetTokenNum("one"), -1);  // names are case-sensitive
  EXPECT_STREQ(EngLanguagesGetFirstStringFromTokenNum(0), "only");
  EXPECT_STREQ(EngLanguagesGetStringFromTokenNum(1, 0), "");
  EXPECT_TRUE(LogContains("( EngLanguagesGetString )    Token <1> does not exist"));
  EXPECT_STREQ(EngLanguagesGetStringFromTokenNum(0, 2), "");
  EXPECT_TRUE(LogContains("Sub text num <2> does not exist in token <One>"));
  EXPECT_STREQ(EngLanguagesGetTokenName(9), "");
}

TEST_F(EngLanguagesTest, ParametersReplaceOnlyTheFirstMarker) {
  Language("English", "Won=You won %1 games, %1!\nBoth=%2 then %1 and %2\nBlank=\n");
  ASSERT_TRUE(EngLanguagesInit("Languages", nullptr));
  char buffer[64] = "untouched";
  ASSERT_TRUE(EngLanguagesGetStringWithParam("Won", "3", buffer, sizeof(buffer)));
  EXPECT_STREQ(buffer, "You won 3 games, %1!");
  ASSERT_TRUE(EngLanguagesGetStringWithParams("Both", "one", "two", buffer, sizeof(buffer)));
  EXPECT_STREQ(buffer, "two then one and %2");
  // The text must be shorter than the buffer less both parameters.
  std::strcpy(buffer, "untouched");
  EXPECT_FALSE(EngLanguagesGetStringWithParam("Won", "3", buffer, 22));
  EXPECT_TRUE(EngLanguagesGetStringWithParam("Won", "3", buffer, 23));
  std::strcpy(buffer, "untouched");
  EXPECT_FALSE(EngLanguagesGetStringWithParam("Blank", "3", buffer, sizeof(buffer)));
  EXPECT_FALSE(EngLanguagesGetStringWithParam("Won", nullptr, buffer, sizeof(buffer)));
  EXPECT_STREQ(buffer, "untouched");
}

TEST_F(EngLanguagesTest, FolderProblemsAreReported) {
  EXPECT_FALSE(EngLanguagesInit("NoSuchFolder", nullptr));
  EXPECT_TRUE(LogContains("( EngLanguagesInit )    Languages directory does not exists <NoSuchFolder>"));
  EXPECT_FALSE(EngLanguagesInit("Languages", nullptr));
  EXPECT_TRUE(LogContains("No language files found in directory <Languages>"));
  EXPECT_FALSE(EngLanguagesInit(std::string(512, 'd').c_str(), nullptr));
  EXPECT_TRUE(LogContains("Languages directory too long <"));
  // A file without one valid line stays listed, without texts.
  Language("English", "; nothing here\n");
  Language("Dutch", "A=b\n");
  ClearLog();
  ASSERT_TRUE(EngLanguagesInit(nullptr, nullptr));  // the folder stored before
  EXPECT_EQ(EngLanguagesGetNumLanguages(), 2);
  EXPECT_TRUE(LogContains("( EngLanguagesInit )    No texts found in file"));
  EXPECT_TRUE(LogContains("( EngLanguagesInit )    Failed parsing language <English>"));
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageName(), "English");
  EXPECT_EQ(EngLanguagesGetTokenNum("A"), -1);
}

TEST_F(EngLanguagesTest, RunningOutOfMemoryAbortsCleanly) {
  Language("English", "A=1#2#3\nB=x\n");
  Language("Dutch", "A=een\n");
  // Each allocation in turn fails once; nothing is left half-built.
  for (int nth = 1; nth <= 12; ++nth) {
    SCOPED_TRACE(nth);
    ClearLog();
    EngLanguagesFailAllocationForTests(nth);
    const bool ok = EngLanguagesInit("Languages", nullptr);
    EngLanguagesFailAllocationForTests(0);
    if (!ok) {
      EXPECT_EQ(EngLanguagesGetNumLanguages(), 0);
      EXPECT_EQ(EngLanguagesGetCurrentLanguageNum(), -1);
      EXPECT_STREQ(EngLanguagesGetFirstString("A"), "");
      EXPECT_TRUE(LogContains("No memory"));
    } else {
      EXPECT_STREQ(EngLanguagesGetFirstString("B"), "x");
    }
  }
}
