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

RecordedRun::HeldScreen::HeldScreen() { startScreen(); }

RecordedRun::HeldScreen::~HeldScreen() {
  showCursor();
  endScreen();
}

RecordedRun::RecordedRun(Terminal& screen, unsigned seed, GameObserver told)
    : recorder_(saveFolder_, VARDENHOLT_VERSION, seeded(seed)),
      told_(std::move(told)),
      observed_({[this] {
                   recorder_.gameStarted();
                   if (told_.started) unheard_.push_back(told_.started);
                 },
                 [this](const GameSummary& summary) {
                   recorder_.gameEnded(summary);
                   if (told_.ended) unheard_.push_back([this, summary] { told_.ended(summary); });
                 }}),
      drawnOn_(screen),
      filesIn_(recorder_),
      screen_(screen),
      game_(startRun(screen.colours())),
      answer_(opening(game_)) {
  show();
}

void RecordedRun::show() {
  showUpdates(screen_, answer_.updates);
  for (const auto& news : std::exchange(unheard_, {})) news();
}

void RecordedRun::give(Input input) {
  if (input.signal == 0 && input.key != NoKey) recorder_.keyGiven(input.key);
  answer_ = step(game_, input);
  show();
}

void RecordedRun::settle() {
  answer_.updates.clear();  // shown already
  answer_ = settleFiles(game_, std::move(answer_), recorder_);
  show();
}

std::optional<GameError> RecordedRun::writeChanges() {
  std::optional<GameError> failure;
  for (const FileChange& change : std::exchange(answer_.files, {})) {
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
  answer_ = vh::written(game_, failure);
  show();
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
