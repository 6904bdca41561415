// PrepareNewPlayerDeck.cpp - the test run's setup case that makes the new
// player's deck the program tests copy (tests/Support/NewPlayerDeck.h).
#include <cstdio>
#include <string>

#include "tests/Support/NewPlayerDeck.h"

int main() {
  std::string why;
  if (TestPrepareNewPlayerDeck(&why)) return 0;
  std::fprintf(stderr, "%s\n", why.c_str());
  return 1;
}
