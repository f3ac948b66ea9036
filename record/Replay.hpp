// Games played again from their recordings. A replay keeps its files in a private folder of its
// own, so it never reads or writes the player's saved game, high score, log or recordings.
#pragma once

#include <string>

#include "main/Vardenholt.hpp"
#include "record/Recording.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// How a replay went.
struct ReplayResult {
  std::optional<GameSummary> reached;  // absent when the keys ran out before the game ended
  std::size_t keysLeft;                // keys the game never read
};

// Plays the recorded game on the terminal chosen with useTerminal(), which must hand out the
// recorded keys: the files and generator as the game began, then the game to its end.
ReplayResult replayGame(const Recording& recording);

// Plays a recording again with no terminal and compares where it ends with the recorded result.
// Prints the result reached on one line (or why there is none) and returns 0 when it matches
// and nothing is left over, 1 otherwise; a file it cannot read gives 1 and its error line.
int verifyRecording(const std::string& path);

// Shows a recording on the terminal `screen` at a pace a person can follow: space pauses and
// goes on, '+' and '-' make it faster and slower, 'q' stops. Returns 0, or 1 with the error line
// on standard error when the file is not a recording.
int watchRecording(const std::string& path, Terminal& screen);

// Reads a recording from a path of the user's choosing; raises the file's or the format's error.
Recording loadRecording(const std::string& path);

}  // namespace vh
