// Martha.h - Martha's callbacks; MarthaSetup is in GenSetups.h.
#pragma once

// Deal plan: each ace to the foundation of its suit; every other card
// cyclically to the 12 tableau piles, the first and third rows face down,
// the second and fourth face up.
bool MarthaDeal(int a, int b);
