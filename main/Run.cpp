#include "main/Run.hpp"

#include <cstdio>
#include <exception>
#include <utility>

#include "random/Lfrand.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

// The run's seed, once the generator is seeded with it: every game of the run draws from there.
unsigned seeded(unsigned seed) {
  lfSrand(seed);
  return seed;
}

}  // namespace

RecordedRun::HeldScreen::HeldScreen() {
  startScreen();
  hideCursor();
}

RecordedRun::HeldScreen::~HeldScreen() {
  showCursor();
  endScreen();
}

RecordedRun::RecordedRun(Terminal& screen, unsigned seed, GameObserver told)
    : recorder_(saveFolder_, VARDENHOLT_VERSION, seeded(seed)),
      told_(std::move(told)),
      observed_({[this] {
                   recorder_.gameStarted();
                   if (told_.started) told_.started();
                 },
                 [this](const GameSummary& summary) {
                   recorder_.gameEnded(summary);
                   if (told_.ended) told_.ended(summary);
                 }}),
      drawnOn_(screen),
      filesIn_(recorder_),
      game_(startRun()) {}

void RecordedRun::give(Input input) {
  if (input.signal == 0 && input.key != NoKey) recorder_.keyGiven(input.key);
  step(game_, input);
}

std::optional<GameError> RecordedRun::writeChanges() {
  std::optional<GameError> failure;
  for (const FileChange& change : std::exchange(game_.changes, {})) {
    if (!change.remove) waitedFor_ = change.name;
    try {
      change.remove ? recorder_.remove(change.name) : recorder_.replace(change.name, change.text);
    } catch (const GameError& error) {
      failure = error;
    }
  }
  return failure;
}

void RecordedRun::written(const std::optional<GameError>& failure, bool afterTheWrite) {
  if (failure && afterTheWrite) recorder_.writeFailed(waitedFor_, *failure);
  vh::written(game_, failure);
}

void playRecordedRun(Terminal& screen, unsigned seed, const GameObserver& told) {
  try {
    std::string farewell;
    {
      RecordedRun run(screen, seed, told);
      while (!run.over()) {
        run.give(readInput());
        run.settle();
      }
      farewell = run.farewell();
    }
    if (!farewell.empty()) std::printf("%s\n", farewell.c_str());
  } catch (const GameError& error) {
    std::printf("%s (error code %d)\n", printableText(error.what()).c_str(), error.code());
  } catch (const std::exception& error) {
    std::printf("%s\n", printableText(error.what()).c_str());
  }
}

}  // namespace vh
