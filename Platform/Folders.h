// Folders.h - the user's special folders on the freedesktop (XDG) layout.
// Results are native UTF-8 paths without a trailing '/'; empty on failure.
// Reads the environment and ~/.config/user-dirs.dirs on every call (no
// state), so tests can point $HOME and $XDG_* at a temporary folder.
#pragma once

#include <string>

// $HOME, else the password database's home folder.
std::string PlatformHomeFolder();
// $XDG_DATA_HOME when absolute, else ~/.local/share.
std::string PlatformApplicationDataFolder();
// XDG_DESKTOP_DIR from $XDG_CONFIG_HOME/user-dirs.dirs (default
// ~/.config/user-dirs.dirs), "$HOME/..." expanded; else ~/Desktop.
std::string PlatformDesktopFolder();
// XDG_DOCUMENTS_DIR likewise; else ~/Documents.
std::string PlatformDocumentsFolder();
// The current working folder.
std::string PlatformCurrentFolder();
