// Tests of the dialog boxes on the headless back end: what the procedure is
// sent for the user's actions and for nobody, the auto radio buttons, the
// drop-down list messages, and the layout in pixels.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/DialogBox.h"
#include "Platform/Dialogs.h"

namespace {

constexpr int kPlay = 100, kFirst = 201, kSecond = 202, kThird = 203, kLone = 204, kList = 300, kNote = 400;

constexpr DialogItemTemplate kItems[] = {
    {kFirst, kDialogAutoRadioButton, 10, 10, 60, 14, "First"},
    {kSecond, kDialogAutoRadioButton, 10, 26, 60, 14, "Second"},
    {kThird, kDialogAutoRadioButton, 10, 42, 60, 14, "Third"},
    {kNote, kDialogText, 80, 10, 60, 8, "Note"},
    {kLone, kDialogAutoRadioButton, 80, 26, 60, 14, "Lone"},
    {kList, kDialogDropDownList, 80, 42, 60, 100, nullptr},
    {kPlay, kDialogDefaultPushButton, 10, 70, 130, 20, "Play"},
};
constexpr DialogTemplate kDialog = {7, "Test", 150, 100, kItems, 7};

// What the procedure was sent, and how it answers.
std::vector<std::string> g_sent;
int g_endOn = kPlay;  // the command that ends the dialog with 5 (0: none does)

INT_PTR Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    g_sent.push_back("init");
    for (const char* item : {"Off", "On"}) {
      SendDlgItemMessageA(dialog, kList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    CheckRadioButton(dialog, kFirst, kLone, kFirst);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  g_sent.push_back(std::to_string(LOWORD(wParam)) + "/" + std::to_string(HIWORD(wParam)));
  if (g_endOn && LOWORD(wParam) == g_endOn) EndDialog(dialog, 5);
  return TRUE;
}

std::string Marks(HWND dialog) {
  std::string marks;
  for (int id : {kFirst, kSecond, kThird, kLone}) marks += IsDlgButtonChecked(dialog, id) == BST_CHECKED ? "x" : ".";
  return marks;
}

class DialogBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_sent.clear();
    g_endOn = kPlay;
  }
  INT_PTR Run(std::vector<DialogScriptStep> steps, DialogScriptObserver observer = nullptr, void* context = nullptr) {
    PlatformDialogSetScriptForTests(steps.data(), static_cast<int>(steps.size()), observer, context);
    return DialogBoxParamA(nullptr, &kDialog, nullptr, Procedure, 0);
  }
};

}  // namespace

TEST_F(DialogBoxTest, NobodyAtTheScreenGetsTheDefaultAnswer) {
  struct Case {
    int endOn;
    INT_PTR result;
    std::vector<std::string> sent;
  } cases[] = {
      {kPlay, 5, {"init", "100/0"}},
      {IDCANCEL, 5, {"init", "100/0", "2/0"}},  // the default did not end it: cancelled
      {0, -1, {"init", "100/0", "2/0"}},        // nothing ends it: the platform does
  };
  for (const Case& c : cases) {
    g_sent.clear();
    g_endOn = c.endOn;
    EXPECT_EQ(DialogBoxParamA(nullptr, &kDialog, nullptr, Procedure, 0), c.result);
    EXPECT_EQ(g_sent, c.sent);
  }
  EXPECT_EQ(DialogBoxParamA(nullptr, nullptr, nullptr, Procedure, 0), -1);
}

TEST_F(DialogBoxTest, AutoRadioButtonsMarkThemselvesWithinTheirRun) {
  std::vector<std::string> marks;
  Run({{kSecond, -1}, {kLone, -1}, {kThird, -1}, {kThird, -1}, {IDCANCEL, -1}, {kPlay, -1}},
      [](HWND dialog, int, void* context) { static_cast<std::vector<std::string>*>(context)->push_back(Marks(dialog)); },
      &marks);
  // The note between them ends the first run: "Lone" is a group of its own.
  EXPECT_EQ(marks, (std::vector<std::string>{"x...", ".x..", ".x.x", "..xx", "..xx", "..xx"}));
  EXPECT_EQ(g_sent, (std::vector<std::string>{"init", "202/0", "204/0", "203/0", "203/0", "2/0", "100/0"}));
}

TEST_F(DialogBoxTest, TheListAnswersItsMessagesAndReportsOnlyTheUsersChoice) {
  std::vector<LRESULT> answers;
  Run({{kList, 1}, {kList, 5}, {kPlay, -1}}, [](HWND dialog, int step, void* context) {
    auto* out = static_cast<std::vector<LRESULT>*>(context);
    if (step != -1) {
      out->push_back(SendDlgItemMessageA(dialog, kList, CB_GETCURSEL, 0, 0));
      return;
    }
    char text[16] = "";
    out->push_back(SendDlgItemMessageA(dialog, kList, CB_GETCOUNT, 0, 0));
    out->push_back(SendDlgItemMessageA(dialog, kList, CB_GETCURSEL, 0, 0));
    out->push_back(SendDlgItemMessageA(dialog, kList, CB_SETCURSEL, 2, 0));  // no such entry
    out->push_back(SendDlgItemMessageA(dialog, kList, CB_SETCURSEL, 0, 0));
    out->push_back(SendDlgItemMessageA(dialog, kList, CB_GETLBTEXTLEN, 1, 0));
    out->push_back(SendDlgItemMessageA(dialog, kList, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text)));
    out->push_back(text[0]);
    out->push_back(SendDlgItemMessageA(dialog, kNote, CB_GETCOUNT, 0, 0));   // not a list
    out->push_back(SendDlgItemMessageA(dialog, 999, CB_GETCURSEL, 0, 0));    // no such control
    out->push_back(SendDlgItemMessageA(dialog, kList, CB_SETCURSEL, static_cast<WPARAM>(-1), 0));
    out->push_back(SendDlgItemMessageA(dialog, kList, CB_GETCURSEL, 0, 0));
  }, &answers);
  const std::vector<LRESULT> expected = {2, -1, CB_ERR, 0, 2, 2, 'O', CB_ERR, CB_ERR, CB_ERR, -1,
                                         1,  // the user's choice of entry 1
                                         1}; // entry 5 does not exist: nothing chosen, nothing sent
  EXPECT_EQ(answers, expected);
  EXPECT_EQ(g_sent, (std::vector<std::string>{"init", "300/1", "100/0"}));
}

TEST_F(DialogBoxTest, ControlsAreLaidOutByOneFactorAndDisabledOnesCannotBeUsed) {
  struct Seen {
    int width = 0, height = 0;
    RECT list{}, play{};
    bool ended = false;
  } seen;
  Run({{kPlay, -1}, {kPlay, -1}}, [](HWND dialog, int step, void* context) {
    auto* seen = static_cast<Seen*>(context);
    if (step == -1) {
      PlatformDialogClientSize(dialog, &seen->width, &seen->height);
      PlatformDialogItemPlacement(dialog, kList, nullptr, &seen->list);
      PlatformDialogItemPlacement(dialog, kPlay, nullptr, &seen->play);
      EnableDlgItem(dialog, kPlay, FALSE);
    } else {
      EnableDlgItem(dialog, kPlay, TRUE);  // the first click found it disabled
    }
  }, &seen);
  EXPECT_EQ(g_sent, (std::vector<std::string>{"init", "100/0"}));
  // One factor for both axes: the width of 150 units and the height of 100.
  ASSERT_GT(seen.width, 150);
  const double scale = seen.width / 150.0;
  EXPECT_NEAR(seen.height, 100 * scale, 1.0);
  EXPECT_NEAR(seen.play.left, 10 * scale, 1.0);
  EXPECT_NEAR(seen.play.right - seen.play.left, 130 * scale, 1.0);
  // A closed list is 14 units high, not the 100 of its open list.
  EXPECT_NEAR(seen.list.bottom - seen.list.top, 14 * scale, 1.0);
}

TEST_F(DialogBoxTest, AnEndedDialogsHandleIsNoLongerAnswered) {
  HWND kept = nullptr;
  Run({{kPlay, -1}}, [](HWND dialog, int, void* context) { *static_cast<HWND*>(context) = dialog; }, &kept);
  ASSERT_NE(kept, nullptr);
  EXPECT_FALSE(SetDlgItemTextA(kept, kNote, "late"));
  EXPECT_FALSE(EndDialog(kept, 1));
  EXPECT_EQ(SendDlgItemMessageA(kept, kList, CB_GETCOUNT, 0, 0), CB_ERR);
}
