// A recording's events handed to its game as the game comes to them: each key to a key read, each
// failed write to the write it stands for. A feed is a value: a copy goes on from where the
// original stood, which is how a replay keeps moments to go back to.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "main/Game.hpp"
#include "main/Vardenholt.hpp"
#include "record/Recording.hpp"

namespace vh {

// The next event of a recording; none once it holds no more.
using EventSource = std::function<std::optional<RecordedEvent>()>;

// The events of a recording held in memory, which must outlive the source and its copies.
EventSource eventsOf(const Recording& recording);

class EventFeed {
 public:
  EventFeed(EventSource source, const RecordingStart& start);

  // The next key, or the signal that ended the game; none when the recording holds no more.
  std::optional<Input> nextInput();
  // Raises the recorded error when the recording says this write failed here.
  void checkWrite(const std::string& name, const std::string& text);
  // Counts the keys and failed writes that the game never came to, and reads the result.
  std::size_t drain();

  const std::optional<GameSummary>& recorded() const { return recorded_; }
  // The saved game of the last save that failed.
  const std::optional<std::string>& unwrittenSave() const { return unwrittenSave_; }

 private:
  void hold(FailedWrite failure);
  [[noreturn]] void fail(const std::string& name, const std::string& text,
                         const FailedWrite& failure);
  const std::optional<RecordedEvent>& peek();
  std::optional<RecordedEvent> take();

  EventSource source_;
  bool notesFailures_;
  std::optional<RecordedEvent> lookahead_;
  std::deque<FailedWrite> pending_;  // read, and not yet come to
  bool ended_ = false;
  bool signalled_ = false;
  std::size_t unused_ = 0;
  std::optional<GameSummary> recorded_;
  std::optional<std::string> unwrittenSave_;
};

}  // namespace vh
