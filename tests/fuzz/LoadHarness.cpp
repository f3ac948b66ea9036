#include "fuzz/LoadHarness.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "creatures/Creatures.hpp"
#include "player/Redraw.hpp"
#include "record/Gamelog.hpp"
#include "record/Recording.hpp"
#include "save/Marshal.hpp"
#include "save/Records.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "loader promise broken: %s\n", what);
  std::abort();
}

// A generic document written out and read back is written out the same again.
void checkRewrite(const Document& document, int id) {
  const std::string once = marshal(document, id);
  require(marshal(unmarshal(once, id), id) == once, "a rewritten document changed");
}

void checkSavedGame(const Document& document) {
  GameState state = gameStateFrom(document);
  const std::string text = marshal(toDocument(state), SaveId);
  const GameState again = gameStateFrom(unmarshal(text, SaveId));
  require(marshal(toDocument(again), SaveId) == text, "a saved game changed on rereading");
  VirtualTerminal terminal;
  useTerminal(terminal);
  fullRefresh(state.map, state.player, state.creatures, state.level);
  moveCreatures(state.player, state.map, state.creatures);
}

void checkHighScore(const Document& document) {
  const HighScore score = highScoreFrom(document);
  require(highScoreFrom(unmarshal(marshal(toDocument(score), HighScoreId), HighScoreId)) == score,
          "a high score changed on rereading");
}

}  // namespace

void exerciseLoaders(std::string_view text) {
  for (const int id : {SaveId, HighScoreId}) {
    try {
      const Document document = unmarshal(text, id);
      checkRewrite(document, id);
      if (id == SaveId) {
        checkSavedGame(document);
      } else {
        checkHighScore(document);
      }
    } catch (const GameError&) {
      // Refusing a text is a correct answer.
    }
  }
}

void exerciseRecordReaders(std::string_view text) {
  try {
    const Recording recording = readRecording(text);
    std::string again = recordingHeader(recording.start);
    for (const RecordedKey& key : recording.keys) {
      again += key.signal != 0 ? signalLine(key.signal) : keyLine(key.key);
    }
    if (recording.result) again += resultLine(*recording.result);
    require(again == text, "a recording changed on rewriting");
  } catch (const GameError&) {
  }
  try {
    for (const LogEntry& entry : readLog(text))
      require(!logLine(entry).empty(), "an empty log line");
  } catch (const GameError&) {
  }
}

}  // namespace vh
