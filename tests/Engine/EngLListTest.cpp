// Tests of the linked list: the current position, index and size guards,
// search, hand-over of plain data, and the live-list count.
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "Engine/EngLList.h"
#include "tests/Support/TestSupport.h"

namespace {

struct Mode {
  int width, height, depth;
};

class EngLListTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    liveBefore_ = EngLListGetNumLiveLists();
    ASSERT_TRUE(EngLListCreate(&list_, sizeof(Mode)));
  }
  void TearDown() override {
    if (list_.setUp) EngLListDestroy(&list_);
    EXPECT_EQ(EngLListGetNumLiveLists(), liveBefore_);
    TempDirTest::TearDown();
  }
  void AddThree() {
    for (int i = 0; i < 3; ++i) {
      const Mode m{640 + i, 480 + i, 32};
      ASSERT_EQ(EngLListAdd(&list_, &m, false, sizeof(Mode)), i);
    }
  }
  EngLList list_{};
  int liveBefore_ = 0;
};

}  // namespace

TEST_F(EngLListTest, FirstElementBecomesCurrentUnlessAskedOtherwise) {
  const Mode a{1, 2, 3}, b{4, 5, 6};
  EXPECT_EQ(EngLListAdd(&list_, &a, false, sizeof(Mode)), 0);
  EXPECT_EQ(list_.currentIndex, 0);
  EXPECT_EQ(EngLListAdd(&list_, &b, false, sizeof(Mode)), 1);
  EXPECT_EQ(list_.currentIndex, 0);
  EXPECT_EQ(EngLListAdd(&list_, &b, true, sizeof(Mode)), 2);
  EXPECT_EQ(list_.currentIndex, 2);
  EXPECT_EQ(list_.count, 3);
  EXPECT_TRUE(EngLListIsListOk(&list_));
  Mode out{};
  ASSERT_TRUE(EngLListCopyElementData(&list_, 1, sizeof(Mode), &out));
  EXPECT_EQ(out.height, 5);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(EngLListTest, BadIndexAndWrongSizeChangeNothing) {
  AddThree();
  EXPECT_EQ(EngLListGetElementData(&list_, 3, sizeof(Mode)), nullptr);
  EXPECT_TRUE(LogContains("( EngLListGetElementData )    Bad index 3 [max = 3]"));
  ClearLog();
  const Mode replacement{9, 9, 9};
  EXPECT_FALSE(EngLListOverwriteData(&list_, 0, &replacement, sizeof(int)));
  EXPECT_TRUE(LogContains("( EngLListOverwriteData )    Size not ok"));
  EXPECT_EQ(EngLListAdd(&list_, &replacement, false, 4), -1);
  EXPECT_TRUE(LogContains("( EngLListDoAdd )    Size not ok"));
  EXPECT_EQ(list_.count, 3);
  EXPECT_EQ(static_cast<Mode*>(EngLListGetElementData(&list_, 0, sizeof(Mode)))->width, 640);
  EXPECT_FALSE(EngLListCopyElementData(&list_, 0, sizeof(Mode), nullptr));
  EXPECT_TRUE(LogContains("Bad Parameters"));
  EXPECT_FALSE(EngLListOverwriteData(&list_, 0, nullptr, sizeof(Mode)));
  EXPECT_TRUE(LogContains("No data passed in"));
}

TEST_F(EngLListTest, OverwriteAndFindTheFirstEqual) {
  AddThree();
  const Mode twin{640, 480, 32};
  ASSERT_TRUE(EngLListOverwriteData(&list_, 2, &twin, sizeof(Mode)));
  int index = -1;
  EXPECT_TRUE(EngLListDoesEntryDataExist(&list_, &twin, sizeof(Mode), &index));
  EXPECT_EQ(index, 0);
  const Mode absent{1, 1, 1};
  EXPECT_FALSE(EngLListDoesEntryDataExist(&list_, &absent, sizeof(Mode), &index));
  EXPECT_EQ(index, 0);
}

TEST_F(EngLListTest, AFailedPositionKeepsTheListUsable) {
  AddThree();
  ASSERT_TRUE(EngLListSetCurrentPos(&list_, 2));
  EXPECT_EQ(list_.currentIndex, 2);
  EXPECT_FALSE(EngLListSetCurrentPos(&list_, 7));
  EXPECT_TRUE(LogContains("( EngLListSetCurrentPos )    Bad pos [max = 3]"));
  // The list stays consistent and answers later calls.
  EXPECT_TRUE(EngLListIsListOk(&list_));
  EXPECT_NE(EngLListGetElementData(&list_, 1, sizeof(Mode)), nullptr);
}

TEST_F(EngLListTest, HandedOverPlainDataIsFreedWithTheList) {
  // (AddressSanitizer reports a leak or a double free if ownership is wrong.)
  Mode* owned = static_cast<Mode*>(std::malloc(sizeof(Mode)));
  *owned = Mode{800, 600, 16};
  EXPECT_EQ(EngLListAddPointer(&list_, &owned, false, sizeof(Mode)), 0);
  EXPECT_EQ(EngLListGetElementData(&list_, 0, sizeof(Mode)), owned);
  EXPECT_EQ(list_.first->copied, 0);
  Mode* const* noHolder = nullptr;
  EXPECT_EQ(EngLListAddPointer(&list_, noHolder, false, sizeof(Mode)), 1);
  EXPECT_EQ(EngLListGetElementData(&list_, 1, sizeof(Mode)), nullptr);
  EXPECT_TRUE(LogContains("No data at index 1"));
  EXPECT_TRUE(EngLListReleaseAll(&list_));
  EXPECT_EQ(list_.count, 0);
  EXPECT_EQ(list_.currentIndex, -1);
  EXPECT_TRUE(EngLListIsListOk(&list_));
}

namespace {

// Objects with destructors cannot be handed over: the list would free them
// without running their destructors. Checked when this file compiles.
template <typename T>
constexpr bool kCanHandOver = requires(EngLList* list, T* const* holder) {
  EngLListAddPointer<T>(list, holder, false, 0);
};
struct WithDestructor {
  ~WithDestructor() {}
};
static_assert(kCanHandOver<Mode>);
static_assert(kCanHandOver<char>);
static_assert(!kCanHandOver<WithDestructor>);
static_assert(!kCanHandOver<std::string>);

}  // namespace

TEST_F(EngLListTest, CreateDestroyAndLiveCount) {
  EngLList other{};
  EXPECT_FALSE(EngLListCreate(&other, 0));
  EXPECT_TRUE(LogContains("( EngLListCreate )    Bad element size [0]"));
  EXPECT_EQ(EngLListGetNumLiveLists(), liveBefore_ + 1);
  EngLList never{};
  EngLListDestroy(&never);
  EXPECT_TRUE(LogContains("( EngLListDestroy )    List not created"));
  EXPECT_EQ(EngLListGetNumLiveLists(), liveBefore_ + 1);
  EngLList unset{};
  EXPECT_EQ(EngLListAdd(&unset, nullptr, false, 4), -1);
  EXPECT_TRUE(LogContains("List not setup"));
}

TEST_F(EngLListTest, BrokenInvariantsAreRefused) {
  AddThree();
  EngLListNode* savedLast = list_.last;
  list_.last = nullptr;  // first without last
  EXPECT_FALSE(EngLListIsListOk(&list_));
  EXPECT_TRUE(LogContains("( EngLListIsListOk )    List not ok"));
  list_.last = savedLast;
  list_.currentIndex = 3;  // current index beyond the count
  EXPECT_FALSE(EngLListIsListOk(&list_));
  list_.currentIndex = 0;
  EXPECT_TRUE(EngLListIsListOk(&list_));
}
