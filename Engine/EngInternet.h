// EngInternet.h - the engine's Internet front-ends. EngInternetReadURL
// forwards to the WinINet back end (Engine/DX9/EngInternetDX9.h) when the
// main device type is 1; EngInternetIsConnected always answers true, so
// callers start their transfer at once and the transfer reports its own
// errors. No state.
#pragma once

// See EngInternetConnectAndReadURL: false without the Direct3D device type.
bool EngInternetReadURL(const char* url, char* buffer, int size, int* length, char* errorText,
                        const char* errorPrefix, int timeoutSeconds);
bool EngInternetIsConnected();
