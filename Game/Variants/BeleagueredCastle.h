// BeleagueredCastle.h - Beleaguered Castle's callbacks;
// BeleagueredCastleSetup is in GenSetups.h.
#pragma once

// Deal plan: each ace to the foundation of its suit (foundation suit + 1),
// every other card cyclically to the eight fans, all face up.
bool BeleagueredCastleDeal(int a, int b);
// Fans, then foundations; takes every click.
bool BeleagueredCastleSelection(int quick, int down);
