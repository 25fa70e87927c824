#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/fixed4.h"
#include "core/data/data_error.h"

namespace cab {

class DataDirectory;

enum class FileKind { Settings, Vehicle, Route, ControllerMap };

// The line reader of all data files. It holds the file's decoded lines and a
// current line; loaders test keys against the current line and convert its
// fields. Errors become the file kind's message through scan().
class RecordFileReader {
 public:
  RecordFileReader(FileKind kind, std::string_view bytes);

  // Opens a file of the data directory; a file that cannot be read is the
  // file kind's error, with a line naming the file's full path.
  static RecordFileReader open(const DataDirectory& data, std::string_view dataPath, FileKind kind);

  FileKind kind() const { return kind_; }

  bool atEnd() const { return next_ >= lines_.size(); }

  // Makes the next line current; past the end the current line is empty.
  const std::string& nextLine();
  const std::string& line() const { return current_; }

  // The current line begins with `key` (case-sensitive). "[Stops]" and
  // "[EngineRate]" match only a line that holds nothing but the key.
  bool isKey(std::string_view key) const;

  std::string field(int n) const;      // comma field n of the current line, from 1
  std::string character(int n) const;  // n-th character of the current line, from 1

  int intField(int n) const { return toInt(field(n)); }
  long double realField(int n) const { return toReal(field(n)); }
  Fixed4 fixedField(int n) const { return toFixed(field(n)); }
  int digitAt(int n) const { return toInt(character(n)); }

  // Conversions; text that is not a valid number throws FormatError.
  static int toInt(std::string_view text);
  static long double toReal(std::string_view text);
  static Fixed4 toFixed(std::string_view text);

  void setSectionLabel(std::string label) { label_ = std::move(label); }
  const std::string& sectionLabel() const { return label_; }
  const std::string& baseLabel() const;

  // The scan loop: for every line up to the end of the file, reset the
  // section label to the base label, read the line and let `testKeys` test it
  // against the file's keys in their order. A RefusedValue becomes the
  // refusal below; a FormatError (or any other failure but a DataError) the
  // file kind's DataError.
  void scan(const std::function<void(RecordFileReader&)>& testKeys);

  struct TableOptions {
    bool skipSemicolonRows = false;  // rows starting with ";" are skipped
    bool stringRows = false;         // rows are texts: the end of the file ends the table
  };

  // Reads rows after a table key until a line starting with "#", calling
  // `row` with each row's index while the row is the current line. A table
  // longer than `capacity` is refused. Past the end of the file a numeric
  // table reads an empty row (which fails its conversion); a string table ends.
  // Returns the row count.
  int readTable(int capacity, const std::function<void(int index)>& row, TableOptions options);
  int readTable(int capacity, const std::function<void(int index)>& row) { return readTable(capacity, row, {}); }

  // The file kind's DataError for a failure with the given own text.
  DataError errorFor(std::string_view detail) const;

  // The file kind's DataError for a value the drive cannot use: the file's
  // message, then `reason` as a line of its own.
  DataError refusal(std::string_view reason) const;

 private:
  FileKind kind_;
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::string current_;
  std::string label_;
};

}  // namespace cab
