#include "record/Timeline.hpp"

#include <algorithm>
#include <utility>

#include "random/Lfrand.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

// How many moments apart the first pass keeps a moment: no moment is further than this many
// steps from one kept.
constexpr std::size_t KeptEvery = 128;

std::map<std::string, std::string> filesAtStart(const RecordingStart& start) {
  std::map<std::string, std::string> files;
  if (start.savedGame) files[SaveEntry] = *start.savedGame;
  if (start.highScore) files[HighScoreEntry] = *start.highScore;
  return files;
}

// The generator outside the game as it was, however the game's start leaves it.
class KeptGenerator {
 public:
  KeptGenerator() : outside_(lfState()) {}
  ~KeptGenerator() { lfRestore(outside_); }
  KeptGenerator(const KeptGenerator&) = delete;
  KeptGenerator& operator=(const KeptGenerator&) = delete;

 private:
  LfState outside_;
};

}  // namespace

Timeline::Timeline(const Recording& recording, int colours)
    : feed_(eventsOf(recording), recording.start),
      store_(filesAtStart(recording.start),
             [this](const std::string& name, const std::string& text) {
               feed_.checkWrite(name, text);
             }) {
  try {
    const KeptGenerator generator;
    const UsingStore inMemory(store_);
    lfRestore(recording.start.generator);
    game_ = startOneGame(colours);
    settleFiles(*game_, opening(*game_), store_);
  } catch (const GameError& error) {
    error_ = errorLine(error);
    game_.reset();
  }
  if (game_) note();
  while (game_ && advance()) note();
  turns_.resize(std::max<std::size_t>(turns_.size(), 1));
  areas_.resize(turns_.size());
  if (areaStarts_.empty()) areaStarts_.push_back(0);
  if (game_) restore(0);
}

// Takes the game one input on, if the recording has one for it; false at its end, or when the
// input ends the replay in an error, after which only a kept moment gives the game again.
bool Timeline::advance() {
  if (game_->waiting == Waiting::Over) {
    ended_ = true;
    return false;
  }
  const std::optional<Input> input = feed_.nextInput();
  if (!input) return false;
  try {
    settleFiles(*game_, step(*game_, *input), store_);
  } catch (const GameError& error) {
    error_ = errorLine(error);
    return false;
  }
  ++position_;
  return true;
}

// Notes the moment the first pass has come to, and keeps it every so often.
void Timeline::note() {
  const int area = game_->level;
  if (areas_.empty() || areas_.back() != area) areaStarts_.push_back(position_);
  turns_.push_back(game_->turns);
  areas_.push_back(area);
  if (position_ % KeptEvery == 0) kept_.push_back(Kept{*game_, store_.files(), feed_});
}

std::vector<ScreenUpdate> Timeline::forward() {
  if (!game_ || position_ == length()) return {};
  const std::optional<Input> input = feed_.nextInput();
  ++position_;
  return settleFiles(*game_, step(*game_, *input), store_).updates;
}

void Timeline::seek(std::size_t moment) {
  if (!game_) return;
  moment = std::min(moment, length());
  if (moment < position_ || moment - position_ > KeptEvery) restore(moment / KeptEvery);
  while (position_ < moment) forward();
}

void Timeline::restore(std::size_t kept) {
  const Kept& from = kept_.at(kept);
  *game_ = from.game;
  store_.replaceAll(from.files);
  feed_ = from.feed;
  position_ = kept * KeptEvery;
}

std::size_t Timeline::momentOfTurn(int turn) const {
  return static_cast<std::size_t>(std::lower_bound(turns_.begin(), turns_.end(), turn) -
                                  turns_.begin());
}

std::size_t Timeline::nextArea() const {
  const auto next = std::upper_bound(areaStarts_.begin(), areaStarts_.end(), position_);
  return next == areaStarts_.end() ? length() : *next;
}

std::size_t Timeline::previousArea() const {
  const auto after = std::lower_bound(areaStarts_.begin(), areaStarts_.end(), position_);
  return after == areaStarts_.begin() ? 0 : *std::prev(after);
}

}  // namespace vh
