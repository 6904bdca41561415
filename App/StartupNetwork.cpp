// StartupNetwork.cpp - the start's network work after the window is up (see
// StartupNetwork.h).
#include "App/StartupNetwork.h"

#include "App/Program.h"
#include "App/Resolution.h"
#include "App/StartupDialog.h"
#include "App/Updater.h"
#include "Engine/Debug.h"
#include "Engine/EngFrames.h"
#include "Engine/EngJob.h"
#include "Engine/EngProgram.h"

namespace {

enum class Step { kIdle, kWaitForFrame, kUpdateCheck, kInternetTests };

struct StartupWork {
  Step step = Step::kIdle;
  bool updateCheck = false;
  bool internetTests = false;
  bool begun = false;  // the current step has been started
};
StartupWork g_work;

// The next step that is due, from the update check on.
Step NextStep(Step after) {
  if (after < Step::kUpdateCheck && g_work.updateCheck) return Step::kUpdateCheck;
  if (after < Step::kInternetTests && g_work.internetTests) return Step::kInternetTests;
  return Step::kIdle;
}

void Advance() {
  g_work.step = NextStep(g_work.step);
  g_work.begun = false;
}

}  // namespace

void StartupNetworkSchedule(bool updateCheck, bool internetTests) {
  g_work = StartupWork();
  g_work.updateCheck = updateCheck;
  g_work.internetTests = internetTests;
  g_work.step = updateCheck || internetTests ? Step::kWaitForFrame : Step::kIdle;
}

namespace {

void MoveOn() {
  switch (g_work.step) {
    case Step::kIdle:
      return;
    case Step::kWaitForFrame:
      // This frame is drawn first; the next one begins.
      if (g_work.begun) {
        Advance();
      } else {
        g_work.begun = true;
      }
      return;
    case Step::kUpdateCheck:
      if (!g_work.begun) {
        g_work.begun = true;
        UpdaterBeginCheck(kProgramGameVersion, kProgramType);
      }
      UpdaterTick();
      if (UpdaterIsBusy()) return;
      if (UpdaterDownloadPlaced()) {
        // The new version is on the desktop, to be installed: the game ends.
        DebugNote("A new version was downloaded: closing down");
        g_work.step = Step::kIdle;
        if (EngProgram* program = EngProgramGetCurrent()) program->Quit();
        return;
      }
      Advance();
      return;
    case Step::kInternetTests:
      if (!g_work.begun) {
        g_work.begun = true;
        StartupDialogBeginInternetTests();
      }
      if (StartupDialogInternetTestsBusy()) return;
      ResolutionWriteFile();  // the tests' outcome is kept at once
      Advance();
      return;
  }
}

}  // namespace

void StartupNetworkTick() {
  MoveOn();
  // The steps move on in ticks of their own: a loop that draws only what
  // changes must still come back to them.
  if (StartupNetworkIsBusy()) EngFramesRequestTick(kEngJobTicksPerSecond);
}

bool StartupNetworkIsBusy() { return g_work.step != Step::kIdle; }
