// The entry of the browser page: the seed the page was opened with, one game per browser, the
// files in the browser's storage, then the game on the page's screen, recorded as it goes, as the
// program does in a terminal. Nothing here waits: the page starts the run once it holds the lock
// and the storage is open, and gives it each key as it comes, and each save once it is stored.
#include <emscripten.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "main/Options.hpp"
#include "main/Run.hpp"
#include "map/Mapdata.hpp"
#include "player/Keys.hpp"
#include "player/Panel.hpp"
#include "screen/Display.hpp"
#include "record/Listing.hpp"
#include "record/Recorder.hpp"
#include "record/Recording.hpp"
#include "record/Timeline.hpp"
#include "save/Folder.hpp"
#include "save/Savefile.hpp"
#include "screen/Util.hpp"
#include "web/WebTerminal.hpp"

namespace {

// The page's side, in web/page.js.
EM_JS(void, pageBegin, (const char* folder), { Module.vhBegin(UTF8ToString(folder)); });
EM_JS(void, pageUseFiles, (const char* savedGame, const char* recordings),
      { Module.vhUseFiles(UTF8ToString(savedGame), UTF8ToString(recordings)); });
EM_JS(void, pageGameInPlay, (int inPlay), { Module.vhGameInPlay(inPlay != 0); });
EM_JS(void, pageRunEnded, (), { Module.vhRunEnded(); });

// What the page hears after each thing it gives the run.
enum Answer { WantsKey = 0, WantsWrite = 1, Ended = 2 };

// How the page's copy of the files to the browser's storage went.
enum Copy { Copied = 0, StorageFull = 1, CopyFailed = 2 };

vh::Options options;
vh::WebTerminal terminal;
std::unique_ptr<vh::RecordedRun> run;

int refuse(const std::string& line) {
  std::fprintf(stderr, "vardenholt: %s\n", line.c_str());
  return 1;
}

// The run has ended: the screen stays on the page, and the player reads the last words.
Answer end() {
  const std::string farewell = run->farewell();
  run.reset();
  if (!farewell.empty()) std::printf("%s\n", farewell.c_str());
  pageRunEnded();
  return Ended;
}

// Writes what the run asked for to the page's files; when the run waits for a write, the page
// copies the files to the browser's storage before the run goes on.
Answer settle() {
  for (;;) {
    const std::optional<vh::GameError> failure = run->writeChanges();
    if (!run->waitsForWrite()) break;
    if (!failure) {
      terminal.refresh();
      return WantsWrite;
    }
    run->written(failure);
  }
  terminal.refresh();
  return run->over() ? end() : WantsKey;
}

}  // namespace

// Starts the run once the page holds the lock (`locked`) and its storage is open; 0 when it has
// begun, 1 when it is refused.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_start(int locked) {
  const auto refused = [](const std::string& line) {
    refuse(line);
    pageRunEnded();
    return 1;
  };
  if (options.action == vh::Action::Misuse) return refused(options.problem);
  if (locked == 0) {
    return refused("a game is already running in another page of this browser; close it first");
  }
  pageUseFiles(vh::SaveName().c_str(), vh::recordingsDir().c_str());
  try {
    // A seeded game is a new game: it must neither replace nor continue the saved one.
    if (options.seed && vh::saveExists()) {
      return refused(std::string("a saved game exists in this browser; open the page without ") +
                     (options.daily ? "?daily" : "?seed=") + " to continue it");
    }
    run = std::make_unique<vh::RecordedRun>(
        terminal, options.seed.value_or(static_cast<unsigned>(std::time(nullptr))),
        vh::GameObserver{[] { pageGameInPlay(1); },
                         [](const vh::GameSummary&) { pageGameInPlay(0); }});
  } catch (const vh::GameError& error) {
    return refused(vh::errorLine(error));
  }
  terminal.refresh();
  return 0;
}

// A key for the run: what the run wants next.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_key(int code) {
  if (!run || run->waitsForWrite()) return run ? WantsWrite : Ended;
  run->give(vh::Input{code, 0});
  return settle();
}

// The page has copied the files the run waits for to the browser's storage, or failed to, as a
// full disk fails a save: what the run wants next.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_written(int copy) {
  if (!run || !run->waitsForWrite()) return run ? WantsKey : Ended;
  std::optional<vh::GameError> failure;
  if (copy != Copied) {
    try {
      vh::fileError(vh::SaveDir() + run->waitedFor(), copy == StorageFull ? ENOSPC : EIO);
    } catch (const vh::GameError& error) {
      failure = error;
    }
  }
  run->written(failure, true);
  return settle();
}

// The page is going away: the run takes it as a hangup and saves the game in play at once, into
// the page's files, which the page keeps as it goes; a save being stored counts as stored.
extern "C" EMSCRIPTEN_KEEPALIVE void vh_hang_up() {
  if (!run) return;
  while (!run->over()) {
    if (run->waitsForWrite()) {
      run->written(std::nullopt);  // the files are in the page's own, which it keeps as it goes
    } else {
      run->give(vh::Input{vh::NoKey, SIGHUP});
    }
    run->settle();
  }
  end();
}

// Where the run waits, as the numbers of `vh::Waiting`: what a tap means for the page.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_waiting() {
  return static_cast<int>(run ? run->game().waiting : vh::Waiting::Over);
}

// The moves open to the King while the run waits for one, for the page to reach by taps and to
// show: one line each, of the key's code, the screen column and row of the cell it reaches, and
// the terminal colour (0 to 15) of its group on the keypad.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vh_open_moves() {
  static std::string lines;
  lines.clear();
  if (!run || run->game().waiting != vh::Waiting::Move) return lines.c_str();
  const vh::Game& game = run->game();
  for (const vh::OpenMove& move : vh::openMoves(game.player, game.map, game.creatures)) {
    const vh::KeyLook& look = vh::lookOf(move.colour);
    const int colour =
        vh::shownColour(static_cast<int>(look.hue), look.attribute == vh::Attribute::Bold);
    lines += std::to_string(static_cast<unsigned char>(move.key.letter)) + ' ' +
             std::to_string(vh::mapColumn(move.x)) + ' ' + std::to_string(vh::mapRow(move.y)) +
             ' ' + std::to_string(colour) + '\n';
  }
  return lines.c_str();
}

// The moves that the keypad names by letter alone, which a device without a keyboard needs
// buttons for: the knight's jumps and the two-cell moves, in the key table's order.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vh_letter_moves() {
  static std::string letters;
  letters.clear();
  for (const vh::MoveKey& key : vh::moveKeys()) {
    if (key.group == vh::KeyGroup::KnightJumps || key.group == vh::KeyGroup::TwoDiagonal ||
        key.group == vh::KeyGroup::TwoOrthogonal) {
      letters += key.letter;
    }
  }
  return letters.c_str();
}

// Every move key and where its move goes, for the page's keypad to place it as the side panel
// does: one line each, of the key's code and the move's columns and rows.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vh_pad_keys() {
  static std::string lines;
  lines.clear();
  for (const vh::MoveKey& key : vh::moveKeys()) {
    lines += std::to_string(static_cast<unsigned char>(key.letter)) + ' ' + std::to_string(key.dx) +
             ' ' + std::to_string(key.dy) + '\n';
  }
  return lines.c_str();
}

// Where the parts of the screen stand, for a page too narrow for all of it to show them apart:
// the map's columns and rows from the top left, the panel's first column and the row of its
// keypad's heading, and the first message line's row.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vh_layout() {
  static const std::string layout =
      std::to_string(vh::mapColumn(vh::MapWidth) + 1) + ' ' +
      std::to_string(vh::mapRow(vh::MapHeight) + 1) + ' ' + std::to_string(vh::PanelColumn) + ' ' +
      std::to_string(vh::ControlsRow) + ' ' + std::to_string(vh::FirstMessageRow);
  return layout.c_str();
}

// The screen column of the King's cell while the screen shows the map, for the page to keep him
// in view: as he moves, at the end of an area and when asked whether to go on after a save; -1
// on the other screens.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_king_column() {
  if (!run) return -1;
  const vh::Game& game = run->game();
  const bool showsMap =
      game.waiting == vh::Waiting::Move || game.waiting == vh::Waiting::AreaEnd ||
      (game.waiting == vh::Waiting::Question && game.ended && game.ended->ending == vh::Ending::Saved);
  return showsMap ? vh::mapColumn(game.player.x) : -1;
}

// The list of the recordings, newest first, as --recordings prints it.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vh_recordings_table() {
  static std::string table;
  try {
    table = vh::recordingsTable(vh::recordingsDir());
  } catch (const vh::GameError& error) {
    table = vh::errorLine(error) + "\n";
  }
  return table.c_str();
}

// The key that the keypad on the side panel shows at a screen cell, or -1.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_keypad_key(int column, int row) {
  return vh::keypadKeyAt(column, row).value_or(-1);
}

// A recording watched on the page, which never touches the page's files: its timeline, stepped
// and sought as the page's controls ask, on the page's screen.
struct Watched {
  vh::Recording recording;
  std::unique_ptr<vh::Timeline> timeline;
};
std::unique_ptr<Watched> watched;

// The game's screen at the present moment, every cell of it, for the page to draw what changed.
void showMoment() {
  const vh::Game* game = watched->timeline->game();
  const vh::ScreenBuffer cells = game ? game->screen.cells() : vh::ScreenBuffer();
  for (int row = 0; row < vh::ScreenBuffer::Rows; ++row) vh::showRow(terminal, cells, row);
  terminal.refresh();
}

// Opens a recording's text to watch, at its first moment: "" once it shows, or the error line
// that keeps it from being watched at all.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vh_watch(const char* text, int size) {
  static std::string failure;
  failure.clear();
  try {
    auto opened = std::make_unique<Watched>();
    opened->recording = vh::readRecording(std::string_view(text, static_cast<std::size_t>(size)));
    opened->timeline = std::make_unique<vh::Timeline>(opened->recording, terminal.colours());
    // A recording whose game cannot even begin has nothing to watch.
    if (opened->timeline->game() == nullptr) {
      failure = opened->timeline->error().value_or("");
      return failure.c_str();
    }
    watched = std::move(opened);
    terminal.start();
    vh::useTerminal(terminal);
    vh::startScreen();
    showMoment();
  } catch (const vh::GameError& error) {
    failure = vh::errorLine(error);
  }
  return failure.c_str();
}

// Where the watched game stands, one number each, space apart: the moment, the last moment, the
// turns played then and at the end, the area, and how the recording ends: 0 before the game's
// end, 1 at it, 2 where it stops before, 3 at an error.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vh_watch_state() {
  static std::string state;
  const vh::Timeline& timeline = *watched->timeline;
  const std::size_t moment = timeline.position(), last = timeline.length();
  const int ending = moment < last ? 0 : timeline.ended() ? 1 : timeline.error() ? 3 : 2;
  state = std::to_string(moment) + ' ' + std::to_string(last) + ' ' +
          std::to_string(timeline.turnAt(moment)) + ' ' + std::to_string(timeline.turnAt(last)) +
          ' ' + std::to_string(timeline.areaAt(moment)) + ' ' + std::to_string(ending);
  return state.c_str();
}

// The error line that ended the watched recording, if one did.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vh_watch_error() {
  static std::string line;
  line = watched->timeline->error().value_or("");
  return line.c_str();
}

// To a moment of the watched game, drawn.
extern "C" EMSCRIPTEN_KEEPALIVE void vh_watch_seek(int moment) {
  watched->timeline->seek(static_cast<std::size_t>(std::max(moment, 0)));
  showMoment();
}

// The moment an area after (`direction` 1) or before (-1) the present moment begins: the next
// area's first, or the start of this one or of the one before.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_watch_area(int direction) {
  const vh::Timeline& timeline = *watched->timeline;
  return static_cast<int>(direction > 0 ? timeline.nextArea() : timeline.previousArea());
}

// The first moment at which that many turns have been played, or the last.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_watch_turn(int turn) {
  return static_cast<int>(std::min(watched->timeline->momentOfTurn(turn), watched->timeline->length()));
}

// The page passes its seed as the command line's --seed; the run begins once the page holds the
// lock and has opened its storage, in the folder that holds the save folder.
int main(int argc, char* argv[]) {
  options = vh::parseOptions(argc, argv);
  const char* home = std::getenv("HOME");
  pageBegin(home != nullptr ? home : "/");
  return 0;
}
