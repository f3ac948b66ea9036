// What the loaders must survive: any text at all, read as a saved game, a high score, a
// recording and a game log.
#pragma once

#include <string_view>

namespace vh {

// Reads text with both file ids. Whatever it holds, reading either fails with a GameError or
// gives records that can be written back, read again unchanged, drawn and played for a turn.
// Breaks of that promise abort, so a fuzzer and a replaying test both catch them.
void exerciseLoaders(std::string_view text);

// Reads text as a recording and as a game log. Whatever it holds, reading fails with a GameError
// or gives a recording that, written out again, reads back the same.
void exerciseRecordReaders(std::string_view text);

}  // namespace vh
