#include "main/Game.hpp"

#include <algorithm>
#include <iterator>
#include <utility>

#include "creatures/Creatures.hpp"
#include "main/Frames.hpp"
#include "player/Captures.hpp"
#include "player/Keys.hpp"
#include "player/Panel.hpp"
#include "player/Player.hpp"
#include "player/Redraw.hpp"
#include "save/Savefile.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

TurnObserver turnObserver;
GameObserver gameObserver;

void notify(Moment moment, const Game& game) {
  if (game.watched) game.watched(moment, game.map, game.player, game.creatures, game.level);
}

// While the run takes an input, the screen, files and chance are its own, and only its own.
class InPlay {
 public:
  explicit InPlay(Game& game)
      : game_(game), drawnOn_(game.screen), filesIn_(*game.files), outside_(lfState()) {
    lfRestore(game.generator);
  }
  ~InPlay() {
    game_.generator = lfState();
    lfRestore(outside_);
  }
  InPlay(const InPlay&) = delete;
  InPlay& operator=(const InPlay&) = delete;

 private:
  Game& game_;
  UsingTerminal drawnOn_;
  UsingStore filesIn_;
  LfState outside_;
};

// What the player reads once the terminal is given back after a signal ended the run.
const char* const SavedOnSignal = "Your game has been saved. Run vardenholt to continue it.";

Ending endingOf(const Player& player) {
  switch (outcomeOf(player)) {
    case Outcome::Win: return Ending::Win;
    case Outcome::Draw: return Ending::Draw;
    case Outcome::Lose: break;
  }
  return Ending::Lose;
}

GameSummary summaryOf(const Player& player, int level, int turns, Ending ending, int signal) {
  const bool finished = ending == Ending::Win || ending == Ending::Draw || ending == Ending::Lose;
  const int score = finished ? scoreOf(player) : capturePoints(player.kills);
  return GameSummary{ending, level, score, player.kills, turns, signal};
}

// The game has ended: its observer hears how, and the player is asked whether to go on.
void endGame(Game& game, const GameSummary& summary) {
  game.ended = summary;
  if (game.told.ended) game.told.ended(summary);
  if (game.oneGame || summary.signal != 0) {
    game.waiting = Waiting::Over;
    return;
  }
  printAtColour(15, 15,
                summary.ending == Ending::Saved ? "Continue play? [Y/n]" : "Play again? [Y/n]",
                Colour::Yellow, Attribute::Bold);
  game.waiting = Waiting::Question;
}

void awaitMove(Game& game, int move) {
  game.move = move;
  game.waiting = Waiting::Move;
}

// A save the player asked for that failed: the game goes on, and he may ask again.
void showSaveFailure(const GameError& error) {
  constexpr int ErrorLine = 3;
  constexpr std::size_t Width = 75;
  int row = ErrorLine;
  for (const std::string& part : wrapText(errorLine(error), Width, 2)) showMessage(part, row++);
  showMessage("The game was not saved. Press S to try again, or play on.", 1);
  updateScreen();
}

// The end of an area by escape or capture, until a key is pressed; a save is the caller's.
void showAreaEnd(Game& game) {
  const Player& player = game.player;
  if (!player.alive) {
    showMessage("Press any key to exit.", 1);
    updateScreen();
  } else if (player.kills.king == 0) {
    showMessage("Press any key for the next area.", 1);
    showMessage("", 2);
    updateScreen();
  } else {
    showMessage("You have killed the Black King and escaped! You have won!", 1);
  }
  game.waiting = Waiting::AreaEnd;
}

// Asks for the saved game or the high score to be written, and waits for how that went.
void write(Game& game, Writing writing, std::string text) {
  const std::string& name = writing == Writing::HighScore ? HighScoreEntry : SaveEntry;
  game.changes.push_back(FileChange{false, name, std::move(text)});
  game.writing = writing;
  game.waiting = Waiting::Write;
}

// After a turn, or as an area begins: another turn until the King escapes, is captured or asks
// to save; then the save, or the end of the area. A save that fails leaves the King in the area
// to play on.
void continueTurns(Game& game) {
  Player& player = game.player;
  if (notEscaped(game.map, player) && player.alive && !player.saveRequested) {
    player.message = "";
    awaitMove(game, 1);
    return;
  }
  // A captured King's game is over, whatever he asked for in his last turn.
  if (!player.saveRequested || !player.alive) {
    showAreaEnd(game);
    return;
  }
  write(game, Writing::Save, savedGameText(game.map, player, game.creatures, game.level));
}

// The save the player asked for has been written, or has failed.
void saveWritten(Game& game, const std::optional<GameError>& failure) {
  Player& player = game.player;
  if (failure) {
    player.saveRequested = false;
    game.start.player.saveRequested = false;
    showSaveFailure(*failure);
    continueTurns(game);
    return;
  }
  showMessage("", 1);
  endGame(game, summaryOf(player, game.level, game.turns, Ending::Saved, 0));
}

// One area, from a fresh map and pieces, or the saved game.
void beginArea(Game& game) {
  game.map = buildAreaMap(game.level);
  game.player.x = 2;
  game.player.y = 2;
  game.creatures = populateArea(game.map, game.level);
  // The fresh area is still built first: a restored game draws from the dice where it left off.
  if (saveExists()) {
    GameState saved = loadGame();
    game.changes.push_back(FileChange{true, SaveEntry, ""});  // a game is saved to be played once
    game.map = std::move(saved.map);
    game.player = std::move(saved.player);
    game.creatures = std::move(saved.creatures);
    game.level = saved.level;
  }
  game.player.saveRequested = false;
  fullRefresh(game.map, game.player, game.creatures, game.level);
  notify(Moment::AreaShown, game);
  game.start = TurnStart{game.player, game.creatures};
  continueTurns(game);
}

// A game from a new King in area 1, or the saved game the first area finds.
void beginGame(Game& game) {
  if (game.told.started) game.told.started();
  game.player = newplayer();
  game.level = 1;
  game.turns = 0;
  beginArea(game);
}

// The King's moves of a turn are made (up to three with enough queens captured); then, unless he
// has reached the exit, every piece answers once.
void finishMove(Game& game) {
  Player& player = game.player;
  if (checkCreatureKill(player, game.creatures)) {
    refreshPlayerCell(player, game.map, game.creatures);
  }
  if (game.move > 1) showMessage("", 1);
  const Ability another = game.move == 1 ? Ability::SecondMove : Ability::ThirdMove;
  if (game.move < 3 && has(player.kills, another) && notEscaped(game.map, player)) {
    // Before another move the player sees this move's captures and which move comes next.
    showKills(player);
    showMessage(player.message, 0);
    showMessage(game.move == 1 ? "Second move." : "Third move.", 1);
    updateScreen();
    player.message = "";
    awaitMove(game, game.move + 1);
    return;
  }
  if (notEscaped(game.map, player)) {
    moveCreatures(player, game.map, game.creatures);
    checkPlayerKill(player, game.creatures);
  }
  showKills(player);
  showMessage(player.message, 0);
  updateScreen();
  ++game.turns;
  notify(Moment::TurnOver, game);
  game.start = TurnStart{player, game.creatures};
  continueTurns(game);
}

void onMoveKey(Game& game, int key) {
  switch (movePlayer(game.player, game.map, game.creatures, game.level, key)) {
    case MoveResult::Pending: return;
    case MoveResult::Help:
      showHelp();
      game.waiting = Waiting::Help;
      return;
    case MoveResult::Moved: finishMove(game); return;
  }
}

void onAreaEndKey(Game& game) {
  const Player& player = game.player;
  // Counted once the key is in, so a game saved while waiting resumes at this area's exit.
  if (player.alive && player.kills.king == 0) game.level = std::min(game.level + 1, LastArea);
  showMessage("", 1);
  if (player.alive && player.kills.king == 0) {
    beginArea(game);
    return;
  }
  const HighScore latest = showScore(player, game.level);
  try {
    HighScoreUpdate update = highScoreAfter(latest);
    if (update.text) {
      write(game, Writing::HighScore, std::move(*update.text));
      return;
    }
    showHighScore(update.standing);
  } catch (const GameError& error) {
    showHighScoreLost(error);
  }
  endGame(game, summaryOf(player, game.level, game.turns, endingOf(player), 0));
}

// The finished game's high score has been written, or has failed.
void highScoreWritten(Game& game, const std::optional<GameError>& failure) {
  const Player& player = game.player;
  if (failure) {
    showHighScoreLost(*failure);
  } else {
    showHighScore(HighScore{scoreOf(player), game.level, outcomeOf(player)});
  }
  endGame(game, summaryOf(player, game.level, game.turns, endingOf(player), 0));
}

// A signal ends the game in play, saving it as the last turn left it; a captured King's game is
// over and has nothing left to save. Outside a game there is nothing to lose.
void onSignal(Game& game, int signal) {
  const bool inGame = game.waiting == Waiting::Move || game.waiting == Waiting::Help ||
                      game.waiting == Waiting::AreaEnd;
  game.waiting = Waiting::Over;
  if (!inGame) return;
  const Player& player = game.start.player;
  game.signal = signal;
  if (player.alive) {
    write(game, Writing::SaveOnSignal,
          savedGameText(game.map, player, game.start.creatures, game.level));
    return;
  }
  endGame(game, summaryOf(player, game.level, game.turns, endingOf(player), signal));
}

// The save a signal forced has been written, or has failed: either way the game is over.
void saveOnSignalWritten(Game& game, const std::optional<GameError>& failure) {
  game.farewell = failure ? errorLine(*failure) : SavedOnSignal;
  endGame(game, summaryOf(game.start.player, game.level, game.turns,
                          failure ? Ending::Stopped : Ending::Saved, game.signal));
}

// The error is shown on the screen until a key is pressed, since the terminal shows nothing
// written to standard output until it is given back.
void showError(Game& game, const GameError& error) {
  game.farewell = errorLine(error);
  clearScreen();
  printAtColour(0, 0, game.farewell, Colour::Red, Attribute::Bold);
  printAt(0, 4, "Press any key to exit.");
  updateScreen();
  game.waiting = Waiting::ErrorLine;
}

void onKey(Game& game, int key) {
  switch (game.waiting) {
    case Waiting::Instructions: beginGame(game); return;
    case Waiting::Move: onMoveKey(game, key); return;
    case Waiting::Help:
      fullRefresh(game.map, game.player, game.creatures, game.level);
      game.waiting = Waiting::Move;
      return;
    case Waiting::AreaEnd: onAreaEndKey(game); return;
    case Waiting::Question:
      if (key == 'n' || key == 'N') {
        game.waiting = Waiting::Over;
      } else {
        beginGame(game);
      }
      return;
    case Waiting::ErrorLine: game.waiting = Waiting::Over; return;
    case Waiting::Write:  // no key is asked for while a file is written
    case Waiting::Over: return;
  }
}

Game freshGame(Waiting waiting, bool oneGame, int colours) {
  return Game{.screen = GameScreen(colours),
              .files = &gameStore(),
              .generator = lfState(),
              .told = gameObserver,
              .watched = turnObserver,
              .waiting = waiting,
              .oneGame = oneGame,
              .player = newplayer(),
              .level = 1,
              .turns = 0,
              .map = {},
              .creatures = {},
              .start = {},
              .move = 1,
              .ended = std::nullopt,
              .farewell = "",
              .changes = {},
              .writing = Writing::Save,
              .signal = 0};
}

// What the run has drawn and asked for since the caller last heard.
Answer answerOf(Game& game) {
  return Answer{game.screen.takeUpdates(), std::exchange(game.changes, {}), game.waiting};
}

}  // namespace

void observeTurns(TurnObserver observer) { turnObserver = std::move(observer); }

void observeGames(GameObserver observer) { gameObserver = std::move(observer); }

Game startRun(int colours) {
  Game game = freshGame(Waiting::Instructions, false, colours);
  const InPlay context(game);
  hideCursor();
  showInstructions();
  return game;
}

Game startOneGame(int colours) {
  Game game = freshGame(Waiting::Instructions, true, colours);
  const InPlay context(game);
  hideCursor();
  beginGame(game);
  return game;
}

Answer opening(Game& game) { return answerOf(game); }

Answer written(Game& game, const std::optional<GameError>& failure) {
  if (game.waiting != Waiting::Write) return answerOf(game);
  const InPlay context(game);
  try {
    switch (game.writing) {
      case Writing::Save: saveWritten(game, failure); break;
      case Writing::SaveOnSignal: saveOnSignalWritten(game, failure); break;
      case Writing::HighScore: highScoreWritten(game, failure); break;
    }
  } catch (const GameError& error) {
    if (game.oneGame) throw;
    showError(game, error);
  }
  return answerOf(game);
}

Answer settleFiles(Game& game, Answer answer, Store& store) {
  while (!answer.files.empty()) {
    std::optional<GameError> failure;
    for (const FileChange& change : std::exchange(answer.files, {})) {
      try {
        change.remove ? store.remove(change.name) : store.replace(change.name, change.text);
      } catch (const GameError& error) {
        failure = error;
      }
    }
    Answer next = written(game, failure);
    std::move(next.updates.begin(), next.updates.end(), std::back_inserter(answer.updates));
    answer.files = std::move(next.files);
    answer.waiting = next.waiting;
  }
  return answer;
}

Answer step(Game& game, Input input) {
  const InPlay context(game);
  try {
    if (input.signal != 0) {
      onSignal(game, input.signal);
    } else {
      onKey(game, keypadDigit(input.key));
    }
  } catch (const GameError& error) {
    if (game.oneGame) throw;
    showError(game, error);
  }
  return answerOf(game);
}

}  // namespace vh
