// Shell.cpp - ShellExecuteA over xdg-open and a detached spawn (see Shell.h).
#include "Shell.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "Cp1252.h"
#include "Dialogs.h"
#include "Files.h"

namespace {

PlatformShellListener g_listener = nullptr;
void* g_listenerContext = nullptr;

HINSTANCE Result(int code) {
  return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(code));
}

// "scheme://..." or "mailto:...": handed over unchanged.
bool IsAddress(const char* file) {
  if (strncasecmp(file, "mailto:", 7) == 0) return true;
  const char* colon = std::strstr(file, "://");
  if (!colon || colon == file) return false;
  for (const char* p = file; p < colon; ++p) {
    const char c = *p;
    const bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                            (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    if (!schemeChar) return false;
  }
  return true;
}

// The parameters as one native argument: surrounding double quotes removed,
// the game's CP1252 text in UTF-8 (a picture's path reaches the program as
// the file system names it).
std::string Unquoted(const char* parameters) {
  std::string text = parameters;
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  return Cp1252ToUtf8(text.c_str());
}

}  // namespace

bool PlatformSpawnDetached(const char* const* argv, const char* directory) {
  if (!argv || !argv[0]) return false;
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      if (directory && *directory && chdir(directory) != 0) {
        // A folder that cannot be entered leaves the current one.
      }
      execvp(argv[0], const_cast<char* const*>(argv));
      _exit(127);
    }
    _exit(grandchild < 0 ? 1 : 0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) < 0) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

HINSTANCE ShellExecuteA(HWND, const char* verb, const char* file, const char* parameters,
                        const char* directory, int) {
  if (g_listener) g_listener(verb ? verb : "", file ? file : "", parameters ? parameters : "",
                             g_listenerContext);
  if (verb && *verb && strcasecmp(verb, "open") != 0) return Result(SE_ERR_NOASSOC);
  if (!file || !*file) return Result(SE_ERR_FNF);
  if (PlatformIsHeadless()) {
    std::fprintf(stderr, "[shell] open %s (headless: not started)\n", file);
    return Result(kShellExecuteDone);
  }

  if (IsAddress(file)) {
    const char* argv[] = {"xdg-open", file, nullptr};
    return Result(PlatformSpawnDetached(argv, nullptr) ? kShellExecuteDone : SE_ERR_OOM);
  }
  const std::string native = PlatformNativePath(file);
  const std::string folder = directory && *directory ? PlatformNativePath(directory) : std::string();
  struct stat info {};
  const bool folderExists = !folder.empty() && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  if (PlatformFileIsProgram(file)) {
    const std::string argument = parameters ? Unquoted(parameters) : std::string();
    std::vector<const char*> argv = {native.c_str()};
    if (!argument.empty()) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    // execvp would search PATH for a bare name; a file found here is meant.
    const std::string program = native.find('/') == std::string::npos ? "./" + native : native;
    argv[0] = program.c_str();
    return Result(PlatformSpawnDetached(argv.data(), folderExists ? folder.c_str() : nullptr)
                      ? kShellExecuteDone
                      : SE_ERR_OOM);
  }
  const char* argv[] = {"xdg-open", native.c_str(), nullptr};
  return Result(PlatformSpawnDetached(argv, nullptr) ? kShellExecuteDone : SE_ERR_OOM);
}

void PlatformShellSetListener(PlatformShellListener listener, void* context) {
  g_listener = listener;
  g_listenerContext = context;
}
