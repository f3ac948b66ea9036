// Small helpers shared by every subsystem, and the one error type of the game.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "screen/ErrorCodes.hpp"

namespace vh {

// An error of the game: a message and one of the codes of ErrorCodes.hpp, caught only by the
// driver.
class GameError : public std::runtime_error {
 public:
  GameError(const std::string& message, int code) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// The error as one line the player can read: its code, ": " and its message, in printable
// characters, cut to three screen rows.
std::string errorLine(const GameError& error);

// The text cut into at most `lines` lines of at most `width` characters, each broken after a
// blank or a '/' where one falls in the line; what does not fit is left out.
std::vector<std::string> wrapText(std::string_view text, std::size_t width, std::size_t lines);

// The integers from a to b inclusive, counting down when b < a.
std::vector<int> looprange(int a, int b);

// x minus its remainder by n (truncating division): for positive x, the largest multiple of n
// not above x.
int roundDown(int x, int n);

// -1, 0 or 1 by the sign of x.
int sign(int x);

// The text with every byte outside printable ASCII shown as '?', so that nothing read from a file
// can reach the terminal as a control sequence.
std::string printableText(std::string_view text);

// The character repeated n times; empty when n <= 0.
std::string strRepeat(char character, int n);

}  // namespace vh
