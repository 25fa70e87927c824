#include "core/title/help_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/common/text_decoding.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

class HelpTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-help-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  void write(const std::string& bytes) { std::ofstream(root_ / "operation.dat", std::ios::binary) << bytes; }

  fs::path root_;
};

TEST_F(HelpTextTest, FirstLineIsTheCaptionTheRestTheText) {
  const struct {
    const char* name;
    std::string bytes;
    std::string caption;
    std::vector<std::string> lines;
  } cases[] = {
      {"cp932 with CRLF",
       encodeCp932("操作説明\r\n8 : 力行\r\n\r\n2 : ブレーキ\r\n"),
       "操作説明",
       {"8 : 力行", "", "2 : ブレーキ"}},
      {"utf-8, last line unterminated", "Keys\nline one\nline two", "Keys", {"line one", "line two"}},
      {"one line", "Only a caption\r\n", "Only a caption", {}},
      {"empty file", "", "", {}},
  };
  for (const auto& c : cases) {
    write(c.bytes);
    const HelpTextResult r = readHelpText(DataDirectory(root_));
    EXPECT_FALSE(r.error) << c.name;
    EXPECT_EQ(r.text.caption, c.caption) << c.name;
    EXPECT_EQ(r.text.lines, c.lines) << c.name;
  }
}

TEST_F(HelpTextTest, AMissingFileKeepsTheInitialCaptionAndReportsOnce) {
  const HelpTextResult r = readHelpText(DataDirectory(root_));
  ASSERT_TRUE(r.error);
  EXPECT_NE(r.error->find("operation.dat"), std::string::npos);
  EXPECT_EQ(r.text.caption, "Help");
  EXPECT_TRUE(r.text.lines.empty());
}

}  // namespace
}  // namespace cab
