// Modules.cpp - the module configuration (see Modules.h).
#include "Screens/Modules.h"

#include "Game/UserRecord.h"

namespace {

ModulesConfig g_config;
ModulesItemFilenameCB g_itemFilename = nullptr;
LightSettings* g_lights = nullptr;

}  // namespace

bool ModulesSetup(const std::int32_t* config, ModulesItemFilenameCB callback) {
  // The words' bytes in memory order, as the record lays them out.
  if (config) {
    std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(&g_config);
    for (int i = 0; i < 10; ++i) {
      const auto word = static_cast<std::uint32_t>(config[i]);
      for (int k = 0; k < 4; ++k) bytes[4 * i + k] = static_cast<std::uint8_t>(word >> (8 * k));
    }
  }
  g_itemFilename = callback;
  return true;
}

bool ModulesSetLightSettings(LightSettings** reference) {
  if (!reference || !*reference) return false;
  g_lights = *reference;
  return true;
}

void ModulesSetDefaultLightSettings() {
  if (g_lights) *g_lights = LightSettings{};
}

void ModulesSetDefaultBoard() { g_UserRecord.currentBoard = 1; }

const ModulesConfig& ModulesGetConfig() { return g_config; }
ModulesItemFilenameCB ModulesGetItemFilenameCB() { return g_itemFilename; }
LightSettings* ModulesGetLightSettings() { return g_lights; }
