#include "record/Link.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "record/Recording.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

const std::string Data = VARDENHOLT_TEST_DATA;

// What the page makes of a recording: raw deflate, as the browser's CompressionStream
// ("deflate-raw") writes it, in base64url without padding.
std::string linkOf(const std::string& text, int level = Z_BEST_COMPRESSION) {
  z_stream stream{};
  deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string compressed(deflateBound(&stream, text.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(compressed.data());
  stream.avail_out = static_cast<uInt>(compressed.size());
  deflate(&stream, Z_FINISH);
  compressed.resize(stream.total_out);
  deflateEnd(&stream);
  constexpr std::string_view Digits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string encoded;
  unsigned bits = 0;
  int held = 0;
  for (const char byte : compressed) {
    bits = (bits << 8) | static_cast<unsigned char>(byte);
    held += 8;
    while (held >= 6) encoded += Digits[(bits >> (held -= 6)) & 63];
  }
  if (held > 0) encoded += Digits[(bits << (6 - held)) & 63];
  return "https://vardenholt.org/play/#replay=" + encoded;
}

std::string refusalOf(const std::string& link) {
  try {
    recordingOfLink(link);
  } catch (const GameError& error) {
    return errorLine(error);
  }
  return "";
}

}  // namespace

// A link gives back its recording byte for byte, short game or long; and a thousand-turn game
// fits in a link of 4,000 characters.
TEST(Link, HoldsItsRecordingByteForByte) {
  for (const std::string name : {"/corpus/fresh-1-1.vhr", "/corpus/area-12-1.vhr",
                                 "/long-game.vhr"}) {
    const std::string text = readFile(Data + name);
    const std::string link = linkOf(text);
    EXPECT_TRUE(isGameLink(link));
    EXPECT_EQ(recordingOfLink(link), text) << name;
    EXPECT_EQ(recordingOfLink(link + "==&from=a-friend"), text) << "padding, and more after it";
    EXPECT_EQ(recordingOfLink(linkOf(text, Z_NO_COMPRESSION)), text) << "stored blocks";
  }
  EXPECT_FALSE(isGameLink(Data + "/long-game.vhr"));

  // The keys of the thousand-turn long game after the start of a new game: a new game of that
  // length, whose link needs no saved game.
  const std::string fresh = readFile(Data + "/corpus/fresh-1-1.vhr");
  const std::string longGame = readFile(Data + "/long-game.vhr");
  const std::string thousandTurns =
      fresh.substr(0, fresh.find("\nkeys\n")) + longGame.substr(longGame.find("\nkeys\n"));
  EXPECT_LE(linkOf(thousandTurns).size(), 4000U);
}

// A link that holds no recording says why, in one line; one that would unpack to more than a
// recording may hold is refused before it fills the memory.
TEST(Link, ADamagedLinkSaysWhy) {
  const std::string link = linkOf(readFile(Data + "/corpus/fresh-1-1.vhr"));
  const std::string bad = "260: Invalid link: ";
  EXPECT_EQ(refusalOf("https://vardenholt.org/play/"), bad + "it holds no game");
  EXPECT_EQ(refusalOf(link.substr(0, link.size() - 30)), bad + "its recording is damaged or cut short");
  EXPECT_EQ(refusalOf(link + "AAAA"), bad + "its recording is damaged or cut short");
  EXPECT_EQ(refusalOf(link + "*"), bad + "it holds a character that base64url has not");
  EXPECT_EQ(refusalOf("#replay=AAAAA"), bad + "it is cut short");
  EXPECT_EQ(refusalOf("#replay="), bad + "its recording is damaged or cut short");
  EXPECT_EQ(refusalOf(linkOf(std::string(MaxRecordingSize + 1, 'x'))),
            bad + "it holds more than a recording may");
}

}  // namespace vh
