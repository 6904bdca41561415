// EngLanguages.cpp - reading the language files and looking texts up.
//
// State: g_lang (folder, language list, current index), emptied by
// EngLanguagesRelease and at the start of every EngLanguagesInit.
// Memory running out while a file is parsed aborts the whole
// initialisation: everything read so far is released and the caller is
// told, so no half-built table is ever looked at.
#include "Engine/EngLanguages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Platform/FindFiles.h"

namespace {

constexpr int kMaxFolderLength = 511;
constexpr int kMaxTokenName = 63;
constexpr int kLineBufferSize = 4095;  // lines are read 4094 characters at a time

struct LanguageTable {
  char folder[kMaxFolderLength + 1] = {};
  int count = 0;
  EngLanguage* languages = nullptr;
  int current = -1;
  int failAllocationAt = 0;  // test seam: the nth allocation from now fails
};

LanguageTable g_lang;

void* Allocate(std::size_t size) {
  if (g_lang.failAllocationAt > 0 && --g_lang.failAllocationAt == 0) return nullptr;
  return std::calloc(1, size ? size : 1);
}

bool IsLanguageFileName(const char* name) {
  const std::size_t length = std::strlen(name);
  return length >= 5 && length <= 59 && std::strcmp(name + length - 4, ".txt") == 0;
}

bool EqualIgnoringCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(*a);
    unsigned char cb = static_cast<unsigned char>(*b);
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca - 'A' + 'a');
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb - 'A' + 'a');
    if (ca != cb) return false;
    if (ca == 0) return true;
  }
}

// Drops the line end ("\n", and a "\r" before it or alone at the end).
void TrimLineEnd(char* line) {
  std::size_t length = std::strlen(line);
  if (length > 0 && line[length - 1] == '\n') line[--length] = '\0';
  if (length > 0 && line[length - 1] == '\r') line[--length] = '\0';
}

enum class LineKind { kSkip, kInvalid, kToken };

// Classifies a trimmed line; for a token, *nameLength is the name's length.
LineKind Classify(const char* line, int* nameLength) {
  if (line[0] == '\0' || line[0] == ';' || line[0] == '[') return LineKind::kSkip;
  const char* equals = std::strchr(line, '=');
  if (!equals) return LineKind::kInvalid;
  const long length = equals - line;
  if (length < 1 || length > kMaxTokenName) return LineKind::kInvalid;
  *nameLength = static_cast<int>(length);
  return LineKind::kToken;
}

bool IsSeparator(const char* text, std::size_t i) {
  return text[i] == '#' && (i == 0 || text[i - 1] != '#') && text[i + 1] != '#';
}

// One sub-text of text[start, end) with its conversions: every "\n" (a
// backslash and an n) becomes a newline, then the first "##" a single '#'.
std::string ConvertSubText(const char* text, std::size_t start, std::size_t end) {
  std::string out;
  out.reserve(end - start);
  for (std::size_t i = start; i < end; ++i) {
    if (text[i] == '\\' && i + 1 < end && text[i + 1] == 'n') {
      out.push_back('\n');
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  const std::size_t pair = out.find("##");
  if (pair != std::string::npos) out.erase(pair, 1);
  return out;
}

char* CopyText(const std::string& text) {
  auto* copy = static_cast<char*>(Allocate(text.size() + 1));
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void FreeTokens(EngLanguage* language) {
  for (int t = 0; t < language->numTokens && language->tokens; ++t) {
    EngLanguageToken& token = language->tokens[t];
    for (int s = 0; s < token.numSubTexts && token.subTexts; ++s) std::free(token.subTexts[s].text);
    std::free(token.subTexts);
    std::free(token.name);
  }
  std::free(language->tokens);
  language->tokens = nullptr;
  language->numTokens = 0;
}

enum class ParseResult { kOk, kFailed, kNoMemory };

// Builds one token from a valid line; false when memory ran out (the token
// then holds what it got so that FreeTokens releases it).
ParseResult BuildToken(const char* line, int nameLength, EngLanguageToken* token) {
  const char* where = "EngLangParseLanguage";
  token->name = static_cast<char*>(Allocate(static_cast<std::size_t>(nameLength) + 1));
  if (!token->name) {
    DebugError(where, "No memory (1)");
    return ParseResult::kNoMemory;
  }
  std::memcpy(token->name, line, static_cast<std::size_t>(nameLength));
  token->name[nameLength] = '\0';
  token->nameLength = nameLength;

  const char* text = line + nameLength + 1;
  const std::size_t length = std::strlen(text);
  int separators = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (IsSeparator(text, i)) ++separators;
  }
  const int numSubTexts = separators + 1;
  token->subTexts = static_cast<EngLanguageSubText*>(
      Allocate(sizeof(EngLanguageSubText) * static_cast<std::size_t>(numSubTexts)));
  if (!token->subTexts) {
    DebugError(where, "No memory (2)");
    return ParseResult::kNoMemory;
  }
  token->numSubTexts = numSubTexts;
  std::size_t start = 0;
  int index = 0;
  for (std::size_t i = 0; i <= length; ++i) {
    if (i < length && !IsSeparator(text, i)) continue;
    const std::string sub = ConvertSubText(text, start, i);
    token->subTexts[index].text = CopyText(sub);
    if (!token->subTexts[index].text) {
      DebugError(where, "No memory (3)");
      return ParseResult::kNoMemory;
    }
    token->subTexts[index].length = static_cast<int>(sub.size());
    ++index;
    start = i + 1;
  }
  return ParseResult::kOk;
}

ParseResult ParseLanguage(int languageIndex) {
  const char* where = "EngLangParseLanguage";
  EngLanguage* language = &g_lang.languages[languageIndex];
  char path[kMaxFolderLength + 80];
  std::snprintf(path, sizeof(path), "%s/%s.txt", g_lang.folder, language->name);
  EngFile file;
  if (!file.OpenForReading(path, true)) {
    DebugError(where, "Could not open file <%s>", path);
    return ParseResult::kFailed;
  }
  // Pass 1: count the valid lines (and report the broken ones once).
  static char line[kLineBufferSize];
  int valid = 0;
  while (file.ReadLine(line, sizeof(line))) {
    TrimLineEnd(line);
    int nameLength = 0;
    const LineKind kind = Classify(line, &nameLength);
    if (kind == LineKind::kToken) ++valid;
    if (kind == LineKind::kInvalid) {
      DebugError(where, "ParseLang: Invalid token in line <%s>", DebugForeignText(line).c_str());
    }
  }
  if (valid == 0) {
    DebugError("EngLanguagesInit", "No texts found in file");
    return ParseResult::kFailed;
  }
  if (!file.Rewind()) {
    DebugError(where, "Could not rewind file <%s>", path);
    return ParseResult::kFailed;
  }
  language->tokens = static_cast<EngLanguageToken*>(
      Allocate(sizeof(EngLanguageToken) * static_cast<std::size_t>(valid)));
  if (!language->tokens) {
    DebugError(where, "No memory");
    return ParseResult::kNoMemory;
  }
  // Pass 2: build the tokens (never more than pass 1 counted).
  int built = 0;
  while (built < valid && file.ReadLine(line, sizeof(line))) {
    TrimLineEnd(line);
    int nameLength = 0;
    if (Classify(line, &nameLength) != LineKind::kToken) continue;
    language->numTokens = built + 1;
    const ParseResult result = BuildToken(line, nameLength, &language->tokens[built]);
    if (result != ParseResult::kOk) return result;
    ++built;
  }
  language->numTokens = built;
  return ParseResult::kOk;
}

const EngLanguage* Current() {
  if (g_lang.count < 1 || g_lang.current < 0 || g_lang.current >= g_lang.count) return nullptr;
  return &g_lang.languages[g_lang.current];
}

const EngLanguageToken* FindToken(const char* token, int* index) {
  const EngLanguage* language = Current();
  if (!language || !token || !*token) return nullptr;
  for (int t = 0; t < language->numTokens; ++t) {
    if (std::strcmp(language->tokens[t].name, token) == 0) {
      if (index) *index = t;
      return &language->tokens[t];
    }
  }
  return nullptr;
}

}  // namespace

bool EngLanguagesInit(const char* folder, const char* defaultName) {
  const char* where = "EngLanguagesInit";
  EngLanguagesRelease();
  if (folder && std::strlen(folder) > static_cast<std::size_t>(kMaxFolderLength)) {
    DebugError(where, "Languages directory too long <%s>", folder);
    return false;
  }
  if (folder && *folder) std::snprintf(g_lang.folder, sizeof(g_lang.folder), "%s", folder);
  if (!g_lang.folder[0]) return false;
  if (!EngFileDirectoryExists(g_lang.folder)) {
    DebugError(where, "Languages directory does not exists <%s>", g_lang.folder);
    return false;
  }
  // The language files, in name order.
  std::vector<std::string> fileNames;
  const std::string pattern = std::string(g_lang.folder) + "/*.*";
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (IsLanguageFileName(entry.cFileName)) fileNames.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  const int found = static_cast<int>(fileNames.size());
  if (found == 0) {
    DebugError(where, "No language files found in directory <%s>", g_lang.folder);
    return false;
  }
  g_lang.languages =
      static_cast<EngLanguage*>(Allocate(sizeof(EngLanguage) * static_cast<std::size_t>(found)));
  if (!g_lang.languages) {
    DebugError(where, "No memory");
    return false;
  }
  const char* wanted = defaultName ? defaultName : "English";
  for (int i = 0; i < found; ++i) {
    EngLanguage& language = g_lang.languages[i];
    std::snprintf(language.name, sizeof(language.name), "%.*s",
                  static_cast<int>(fileNames[i].size() - 4), fileNames[i].c_str());
    if (EqualIgnoringCase(language.name, wanted)) g_lang.current = i;
  }
  g_lang.count = found;
  if (g_lang.current < 0) {
    DebugError(where, "Could not find default language - using language 0 <%s>",
               g_lang.languages[0].name);
    g_lang.current = 0;
  }
  for (int i = 0; i < g_lang.count; ++i) {
    const ParseResult result = ParseLanguage(i);
    if (result == ParseResult::kNoMemory) {
      DebugError(where, "Failed parsing language <%s>", g_lang.languages[i].name);
      EngLanguagesRelease();
      return false;
    }
    if (result == ParseResult::kFailed) {
      DebugError(where, "Failed parsing language <%s>", g_lang.languages[i].name);
      FreeTokens(&g_lang.languages[i]);
    }
  }
  return true;
}

int EngLanguagesGetNumLanguages() { return g_lang.count; }

const char* EngLanguagesGetCurrentLanguageName() {
  const EngLanguage* language = Current();
  return language ? language->name : "";
}

int EngLanguagesGetCurrentLanguageNum() { return g_lang.current; }

bool EngLanguagesSetCurrentLanguage(const char* name) {
  if (g_lang.count < 1) return false;
  for (int i = 0; name && i < g_lang.count; ++i) {
    if (EqualIgnoringCase(g_lang.languages[i].name, name)) {
      g_lang.current = i;
      return true;
    }
  }
  DebugError("EngLanguagesSetCurrentLanguage", "Language does not exist: <%s>",
             name ? name : "");
  return false;
}

int EngLanguagesSetCurrentLanguageNum(int index) {
  if (g_lang.count < 1) return 0;
  if (index < 0 || index >= g_lang.count) return -1;
  g_lang.current = index;
  return 1;
}

const char* EngLanguagesGetString(const char* token, int subText) {
  if (!token || !*token || !Current()) return "";
  const EngLanguageToken* found = FindToken(token, nullptr);
  if (!found) {
    DebugError("EngLanguagesGetString", "Token <%s:%d> not found", token, subText);
    return "";
  }
  if (subText < 0 || subText >= found->numSubTexts) return "";
  return found->subTexts[subText].text;
}

const char* EngLanguagesGetFirstString(const char* token) { return EngLanguagesGetString(token, 0); }

const char* EngLanguagesGetStringFromTokenNum(int tokenIndex, int subText) {
  const char* where = "EngLanguagesGetString";
  const EngLanguage* language = Current();
  if (!language || tokenIndex < 0 || tokenIndex >= language->numTokens) {
    DebugError(where, "Token <%d> does not exist", tokenIndex);
    return "";
  }
  const EngLanguageToken& token = language->tokens[tokenIndex];
  if (subText < 0 || subText >= token.numSubTexts) {
    DebugError(where, "Sub text num <%d> does not exist in token <%s>", subText, token.name);
    return "";
  }
  return token.subTexts[subText].text;
}

const char* EngLanguagesGetFirstStringFromTokenNum(int tokenIndex) {
  return EngLanguagesGetStringFromTokenNum(tokenIndex, 0);
}

bool EngLanguagesDoesStringExist(const char* token, int subText) {
  const EngLanguageToken* found = FindToken(token, nullptr);
  return found && subText >= 0 && subText < found->numSubTexts;
}

bool EngLanguagesDoesTokenExist(const char* token) { return EngLanguagesDoesStringExist(token, 0); }

int EngLanguagesGetTokenNum(const char* token) {
  int index = -1;
  return FindToken(token, &index) ? index : -1;
}

int EngLanguagesGetTokenNumAndNumSubTexts(const char* token, int* numSubTexts) {
  int index = -1;
  const EngLanguageToken* found = FindToken(token, &index);
  if (numSubTexts) *numSubTexts = found ? found->numSubTexts : 0;
  return found ? index : -1;
}

const char* EngLanguagesGetTokenName(int tokenIndex) {
  const EngLanguage* language = Current();
  if (!language || tokenIndex < 0 || tokenIndex >= language->numTokens) return "";
  return language->tokens[tokenIndex].name;
}

bool EngLanguagesGetStringWithParams(const char* token, const char* text1, const char* text2,
                                     char* buffer, int size) {
  if (!token || !text1 || !buffer || size < 1) return false;
  const char* text = EngLanguagesGetFirstString(token);
  const std::size_t length = std::strlen(text);
  if (length == 0) return false;
  const long room = static_cast<long>(size) - static_cast<long>(std::strlen(text1)) -
                    static_cast<long>(text2 ? std::strlen(text2) : 0);
  if (static_cast<long>(length) >= room) return false;
  std::string out;
  bool done1 = false, done2 = false;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == '%' && text[i + 1] == '1' && !done1) {
      out += text1;
      done1 = true;
      ++i;
    } else if (text[i] == '%' && text[i + 1] == '2' && text2 && !done2) {
      out += text2;
      done2 = true;
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  std::memcpy(buffer, out.c_str(), out.size() + 1);
  return true;
}

bool EngLanguagesGetStringWithParam(const char* token, const char* text1, char* buffer,
                                    int size) {
  return EngLanguagesGetStringWithParams(token, text1, nullptr, buffer, size);
}

void EngLanguagesRelease() {
  for (int i = 0; i < g_lang.count && g_lang.languages; ++i) FreeTokens(&g_lang.languages[i]);
  std::free(g_lang.languages);
  g_lang.languages = nullptr;
  g_lang.count = 0;
  g_lang.current = -1;
}

void EngLanguagesFreeLanguage(int language) {
  if (language < 0 || language >= g_lang.count) return;
  FreeTokens(&g_lang.languages[language]);
}

void EngLanguagesFailAllocationForTests(int nth) { g_lang.failAllocationAt = nth < 0 ? 0 : nth; }
