// EngLList.cpp - the doubly linked list. Every operation checks the list's
// invariants first. State: g_liveLists (created minus destroyed).
#include "Engine/EngLList.h"

#include <cstdlib>
#include <cstring>

#include "Engine/Debug.h"

namespace {

int g_liveLists = 0;

bool InvariantsHold(const EngLList* list) {
  const bool haveFirst = list->first != nullptr;
  const bool haveLast = list->last != nullptr;
  if (haveFirst != haveLast) return false;
  if (haveFirst && (list->first->previous || list->last->next)) return false;
  if (list->count < 0) return false;
  if (list->count == 0) return !haveFirst;
  if (!haveFirst) return false;
  if (list->count == 1 && list->first != list->last) return false;
  if (list->count > 1 && (!list->first->next || !list->last->previous)) return false;
  if (!list->current || list->currentIndex < 0 || list->currentIndex >= list->count) return false;
  return true;
}

// The consistency check every operation starts with, reported under where.
bool CheckList(const char* where, EngLList* list) {
  if (!list) return false;
  if (list->setUp != 1) {
    DebugError(where, "List not setup");
    return false;
  }
  if (!InvariantsHold(list)) {
    DebugError(where, "List not ok");
    return false;
  }
  return true;
}

EngLListNode* NodeAt(const char* where, EngLList* list, int index) {
  if (index < 0 || index >= list->count) {
    DebugError(where, "Bad index %d [max = %d]", index, list->count);
    return nullptr;
  }
  EngLListNode* node = list->first;
  for (int i = 0; i < index; ++i) {
    if (!node) {
      DebugError(where, "List problem");
      return nullptr;
    }
    node = node->next;
  }
  if (!node) DebugError(where, "No element at index %d", index);
  return node;
}

// The element's data after the size guard, or null (reported under where).
void* DataAt(const char* where, EngLList* list, int index, int elementSize) {
  if (!CheckList(where, list)) return nullptr;
  if (elementSize != list->elementSize) {
    DebugError(where, "Size not ok");
    return nullptr;
  }
  EngLListNode* node = NodeAt(where, list, index);
  if (!node) return nullptr;
  if (!node->data) {
    DebugError(where, "No data at index %d", index);
    return nullptr;
  }
  return node->data;
}

// The common body of both appends: copied data, or a handed-over block.
int DoAdd(EngLList* list, const void* data, bool handOver, void* block, bool makeCurrent,
          int elementSize) {
  const char* where = "EngLListDoAdd";
  if (!CheckList(where, list)) return -1;
  if (data && handOver) {
    DebugError(where, "Parameters not ok");
    return -1;
  }
  if (elementSize != list->elementSize) {
    DebugError(where, "Size not ok");
    return -1;
  }
  auto* node = static_cast<EngLListNode*>(std::calloc(1, sizeof(EngLListNode)));
  if (!node) {
    DebugError(where, "No memory for list entry");
    return -1;
  }
  if (handOver) {
    node->data = block;
    node->copied = 0;
  } else {
    node->data = std::malloc(static_cast<std::size_t>(elementSize));
    if (!node->data) {
      std::free(node);
      DebugError(where, "No memory for element data");
      return -1;
    }
    if (data) {
      std::memcpy(node->data, data, static_cast<std::size_t>(elementSize));
    } else {
      std::memset(node->data, 0, static_cast<std::size_t>(elementSize));
    }
    node->copied = 1;
  }
  if (!list->first) {
    list->first = node;
  } else {
    list->last->next = node;
    node->previous = list->last;
  }
  list->last = node;
  ++list->count;
  if (!list->current) {
    list->current = list->first;
    list->currentIndex = 0;
  }
  const int index = list->count - 1;
  if (makeCurrent) EngLListSetCurrentPos(list, index);
  return index;
}

}  // namespace

bool EngLListCreate(EngLList* list, int elementSize) {
  if (!list) return false;
  std::memset(list, 0, sizeof(*list));
  list->currentIndex = -1;
  if (elementSize < 1) {
    DebugError("EngLListCreate", "Bad element size [%d]", elementSize);
    return false;
  }
  list->elementSize = elementSize;
  list->setUp = 1;
  ++g_liveLists;
  return true;
}

bool EngLListIsListOk(EngLList* list) { return CheckList("EngLListIsListOk", list); }

EngLListNode* EngLListGetElement(EngLList* list, int index) {
  if (!CheckList("EngLListGetElement", list)) return nullptr;
  return NodeAt("EngLListGetElement", list, index);
}

bool EngLListSetCurrentPos(EngLList* list, int index) {
  const char* where = "EngLListSetCurrentPos";
  if (!CheckList(where, list)) return false;
  EngLListNode* node = nullptr;
  if (index < 0 || index >= list->count) {
    DebugError(where, "Bad pos [max = %d]", list->count);
  } else {
    node = list->first;
    for (int i = 0; node && i < index; ++i) node = node->next;
    if (!node) DebugError(where, "List problem");
  }
  if (!node) {
    // No current position is left behind; an emptied cache is refilled by
    // the next append.
    list->current = nullptr;
    list->currentIndex = -1;
    if (list->count > 0) {
      list->current = list->first;
      list->currentIndex = 0;
    }
    return false;
  }
  list->current = node;
  list->currentIndex = index;
  return true;
}

void* EngLListGetElementData(EngLList* list, int index, int elementSize) {
  return DataAt("EngLListGetElementData", list, index, elementSize);
}

bool EngLListCopyElementData(EngLList* list, int index, int elementSize, void* destination) {
  const char* where = "EngLListCopyElementData";
  if (!destination) {
    DebugError(where, "Bad Parameters");
    return false;
  }
  void* data = DataAt(where, list, index, elementSize);
  if (!data) return false;
  std::memcpy(destination, data, static_cast<std::size_t>(elementSize));
  return true;
}

bool EngLListOverwriteData(EngLList* list, int index, const void* source, int elementSize) {
  const char* where = "EngLListOverwriteData";
  if (!source) {
    DebugError(where, "No data passed in");
    return false;
  }
  void* data = DataAt(where, list, index, elementSize);
  if (!data) return false;
  std::memmove(data, source, static_cast<std::size_t>(elementSize));
  return true;
}

bool EngLListDoesEntryDataExist(EngLList* list, const void* data, int elementSize,
                                int* outIndex) {
  const char* where = "EngLListDoesEntryDataExist";
  if (!CheckList(where, list) || !data) return false;
  if (elementSize != list->elementSize) {
    DebugError(where, "Size not ok");
    return false;
  }
  int index = 0;
  for (EngLListNode* node = list->first; node; node = node->next, ++index) {
    if (index >= list->count) {
      DebugError(where, "Checked too many");
      return false;
    }
    if (node->data && std::memcmp(node->data, data, static_cast<std::size_t>(elementSize)) == 0) {
      if (outIndex) *outIndex = index;
      return true;
    }
  }
  return false;
}

int EngLListAdd(EngLList* list, const void* data, bool makeCurrent, int elementSize) {
  return DoAdd(list, data, false, nullptr, makeCurrent, elementSize);
}

int EngLListAddHandedOver(EngLList* list, void* block, bool makeCurrent, int elementSize) {
  return DoAdd(list, nullptr, true, block, makeCurrent, elementSize);
}

bool EngLListReleaseAll(EngLList* list) {
  const char* where = "EngLListReleaseAll";
  if (!CheckList(where, list)) return false;
  int freed = 0;
  bool ok = true;
  EngLListNode* node = list->first;
  while (node) {
    EngLListNode* next = node->next;
    // Copied or handed over alike: plain data, freed without a destructor.
    std::free(node->data);
    std::free(node);
    if (++freed > list->count && ok) {
      DebugError(where, "Freed too many");
      ok = false;
    }
    node = next;
  }
  list->count = 0;
  list->first = list->last = list->current = nullptr;
  list->currentIndex = -1;
  return ok;
}

void EngLListDestroy(EngLList* list) {
  const char* where = "EngLListDestroy";
  if (!list) return;
  if (list->setUp != 1) {
    DebugError(where, "List not created");
    return;
  }
  EngLListReleaseAll(list);
  std::memset(list, 0, sizeof(*list));
  list->currentIndex = -1;
  --g_liveLists;
  if (g_liveLists < 0) DebugError(where, "More lists exited than created [%d]", g_liveLists);
}

int EngLListGetNumLiveLists() { return g_liveLists; }
