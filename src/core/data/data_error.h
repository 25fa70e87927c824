#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace cab {

// An error that ends the program: the texts are shown one message box each,
// in order, and then the program ends (a "halt").
class HaltError : public std::runtime_error {
 public:
  explicit HaltError(std::vector<std::string> messages)
      : std::runtime_error(messages.empty() ? std::string() : messages.front()), messages_(std::move(messages)) {}
  explicit HaltError(std::string message) : HaltError(std::vector<std::string>{std::move(message)}) {}

  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

// A halt caused by a data file: carries the exact message texts.
class DataError : public HaltError {
 public:
  using HaltError::HaltError;
};

// A value that is not what its key needs (a bad number, a table past its
// capacity, ...). The reader turns it into the file kind's DataError.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A value that reads well but that the drive cannot use. Its text names the
// key and what the key needs; the reader shows it as a line of its own after
// the file kind's message.
class RefusedValue : public FormatError {
 public:
  using FormatError::FormatError;
};

}  // namespace cab
