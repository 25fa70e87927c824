#include <gtest/gtest.h>

#include "core/common/text_decoding.h"
#include "core/data/record_file_reader.h"

namespace cab {
namespace {

TEST(RecordFileReader, IntegerConversions) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {{"12", true, 12},        {"-7", true, -7},          {"  5", true, 5},     {"+3", true, 3},
               {"$1F", true, 31},       {"0x10", true, 16},        {"$FFFFFFFF", true, -1},
               {"2147483647", true, 2147483647}, {"-2147483648", true, INT32_MIN},
               {"2147483648", false, 0}, {"5 ", false, 0},         {"", false, 0},       {"1.5", false, 0},
               {"abc", false, 0},       {"$", false, 0},           {"12a", false, 0}};
  for (const auto& c : cases) {
    if (c.ok) EXPECT_EQ(RecordFileReader::toInt(c.text), c.value) << c.text;
    else EXPECT_THROW(RecordFileReader::toInt(c.text), FormatError) << c.text;
  }
}

TEST(RecordFileReader, RealAndFixedConversions) {
  struct Case {
    const char* text;
    bool ok;
    long double real;
    std::int64_t fixedRaw;
  } cases[] = {{"1.5", true, 1.5L, 15000},      {" -0.25", true, -0.25L, -2500}, {"3", true, 3, 30000},
               {"0.00005", true, 0.00005L, 0},  {"0.00015", true, 0.00015L, 2}, {"0.000051", true, 0.000051L, 1},
               {"1e2", true, 100, 1000000},     {"1.5 ", false, 0, 0},          {"x", false, 0, 0},
               {"", false, 0, 0}};
  for (const auto& c : cases) {
    if (c.ok) {
      EXPECT_EQ(RecordFileReader::toReal(c.text), c.real) << c.text;
      EXPECT_EQ(RecordFileReader::toFixed(c.text).raw(), c.fixedRaw) << c.text;
    } else {
      EXPECT_THROW(RecordFileReader::toReal(c.text), FormatError) << c.text;
      EXPECT_THROW(RecordFileReader::toFixed(c.text), FormatError) << c.text;
    }
  }
}

TEST(RecordFileReader, KeysFieldsAndCharacters) {
  RecordFileReader r(FileKind::Vehicle, encodeCp932("[Stops]x\n[Stops]\n[Power]10\n駅,12, 3\n"));
  r.nextLine();
  EXPECT_FALSE(r.isKey("[Stops]"));  // the whole-line keys match only on their own
  r.nextLine();
  EXPECT_TRUE(r.isKey("[Stops]"));
  r.nextLine();
  EXPECT_TRUE(r.isKey("[Power]"));
  EXPECT_FALSE(r.isKey("[power]"));
  r.nextLine();
  EXPECT_EQ(r.field(1), "駅");
  EXPECT_EQ(r.intField(2), 12);
  EXPECT_EQ(r.intField(3), 3);
  EXPECT_EQ(r.character(1), "駅");
  EXPECT_EQ(r.digitAt(3), 1);
  EXPECT_TRUE(r.atEnd());
  EXPECT_EQ(r.nextLine(), "");
}

TEST(RecordFileReader, TablesEndAtHashAndRefuseOverflow) {
  RecordFileReader r(FileKind::Vehicle, "[Table]\n1\n;skip\n2\n#end\n");
  r.nextLine();
  std::vector<int> rows;
  int n = r.readTable(5, [&](int) { rows.push_back(r.intField(1)); }, {.skipSemicolonRows = true});
  EXPECT_EQ(n, 2);
  EXPECT_EQ(rows, (std::vector<int>{1, 2}));

  RecordFileReader full(FileKind::Vehicle, "[Table]\n1\n2\n3\n#\n");
  full.nextLine();
  EXPECT_THROW(full.readTable(2, [](int) {}), FormatError);

  RecordFileReader strings(FileKind::Settings, "[Table]\na\nb");
  strings.nextLine();
  std::vector<std::string> texts;
  EXPECT_EQ(strings.readTable(9, [&](int) { texts.push_back(strings.line()); }, {.stringRows = true}), 2);
  EXPECT_EQ(texts, (std::vector<std::string>{"a", "b"}));
}

TEST(RecordFileReader, ScanTurnsFailuresIntoTheFileKindsMessage) {
  auto firstError = [](FileKind kind, const char* text, const char* label) {
    RecordFileReader r(kind, text);
    try {
      r.scan([&](RecordFileReader& reader) {
        if (reader.isKey("[Bad]")) {
          reader.setSectionLabel(label);
          reader.nextLine();
          reader.intField(reader.kind() == FileKind::Route ? 2 : 1);
        }
      });
    } catch (const DataError& e) {
      return e.messages();
    }
    return std::vector<std::string>{};
  };
  EXPECT_EQ(firstError(FileKind::Vehicle, "[Bad]\nxx\n", "- 車両の重量"),
            (std::vector<std::string>{"車両ファイルに誤りがあります- 車両の重量"}));
  EXPECT_EQ(firstError(FileKind::Settings, "[Bad]\nxx\n", ""),
            (std::vector<std::string>{"stringファイルに誤りがあります"}));
  auto route = firstError(FileKind::Route, "[Bad]\n1,xx\n", "[Station]");
  ASSERT_EQ(route.size(), 2u);
  EXPECT_EQ(route[0], "路線ファイルに誤りがあります。[Station]:1,xx");
  EXPECT_FALSE(route[1].empty());
}

}  // namespace
}  // namespace cab
