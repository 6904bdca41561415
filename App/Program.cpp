// Program.cpp - the program object and the entry (see Program.h).
#include "App/Program.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "App/AppImports.h"
#include "Game/GameState.h"
#include "App/Resolution.h"
#include "App/StartupDialog.h"
#include "App/StartupNetwork.h"
#include "App/Updater.h"
#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Platform/Memory.h"

namespace {

Program* g_program = nullptr;
float g_previousVersion = kProgramGameVersion;
constexpr const char* kDashes =
    "---------------------------------------------------------------------------";

}  // namespace

float ProgramGetPreviousGameVersion() { return g_previousVersion; }

bool ProgramIsConfigurationCommand(const char* commandLine) {
  return commandLine && std::strcmp(commandLine, kProgramConfigurationWord) == 0;
}

int Program::InitCB(const char* commandLine) {
  if (!g_AppImports.GameSetupLogLanguagesAndFolders()) return 0;
  SetMainDeviceType(1);
  EngResModesGetModesAvailable();
  const bool forced = ProgramIsConfigurationCommand(commandLine);

  DebugPlain("%s", kProgramShortTitle);
  DebugPlain("%s", kDashes);
  DebugPlain("Game Version %0.2f", static_cast<double>(kProgramGameVersion));
  DebugPlain("File Version %0.2f", static_cast<double>(kProgramFileVersion));
  DebugPlain("%s", kDashes);
  DebugPlain("Architecture: PC");
  DebugPlain("%s", kDashes);

  // The weekly update check is decided (and its date stored) here but runs
  // once the window is up, like the Internet tests: nothing on the network
  // holds the start. The version the settings file was written by decides
  // on the configuration below (the defaults hold 4.82).
  ResolutionReadFile();
  const float previousVersion = g_ResolutionSettings.gameVersion;
  g_previousVersion = previousVersion;
  const bool updateCheck = UpdaterWeeklyCheckDue(&g_ResolutionSettings.lastUpdateCheck);
  ResolutionWriteFile();

  const bool configure = forced || g_ResolutionSettings.showDialog ||
                         !EngMiscFloatsNearlyEqual(previousVersion, kProgramGameVersion);
  if (configure) {
    ResolutionReadFile();
    EngLanguagesSetCurrentLanguage(g_ResolutionSettings.language);
    const int result = StartupDialogRun();
    if (result < 1) return result;
    ResolutionSetSettings();
    ResolutionWriteFile();
  }
  StartupNetworkSchedule(updateCheck, configure && StartupDialogInternetTestsDue());

  // From here until the shutdown saves, the file on disk asks for the
  // dialog: a run that does not end normally shows it at the next start.
  ResolutionUpdateSettingsFromCurrent();
  ResolutionSetRunInProgress(true);
  ResolutionWriteFile();

  SetLoopType(kEngLoopConstantFrameRate);
  // Frames are drawn while something moves; a still screen costs nothing.
  SetFramesOnDemand(true);
  SetWorkPendingQuery([] { return g_AppImports.GameIsWorkPending(); });
  g_AppImports.GameLogResolutionSettings(0);
  return 1;
}

int Program::PreDeviceInitCB() { return g_AppImports.GamePreDeviceInit() ? 1 : 0; }
int Program::PostDeviceInitCB() { return g_AppImports.GamePostDeviceInit() ? 1 : 0; }
int Program::CreateGraphicsObjectsCB() { return g_AppImports.GameCreateGraphics() ? 1 : 0; }
void Program::DestroyGraphicsObjectsCB() { g_AppImports.GameFreeGraphics(); }

bool Program::TickCB() {
  if (!EngWindowIsDeviceCurrent()) return false;
  if (!GetWindow()) return true;
  StartupNetworkTick();
  g_AppImports.GameTickCB();
  return true;
}

void Program::RenderCB() { g_AppImports.GameRenderCB(); }

bool Program::InputEventCB(int kind, int value1, int value2) {
  if (!GetWindow()) return false;
  return g_AppImports.GameInputEventCB(kind, value1, value2);
}

void Program::ActiveChangedCB(bool active) { g_AppImports.GameOnActiveChanged(active); }
void Program::PostModeChangeCB() { g_AppImports.GameAfterModeChange(); }

void Program::PreShutdownDeviceCB() {
  // The saves at shutdown store the real show-dialog flag.
  ResolutionSetRunInProgress(false);
  g_AppImports.GameShutdown();
}

void Program::ExitCB() { EngLanguagesRelease(); }

int ProgramMain(void* instance, const char* commandLine) {
  // Decoded pictures and texture copies are large passing blocks: they go
  // back to the system when freed instead of staying in the heap.
  PlatformMemoryKeepLargeBlocksApart();
  g_program = new (std::nothrow) Program;
  if (!g_program) return -1;

  const int init = g_program->Init(instance, commandLine);
  if (init < 0) {
    delete g_program;
    g_program = nullptr;
    return 0;
  }
  if (init == 0) {
    DebugError("Main", "Init Failed");
    EngShowPrematureTerminationBox();
    delete g_program;
    g_program = nullptr;
    return -1;
  }

  std::snprintf(g_WindowSettings.className, sizeof g_WindowSettings.className, "%s", kProgramTitle);
  DebugPlain("%s", kProgramTitle);
  DebugPlain("%s", kDashes);
  std::int8_t result = 0;
  EngWindow* window = g_program->CreateMainWindow(kProgramTitle, g_WindowSettings, &result);
  if (!window) {
    g_program->Shutdown();
    delete g_program;
    g_program = nullptr;
    if (result == 0) EngShowPrematureTerminationBox();
    return -1;
  }
  if (!window->CreateGraphicsDevice()) {
    g_program->Shutdown();
    delete g_program;
    g_program = nullptr;
    EngShowPrematureTerminationBox();
    return -1;
  }
  g_program->Run();
  g_program->Shutdown();
  delete g_program;
  g_program = nullptr;
  return 0;
}
