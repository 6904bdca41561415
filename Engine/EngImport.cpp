// EngImport.cpp - the report of a call through an empty import slot (see
// EngImport.h).
#include "Engine/EngImport.h"

#include "Engine/Debug.h"

void EngImportMissing(const char* name) {
  DebugError("EngImport", "The call %s was made before the layer above filled it in", name);
}
