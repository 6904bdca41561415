// UserOptions.h - the current player's per-game block (".opt", 2688 bytes
// on disk): autoplay level, games played, online value, running score and
// playing time of each of the 84 games, indexed by the game number.
//
// The shell's player unit (App/User) loads, saves and serialises it field
// by field through its offset table, so the in-memory layout here is free;
// the member initialisers are the values a new player gets.
//
// State: none here; g_UserOptions is defined in GameImports.cpp and loaded
// by the player data.
#pragma once

#include <cstdint>

constexpr int kUserNumGames = 84;

// The per-game block: four arrays indexed by the game number 0-83.
struct UserOptions {
  std::uint8_t autoplayMode[kUserNumGames] = {};     // 0 off, 1-3
  std::uint32_t reserved[kUserNumGames] = {};
  std::uint32_t gamesPlayed[kUserNumGames] = {};
  std::uint32_t onlineValue[kUserNumGames] = {};
  std::uint8_t onlineReserved[kUserNumGames][8] = {};
  std::int32_t runningScore[kUserNumGames] = {};
  std::int32_t elapsedSeconds[kUserNumGames] = {};   // playing time of the game in play
};

extern UserOptions g_UserOptions;
