// Locale.cpp - the user's locale (see Locale.h).
#include "Locale.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The territory of the first non-empty locale variable, upper case; empty
// when there is none.
std::string Territory() {
  const char* value = nullptr;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(name);
    if (v && *v) {
      value = v;
      break;
    }
  }
  if (!value) return {};
  std::string locale(value);
  const std::size_t cut = locale.find_first_of(".@");
  if (cut != std::string::npos) locale.resize(cut);
  const std::size_t underscore = locale.find('_');
  if (underscore == std::string::npos) return {};
  std::string territory = locale.substr(underscore + 1);
  for (char& c : territory) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (char c : territory) {
    if (!std::isalpha(static_cast<unsigned char>(c))) return {};
  }
  return territory;
}

}  // namespace

int GetLocaleInfoA(LCID, LCTYPE item, char* data, int size) {
  if (item != LOCALE_SISO3166CTRYNAME) return 0;
  const std::string territory = Territory();
  if (territory.empty()) return 0;
  const int needed = static_cast<int>(territory.size()) + 1;
  if (size == 0) return needed;
  if (!data || size < needed) return 0;
  std::memcpy(data, territory.c_str(), static_cast<std::size_t>(needed));
  return needed;
}
