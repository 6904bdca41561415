// Tests of an import slot: a call through a slot the layer above never
// filled reports the missing call by name and gives the zero value instead
// of calling through null; a filled slot passes the arguments and the
// result through.
#include <string>

#include <gtest/gtest.h>

#include "Engine/EngImport.h"
#include "tests/Support/TestSupport.h"

namespace {

struct Table {
  EngImport<bool(int)> IsReady{"IsReady"};
  EngImport<int(int, int)> Add{"Add"};
  EngImport<const char*()> FolderName{"FolderName"};
  EngImport<void(int)> PlaySound{"PlaySound"};
};

int g_lastSound = -1;

class EngImportTest : public TempDirTest {};

TEST_F(EngImportTest, AnEmptySlotNamesTheCallAndGivesTheZeroValue) {
  const Table table;
  EXPECT_FALSE(table.IsReady(3));
  EXPECT_EQ(table.Add(2, 3), 0);
  EXPECT_EQ(table.FolderName(), nullptr);
  table.PlaySound(4);
  for (const char* name : {"IsReady", "Add", "FolderName", "PlaySound"}) {
    EXPECT_TRUE(LogContains(std::string("The call ") + name + " was made before")) << name;
  }
  EXPECT_EQ(LogLines().size(), 4u);
}

TEST_F(EngImportTest, AFilledSlotPassesArgumentsAndResultThrough) {
  Table table;
  table.IsReady = [](int n) { return n > 2; };
  table.Add = [](int a, int b) { return a + b; };
  table.FolderName = [] { return "SavedGames"; };
  table.PlaySound = [](int sample) { g_lastSound = sample; };
  EXPECT_TRUE(table.IsReady.IsFilled());
  EXPECT_TRUE(table.IsReady(3));
  EXPECT_FALSE(table.IsReady(2));
  EXPECT_EQ(table.Add(2, 3), 5);
  EXPECT_STREQ(table.FolderName(), "SavedGames");
  table.PlaySound(4);
  EXPECT_EQ(g_lastSound, 4);
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
