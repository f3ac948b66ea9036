#include <gtest/gtest.h>

#include "main/Frames.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/Golden.hpp"

using namespace vh;

// The score screens are seen at the end of the whole games of GameTest.
TEST(Instructions, ShowTheStoryAndTheKeysUntilAKeyIsPressed) {
  VirtualTerminal terminal;
  useTerminal(terminal);
  terminal.pressKeys("x");
  showInstructions();
  golden::expectScreen(terminal, "instructions");
  EXPECT_EQ(terminal.keysLeft(), 0U);
}
