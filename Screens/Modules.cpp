// Modules.cpp - the module configuration (see Modules.h).
#include "Screens/Modules.h"

#include "App/AppImports.h"
#include "Game/GameImports.h"

namespace {

ModulesConfig gConfig;
ModulesItemFilenameCB gItemFilename = nullptr;
LightSettings* gLights = nullptr;

}  // namespace

bool ModulesSetup(const std::int32_t* config, ModulesItemFilenameCB callback) {
  // The words' bytes in memory order, as the record lays them out.
  if (config) {
    std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(&gConfig);
    for (int i = 0; i < 10; ++i) {
      const auto word = static_cast<std::uint32_t>(config[i]);
      for (int k = 0; k < 4; ++k) bytes[4 * i + k] = static_cast<std::uint8_t>(word >> (8 * k));
    }
  }
  gItemFilename = callback;
  return true;
}

bool ModulesSetLightSettings(LightSettings** reference) {
  if (!reference || !*reference) return false;
  gLights = *reference;
  return true;
}

void ModulesSetDefaultLightSettings() {
  if (gLights) *gLights = LightSettings{};
}

void ModulesSetDefaultBoard() { g_UserRecord.currentBoard = 1; }

const ModulesConfig& ModulesGetConfig() { return gConfig; }
ModulesItemFilenameCB ModulesGetItemFilenameCB() { return gItemFilename; }
LightSettings* ModulesGetLightSettings() { return gLights; }
