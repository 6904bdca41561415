// UpdaterReply.cpp - the updater's rules without windows or network: the
// reply and its marks, the link's file name, the names on the desktop and
// the kinds of file a download may be (see Updater.h).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "App/Updater.h"

namespace {

constexpr const char* kLinkMark = "#DL:<";
constexpr std::size_t kLinkMarkLength = 5;
constexpr const char* kSizeMark = "#SIZE:<";
constexpr const char* kDigestMark = "#SHA256:<";
constexpr std::size_t kDigestLength = 64;
constexpr std::size_t kLongestTail = 255;  // a tail of 256 or more is too long
constexpr std::size_t kShortestTail = 10;  // a tail of up to 10 characters names nothing

bool NameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
         c == '_' || c == '+';
}

bool StartsWithNoCase(const char* text, const char* prefix) {
  for (; *prefix; ++text, ++prefix) {
    const char a = (*text >= 'A' && *text <= 'Z') ? static_cast<char>(*text - 'A' + 'a') : *text;
    if (a != *prefix) return false;
  }
  return true;
}

// The text of a mark up to its '>': false when the mark is missing.
bool MarkValue(const char* reply, const char* mark, std::string* value) {
  const char* at = std::strstr(reply, mark);
  if (!at) return false;
  at += std::strlen(mark);
  const char* end = std::strchr(at, '>');
  value->assign(at, end ? static_cast<std::size_t>(end - at) : std::strlen(at));
  return true;
}

void ReadFacts(const char* reply, UpdaterFileFacts* facts) {
  *facts = UpdaterFileFacts();
  std::string value;
  if (MarkValue(reply, kSizeMark, &value)) {
    std::uint64_t size = 0;
    bool digits = !value.empty() && value.size() <= 10;
    for (const char c : value) {
      if (c < '0' || c > '9') digits = false;
      if (digits) size = size * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (digits && size > 0 && size <= kUpdaterMaxStatedBytes) {
      facts->size = size;
    } else {
      facts->unreadable = true;
    }
  }
  if (MarkValue(reply, kDigestMark, &value)) {
    bool hex = value.size() == kDigestLength;
    for (char& c : value) {
      if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
      if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) hex = false;
    }
    if (hex) {
      facts->sha256 = value;
    } else {
      facts->unreadable = true;
    }
  }
}

// The kinds of file a download may be without a stated SHA-256: name
// endings and the bytes such a file begins with.
struct FileKind {
  const char* ending;
  const char* magic;
  std::size_t magicLength;
};
constexpr FileKind kFileKinds[] = {
    {".gz", "\x1f\x8b", 2},
    {".tgz", "\x1f\x8b", 2},
    {".zip", "PK\x03\x04", 4},
    {".exe", "MZ", 2},
    {".msi", "\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8},
    {".deb", "!<arch>\n", 8},
    {".rpm", "\xed\xab\xee\xdb", 4},
    {".xz", "\xfd" "7zXZ\x00", 6},
    {".bz2", "BZh", 3},
    {".appimage", "\x7f" "ELF", 4},
};

bool EndsWithNoCase(const std::string& text, const char* ending) {
  const std::size_t length = std::strlen(ending);
  if (text.size() < length) return false;
  return StartsWithNoCase(text.c_str() + text.size() - length, ending);
}

}  // namespace

bool UpdaterParseReply(char* reply, char link[kUpdaterLinkSize], bool* tooLong, UpdaterFileFacts* facts) {
  link[0] = '\0';
  if (tooLong) *tooLong = false;
  if (facts) *facts = UpdaterFileFacts();
  if (reply[0] == '\0' || (reply[0] == ' ' && reply[1] == 'X')) return false;
  if (facts) ReadFacts(reply, facts);
  char* mark = std::strstr(reply, kLinkMark);
  if (mark) {
    const std::size_t tail = std::strlen(mark);
    if (tail > kLongestTail) {
      if (tooLong) *tooLong = true;
    } else if (tail > kShortestTail) {
      const char* start = mark + kLinkMarkLength;
      const char* end = std::strchr(start, '>');
      const std::size_t length = end ? static_cast<std::size_t>(end - start) : std::strlen(start);
      std::memcpy(link, start, length);  // below the tail's 255 characters
      link[length] = '\0';
    }
  }
  // Only the message before the first mark is shown.
  for (const char* kind : {kLinkMark, kSizeMark, kDigestMark}) {
    if (char* at = std::strstr(reply, kind)) *at = '\0';
  }
  return true;
}

bool UpdaterLinkFileName(const char* link, std::string* name) {
  name->clear();
  constexpr const char* kScheme = "https://";
  if (!link || !StartsWithNoCase(link, kScheme)) return false;
  const char* host = link + std::strlen(kScheme);
  // The path runs from the first '/' after the host to a query or fragment.
  const std::size_t hostLength = std::strcspn(host, "/?#");
  if (hostLength == 0 || host[hostLength] != '/') return false;
  const char* path = host + hostLength;
  const std::size_t pathLength = std::strcspn(path, "?#");
  const char* last = path + pathLength;
  const char* start = last;
  while (start > path && start[-1] != '/') --start;
  const std::size_t length = static_cast<std::size_t>(last - start);
  if (length < 1 || length > static_cast<std::size_t>(kUpdaterMaxFileName) || *start == '.') return false;
  for (const char* c = start; c < last; ++c) {
    if (!NameCharacter(*c)) return false;
  }
  name->assign(start, length);
  return true;
}

std::string UpdaterDesktopName(const std::string& name, int n) {
  if (n <= 0) return name;
  if (n == 1) return "Latest_" + name;
  return "Latest_" + std::to_string(n) + "_" + name;
}

bool UpdaterContentMatchesName(const std::string& name, const unsigned char* head, std::size_t length) {
  for (const FileKind& kind : kFileKinds) {
    if (!EndsWithNoCase(name, kind.ending)) continue;
    return head && length >= kind.magicLength && std::memcmp(head, kind.magic, kind.magicLength) == 0;
  }
  return false;
}
