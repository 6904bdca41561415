// Folders.cpp - the freedesktop (XDG) user folders. No state: the
// environment and ~/.config/user-dirs.dirs are read on every call.
#include "Folders.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string ConfigFolder() {
  std::string config = EnvOrEmpty("XDG_CONFIG_HOME");
  if (!config.empty() && config[0] == '/') return WithoutTrailingSlash(config);
  const std::string home = PlatformHomeFolder();
  return home.empty() ? "" : home + "/.config";
}

// The value of KEY="..." in user-dirs.dirs with "$HOME" expanded; "" when the
// file or key is missing or the value is not an absolute path.
std::string UserDir(const char* key) {
  const std::string config = ConfigFolder();
  if (config.empty()) return "";
  std::ifstream in(config + "/user-dirs.dirs");
  std::string line;
  const std::string prefix = std::string(key) + "=";
  while (std::getline(in, line)) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.compare(start, prefix.size(), prefix) != 0) continue;
    std::string value = line.substr(start + prefix.size());
    if (value.size() >= 2 && value.front() == '"') {
      const std::size_t close = value.find('"', 1);
      if (close == std::string::npos) return "";
      value = value.substr(1, close - 1);
    }
    if (value.compare(0, 5, "$HOME") == 0) {
      const std::string home = PlatformHomeFolder();
      if (home.empty()) return "";
      value = home + value.substr(5);
    }
    if (value.empty() || value[0] != '/') return "";
    return WithoutTrailingSlash(value);
  }
  return "";
}

}  // namespace

std::string PlatformHomeFolder() {
  std::string home = EnvOrEmpty("HOME");
  if (!home.empty()) return WithoutTrailingSlash(home);
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
    return WithoutTrailingSlash(entry->pw_dir);
  }
  return "";
}

std::string PlatformApplicationDataFolder() {
  const std::string data = EnvOrEmpty("XDG_DATA_HOME");
  if (!data.empty() && data[0] == '/') return WithoutTrailingSlash(data);
  const std::string home = PlatformHomeFolder();
  return home.empty() ? "" : home + "/.local/share";
}

std::string PlatformDesktopFolder() {
  std::string folder = UserDir("XDG_DESKTOP_DIR");
  if (!folder.empty()) return folder;
  const std::string home = PlatformHomeFolder();
  return home.empty() ? "" : home + "/Desktop";
}

std::string PlatformDocumentsFolder() {
  std::string folder = UserDir("XDG_DOCUMENTS_DIR");
  if (!folder.empty()) return folder;
  const std::string home = PlatformHomeFolder();
  return home.empty() ? "" : home + "/Documents";
}

std::string PlatformCurrentFolder() {
  char path[PATH_MAX];
  if (!getcwd(path, sizeof(path))) return "";
  return path;
}
