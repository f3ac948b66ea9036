// Plays one long game with the careful player and keeps its recording: the long game that the
// replay benchmarks and tests measure. It plays through the recorder on a virtual terminal under
// a fresh HOME, as the program plays, from a saved game in area 1 whose King has the captures
// that open most of his moves (a new King does not live long), and saves and leaves once the
// game is long enough. Run it by hand from the top of the tree when the rules change and the
// recording no longer verifies:
//
//   build/debug/tests/record_long_game tests/data/long-game.vhr
#include <cstdio>
#include <filesystem>
#include <set>
#include <stdexcept>

#include "main/Run.hpp"
#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "record/Replay.hpp"
#include "save/Savefile.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/Board.hpp"
#include "support/CarefulKing.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

constexpr unsigned Seed = 20260101;
constexpr const char* StartingCaptures = "10P 10N 10B 10R";
constexpr int LeastTurns = 1000;
// A game that runs this far has lost its way.
constexpr int MostKeys = 20000;

void saveStart() {
  lfSrand(Seed + 1);
  const Map map = buildAreaMap(1);
  const CreatureList creatures = populateArea(map, 1);
  saveGame(map, Player{true, 2, 2, board::taken(StartingCaptures), "", false}, creatures, 1);
}

// The run as the driver last showed it, and what the player has done since.
struct Watched {
  bool inPlay = false;
  Map map;
  Player king;
  CreatureList creatures;
  bool moveChosen = true;  // since the last turn or area was shown
  bool saved = false;
  int turns = 0;
  int keys = 0;
  std::set<int> areas;
};

// The next key of the run: the instructions' key, the careful move after each turn and a wait
// for any further move of the same turn; once the game is long enough the save, and "no" to
// going on.
int nextKey(Watched& game) {
  if (++game.keys > MostKeys) throw std::runtime_error("the long game runs too long");
  if (!game.inPlay) return game.areas.empty() ? ' ' : 'n';
  if (game.moveChosen) return '.';
  game.moveChosen = true;
  // On the exit the next key only leaves the area, and would eat the save.
  if (game.turns >= LeastTurns && !game.saved && notEscaped(game.map, game.king)) {
    game.saved = true;
    return 'S';  // the turn's move follows it, as a wait
  }
  return carefulKey(game.king, game.map, game.creatures);
}

}  // namespace
}  // namespace vh

int main(int argc, char** argv) {
  using namespace vh;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RECORDING\n", argv[0]);
    return 2;
  }
  const TempHome home;
  saveStart();
  Watched game;
  observeTurns([&](Moment moment, const Map& map, const Player& king, const CreatureList& creatures,
                   int level) {
    game.map = map;
    game.king = king;
    game.creatures = creatures;
    game.moveChosen = false;
    game.turns += moment == Moment::TurnOver ? 1 : 0;
    game.areas.insert(level);
  });
  VirtualTerminal screen;
  screen.whenOutOfKeys([&] { return nextKey(game); });
  playRecordedRun(screen, Seed,
                  {[&] { game.inPlay = true; }, [&](const GameSummary&) { game.inPlay = false; }});
  observeTurns(nullptr);

  const auto recordings =
      std::filesystem::directory_iterator(home.saveFile().parent_path() / "recordings");
  std::filesystem::copy_file(begin(recordings)->path(), argv[1],
                             std::filesystem::copy_options::overwrite_existing);
  std::printf("%d turns in areas %d to %d\n", game.turns, *game.areas.begin(),
              *game.areas.rbegin());
  if (game.turns < LeastTurns) return 1;
  return verifyRecordings({RecordingSource{argv[1], {}}});
}
