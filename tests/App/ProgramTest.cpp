// Tests of the program object's start-up decisions that need no window.
#include <string>

#include <gtest/gtest.h>

#include "App/Program.h"

namespace {

TEST(ProgramTest, OnlyTheExactWordAsksForTheConfiguration) {
  struct Case { const char* line; bool configure; } cases[] = {
      {"CONFIGURATION", true},    {"configuration", false}, {"CONFIGURATION ", false},
      {" CONFIGURATION", false},  {"CONFIGURATION x", false}, {"", false},
      {"CONFIG", false},          {nullptr, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgramIsConfigurationCommand(c.line), c.configure) << (c.line ? c.line : "(none)");
  }
}

}  // namespace
