#pragma once

#include <istream>
#include <string>
#include <vector>

namespace cab::headless {

enum class ActionKind { Char, Down, Up, Wheel, Pause, Resume, Move, Save, Load, End };

// One script line: `<seconds> <action> [argument]`.
struct ScriptAction {
  long long atMs = 0;
  ActionKind kind = ActionKind::End;
  char character = 0;  // Char
  int keyCode = 0;     // Down, Up
  bool wheelUp = false;
  int number = 0;  // Move, Save, Load
  int line = 0;
};

struct Script {
  std::vector<ScriptAction> actions;  // in time order, lines of equal time in file order
};

// Reads a script; "#" starts a comment. A line that is not an action throws
// std::runtime_error naming the line.
Script parseScript(std::istream& in);

}  // namespace cab::headless
