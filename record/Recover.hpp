// A game whose save failed when a signal stopped it lives on only in its recording: this writes
// the saved game that the failed save would have written.
#pragma once

#include <string>

namespace vh {

// Replays the recording of a stopped game to its end and writes the saved game its last save
// failed to write, only when no game is saved and only once per recording (the log keeps a line
// for each recovered game). Prints one line on what it did: on standard output and status 0 when
// the game was recovered, on standard error and status 1 when it was not.
int recoverGame(const std::string& path);

}  // namespace vh
