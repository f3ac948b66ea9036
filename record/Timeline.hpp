// A recorded game that can be watched from any of its moments: moment N is the game after the
// first N inputs it came to. Going back, or far ahead, plays on from the nearest moment kept
// on the first pass, so that any moment of a long game is there at once.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "main/Game.hpp"
#include "record/EventFeed.hpp"
#include "record/Recording.hpp"
#include "save/Store.hpp"
#include "screen/GameScreen.hpp"

namespace vh {

class Timeline {
 public:
  // Plays the recording through once, on a screen of `colours` colours (0 for none), and stands
  // at its first moment. The recording must outlive the timeline.
  Timeline(const Recording& recording, int colours);
  Timeline(const Timeline&) = delete;
  Timeline& operator=(const Timeline&) = delete;

  // The last moment: the game's end, or where the recording stops or cannot be played further.
  std::size_t length() const { return turns_.size() - 1; }
  std::size_t position() const { return position_; }
  // The game at the present moment; none when the recording fails before its first.
  const Game* game() const { return game_ ? &*game_ : nullptr; }

  // One moment on, if there is one: the updates of the screen that it brought.
  std::vector<ScreenUpdate> forward();
  // To moment `moment`, or the last: the game's screen is then the one to show, whole.
  void seek(std::size_t moment);

  // The King's turns played, and the area, at a moment.
  int turnAt(std::size_t moment) const { return turns_.at(moment); }
  int areaAt(std::size_t moment) const { return areas_.at(moment); }
  // The moments at which an area comes into view, in order, the first moment among them.
  const std::vector<std::size_t>& areaStarts() const { return areaStarts_; }
  // The first moment at which `turn` turns have been played, or the last moment.
  std::size_t momentOfTurn(int turn) const;
  // The first moment of the next area, or the last moment; the start of the present area, or of
  // the one before when the present moment is its start.
  std::size_t nextArea() const;
  std::size_t previousArea() const;

  // Whether the game ended at the last moment; else the error line that ended the replay there,
  // if one did, or neither when the recording stops before the game's end.
  bool ended() const { return ended_; }
  const std::optional<std::string>& error() const { return error_; }

 private:
  struct Kept {
    Game game;
    std::map<std::string, std::string> files;
    EventFeed feed;
  };

  bool advance();
  void note();
  void restore(std::size_t kept);

  EventFeed feed_;
  MemoryStore store_;
  std::optional<Game> game_;
  std::size_t position_ = 0;
  std::vector<Kept> kept_;  // every KeptEvery moments, from the first
  std::vector<int> turns_;
  std::vector<int> areas_;
  std::vector<std::size_t> areaStarts_;
  bool ended_ = false;
  std::optional<std::string> error_;
};

}  // namespace vh
