// VantripMain.cpp - the entry of the starter program Vantrip_DX9 (see
// Starter/Starter.h). The command line is not read.
#include "Starter/Starter.h"

int main() { return StarterMain(); }
