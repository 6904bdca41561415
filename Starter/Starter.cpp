// Starter.cpp - the starter's probe, explanation and game start (see
// Starter.h).
#include "Starter/Starter.h"

#include <dlfcn.h>
#include <spawn.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Starter/StarterBox.h"

extern char** environ;

namespace {

// The libraries the game's renderer and window need, by their run-time names.
const std::vector<std::string> kRendererLibraries = {"libGL.so.1", "libSDL2-2.0.so.0"};
// The Debian package pages of those libraries.
constexpr const char* kGlPage = "https://packages.debian.org/bookworm/libgl1";
constexpr const char* kSdlPage = "https://packages.debian.org/bookworm/libsdl2-2.0-0";

std::vector<std::string> g_libraries = kRendererLibraries;
std::vector<void*> g_handles;      // one per library, null while not loaded
std::size_t g_missing = 0;         // the first library that failed to load
std::string g_loaderMessage;
StarterAskFunction g_ask = nullptr;
StarterOpenFunction g_open = nullptr;

void CloseLibraries() {
  for (void*& handle : g_handles) {
    if (handle) dlclose(handle);
    handle = nullptr;
  }
}

// The message on stderr, answered Ok: where no box can be shown.
int AskOnStderr(const StarterMessage& message) {
  std::string text;
  for (const std::string& line : message.lines) {
    if (!text.empty()) text += "\n\n";
    text += line;
  }
  std::fprintf(stderr, "%s\n%s\n", message.title.c_str(), text.c_str());
  for (const StarterButton& button : message.buttons) {
    if (button.id == kStarterVendorPage) std::fprintf(stderr, "%s\n", button.text.c_str());
  }
  return kStarterOk;
}

int AskPlayer(const StarterMessage& message) {
  const int answer = StarterAskWithBox(message);
  return answer >= 0 ? answer : AskOnStderr(message);
}

int Ask(const StarterMessage& message) { return g_ask ? g_ask(message) : AskPlayer(message); }

bool OpenWithXdgOpen(const char* address) {
  if (StarterIsHeadless() || !StarterHasDisplay()) {
    std::fprintf(stderr, "Not opened (headless): %s\n", address);
    return false;
  }
  char program[] = "xdg-open";
  std::string target = address;
  char* argv[] = {program, target.data(), nullptr};
  pid_t child = 0;
  return posix_spawnp(&child, program, nullptr, nullptr, argv, environ) == 0;
}

bool Open(const char* address) { return g_open ? g_open(address) : OpenWithXdgOpen(address); }

// Starts the game; a failure is explained. True when it started.
bool StartOrExplain() {
  std::string error;
  if (StarterStartGame(&error)) return true;
  StarterMessage message = StarterGameNotStartedMessage(error);
  Ask(message);
  return false;
}

}  // namespace

bool ProbeD3D9Library() {
  if (g_handles.size() != g_libraries.size()) {
    CloseLibraries();
    g_handles.assign(g_libraries.size(), nullptr);
  }
  for (std::size_t i = 0; i < g_libraries.size(); ++i) {
    if (g_handles[i]) continue;
    g_handles[i] = dlopen(g_libraries[i].c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!g_handles[i]) {
      const char* reason = dlerror();
      g_loaderMessage = reason ? reason : (g_libraries[i] + ": cannot be loaded");
      g_missing = i;
      return false;
    }
  }
  g_loaderMessage.clear();
  return true;
}

bool CheckD3D9Present(bool) {
  if (!ProbeD3D9Library()) return false;
  CloseLibraries();
  return true;
}

const std::string& StarterGetLoaderMessage() { return g_loaderMessage; }

const char* StarterVendorPage() {
  const std::string missing = g_missing < g_libraries.size() ? g_libraries[g_missing] : std::string();
  return missing.find("SDL") != std::string::npos ? kSdlPage : kGlPage;
}

StarterMessage StarterMissingLibraryMessage() {
  StarterMessage message;
  message.title = kStarterTitle;
  message.lines = {"OpenGL and SDL 2 is needed to run Cardolia 3D",
                   "You must install this before you will be able to run the game.",
                   "Click on this button to go online and get the latest version of OpenGL and SDL 2 :"};
  if (!g_loaderMessage.empty()) message.lines.push_back(g_loaderMessage);
  message.buttons = {{kStarterOk, "Ok"}, {kStarterVendorPage, StarterVendorPage()}, {kStarterIgnore, "Ignore ..."}};
  return message;
}

StarterMessage StarterGameNotStartedMessage(const std::string& error) {
  StarterMessage message;
  message.title = kStarterTitle;
  message.lines = {"Cardolia_DX9 could not be started from the current folder: " + error,
                   "Start the launcher from the folder that holds the game."};
  message.buttons = {{kStarterOk, "Ok"}};
  return message;
}

bool StarterStartGame(std::string* error) {
  char program[] = "./Cardolia_DX9";
  char* argv[] = {program, nullptr};
  pid_t child = 0;
  const int result = posix_spawn(&child, program, nullptr, nullptr, argv, environ);
  if (result != 0) {
    if (error) *error = std::strerror(result);
    return false;
  }
  return true;
}

bool StarterDialogProc(int answer) {
  switch (answer) {
    case kStarterOk:
    case kStarterClosed:
      return true;
    case kStarterVendorPage:
      Open(StarterVendorPage());  // a page that cannot be opened changes nothing
      return true;
    case kStarterIgnore:
      StartOrExplain();
      return true;
    default:
      return false;
  }
}

int StarterMain() {
  if (CheckD3D9Present(false)) {
    const bool started = StartOrExplain();
    StarterBoxClose();
    return started ? 1 : 0;
  }
  // An answer the explanation does not know closes it, as the close box does.
  if (!StarterDialogProc(Ask(StarterMissingLibraryMessage()))) StarterDialogProc(kStarterClosed);
  CloseLibraries();
  StarterBoxClose();
  return 0;
}

void StarterSetLibrariesForTests(const std::vector<std::string>* names) {
  CloseLibraries();
  g_handles.clear();
  g_libraries = names ? *names : kRendererLibraries;
  g_loaderMessage.clear();
  g_missing = 0;
}

void StarterSetAskForTests(StarterAskFunction ask) { g_ask = ask; }
void StarterSetOpenerForTests(StarterOpenFunction open) { g_open = open; }
