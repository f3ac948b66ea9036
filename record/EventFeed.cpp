#include "record/EventFeed.hpp"

#include <utility>
#include <variant>

#include "save/Savefile.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

// Where a recording held in memory stands: a value, so that a copy of a feed goes on from where
// the original stood.
struct HeldEvents {
  const Recording* recording;
  std::size_t key = 0;
  std::size_t failure = 0;
  bool resultGiven = false;

  std::optional<RecordedEvent> operator()() {
    if (failure < recording->failedWrites.size() && recording->failedWrites[failure].first <= key) {
      return recording->failedWrites[failure++].second;
    }
    if (key < recording->keys.size()) return recording->keys[key++];
    if (recording->result && !resultGiven) {
      resultGiven = true;
      return *recording->result;
    }
    return std::nullopt;
  }
};

}  // namespace

EventSource eventsOf(const Recording& recording) { return HeldEvents{&recording}; }

EventFeed::EventFeed(EventSource source, const RecordingStart& start)
    : source_(std::move(source)),
      notesFailures_(earlierVersion(FirstRecordingVersion, start.gameVersion)) {}

std::optional<Input> EventFeed::nextInput() {
  for (;;) {
    std::optional<RecordedEvent> event = take();
    if (!event) return std::nullopt;
    if (const auto* key = std::get_if<RecordedKey>(&*event)) {
      if (key->signal == 0) {
        unused_ += pending_.size();  // failed writes that the game never came to
        pending_.clear();
        return Input{key->key, 0};
      }
      // The save that a signal forces comes after it, and its failure before it.
      signalled_ = true;
      return Input{NoKey, key->signal};
    }
    if (const auto* result = std::get_if<GameSummary>(&*event)) {
      recorded_ = *result;
      return std::nullopt;
    }
    hold(std::get<FailedWrite>(std::move(*event)));
  }
}

void EventFeed::checkWrite(const std::string& name, const std::string& text) {
  while (peek() && std::holds_alternative<FailedWrite>(*peek())) {
    hold(std::get<FailedWrite>(*take()));
  }
  if (!pending_.empty() && pending_.front().name == name) {
    const FailedWrite failure = std::move(pending_.front());
    pending_.pop_front();
    fail(name, text, failure);
  }
  // Recordings made before failed writes were noted still tell one: a game that a signal
  // stopped is one whose last save failed.
  const GameSummary* result = peek() ? std::get_if<GameSummary>(&*peek()) : nullptr;
  if (!notesFailures_ && signalled_ && name == SaveEntry && result &&
      result->ending == Ending::Stopped) {
    fail(name, text, FailedWrite{name, 1, "File Error: " + name + ": the save failed"});
  }
}

std::size_t EventFeed::drain() {
  unused_ += pending_.size();
  pending_.clear();
  while (const std::optional<RecordedEvent> event = take()) {
    if (const auto* result = std::get_if<GameSummary>(&*event)) {
      recorded_ = *result;
    } else {
      ++unused_;
    }
  }
  return unused_;
}

// No game writes more than a few files between two keys.
void EventFeed::hold(FailedWrite failure) {
  constexpr std::size_t MostWritesBetweenKeys = 8;
  if (pending_.size() == MostWritesBetweenKeys) {
    throw GameError("Invalid recording: more failed writes than the game makes between keys",
                    BadRecordingCode);
  }
  pending_.push_back(std::move(failure));
}

void EventFeed::fail(const std::string& name, const std::string& text,
                   const FailedWrite& failure) {
  if (name == SaveEntry) unwrittenSave_ = text;
  throw GameError(failure.message, failure.code);
}

const std::optional<RecordedEvent>& EventFeed::peek() {
  if (!lookahead_ && !ended_) {
    lookahead_ = source_();
    ended_ = !lookahead_;
  }
  return lookahead_;
}

std::optional<RecordedEvent> EventFeed::take() {
  if (lookahead_) return std::exchange(lookahead_, std::nullopt);
  if (ended_) return std::nullopt;
  std::optional<RecordedEvent> event = source_();
  ended_ = !event;
  return event;
}

}  // namespace vh
