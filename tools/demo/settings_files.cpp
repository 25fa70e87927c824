#include "settings_files.h"

#include <sstream>
#include <string>
#include <vector>

#include "data_file.h"

namespace cab::demo {

namespace {

void writeSettings(const std::filesystem::path& root, int fps, int width, int height) {
  DataFile f;
  f.line("- 映像の設定");
  f.key("[Disp]", {std::to_string(fps) + ",1", "800", std::to_string(width), std::to_string(height), "0"});
  f.key("[Path]", {"movie\\"});
  f.line("- 表示文字列");
  f.key("[Forward]", {"前"});
  f.key("[Neutral]", {"切"});
  f.key("[Reverse]", {"後"});
  f.key("[Stop]", {"停車"});
  f.key("[Pass]", {"通過"});
  f.key("[Stop2]", {"運転停車"});
  f.key("[Neut]", {"緩"});
  f.key("[Neut2]", {"切"});
  f.key("[Apply]", {"常用"});
  f.key("[Maintain]", {"重なり"});
  f.key("[Remove]", {"緩め"});
  f.key("[Hold]", {"保ち"});
  f.key("[Hold2]", {"抑速"});
  f.key("[EB]", {"非常"});
  f.key("[Const]", {"定速"});
  f.key("[Cars]", {"両編成"});
  f.key("[TC]", {"信号が変わりました"});
  f.key("[Stops]", {"停止線まで", "信号機まで"});
  f.key("[Doors]", {"左側", "右側"});
  f.key("[Gears]", {"中立", "変速", "直結"});
  f.table("[InfoLabel]",
          {
              "次は臨時停車",                            // 0: next stop of a special station
              "ご乗車の方は前のドアからお乗りください",  // 1: one-man boarding
              "停車駅が近づいています",                  // 2..7: information lines
              "制限速度に注意してください",
              "信号を確認してください",
              "定刻に出発しました",
              "遅れが出ています",
              "終点に到着しました",
              "ブレーキが早すぎます",  // 8..25: advice on the driving
              "ブレーキが遅すぎます",
              "停止位置を行き過ぎました",
              "停止位置の手前に止まりました",
              "上手に止まりました",
              "ドアの開く側を確認しましょう",
              "出発信号を確認しましょう",
              "速度を落としてください",
              "力行が足りません",
              "惰行で走りましょう",
              "勾配に注意しましょう",
              "トンネルに入ります",
              "踏切を通過します",
              "ATSが動作しました",
              "非常ブレーキが動作しました",
              "時刻を確認しましょう",
              "喚呼を忘れずに",
              "まもなく終点です",
          });
  f.line("- メニュー");
  f.key("[Start]", {"開始(&S)"});
  f.key("[Move]", {"移動(&M)"});
  f.key("[Display]", {"表示(&D)"});
  f.key("[Control]", {"コントローラ(&C)"});
  f.key("[Save]", {"保存(&V)"});
  f.save(root / "vantorel.dat");
}

// Five-character messages of the serial master controller, in the order
// P1..P6, N, B1..B9, reverser F/N/R, ATS, horn, door, call-out.
void writeControllerMap(const std::filesystem::path& root) {
  DataFile f;
  for (int n = 1; n <= 6; ++n) f.line("MCP0" + std::to_string(n));
  f.line("MCN00");
  for (int n = 1; n <= 9; ++n) f.line("MCB0" + std::to_string(n));
  for (const char* s : {"RVF00", "RVN00", "RVR00", "BTATS", "BTHRN", "BTDOR", "BTKNK"}) f.line(s);
  f.line("#");
  f.save(root / "mascon.dat");
}

void writeHelp(const std::filesystem::path& root) {
  DataFile f;
  f.line("操作説明");
  for (const std::string& line : controlLines()) f.line(line);
  f.save(root / "operation.dat");
}

}  // namespace

const std::vector<std::string>& controlLines() {
  static const std::vector<std::string> lines = {
      "【ハンドル】",
      "8 / z : 力行側へ　2 / a : ブレーキ側へ",
      "5 : 全ての段を切　0 / q : 非常ブレーキ",
      "2ハンドル車 , : ブレーキ緩め　. : ブレーキ込め　/ : 非常",
      "マウスホイールでもハンドルを操作できます",
      "【レバーサ】 f : 前　n : 切　b : 後",
      "【警笛】 3 : 警笛　6 : 第2警笛　9 : ミュージックホーン",
      "【ドア】 7 / d : ドア開閉（ワンマン運転時）",
      "【放送】 c / 1 : 次の車内放送　- : 放送の取り消し",
      "【ATS】 スペース : 確認　r : 復帰",
      "【喚呼】 Enter : 信号・標識・駅の喚呼",
      "【定速】 t : 定速運転（最終段で一定速度以上）",
      "【気動車】 w : 直結　x : 変速　s : 中立",
      "F2 : 機関始動（Shift+F2 : 停止）",
      "【その他】 4 : 発車ブザー・催促",
      "Shift+↑↓ : 運転台の位置を上下",
      "Scroll Lock : 2と8の入れ替え",
      "Shift+F1 : 自動運転　F1 : 解除",
  };
  return lines;
}

void writeSettingsFiles(const std::filesystem::path& root, int fps, int videoWidth, int videoHeight) {
  writeSettings(root, fps, videoWidth, videoHeight);
  writeControllerMap(root);
  writeHelp(root);
}

}  // namespace cab::demo
