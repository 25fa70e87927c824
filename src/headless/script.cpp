#include "headless/script.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "core/input/key_codes.h"

namespace cab::headless {

namespace {

[[noreturn]] void fail(int line, const std::string& why) {
  throw std::runtime_error("script line " + std::to_string(line) + ": " + why);
}

int parseNumber(const std::string& text, int line) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) fail(line, "not a number: " + text);
  return value;
}

ScriptAction parseAction(const std::string& verb, const std::string& arg, int line) {
  ScriptAction a;
  a.line = line;
  auto needArg = [&] {
    if (arg.empty()) fail(line, verb + " needs an argument");
  };
  if (verb == "char") {
    needArg();
    a.kind = ActionKind::Char;
    if (arg == "space")
      a.character = ' ';
    else if (arg == "enter")
      a.character = '\r';
    else if (arg.size() == 1)
      a.character = arg[0];
    else
      fail(line, "char takes one character, space or enter");
  } else if (verb == "down" || verb == "up") {
    needArg();
    a.kind = verb == "down" ? ActionKind::Down : ActionKind::Up;
    auto code = keyCodeForName(arg);
    if (!code) fail(line, "unknown key: " + arg);
    a.keyCode = *code;
  } else if (verb == "wheel") {
    a.kind = ActionKind::Wheel;
    if (arg != "up" && arg != "down") fail(line, "wheel takes up or down");
    a.wheelUp = arg == "up";
  } else if (verb == "pause") {
    a.kind = ActionKind::Pause;
  } else if (verb == "resume") {
    a.kind = ActionKind::Resume;
  } else if (verb == "move") {
    needArg();
    a.kind = ActionKind::Move;
    a.number = parseNumber(arg, line);
  } else if (verb == "save" || verb == "load") {
    needArg();
    a.kind = verb == "save" ? ActionKind::Save : ActionKind::Load;
    a.number = parseNumber(arg, line);
    if (a.number < 1 || a.number > 3) fail(line, verb + " takes a slot 1 to 3");
  } else if (verb == "end") {
    a.kind = ActionKind::End;
  } else {
    fail(line, "unknown action: " + verb);
  }
  return a;
}

}  // namespace

Script parseScript(std::istream& in) {
  Script script;
  std::string text;
  int line = 0;
  while (std::getline(in, text)) {
    ++line;
    if (auto hash = text.find('#'); hash != std::string::npos) text.erase(hash);
    std::istringstream words(text);
    std::string time, verb, arg, extra;
    if (!(words >> time)) continue;
    if (!(words >> verb)) fail(line, "missing action");
    words >> arg;
    if (words >> extra) fail(line, "unexpected text: " + extra);
    long double seconds = 0;
    try {
      std::size_t used = 0;
      seconds = std::stold(time, &used);
      if (used != time.size()) throw std::invalid_argument(time);
    } catch (const std::logic_error&) {
      fail(line, "not a time: " + time);
    }
    if (!(seconds >= 0) || seconds > 1e7) fail(line, "time out of range: " + time);
    ScriptAction action = parseAction(verb, arg, line);
    action.atMs = std::llround(seconds * 1000);
    script.actions.push_back(action);
  }
  std::stable_sort(script.actions.begin(), script.actions.end(),
                   [](const ScriptAction& a, const ScriptAction& b) { return a.atMs < b.atMs; });
  return script;
}

}  // namespace cab::headless
