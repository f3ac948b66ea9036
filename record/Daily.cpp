#include "record/Daily.hpp"

#include <charconv>

namespace vh {

unsigned dailySeed(std::time_t now) {
  std::tm utc{};
  gmtime_r(&now, &utc);
  return static_cast<unsigned>((utc.tm_year + 1900) * 10000 + (utc.tm_mon + 1) * 100 + utc.tm_mday);
}

bool isDailyGame(std::optional<unsigned> seed, std::string_view started) {
  if (!seed || started.size() < 10 || started[4] != '-' || started[7] != '-') return false;
  const auto field = [&](std::size_t from, std::size_t length) {
    unsigned value = 0;
    const char* first = started.data() + from;
    const auto [end, error] = std::from_chars(first, first + length, value);
    return error == std::errc{} && end == first + length ? std::optional(value) : std::nullopt;
  };
  const auto year = field(0, 4), month = field(5, 2), day = field(8, 2);
  return year && month && day && *seed == *year * 10000 + *month * 100 + *day;
}

}  // namespace vh
