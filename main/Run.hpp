// A run of games on one screen, recorded and logged, as both the terminal program and the browser
// page play it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "main/Game.hpp"
#include "record/Recorder.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Terminal.hpp"

namespace vh {

class RecordedRun {
 public:
  // Seeds the generator with `seed` and shows the instructions on `screen`, which the run holds
  // while it lives; `told` hears each game begin and end once it is recorded and the screen
  // shows it.
  RecordedRun(Terminal& screen, unsigned seed, GameObserver told = {});
  RecordedRun(const RecordedRun&) = delete;
  RecordedRun& operator=(const RecordedRun&) = delete;

  // Gives the run a key, which is recorded, or a signal.
  void give(Input input);
  // Writes the files the run asked for in the save folder at once, telling the run how each write
  // went, until it waits for none.
  void settle();
  // Writes the files the run asked for in the save folder; the error of the write the run waits
  // for, if it failed. The run goes on once told how the write went, by a caller that has its
  // files kept elsewhere too.
  std::optional<GameError> writeChanges();
  // Tells the run how the write it waits for went. A failure that came after the write itself
  // (the copy of the files that keeps them) is recorded here.
  void written(const std::optional<GameError>& failure, bool afterTheWrite = false);

  bool waitsForWrite() const { return answer_.waiting == Waiting::Write; }
  // The file of the last write asked for, which the run waits for while waitsForWrite().
  const std::string& waitedFor() const { return waitedFor_; }
  bool over() const { return answer_.waiting == Waiting::Over; }
  // What to tell the player once the screen is given back.
  const std::string& farewell() const { return game_.farewell; }
  // The run's game, for questions about it: where it waits, which moves are open.
  const Game& game() const { return game_; }

 private:
  class Observed {
   public:
    explicit Observed(GameObserver observer) { observeGames(std::move(observer)); }
    ~Observed() { observeGames({}); }
    Observed(const Observed&) = delete;
    Observed& operator=(const Observed&) = delete;
  };

  // Brings the answer's updates to the screen, then tells what the screen now shows.
  void show();

  FolderStore saveFolder_;
  Recorder recorder_;
  GameObserver told_;
  std::vector<std::function<void()>> unheard_;
  Observed observed_;
  UsingTerminal drawnOn_;
  UsingStore filesIn_;
  // Started while the run lives.
  class HeldScreen {
   public:
    HeldScreen();
    ~HeldScreen();
    HeldScreen(const HeldScreen&) = delete;
    HeldScreen& operator=(const HeldScreen&) = delete;
  };
  HeldScreen held_;
  Terminal& screen_;
  Game game_;
  Answer answer_;  // what the run asked for last, its files as yet unwritten
  std::string waitedFor_;
};

// Plays a run on the screen until the player leaves, each key read from it as the run waits.
// Whatever error escapes the game ends the run with one line on standard output.
void playRecordedRun(Terminal& screen, unsigned seed, const GameObserver& told = {});

}  // namespace vh
