// Various.cpp - the web-page opener (see Various.h).
#include "App/Various.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinManager.h"
#include "Platform/Shell.h"

namespace {

struct Opener {
  char address[kVariousMaxAddress + 1] = {};
};
Opener g_opener;

// The question asked: the caller's, else the language text, else English.
const char* QuestionText(const char* question, const char* token, const char* fallback) {
  if (question && *question) return question;
  return EngLanguagesDoesTokenExist(token) ? EngLanguagesGetFirstString(token) : fallback;
}

}  // namespace

const char* VariousGetSiteAddress() {
  // One text per thread: network jobs ask for it on their own threads.
  static thread_local std::string site;
  const char* configured = std::getenv("CARDOLIA_SITE_URL");
  site = configured && *configured ? configured : kVariousDefaultSite;
  while (!site.empty() && site.back() == '/') site.pop_back();
  return site.c_str();
}

void VariousGoOnlineToSitePage(const char* question, const char* pagePath, bool askInFullScreen,
                               bool askInWindow, bool exitInFullScreen, bool exitInWindow) {
  const std::string address = std::string(VariousGetSiteAddress()) + "/" + (pagePath ? pagePath : "");
  VariousGoOnline(question, address.c_str(), askInFullScreen, askInWindow, exitInFullScreen, exitInWindow);
}

void VariousGoOnline(const char* question, const char* address, bool askInFullScreen, bool askInWindow,
                     bool exitInFullScreen, bool exitInWindow) {
  if (!address) return;
  if (address != g_opener.address) {
    if (std::strlen(address) > static_cast<std::size_t>(kVariousMaxAddress)) {
      DebugError("VariousGoOnline", "Path too long");
      return;
    }
    std::snprintf(g_opener.address, sizeof g_opener.address, "%s", address);
  }
  const bool windowed = EngWindowGetScreenMode().windowed != 0;
  const bool ask = windowed ? askInWindow : askInFullScreen;
  const bool exitFirst = windowed ? exitInWindow : exitInFullScreen;
  if (!ask) {
    if (exitFirst) {
      VariousExitAndOpenCB(1);
    } else {
      VariousOpenPage();
    }
    return;
  }
  if (exitFirst) {
    g_MWin.PopupOkCancel(nullptr,
                       QuestionText(question, "Various_ExitProgramAndGoOnline", "Exit Program and Go Online ?"),
                       VariousExitAndOpenCB);
  } else {
    g_MWin.PopupOkCancel(nullptr, QuestionText(question, "Various_GoOnline", "Go Online ?"), VariousOpenCB);
  }
}

void VariousOpenPage() {
  DebugNote("Opening <%s>", g_opener.address);
  ShellExecuteA(nullptr, "open", g_opener.address, "", "C:\\", SW_SHOWNORMAL);
}

void VariousOpenCB(int answer) {
  if (answer == 1) VariousOpenPage();
}

void VariousExitAndOpenCB(int answer) {
  if (answer != 1) return;
  if (EngProgram* program = EngProgramGetCurrent()) {
    // The page opens once the window and the device are gone.
    program->SetExitCallback(VariousOpenPage);
    DebugNote("CLOSING DOWN");
    program->Shutdown();
    return;
  }
  VariousOpenPage();
}
