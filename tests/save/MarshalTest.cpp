#include <gtest/gtest.h>

#include "save/Marshal.hpp"
#include "support/TempHome.hpp"

using namespace vh;

// Each text read and written back, or "code: message" of the error that reading it raises; the
// errors of damaged real files are in DamagedFilesTest.
TEST(Marshal, WritesBackWhatItReadsAndRejectsMalformedTexts) {
  const std::string long200 = "[191]S[[200]" + std::string(200, 'x') + "]";
  const auto nested = [](int levels) {  // arrays in arrays
    std::string text;
    for (int i = 0; i < levels; ++i) text += "[191]A[[" + std::to_string(i) + "]";
    return text + std::string(levels, ']');
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[191]I[-2147483648]", "[191]I[-2147483648]"},
      {"[191]I[2147483647]", "[191]I[2147483647]"},
      // A number ends at its first other character, its item at the bracket after.
      {"[191]A[[0][191]I[12a][191]I[3]]", "[191]A[[0][191]I[12][191]I[3]]"},
      {"[191]S[[7]a]b[[c]]", "[191]S[[7]a]b[[c]]"},
      {"[191]A[[0]]", "[191]A[[0]]"},
      {"[191]U[[0][0][3][191]I[1060][191]I[20][191]U[[1][2][0]]]",
       "[191]U[[0][0][3][191]I[1060][191]I[20][191]U[[1][2][0]]]"},
      // Back-references name the very object read before, so it is written once again.
      {"[191]A[[0][191]U[[1][3][0]][191]C[1][191]C[0]]",
       "[191]A[[0][191]U[[1][3][0]][191]C[1][191]C[0]]"},
      {"[191]I[7]trailing", "[191]I[7]"},
      {"[191]S[[3]abc", "[191]S[[3]abc]"},  // the string reaches the end; its bracket is missing
      {"[191]A[[0][191]C[1]]", "253: Invalid circular structure"},  // to itself, not yet begun
      {"[191]I[0000000000000000007]", "[191]I[7]"},                 // numbers run to 19 characters
      {"[191]I[00000000000000000007]", "254: Invalid int to unmarshall : [00000000000000000007]"},
      {long200, long200},  // fills the writer's first storage to the last byte
      {"[191]I[2147483648]", "254: Invalid int to unmarshall : number out of range"},
      {"[191]A0", "254: Invalid array to unmarshall"},
      {"[191]U[[0][0][999]]", "254: Invalid union to unmarshall"},
      {nested(201), nested(201)},
      {nested(202), "254: Invalid value to unmarshall : nested too deeply"},
  };
  for (const auto& [text, expected] : cases) {
    std::string written;
    const std::string failure = failureOf([&] { written = marshal(unmarshal(text, 191), 191); });
    EXPECT_EQ(failure + written, expected) << text.substr(0, 40);
  }
}
