#include <gtest/gtest.h>

#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

TEST(Screen, ArrowsReadAsDigits) {
  VirtualTerminal terminal;
  useTerminal(terminal);
  terminal.pressKey(KeyLeft);
  EXPECT_EQ(readChar(), '4');
}

}  // namespace
}  // namespace vh
