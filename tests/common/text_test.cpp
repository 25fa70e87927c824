#include <gtest/gtest.h>

#include "core/common/code_points.h"
#include "core/common/field_splitter.h"
#include "core/common/path_splitter.h"
#include "core/common/text_decoding.h"

namespace cab {
namespace {

TEST(TextDecoding, Cp932AndUtf8Files) {
  // "駅" in CP932 is 0x89 0x77; 0x8160 is the wave dash as U+FF5E; 0x5C stays a backslash.
  EXPECT_EQ(decodeDataText("\x89\x77"), "駅");
  EXPECT_EQ(decodeDataText("\x81\x60"), "\xEF\xBD\x9E");
  EXPECT_EQ(decodeDataText("\x87\x40"), "①");
  EXPECT_EQ(decodeDataText("a\\b"), "a\\b");
  EXPECT_EQ(decodeDataText("\xEF\xBB\xBF[Key]"), "[Key]");  // UTF-8 BOM dropped
  EXPECT_EQ(decodeDataText("駅"), "駅");                       // valid UTF-8 taken as it is
  // A CP932 file is never stripped of bytes that look like a BOM prefix.
  EXPECT_EQ(codePointCount(decodeDataText("\xEF\x89\x77")), 2u);
  EXPECT_EQ(encodeCp932("駅①"), "\x89\x77\x87\x40");
}

TEST(CodePoints, CountsCharactersNotBytes) {
  const std::string s = "ab駅名c";
  EXPECT_EQ(codePointCount(s), 5u);
  EXPECT_EQ(codePointAt(s, 3), "駅");
  EXPECT_EQ(codePointAt(s, 6), "");
  EXPECT_EQ(firstCodePoints(s, 4), "ab駅名");
  EXPECT_EQ(codePointsFrom(s, 2), "駅名c");
}

TEST(FieldSplitter, FieldsBetweenCommas) {
  struct Case {
    const char* line;
    int n;
    const char* field;
  } cases[] = {{"1,2,3", 1, "1"}, {"1,2,3", 3, "3"}, {"1,2,3", 4, "0"}, {"a,,b", 2, ""},
               {" x , y", 2, " y"}, {"", 1, ""},    {"only", 1, "only"}};
  for (const auto& c : cases) EXPECT_EQ(commaField(c.line, c.n), c.field) << c.line << " #" << c.n;
}

TEST(PathSplitter, DirectoryAndFileName) {
  EXPECT_EQ(splitPath("train\\sound\\horn.wav", PathPart::Directory), "train\\sound\\");
  EXPECT_EQ(splitPath("train\\sound\\horn.wav", PathPart::FileName), "horn.wav");
  EXPECT_EQ(splitPath("horn.wav", PathPart::Directory), "");
  EXPECT_EQ(splitPath("horn.wav", PathPart::FileName), "horn.wav");
  EXPECT_EQ(codePointCount(splitPath(std::string(300, 'x'), PathPart::FileName)), 256u);
}

}  // namespace
}  // namespace cab
