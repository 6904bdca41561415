// Program.h - the game's program object and its entry. The entry creates
// the one Program, hands it the command line, creates the main window and
// the device through the engine, runs the main loop and shuts down; every
// virtual operation of the engine's program forwards to the game shell, the
// toolkit, or the start-up sequence here.
//
// Start-up (InitCB): folders, log, languages and modules; the display-mode
// lists; the banner; the settings file and whether the weekly update check
// is due; the start-up configuration when it is due (forced by the command
// line "CONFIGURATION", asked by the settings, or a new version); the
// settings written with the show-dialog flag on, so that a run that does not
// end normally shows the dialog at the next start. Nothing waits on the
// network before the window: the update check and the Internet tests run
// from the tick once it is up (App/StartupNetwork.h).
//
// State: the program pointer (null before ProgramMain and after it).
#pragma once

#include "Engine/EngProgram.h"

constexpr const char* kProgramTitle = "Free Cardolia 3D";
constexpr const char* kProgramShortTitle = "Cardolia 3D";
constexpr float kProgramGameVersion = 4.82f;
constexpr float kProgramFileVersion = 4.30f;
constexpr const char* kProgramConfigurationWord = "CONFIGURATION";

class Program : public EngProgram {
 public:
  int InitCB(const char* commandLine) override;
  int PreDeviceInitCB() override;
  int PostDeviceInitCB() override;
  int CreateGraphicsObjectsCB() override;
  void DestroyGraphicsObjectsCB() override;
  bool TickCB() override;
  void RenderCB() override;
  bool InputEventCB(int kind, int value1, int value2) override;
  void ActiveChangedCB(bool active) override;
  void PostModeChangeCB() override;
  void PreShutdownDeviceCB() override;
  void ExitCB() override;
};

// The game version the settings file held at start-up (4.82 when it was
// missing or rejected): another version reruns the start-up configuration
// and the Internet test.
float ProgramGetPreviousGameVersion();
// The update check's program type.
constexpr const char* kProgramType = "Free";

// True when the command line asks for the start-up configuration: exactly
// "CONFIGURATION", nothing before or after, letter case counting.
bool ProgramIsConfigurationCommand(const char* commandLine);

// The entry: returns the process exit code. 0 after a normal run and after
// a quiet end (closed dialog, a started download); -1 when the program
// object cannot be made, start-up fails, or the window or the device cannot
// be created.
int ProgramMain(void* instance, const char* commandLine);
