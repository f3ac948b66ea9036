// The game of the day: the game whose seed is the date in UTC written as the number YYYYMMDD,
// the same for every player on that day.
#pragma once

#include <ctime>
#include <optional>
#include <string_view>

namespace vh {

// The seed of the game of the day that `now` falls in.
unsigned dailySeed(std::time_t now);

// Whether a game from `seed` that began at `started` (as 2026-12-07T01:23:45Z) was its day's
// game: a seeded game whose seed is the date it began on.
bool isDailyGame(std::optional<unsigned> seed, std::string_view started);

}  // namespace vh
