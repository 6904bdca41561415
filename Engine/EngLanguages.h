// EngLanguages.h - the language texts.
//
// Every language file (<folder>/<Name>.txt, CP1252, one "TOKEN=TEXT" line per
// text) is read into memory at start-up; one language is current and texts
// are looked up by token name or index in it. Switching the language only
// changes the current index.
//
// Line format: empty lines and lines starting with ';' or '[' are skipped;
// the first '=' ends the token name (1 to 63 characters, blanks included);
// the text is split into sub-texts at every '#' that has no '#' next to it
// (a '#' at the end gives an empty last sub-text); in each sub-text "\n"
// (backslash, n) becomes a newline and the first "##" a single '#'. A line is
// read 4094 characters at a time. If a name occurs twice, look-ups find the
// first.
//
// State: the folder (up to 511 characters), the language list and the
// current index (-1 before EngLanguagesInit). Texts handed out stay valid
// until EngLanguagesRelease.
#pragma once

struct EngLanguageSubText {
  char* text;  // own allocation, terminated
  int length;
};

struct EngLanguageToken {
  char* name;  // own allocation, 1 to 63 characters
  int nameLength;
  int numSubTexts;  // at least 1
  EngLanguageSubText* subTexts;
};

struct EngLanguage {
  char name[64];  // the file name without ".txt" (up to 55 characters)
  int numTokens;
  EngLanguageToken* tokens;
};

// Reads every language of the folder (null or empty: the folder stored
// before) and makes the default one current (null: "English"; no match: the
// first listed, logged). Reports under "EngLanguagesInit". False when no
// language could be listed or memory ran out (then nothing is kept).
bool EngLanguagesInit(const char* folder, const char* defaultName);
int EngLanguagesGetNumLanguages();
// The current language's name, or "".
const char* EngLanguagesGetCurrentLanguageName();
int EngLanguagesGetCurrentLanguageNum();
// Case-insensitive by name ("Language does not exist: <%s>"); false without
// a message when there are no languages.
bool EngLanguagesSetCurrentLanguage(const char* name);
// 1 done, -1 index out of range, 0 no languages.
int EngLanguagesSetCurrentLanguageNum(int index);

// Sub-text n of the token in the current language (exact name match). A
// missing token reports "Token <%s:%d> not found" and gives ""; a sub-text
// out of range, a null or empty name, or no current language give "" silently.
const char* EngLanguagesGetString(const char* token, int subText);
const char* EngLanguagesGetFirstString(const char* token);
// By token index: "Token <%d> does not exist" / "Sub text num <%d> does not
// exist in token <%s>" and "".
const char* EngLanguagesGetStringFromTokenNum(int tokenIndex, int subText);
const char* EngLanguagesGetFirstStringFromTokenNum(int tokenIndex);
bool EngLanguagesDoesStringExist(const char* token, int subText);
// The token exists with a sub-text 0.
bool EngLanguagesDoesTokenExist(const char* token);
// Index or -1.
int EngLanguagesGetTokenNum(const char* token);
// Index or -1; the sub-text count (0 when not found) into numSubTexts (optional).
int EngLanguagesGetTokenNumAndNumSubTexts(const char* token, int* numSubTexts);
// The token's name or "".
const char* EngLanguagesGetTokenName(int tokenIndex);
// Sub-text 0 of the token into buffer with its first "%1" replaced by text1
// and (text2 given) its first "%2" by text2. False, buffer untouched, when a
// pointer is missing, the text is empty or missing, or the text's length is
// not below size minus both texts' lengths.
bool EngLanguagesGetStringWithParams(const char* token, const char* text1, const char* text2,
                                     char* buffer, int size);
bool EngLanguagesGetStringWithParam(const char* token, const char* text1, char* buffer,
                                    int size);
// Frees every language; the count returns to 0 and no language is current.
void EngLanguagesRelease();
// Frees one language's tokens (it stays in the list, empty).
void EngLanguagesFreeLanguage(int language);

// Test seam: the nth allocation from now (1 = the next) fails; 0 disables.
void EngLanguagesFailAllocationForTests(int nth);
