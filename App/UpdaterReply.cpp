// UpdaterReply.cpp - the updater's rules without windows or network: the
// reply, the link's file name and the names on the desktop (see Updater.h).
#include <cstdio>
#include <cstring>

#include "App/Updater.h"

namespace {

constexpr const char* kLinkMark = "#DL:<";
constexpr std::size_t kLinkMarkLength = 5;
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

}  // namespace

bool UpdaterParseReply(char* reply, char link[kUpdaterLinkSize], bool* tooLong) {
  link[0] = '\0';
  if (tooLong) *tooLong = false;
  if (reply[0] == '\0' || (reply[0] == ' ' && reply[1] == 'X')) return false;
  char* mark = std::strstr(reply, kLinkMark);
  if (!mark) return true;
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
  *mark = '\0';  // only the message before the link is shown
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
