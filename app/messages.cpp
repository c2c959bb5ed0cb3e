#include "messages.h"

#include <cerrno>
#include <cstring>

#include "translate.h"

namespace qxcli::text {
namespace {

std::string Number(uintmax_t n) {
  return std::to_string(n);
}

}  // namespace

std::string CannotLoad(const std::string& file, const std::string& reason) {
  if (reason.empty()) return Fill(Tr("quorvex2: {file} を読み込めません"), {{"file", file}});
  return Fill(Tr("quorvex2: {file} を読み込めません: {reason}"),
              {{"file", file}, {"reason", reason}});
}

std::string NoSuchFile() {
  return Tr("ファイルがありません");
}

std::string IsAFolder() {
  return Tr("ファイルではなくフォルダーです");
}

std::string CannotRead() {
  return Tr("読む権限がありません");
}

std::string EmptyFile() {
  return Tr("空のファイルです");
}

std::string PipeTooLong(int most_mib) {
  return Fill(Tr("パイプから {most} MiB を超えて読み込みました (読み込むのはそこまでです)"),
              {{"most", std::to_string(most_mib)}});
}

std::string TypeNotRecognised() {
  return Tr(
      "ファイルの種類がわかりません (ラップファイル、成績リスト、ラップタイムの表のどれかが"
      "必要です)");
}

std::string CannotUnpack() {
  return Tr("書庫を展開できません");
}

std::string NotAFile() {
  return Tr("ファイルではなくデバイスです");
}

std::string NothingLeft() {
  return Tr("解析できるクラスが一つもありません: どのクラスもコントロールが多すぎます");
}

std::string SystemReason(int error_number) {
  switch (error_number) {
    case ENOENT:
      return Tr("そのようなファイルやフォルダーはありません");
    case ENOTDIR:
      return Tr("フォルダーではありません");
    case EISDIR:
      return IsAFolder();
    case EACCES:
    case EPERM:
      return Tr("許可がありません");
    case ENOSPC:
      return Tr("ディスクに空きがありません");
    case EROFS:
      return Tr("読み取り専用のファイルシステムです");
    default:
      return std::strerror(error_number);
  }
}

std::string SubcommandRequired() {
  return Tr("サブコマンドを指定してください");
}

std::string OptionRequired(const std::string& option) {
  return Fill(Tr("{option} を指定してください"), {{"option", option}});
}

std::string OptionNeedsOption(const std::string& option, const std::string& other) {
  return Fill(Tr("{option} は {other} と一緒に指定してください"),
              {{"option", option}, {"other", other}});
}

std::string OptionsExclusive(const std::string& option, const std::string& other) {
  return Fill(Tr("{option} と {other} は一緒に指定できません"),
              {{"option", option}, {"other", other}});
}

std::string OptionValueMissing(const std::string& option) {
  return Fill(Tr("{option} に値がありません"), {{"option", option}});
}

std::string ValueOutOfRange(const std::string& option, const std::string& value,
                            const std::string& low, const std::string& high) {
  return Fill(Tr("{option}: {value} は {low} から {high} までの数ではありません"),
              {{"option", option}, {"value", value}, {"low", low}, {"high", high}});
}

std::string ValueBelow(const std::string& option, const std::string& value,
                       const std::string& least) {
  return Fill(Tr("{option}: {value} は {least} 以上の数ではありません"),
              {{"option", option}, {"value", value}, {"least", least}});
}

std::string ValueNotAChoice(const std::string& option, const std::string& value,
                            const std::string& choices) {
  return Fill(Tr("{option}: {value} は使えません ({choices} のどれかです)"),
              {{"option", option}, {"value", value}, {"choices", choices}});
}

std::string ValueNotReadable(const std::string& option, const std::string& value) {
  return Fill(Tr("{option} の値 {value} を読めません"), {{"option", option}, {"value", value}});
}

std::string ArgumentsNotExpected(const std::string& arguments) {
  return Fill(Tr("余分な引数があります: {arguments}"), {{"arguments", arguments}});
}

std::string RunWithHelp() {
  return Tr("--help で使い方を表示します");
}

std::string ChooseMember(size_t count, const std::string& names) {
  return Fill(
      NTr("ラップファイルが {count} 個 ({names}) あります: --member で選んでください",
          "ラップファイルが {count} 個 ({names}) あります: --member で選んでください", count),
      {{"count", Number(count)}, {"names", names}});
}

std::string NoSuchMember(const std::string& member) {
  return Fill(Tr("アーカイブに {member} はありません"), {{"member", member}});
}

std::string OnlyToAdd() {
  return Tr("選手の情報を追加するだけのファイルです: 大会のファイルの後に指定してください");
}

std::string NoResults() {
  return Tr("成績ファイルではありません: 成績かラップタイムのある選手がいません");
}

std::string ImportOnlyComment() {
  return Tr("このファイルは追加読み込み専用です");
}

std::string NotReadableAs(const std::string& kind) {
  return Fill(Tr("{kind}として読めません"), {{"kind", kind}});
}

std::string NativeLapFile() {
  return Tr("Quorvex2 のラップファイル (XML)");
}

std::string Version1LapFileOrTable() {
  return Tr("ラップファイル (Ver.1 形式) か成績の表");
}

std::string SportIdentListing() {
  return Tr("SPORTident の成績リスト");
}

std::string OEventExport() {
  return Tr("OEvent のラップタイム出力");
}

std::string ImportOnlyFile() {
  return Tr("追加読み込み専用ファイル");
}

std::string IofResultList() {
  return Tr("IOF XML の成績リスト (ResultList)");
}

std::string OeCsvExport() {
  return Tr("OE の CSV 出力");
}

std::string SportIdentCsv() {
  return Tr("SPORTident の CSV 出力");
}

std::string SplitsBrowserCsv() {
  return Tr("SplitsBrowser の CSV");
}

std::string EmitCsv() {
  return Tr("Emit の CSV 出力");
}

std::string CannotSave(const std::string& file, const std::string& why) {
  if (why.empty()) return Fill(Tr("quorvex2: {file} を保存できません"), {{"file", file}});
  return Fill(Tr("quorvex2: {file} を保存できません: {reason}"), {{"file", file}, {"reason", why}});
}

std::string CannotWrite(const std::string& command, const std::string& file,
                        const std::string& why) {
  if (why.empty()) {
    return Fill(Tr("{command}: {file} に書き込めません"), {{"command", command}, {"file", file}});
  }
  return Fill(Tr("{command}: {file} に書き込めません: {reason}"),
              {{"command", command}, {"file", file}, {"reason", why}});
}

std::string LzhNeedsLzhName() {
  return Tr("convert: --to lzh には .lzh で終わる出力ファイル名が必要です");
}

std::string LapFileLoss(const std::string& command, const std::string& file, int32_t runners,
                        int32_t classes) {
  if (runners <= 0 && classes <= 0) return "";
  const std::string without_legs =
      Fill(NTr("区間タイムのない選手 {count} 人", "区間タイムのない選手 {count} 人", runners),
           {{"count", Number(runners)}});
  const std::string without_controls = Fill(
      NTr("コントロールのないクラス {count} 個", "コントロールのないクラス {count} 個", classes),
      {{"count", Number(classes)}});
  std::string lost = runners > 0 ? without_legs : without_controls;
  if (runners > 0 && classes > 0) {
    lost = Fill(Tr("{first}と{second}"), {{"first", without_legs}, {"second", without_controls}});
  }
  return Fill(
      Tr("{command}: {file} には{lost}が入りません: Ver.1 形式のラップファイルには書けないため"
         "です"),
      {{"command", command}, {"file", file}, {"lost", lost}});
}

namespace {

// A note of a lap file written about some of its names ("" when there are none).
std::string LapFileNames(const std::string& text, const std::string& command,
                         const std::string& file, int32_t names) {
  if (names <= 0) return "";
  return Fill(text, {{"command", command}, {"file", file}, {"count", Number(names)}});
}

}  // namespace

std::string LapFileLetters(const std::string& command, const std::string& file, int32_t names) {
  return LapFileNames(
      NTr("{command}: {file} では名前 {count} 個の Shift-JIS にない文字が「?」になりました",
          "{command}: {file} では名前 {count} 個の Shift-JIS にない文字が「?」になりました", names),
      command, file, names);
}

std::string LapFileLineBreakers(const std::string& command, const std::string& file,
                                int32_t names) {
  return LapFileNames(
      NTr("{command}: {file} では名前 {count} 個のコンマか「クラス」が列の区切りか見出し行に"
          "読まれます",
          "{command}: {file} では名前 {count} 個のコンマか「クラス」が列の区切りか見出し行に"
          "読まれます",
          names),
      command, file, names);
}

std::string LapFileClassFigures(const std::string& command, const std::string& file,
                                const std::string& names) {
  if (names.empty()) return "";
  return Fill(Tr("{command}: {file} ではクラス {names} の距離、登距離、コントロール数、コース番号"
                 "が読み返せません: クラス名の「=」で区切られるためです"),
              {{"command", command}, {"file", file}, {"names", names}});
}

std::string Loading(const std::string& file) {
  return Fill(Tr("{file} を読み込んでいます"), {{"file", file}});
}

std::string WritingSite() {
  return Tr("サイトを書いています");
}

std::string UnknownCommand(const std::string& name, const std::string& commands) {
  return Fill(Tr("quorvex2: {name} というコマンドはありません (コマンドは {commands}。詳しくは "
                 "quorvex2 --help)"),
              {{"name", name}, {"commands", commands}});
}

std::string CannotWriteOutput() {
  return Tr("quorvex2: 標準出力に書き込めません");
}

std::string SettingsUnusable(const std::string& command) {
  return Fill(Tr("{command}: 設定ファイルを読み書きできません"), {{"command", command}});
}

std::string UnknownReportKind(const std::string& name) {
  return Fill(Tr("report: {name} という種類はありません"), {{"name", name}});
}

std::string ClassPositionOutOfRange(const std::string& id, int32_t classes) {
  return Fill(NTr("--class {id}: 大会のクラスは {count} 個です",
                  "--class {id}: 大会のクラスは {count} 個です", classes),
              {{"id", id}, {"count", Number(classes)}});
}

std::string NoSuchClass(const std::string& id, const std::string& names) {
  return Fill(Tr("--class {id}: その名前のクラスはありません (クラス: {names})"),
              {{"id", id}, {"names", names}});
}

std::string NoClassOnCourse(int32_t course) {
  return Fill(Tr("--course {course}: そのコースを走るクラスはありません"),
              {{"course", std::to_string(course)}});
}

std::string NoSuchSegment(const std::string& name) {
  return Fill(Tr("--segment {name}: その名前の区間はありません"), {{"name", name}});
}

std::string NoRunnersInDataSet(const std::string& command, const std::string& data_set) {
  return Fill(Tr("{command}: {data_set} には選手がいません"),
              {{"command", command}, {"data_set", data_set}});
}

std::string NoXyMap(const std::string& data_set, int32_t most_runners) {
  return Fill(
      Tr("quorvex2: {data_set}: タイムのある選手が {most} 人を超えるので X/Y マップはありません"),
      {{"data_set", data_set}, {"most", std::to_string(most_runners)}});
}

std::string BadPictureSize(const std::string& text) {
  return Fill(Tr("chart: --size は 幅x高さ で、どちらも 200 から 32767 ピクセルです: {text}"),
              {{"text", text}});
}

std::string NoSuchRunner(const std::string& name) {
  return Fill(Tr("chart: データセットに {name} という選手はいません"), {{"name", name}});
}

std::string BadPaper() {
  return Tr("print: --paper に指定できるのは A3、A4、A5、B4、B5、Letter です");
}

std::string BadNup() {
  return Tr("print: --nup は 行数x列数 で指定します (例: 2x2)");
}

std::string BadAnalysisMode(const std::string& mode) {
  return Fill(Tr("print: --analysis に指定できるのは standard、laptime、splittime で、{mode} は"
                 "指定できません"),
              {{"mode", mode}});
}

std::string PageOutOfRange(int32_t page, int32_t sheets) {
  return Fill(NTr("print: --page {page}: 文書は {count} 枚です",
                  "print: --page {page}: 文書は {count} 枚です", sheets),
              {{"page", std::to_string(page)}, {"count", Number(sheets)}});
}

std::string PrintNeedsFile() {
  return Tr("print: FILE が必要です");
}

std::string PrintAnalysisOrResults() {
  return Tr("print: --analysis [MODE] か --results のどちらか一つを指定してください");
}

std::string PrintNeedsOutput() {
  return Tr("print: -o FILE.pdf か --preview FILE.png を指定してください");
}

std::string NothingToPrint() {
  return Tr("print: データセットが空なので印刷するものがありません");
}

std::string CannotMakeFolder(const std::string& folder, const std::string& why) {
  return Fill(Tr("site: フォルダー {folder} を作れません: {why}"),
              {{"folder", folder}, {"why", why}});
}

std::string ViewerNeedsAddress() {
  return Tr("site: --viewer には --viewer-address が必要です");
}

std::string CannotWriteSite(const std::string& folder) {
  return Fill(Tr("site: {folder} にサイトを書けません"), {{"folder", folder}});
}

std::string SiteWritten(uintmax_t files, uintmax_t bytes, const std::string& folder) {
  const std::string written =
      Fill(NTr("ファイル {count} 個", "ファイル {count} 個", files), {{"count", Number(files)}});
  const std::string size =
      Fill(NTr("{count} バイト", "{count} バイト", bytes), {{"count", Number(bytes)}});
  return Fill(Tr("site: {folder} に{files}、{bytes}を書きました"),
              {{"folder", folder}, {"files", written}, {"bytes", size}});
}

std::string WritingWeb() {
  return Tr("ウェブビューアーを書いています");
}

std::string CannotWriteWeb(const std::string& folder) {
  return Fill(Tr("web: {folder} にビューアーを書けません"), {{"folder", folder}});
}

std::string TerminalText(std::string text) {
  std::erase(text, '\r');
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string WithRecord(const std::string& message, const std::string& comment) {
  const std::string record = TerminalText(comment);
  return record.empty() ? message : message + "\n" + record;
}

}  // namespace qxcli::text
