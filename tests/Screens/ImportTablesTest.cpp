// Tests of the import tables as the program fills them: after the program
// entry's one fill, no slot of the card core's, the player data's or the
// screens' table is empty. A slot someone forgot would otherwise show only
// as a log line when its call is first made. The slots are found by the
// layout every slot shares, so a slot added to a table is checked without
// being listed here.
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "App/AppImports.h"
#include "Engine/EngImport.h"
#include "Game/GameImports.h"
#include "Screens/ScreensImports.h"
#include "Shell/ShellFills.h"

namespace {

// A slot as every EngImport lays it out: the call's name, then the function.
struct SlotLayout {
  const char* name;
  void (*function)();
};
static_assert(sizeof(EngImport<void()>) == sizeof(SlotLayout) &&
                  sizeof(EngImport<const char*(const char*, int, bool)>) == sizeof(SlotLayout),
              "a slot is its name and its function");

// The names of a table's empty slots; the table holds slots only.
template <typename Table>
std::vector<std::string> EmptySlots(const Table& table) {
  static_assert(std::is_trivially_copyable_v<Table> && sizeof(Table) % sizeof(SlotLayout) == 0,
                "an import table holds slots only");
  constexpr std::size_t kCount = sizeof(Table) / sizeof(SlotLayout);
  SlotLayout slots[kCount];
  std::memcpy(slots, &table, sizeof table);
  std::vector<std::string> empty;
  for (const SlotLayout& slot : slots) {
    EXPECT_NE(slot.name, nullptr) << "a table member that is not a slot";
    if (slot.name && !slot.function) empty.emplace_back(slot.name);
  }
  return empty;
}

TEST(ImportTablesTest, TheProgramsFillLeavesNoSlotOfAnyTableEmpty) {
  ShellFillAllImports();
  EXPECT_EQ(EmptySlots(g_GameImports), std::vector<std::string>{});
  EXPECT_EQ(EmptySlots(g_AppImports), std::vector<std::string>{});
  EXPECT_EQ(EmptySlots(g_ScreensImports), std::vector<std::string>{});
}

TEST(ImportTablesTest, AnEmptySlotIsNamed) {
  struct Table {
    EngImport<int(int)> Filled{"Filled"};
    EngImport<void()> Forgotten{"Forgotten"};
    EngImport<const char*(const char*, bool)> AlsoFilled{"AlsoFilled"};
  } table;
  table.Filled = [](int n) { return n; };
  table.AlsoFilled = [](const char* text, bool) { return text; };
  EXPECT_EQ(EmptySlots(table), std::vector<std::string>{"Forgotten"});
}

}  // namespace
