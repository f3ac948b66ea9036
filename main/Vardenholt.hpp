// The game driver: a run on the terminal in use, each key read as the run waits for it, what it
// tells of its games and turns, and the maps and pieces of each area.
#pragma once

#include <functional>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The whole run on the terminal chosen with useTerminal(), from the instructions to the player's
// last answer, each key read as the run waits for it.
void runVardenholt();

// How a game ended: by the outcome of play, saved to go on later (by the player or on a signal),
// or stopped by a signal when its save failed.
enum class Ending { Lose, Draw, Win, Saved, Stopped };

// A game as it ended.
struct GameSummary {
  Ending ending;
  int level;  // the area it ended in
  int score;  // for a game that goes on later, the points of its captures so far
  Kills kills;
  int turns;   // turns played in this run of the game
  int signal;  // the signal that ended it, or 0

  bool operator==(const GameSummary&) const = default;
};

// Told when each game begins, before its first area is built, and when it has ended.
struct GameObserver {
  std::function<void()> started;
  std::function<void(const GameSummary&)> ended;
};
// The observer of the games of every run that begins from now on.
void observeGames(GameObserver gameObserver);

// When the driver calls an observer: an area has been drawn (fresh or restored), or a turn is over.
enum class Moment { AreaShown, TurnOver };
using TurnObserver =
    std::function<void(Moment, const Map&, const Player&, const CreatureList&, int level)>;

// Shows the game's state to an observer at every such moment, in every run that begins from now
// on; for tests of long play.
void observeTurns(TurnObserver observer);

// False exactly when the King stands on the exit cell (width - 1, height - 1).
bool notEscaped(const Map& map, const Player& player);

// A new map for an area: rooms and corridors, with the extra corridor near the start after area 9.
Map buildAreaMap(int level);

// The pieces of an area: 6 plus `level` rolls of a three-sided die at random, then the pieces the
// level guarantees. When the placement window cannot hold them all, random pieces give way first,
// so from area 20 on the Black King always stands on the board.
CreatureList populateArea(const Map& map, int level);

}  // namespace vh
