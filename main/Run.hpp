// A run of games on one screen, as both the terminal program and the browser page start it.
#pragma once

#include <functional>

#include "screen/Terminal.hpp"

namespace vh {

// Seeds the generator with `seed`, then plays from the saved game or a new one until the player
// leaves, every game recorded and logged; `gameInPlay` hears each game begin (true) and end
// (false). Whatever error escapes the game ends the run with one line on standard output.
void playRecordedRun(Terminal& screen, unsigned seed,
                     const std::function<void(bool)>& gameInPlay = {});

}  // namespace vh
