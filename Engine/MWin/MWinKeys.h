// MWinKeys.h - the keys the toolkit's controls answer to, by name.
//
// The toolkit receives the engine's key codes unchanged, which are the
// Windows virtual-key codes; these are the few it acts on itself (a
// control's key hook sees every other code). No state.
#pragma once

enum MWinKey : int {
  kMWinKeyBackspace = 8,
  kMWinKeyTab = 9,
  kMWinKeyEnter = 13,
  kMWinKeyShift = 16,
  kMWinKeyEscape = 27,
  kMWinKeySpace = 32,
  kMWinKeyPageUp = 33,
  kMWinKeyPageDown = 34,
  kMWinKeyLeft = 37,
  kMWinKeyUp = 38,
  kMWinKeyRight = 39,
  kMWinKeyDown = 40,
  kMWinKeyDelete = 46,
};
