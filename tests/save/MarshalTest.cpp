#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "save/Marshal.hpp"
#include "save/Records.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

// "code: message" of the error that reading `text` raises, or "" when it reads.
std::string failureOf(const std::string& text) {
  try {
    unmarshal(text, 372);
  } catch (const GameError& error) {
    return std::to_string(error.code()) + ": " + error.what();
  }
  return "";
}

std::string nestedArrays(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "[372]A[[" + std::to_string(i) + "]";
  return text + std::string(static_cast<std::size_t>(depth), ']');
}

TEST(Marshal, WritesAndReadsTheWorkedTexts) {
  struct Case {
    Document document;
    int id;
    std::string text;
  };
  const std::vector<Case> cases = {
      {{{}, {}, {}, std::int32_t{0}}, 372, "[372]I[0]"},
      {{{}, {}, {}, std::int32_t{-5}}, 372, "[372]I[-5]"},
      {{{}, {}, {}, std::int32_t{INT32_MIN}}, 372, "[372]I[-2147483648]"},
      {{{}, {}, {""}, StringRef{0}}, 191, "[191]S[[0]]"},
      {{{}, {}, {"a]b[[c]"}, StringRef{0}}, 372, "[372]S[[7]a]b[[c]]"},
      {{{{false, 0, 0, 0}}, {}, {}, ObjectRef{0}}, 372, "[372]A[[0]]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(marshal(c.document, c.id), c.text);
    const Document read = unmarshal(c.text, c.id);
    EXPECT_EQ(read.root, c.document.root) << c.text;
    EXPECT_EQ(read.objects.size(), c.document.objects.size()) << c.text;
    EXPECT_EQ(read.strings, c.document.strings) << c.text;
  }
}

std::vector<Value> itemsOf(const Document& document, std::size_t object) {
  const std::span<const Value> items = document.itemsOf(document.objects[object]);
  return {items.begin(), items.end()};
}

TEST(Marshal, HighScoreExampleBothWays) {
  const std::string text = "[191]U[[0][0][3][191]I[1060][191]I[20][191]U[[1][2][0]]]";
  EXPECT_EQ(marshal(toDocument(HighScore{1060, 20, Outcome::Win}), 191), text);
  const Document read = unmarshal(text, 191);
  ASSERT_EQ(read.objects.size(), 2U);
  EXPECT_EQ(itemsOf(read, 0),
            (std::vector<Value>{std::int32_t{1060}, std::int32_t{20}, ObjectRef{1}}));
  EXPECT_TRUE(read.objects[1].isRecord && itemsOf(read, 1).empty());
  EXPECT_EQ(read.objects[1].tag, 2);
  EXPECT_EQ(highScoreFrom(read), (HighScore{1060, 20, Outcome::Win}));
}

TEST(Marshal, ReadsWhatOtherWritersMayProduce) {
  EXPECT_EQ(unmarshal("[372]I[7][372]I[8]trailing", 372).root, Value(std::int32_t{7}));
  EXPECT_EQ(unmarshal("[191]S[[2]]]]]", 191).strings, std::vector<std::string>{"]]"});
  EXPECT_EQ(unmarshal("[372]I[]", 372).root, Value(std::int32_t{0}));
  EXPECT_EQ(unmarshal("[372]I[0000000000000000042]", 372).root, Value(std::int32_t{42}));
  EXPECT_EQ(failureOf(nestedArrays(150)), "");
  // Back-references name the very object read before, which is then written once.
  const std::string shared = "[372]A[[0][372]U[[1][3][0]][372]C[1][372]C[0]]";
  const Document read = unmarshal(shared, 372);
  ASSERT_EQ(read.objects.size(), 2U);
  EXPECT_EQ(itemsOf(read, 0), (std::vector<Value>{ObjectRef{1}, ObjectRef{1}, ObjectRef{0}}));
  EXPECT_EQ(marshal(read, 372), shared);
}

TEST(Marshal, RejectsMalformedTexts) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[191]I[0]", "253: Invalid unmarshalling id"},
      {"[372]F[0]", "254: Invalid value to unmarshall"},
      {"[372]R[1.5e+00]", "254: Invalid value to unmarshall"},
      {"", "254: Invalid int to unmarshall : "},
      {"[372", "254: Invalid int to unmarshall : [372"},
      {"[372]", "254: Invalid value to unmarshall"},
      {"[372]I", "254: Invalid int to unmarshall : "},
      {"[372]I[12", "254: Invalid int to unmarshall : [12"},
      {"[372]I[00000000000000000042]", "254: Invalid int to unmarshall : [00000000000000000042]"},
      {"[372]I[2147483648]", "254: Invalid int to unmarshall : number out of range"},
      {"[372]S[[5]abc]", "254: Invalid string to unmarshall"},
      {"[372]S[[-1]]", "254: Invalid string to unmarshall"},
      {"[372]Sx", "254: Invalid string to unmarshall"},
      {"[372]A0", "254: Invalid array to unmarshall"},
      {"[372]A[[0][372]I[1]", "254: Invalid int to unmarshall : "},
      {"[372]U[[0][0][2][372]I[1]", "254: Invalid int to unmarshall : "},
      {"[372]U[[0][0][999]]", "254: Invalid union to unmarshall"},
      {"[372]A[[1]]", "252: Invalid reference number to unmarshall"},
      {"[372]A[[0][372]A[[0]]]", "252: Invalid reference number to unmarshall"},
      {"[372]C[0]", "253: Invalid circular structure"},
      {"[372]A[[0][372]C[1]]", "253: Invalid circular structure"},
      {"[372]C0", "254: Invalid circular structure"},
      {nestedArrays(100000), "254: Invalid value to unmarshall : nested too deeply"},
  };
  for (const auto& [text, failure] : cases) EXPECT_EQ(failureOf(text), failure) << text.substr(0, 40);
}

}  // namespace
}  // namespace vh
