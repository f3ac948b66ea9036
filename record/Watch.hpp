// A recorded game watched on a terminal, steered by the watcher: played at a pace, paused,
// stepped a key at a time forward and back, jumped an area or to a turn. The player's own files
// are never touched.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "record/Replay.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// The clock a replay's pace is measured with.
using ReplayClock = std::function<std::chrono::steady_clock::time_point()>;

// Shows a recording on the terminal `screen`, with a line that tells the turn, the area and the
// pace wherever the game leaves the bottom row free, or while paused. Keys: space pauses and goes
// on, '.' or the right arrow steps one key forward, the left arrow one back, 'n' and 'p' jump to
// the next and the previous area, 'g' to a turn typed after it, '+' and '-' make the pace faster
// and slower, 'q' stops. At the end, a key that does not go back leaves. Returns 0, or 1 with one
// line on standard error when the file cannot be replayed, or was replayed to an error; the
// terminal is given back either way.
int watchRecording(const RecordingSource& source, Terminal& screen,
                   const ReplayClock& clock = std::chrono::steady_clock::now);
int watchRecording(const std::string& path, Terminal& screen,
                   const ReplayClock& clock = std::chrono::steady_clock::now);

}  // namespace vh
