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
#include <type_traits>

#include "Game/GenGameTable.h"

constexpr int kUserNumGames = 84;
// One block per game of the game table, in its order: a table of another
// length would leave a game without its block, or index past the arrays.
static_assert(kUserNumGames == std::extent_v<decltype(GenGameTable)>,
              "the per-game block holds every game of the game table");

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
