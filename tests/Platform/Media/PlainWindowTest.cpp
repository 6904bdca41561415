// Tests of the plain window's fake back end: records, events as the user's
// actions make them, and the answer a dialog nobody answers gets.
#include <gtest/gtest.h>

#include "Platform/PlainWindow.h"
#include "Platform/Time.h"

namespace {

class PlainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformTimeUseFakeClock(true, 10.0);
    PlainWindowUseBackEnd(kPlainWindowFake);
    window_ = PlainWindowCreate("T\xE9st", 10, 20, 400, 90, 240, 240, 240);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    PlainWindowDestroy(window_);
    PlainWindowUseBackEnd(kPlainWindowAuto);
    PlatformTimeUseFakeClock(false);
  }
  PlainWindow* window_ = nullptr;
};

}  // namespace

TEST_F(PlainWindowTest, ControlsKeepTheirTextsMarksAndSelections) {
  EXPECT_EQ(PlainWindowAddControl(window_, 4, 0, 0, 10, 10, "radio group is not a control"), -1);
  const int text = PlainWindowAddControl(window_, kPlainStaticText, 0, 22, 400, 20, "Checking");
  const int list = PlainWindowAddControl(window_, kPlainDropDown, 0, 50, 100, 20, nullptr);
  const int radio = PlainWindowAddControl(window_, kPlainRadioButton, 200, 50, 100, 20, "One");
  EXPECT_EQ(text, 0);
  EXPECT_EQ(list, 1);
  char buffer[6];
  ASSERT_TRUE(PlainWindowGetText(window_, text, buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "Check");  // cut to the buffer, terminated
  EXPECT_EQ(PlainWindowGetTextLength(window_, text), 8);
  EXPECT_TRUE(PlainWindowSetAlignment(window_, text, 2));
  EXPECT_FALSE(PlainWindowSetAlignment(window_, text, 3));
  EXPECT_EQ(PlainWindowGetAlignment(window_, text), 2);
  EXPECT_FALSE(PlainWindowSetChecked(window_, text, true));
  EXPECT_TRUE(PlainWindowSetChecked(window_, radio, true));
  EXPECT_TRUE(PlainWindowIsChecked(window_, radio));
  EXPECT_TRUE(PlainWindowAddItem(window_, list, "First"));
  EXPECT_EQ(PlainWindowGetSelection(window_, list), -1);
  EXPECT_FALSE(PlainWindowSetText(window_, 7, "no such control"));
}

TEST_F(PlainWindowTest, TheUsersActionsArriveInOrder) {
  const int button = PlainWindowAddControl(window_, kPlainPushButton, 0, 0, 80, 20, "Close");
  const int list = PlainWindowAddControl(window_, kPlainDropDown, 0, 30, 80, 20, "");
  for (const char* item : {"One", "Two", "Three"}) PlainWindowAddItem(window_, list, item);
  PlainWindowFakeClick(window_, button);
  PlainWindowFakeSelect(window_, list, 2);
  PlainWindowFakeReleaseKey(window_, 27);
  PlainWindowFakeAskClose(window_);
  const PlainWindowEvent expected[] = {{kPlainEventClicked, button, 0},
                                       {kPlainEventSelectionChanged, list, 2},
                                       {kPlainEventKeyReleased, -1, 27},
                                       {kPlainEventCloseAsked, -1, 0}};
  for (const PlainWindowEvent& wanted : expected) {
    PlainWindowEvent event{};
    ASSERT_TRUE(PlainWindowNextEvent(window_, &event));
    EXPECT_EQ(event.kind, wanted.kind);
    EXPECT_EQ(event.control, wanted.control);
    EXPECT_EQ(event.value, wanted.value);
  }
  EXPECT_EQ(PlainWindowGetSelection(window_, list), 2);
  PlainWindowEvent none{};
  EXPECT_FALSE(PlainWindowNextEvent(window_, &none));
}

TEST_F(PlainWindowTest, ADialogNobodyAnswersGetsEscapeAfterASecond) {
  PlainWindowEvent event{};
  PlatformTimeAdvanceFakeClock(0.9);
  EXPECT_FALSE(PlainWindowNextEvent(window_, &event));
  PlatformTimeAdvanceFakeClock(0.2);
  ASSERT_TRUE(PlainWindowNextEvent(window_, &event));
  EXPECT_EQ(event.kind, kPlainEventKeyReleased);
  EXPECT_EQ(event.value, 27);
}

TEST_F(PlainWindowTest, AWindowThatWaitsForNobodyIsNeverAnsweredByItself) {
  PlainWindowFakeSetIdleAnswer(window_, false);
  PlatformTimeAdvanceFakeClock(60.0);
  PlainWindowEvent event{};
  EXPECT_FALSE(PlainWindowNextEvent(window_, &event));
}

TEST_F(PlainWindowTest, QueuedAnswersPressTheButtonTheyNameInOrder) {
  const int cancel = PlainWindowAddControl(window_, kPlainPushButton, 0, 0, 80, 20, "Cancel");
  const int download = PlainWindowAddControl(window_, kPlainPushButton, 100, 0, 80, 20, "Download");
  PlainWindowFakeQueueAnswer("Download");
  PlainWindowFakeQueueAnswer("Close");  // this window has no Close: it waits for another
  PlainWindowEvent event{};
  ASSERT_TRUE(PlainWindowNextEvent(window_, &event));
  EXPECT_EQ(event.kind, kPlainEventClicked);
  EXPECT_EQ(event.control, download);
  EXPECT_EQ(PlainWindowFakeQueuedAnswers(), 1);
  // Idle, and the next answer is not for this window: the idle Escape follows.
  PlatformTimeAdvanceFakeClock(1.1);
  ASSERT_TRUE(PlainWindowNextEvent(window_, &event));
  EXPECT_EQ(event.kind, kPlainEventKeyReleased);
  EXPECT_EQ(PlainWindowFakeQueuedAnswers(), 1);
  PlainWindowFakeClearAnswers();
  EXPECT_NE(cancel, download);
}

TEST_F(PlainWindowTest, DisabledOrHiddenControlsCannotBeUsedAndQuietChangesReportNothing) {
  const int button = PlainWindowAddControl(window_, kPlainPushButton, 0, 0, 80, 20, "Play");
  const int list = PlainWindowAddControl(window_, kPlainDropDown, 0, 30, 80, 20, "");
  PlainWindowAddItem(window_, list, "Off");
  PlainWindowAddItem(window_, list, "On");
  EXPECT_TRUE(PlainWindowSetEnabled(window_, button, false));
  EXPECT_TRUE(PlainWindowSetVisible(window_, list, false));
  PlainWindowFakeClick(window_, button);
  PlainWindowFakeSelect(window_, list, 1);
  PlainWindowEvent event{};
  EXPECT_FALSE(PlainWindowNextEvent(window_, &event));

  PlainWindowSetVisible(window_, list, true);
  PlainWindowFakeSelect(window_, list, 2);  // not an entry
  EXPECT_FALSE(PlainWindowNextEvent(window_, &event));
  EXPECT_TRUE(PlainWindowSetSelection(window_, list, 1));
  EXPECT_FALSE(PlainWindowSetSelection(window_, list, 2));
  EXPECT_EQ(PlainWindowGetSelection(window_, list), 1);
  EXPECT_TRUE(PlainWindowClearItems(window_, list));
  EXPECT_EQ(PlainWindowGetSelection(window_, list), -1);
  EXPECT_EQ(PlainWindowGetItemCount(window_, list), 0);
  EXPECT_FALSE(PlainWindowNextEvent(window_, &event));  // none of it was the user's doing
}
