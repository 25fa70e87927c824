#include "core/data/record_file_reader.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/common/code_points.h"
#include "core/common/data_directory.h"
#include "core/common/field_splitter.h"
#include "core/common/text_decoding.h"

namespace cab {

namespace {

const std::string SettingsMessage = "stringファイルに誤りがあります";
const std::string VehicleMessage = "車両ファイルに誤りがあります";
const std::string RouteMessage = "路線ファイルに誤りがあります。";
const std::string VehicleBaseLabel = "- 列車の基本設定";
const std::string RouteBaseLabel = "その他";
const std::string NoLabel;

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(std::move(current));
      current.clear();
    } else if (c != '\r') {
      current += c;
    }
  }
  // The last line needs no terminator; a final LF does not start another line.
  if (!text.empty() && text.back() != '\n') lines.push_back(std::move(current));
  return lines;
}

std::string_view skipLeadingBlanks(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  return t;
}

[[noreturn]] void notA(std::string_view kind, std::string_view text) {
  throw FormatError("'" + std::string(text) + "' is not a valid " + std::string(kind) + " value");
}

// Splits an optional sign off the front.
bool takeSign(std::string_view& t) {
  bool negative = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  return negative;
}

// A decimal number with "." and an optional exponent, as digits and a power of ten.
struct Decimal {
  bool negative = false;
  std::string digits;  // without leading zeros; empty for zero
  long exponent = 0;   // value = digits * 10^exponent
};

std::optional<Decimal> parseDecimal(std::string_view t) {
  Decimal d;
  d.negative = takeSign(t);
  bool anyDigit = false;
  bool seenPoint = false;
  long fractionDigits = 0;
  std::size_t i = 0;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (c >= '0' && c <= '9') {
      anyDigit = true;
      if (!(d.digits.empty() && c == '0')) d.digits += c;
      if (seenPoint) ++fractionDigits;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return std::nullopt;
  long exponent = 0;
  if (i < t.size()) {
    if (t[i] != 'e' && t[i] != 'E') return std::nullopt;
    std::string_view e = t.substr(i + 1);
    bool negativeExponent = takeSign(e);
    if (e.empty() || e.size() > 6) return std::nullopt;
    for (char c : e) {
      if (c < '0' || c > '9') return std::nullopt;
      exponent = exponent * 10 + (c - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }
  d.exponent = exponent - fractionDigits;
  return d;
}

}  // namespace

RecordFileReader::RecordFileReader(FileKind kind, std::string_view bytes)
    : kind_(kind), lines_(splitLines(decodeDataText(bytes))), label_(baseLabel()) {}

RecordFileReader RecordFileReader::open(const DataDirectory& data, std::string_view dataPath, FileKind kind) {
  auto bytes = data.readBytes(dataPath);
  RecordFileReader reader(kind, bytes ? *bytes : std::string_view());
  if (!bytes) throw reader.refusal("ファイル " + data.resolve(dataPath).string() + " を開けません");
  return reader;
}

const std::string& RecordFileReader::baseLabel() const {
  switch (kind_) {
    case FileKind::Vehicle:
      return VehicleBaseLabel;
    case FileKind::Route:
      return RouteBaseLabel;
    default:
      return NoLabel;
  }
}

const std::string& RecordFileReader::nextLine() {
  if (next_ < lines_.size())
    current_ = lines_[next_++];
  else
    current_.clear();
  return current_;
}

bool RecordFileReader::isKey(std::string_view key) const {
  if (key == "[Stops]" || key == "[EngineRate]") return current_ == key;
  return std::string_view(current_).substr(0, key.size()) == key;
}

std::string RecordFileReader::field(int n) const { return commaField(current_, n); }

std::string RecordFileReader::character(int n) const { return codePointAt(current_, static_cast<std::size_t>(n)); }

int RecordFileReader::toInt(std::string_view text) {
  std::string_view t = skipLeadingBlanks(text);
  bool negative = takeSign(t);
  int base = 10;
  if (!t.empty() && t.front() == '$') {
    base = 16;
    t.remove_prefix(1);
  } else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    base = 16;
    t.remove_prefix(2);
  }
  if (t.empty()) notA("integer", text);
  unsigned long long magnitude = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), magnitude, base);
  if (ec != std::errc() || end != t.data() + t.size()) notA("integer", text);
  if (base == 16 && !negative) {
    // Hexadecimal integers take the full 32 bits ("$FFFFFFFF" is -1).
    if (magnitude > 0xFFFFFFFFull) notA("integer", text);
    return static_cast<int>(static_cast<std::uint32_t>(magnitude));
  }
  long long value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
  if (magnitude > 0x80000000ull || value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
    notA("integer", text);
  return static_cast<int>(value);
}

long double RecordFileReader::toReal(std::string_view text) {
  std::string_view t = skipLeadingBlanks(text);
  if (!parseDecimal(t)) notA("floating point", text);
  std::string_view number = t;
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  long double value = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range || end != number.data() + number.size()) notA("floating point", text);
  if (!std::isfinite(value)) notA("floating point", text);
  return value;
}

Fixed4 RecordFileReader::toFixed(std::string_view text) {
  auto d = parseDecimal(skipLeadingBlanks(text));
  if (!d) notA("floating point", text);
  // Exact decimal rounding to 1/10000, ties to even: raw = digits * 10^(exponent + 4).
  long shift = d->exponent + 4;
  const __int128 Limit = static_cast<__int128>(std::numeric_limits<std::int64_t>::max());
  __int128 raw = 0;
  std::string_view digits = d->digits;
  std::size_t keep = digits.size();
  if (shift < 0) keep = static_cast<std::size_t>(std::max<long>(0, static_cast<long>(digits.size()) + shift));
  for (std::size_t i = 0; i < keep; ++i) {
    raw = raw * 10 + (digits[i] - '0');
    if (raw > Limit) notA("currency", text);
  }
  if (shift > 0) {
    for (long i = 0; i < shift && raw != 0; ++i) {
      raw *= 10;
      if (raw > Limit) notA("currency", text);
    }
  } else if (keep < digits.size()) {
    // Compare the dropped digits with one half.
    std::string_view dropped = digits.substr(keep);
    bool droppedAll = keep == 0 && static_cast<long>(digits.size()) < -shift;  // even the first digit is below 0.5
    int cmp;
    if (droppedAll) {
      cmp = -1;
    } else if (dropped.front() != '5') {
      cmp = dropped.front() > '5' ? 1 : -1;
    } else {
      cmp = dropped.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;
    }
    if (cmp > 0 || (cmp == 0 && (raw % 2) == 1)) ++raw;
    if (raw > Limit) notA("currency", text);
  }
  std::int64_t value = static_cast<std::int64_t>(raw);
  return Fixed4::fromRaw(d->negative ? -value : value);
}

void RecordFileReader::scan(const std::function<void(RecordFileReader&)>& testKeys) {
  try {
    while (!atEnd()) {
      label_ = baseLabel();
      nextLine();
      testKeys(*this);
    }
  } catch (const DataError&) {
    throw;
  } catch (const RefusedValue& e) {
    throw refusal(e.what());
  } catch (const std::exception& e) {
    throw errorFor(e.what());
  }
}

int RecordFileReader::readTable(int capacity, const std::function<void(int index)>& row, TableOptions options) {
  int count = 0;
  for (;;) {
    bool pastEnd = atEnd();
    nextLine();
    if (pastEnd && options.stringRows) break;
    if (!current_.empty() && current_.front() == '#') break;
    if (options.skipSemicolonRows && !current_.empty() && current_.front() == ';') continue;
    if (count >= capacity) throw FormatError("表の行数が上限(" + std::to_string(capacity) + "行)を超えています");
    row(count);
    ++count;
    // A numeric table that reaches the end of the file fails on its empty row
    // above; one whose rows accept empty text stops here instead of reading forever.
    if (pastEnd) break;
  }
  return count;
}

DataError RecordFileReader::errorFor(std::string_view detail) const {
  switch (kind_) {
    case FileKind::Vehicle:
      return DataError(VehicleMessage + label_);
    case FileKind::Route:
      return DataError(std::vector<std::string>{RouteMessage + label_ + ":" + current_, std::string(detail)});
    case FileKind::Settings:
      return DataError(SettingsMessage);
    case FileKind::ControllerMap:
      break;
  }
  return DataError(std::string(detail));
}

DataError RecordFileReader::refusal(std::string_view reason) const {
  // The route file's error already shows the failure's text as its second line.
  if (kind_ == FileKind::Route || kind_ == FileKind::ControllerMap) return errorFor(reason);
  return DataError(std::vector<std::string>{errorFor(reason).messages().front(), std::string(reason)});
}

}  // namespace cab
