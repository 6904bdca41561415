// Modules.h - the configuration the game gives the player screens and the
// lighting page once at start-up: the player screens' configuration record
// and the callback naming their picture files, and the reference to the
// light settings inside the player's options.
//
// State: the configuration, the callback and the light-settings reference,
// kept for the run.
#pragma once

#include <cstdint>

struct LightSettings;

// Ten words; the bytes read are named.
struct ModulesConfig {
  std::uint8_t loadPictures = 0;    // byte 0: the player screens load their pictures
  std::uint8_t textureSwitch1 = 0;  // byte 1 } both on: the title picture loads with
  std::uint8_t textureSwitch2 = 0;  // byte 2 } alpha kind 1, flags 2
  std::uint8_t unused1[17] = {};
  std::uint8_t splash = 0;          // byte 20: the splash panel's graphics are made too
  std::uint8_t unused2[19] = {};
};
static_assert(sizeof(ModulesConfig) == 40, "module configuration is ten words");

// The name of a module's picture file: item 0 the title picture, 1 the flag
// sheet.
using ModulesItemFilenameCB = const char* (*)(int item);

// Copies the configuration (ten words, as ModulesConfig holds them) when
// one is given (keeps the old one otherwise) and always stores the
// callback. True.
bool ModulesSetup(const std::int32_t* config, ModulesItemFilenameCB callback);
// Keeps the light settings *reference points to; false, nothing stored,
// when either is none.
bool ModulesSetLightSettings(LightSettings** reference);
// The defaults of the light settings (when a reference is kept): ambient
// 0.2, point light, colour set 1 (1.0, 0.8, 0.6), position 1, height 15.
void ModulesSetDefaultLightSettings();
// The table board a new player starts with: 1.
void ModulesSetDefaultBoard();

const ModulesConfig& ModulesGetConfig();
ModulesItemFilenameCB ModulesGetItemFilenameCB();
LightSettings* ModulesGetLightSettings();
