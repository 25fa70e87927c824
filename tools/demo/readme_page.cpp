#include "readme_page.h"

#include <string_view>

#include "data_file.h"
#include "settings_files.h"

namespace cab::demo {

namespace {

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

const char* stationKind(int trntype) {
  switch (trntype) {
    case 0:
      return "停車";
    case 1:
      return "通過";
    case 2:
      return "運転停車（ドア扱いなし）";
    default:
      return "臨時停車";
  }
}

// One line: its stations in order, each with what the train does there and
// how far it lies from the first.
std::string lineSection(const std::string& name, const std::string& about, const LinePlan& plan) {
  std::string html = "<h2>" + escaped(name) + "</h2>\n<p>" + escaped(about) + "</p>\n<table>\n";
  html += "<tr><th>駅</th><th>距離</th><th>扱い</th></tr>\n";
  for (const PlannedStation& s : plan.stations)
    html += "<tr><td>" + escaped(s.name) + "</td><td>" + std::to_string(static_cast<int>(s.metres + 0.5)) +
            " m</td><td>" + stationKind(s.trntype) + "</td></tr>\n";
  return html + "</table>\n";
}

}  // namespace

void writeReadme(const std::filesystem::path& root, const std::vector<std::string>& routeNames, const LinePlan& east,
                 const LinePlan& west) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>鉄道運転シミュレータ デモ路線</title>\n"
      "<style>body{font-family:sans-serif;max-width:48em;margin:2em auto;line-height:1.6}"
      "table{border-collapse:collapse}td,th{border:1px solid #999;padding:2px 8px}</style>\n"
      "</head>\n<body>\n<h1>鉄道運転シミュレータ デモ路線</h1>\n"
      "<p>タイトル画面をクリックするとメニューになります。路線のボタンを選び、右に出る列車のボタンで運転を始めます。"
      "ボタンを右クリックすると、ほかの車両ファイルを選んで運転できます。運転画面の「戻る」でメニューに戻ります。</p>\n"
      "<h2>路線</h2>\n<ol>\n";
  for (const std::string& name : routeNames) html += "<li>" + escaped(name) + "</li>\n";
  html += "</ol>\n";
  html += lineSection("東湊線", "電化された海沿いの路線です。トンネルとトラス橋があります。", east);
  html += lineSection("西峰線", "非電化の山あいの路線を夕方に走ります。勾配と鉄橋、トンネルがあります。", west);
  html += "<h2>操作</h2>\n<ul>\n";
  for (const std::string& line : controlLines()) html += "<li>" + escaped(line) + "</li>\n";
  html += "</ul>\n<p>運転中の操作説明は「表示」メニューの「操作説明」でも開けます。</p>\n</body>\n</html>\n";
  writeBytes(root / "readme.html", html);
}

}  // namespace cab::demo
