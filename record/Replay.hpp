// Games played again from their recordings. A replay keeps the game's files in memory, so it
// never reads or writes the player's saved game, high score, log or recordings, nor any other
// file but the recording.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "main/Vardenholt.hpp"
#include "record/Recording.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// How a replay went.
struct ReplayResult {
  std::optional<GameSummary> reached;  // absent when the keys ran out before the game ended
  std::size_t keysLeft;                // keys and failed writes the game never came to
  std::optional<GameSummary> recorded;  // the recording's own result, if it has one
  std::map<std::string, std::string> files;  // the game's files as the game left them
  LfState generator;                         // where the game left the generator
  std::optional<std::string> unwrittenSave;  // the saved game of the last save that failed
  std::optional<std::string> error;          // the error line that ended the replay, if one did
};

// Plays the recorded game to its end, drawing on `screen`: the files and generator as the game
// began, then its keys and failed writes, each where the game came to it. `beforeEachKey` is
// told each time the game is about to read a key.
ReplayResult replayGame(const Recording& recording, Terminal& screen,
                        const std::function<void()>& beforeEachKey = {});

// Where a replay reads a recording: the file `name`, read as a stream, unless `text` gives the
// recording's text (a link's), raising as a damaged file does.
struct RecordingSource {
  std::string name;
  std::function<std::string()> text;
};

// Plays a recording again with no terminal; raises the file's or the format's error. `check`
// sees the recording's start before its game is played, and may refuse it by raising.
ReplayResult replayFile(const RecordingSource& source,
                        const std::function<void(const RecordingStart&)>& check = {});

// Plays recordings again with no terminal and compares where each ends with its recorded result.
// Prints one line per recording (prefixed with its name when there are several): the result
// reached and what it was proved from, "from=seed:N" for a new game that seed N starts and
// "from=state" otherwise, or why the recording fails. A recording that continues a saved game
// must follow the one before it in the list, the game that saved it. Returns 0 when every
// recording verifies, 1 otherwise.
int verifyRecordings(const std::vector<RecordingSource>& recordings);

// Reads a recording from a path of the user's choosing; raises the file's or the format's error.
Recording loadRecording(const std::string& path);
Recording loadRecording(const RecordingSource& source);

}  // namespace vh
