// EngInternet.cpp - the Internet front-ends (see EngInternet.h).
#include "Engine/EngInternet.h"

#include "Engine/DX9/EngInternetDX9.h"
#include "Engine/EngProgram.h"

bool EngInternetReadURL(const char* url, char* buffer, int size, int* length, char* errorText,
                        const char* errorPrefix, int timeoutSeconds) {
  if (EngProgramGetMainDeviceType() != 1) return false;
  return EngInternetConnectAndReadURL(url, buffer, size, length, errorText, errorPrefix, timeoutSeconds);
}

bool EngInternetIsConnected() { return true; }
