// EngLList.h - the engine's general container: a doubly linked list of
// fixed-size elements addressed by index, with a cached current position.
//
// Every operation re-tests the list's consistency first and reports misuse
// through DebugError under its own name; data accesses pass the element size
// they expect as a guard against using a list with the wrong element type.
//
// Elements are plain data: the list copies bytes in and out and frees with
// std::free, never running a destructor. EngLListAddPointer therefore only
// accepts pointers to trivially copyable, trivially destructible types
// allocated with std::malloc (checked at compile time).
//
// State: one count of live lists (created minus destroyed), for leak checks.
#pragma once

#include <cstdint>
#include <type_traits>

struct EngLListNode {
  EngLListNode* previous;
  EngLListNode* next;
  void* data;           // the element's bytes, or the handed-over block
  std::uint8_t copied;  // 1: the list copied the data; 0: handed over
};

// The list header, a plain record owned by the caller.
struct EngLList {
  std::uint8_t setUp;  // 1 when created
  int elementSize;     // at least 1
  int count;
  EngLListNode* first;
  EngLListNode* last;
  EngLListNode* current;
  int currentIndex;    // -1 when there is none
};

// Clears the header; an element size below 1 reports "Bad element size [%d]".
bool EngLListCreate(EngLList* list, int elementSize);
// "List not setup" / "List not ok" when an invariant fails; null: false silently.
bool EngLListIsListOk(EngLList* list);
// The node at index, or null ("Bad index %d [max = %d]", ...).
EngLListNode* EngLListGetElement(EngLList* list, int index);
// Makes that node current; on failure there is no current position.
bool EngLListSetCurrentPos(EngLList* list, int index);
// The element's data, or null ("Size not ok", "No data at index %d").
void* EngLListGetElementData(EngLList* list, int index, int elementSize);
// Copies elementSize bytes out ("Bad Parameters" without a destination).
bool EngLListCopyElementData(EngLList* list, int index, int elementSize, void* destination);
// Copies elementSize bytes in ("No data passed in" without a source).
bool EngLListOverwriteData(EngLList* list, int index, const void* source, int elementSize);
// True when an element equals data (elementSize bytes); the first such
// index goes to outIndex (optional).
bool EngLListDoesEntryDataExist(EngLList* list, const void* data, int elementSize,
                                int* outIndex);
// Appends a copy of data; returns its index or -1. The first element becomes
// current; with makeCurrent the new one does.
int EngLListAdd(EngLList* list, const void* data, bool makeCurrent, int elementSize);
// Frees every node and its data; the list is empty afterwards.
bool EngLListReleaseAll(EngLList* list);
// Releases all, clears the header, one live list less ("List not created").
void EngLListDestroy(EngLList* list);
// Lists created and not yet destroyed.
int EngLListGetNumLiveLists();

// The untyped hand-over behind EngLListAddPointer; use the template.
// block: the handed-over data (null: a node without data).
int EngLListAddHandedOver(EngLList* list, void* block, bool makeCurrent, int elementSize);

// What may be handed over: records the list can free with std::free.
template <typename T>
concept EngLListPlainData = std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>;

// Appends a node whose data is the block *holder points to; the list owns it
// from now on and frees it with std::free (allocate it with std::malloc). A
// null holder appends a node without data. Returns the index or -1. Types
// with destructors do not compile here: hand over plain data only.
template <EngLListPlainData T>
int EngLListAddPointer(EngLList* list, T* const* holder, bool makeCurrent, int elementSize) {
  return EngLListAddHandedOver(list, holder ? static_cast<void*>(*holder) : nullptr,
                               makeCurrent, elementSize);
}
