#include "files/detail/load_messages.h"

#include <iterator>

#include "core/detail/catalogue.h"
#include "core/detail/fill_in.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2::detail {
namespace {

// What a file of the type was expected to hold.
const char* ExpectedContent(int32_t file_type) {
  switch (file_type) {
    case QX_FILETYPE_QUORVEX1:
      return TrNoop(
          "ラップファイル、または選手名とクラスの列を見出し行に挙げ、選手ごとに 1 行の表");
    case QX_FILETYPE_SPORTIDENT:
      return TrNoop("クラスごとに選手が並ぶ SPORTident の成績リスト");
    case QX_FILETYPE_OEVENT:
      return TrNoop("クラスごとに選手が並ぶ OEvent のラップタイム出力");
    default:
      return TrNoop("選手ごとに 1 行の成績かラップタイムのファイル");
  }
}

// The XML parser's words for what stopped it, by its status.
constexpr const char* kXmlStatusTexts[] = {
    TrNoop("誤りはありません"),
    TrNoop("ファイルが見つかりません"),
    TrNoop("ファイルを読めません"),
    TrNoop("メモリーが足りません"),
    TrNoop("内部の誤りです"),
    TrNoop("タグの種類がわかりません"),
    TrNoop("XML 宣言か処理命令が正しくありません"),
    TrNoop("コメントが正しくありません"),
    TrNoop("CDATA セクションが正しくありません"),
    TrNoop("文書型宣言が正しくありません"),
    TrNoop("文字データが正しくありません"),
    TrNoop("開始タグが正しくありません"),
    TrNoop("属性が正しくありません"),
    TrNoop("終了タグが正しくありません"),
    TrNoop("開始タグと終了タグが対応していません"),
    TrNoop("ルートが要素でも文書でもないので追加できません"),
    TrNoop("ルート要素がありません"),
};

// A note of a class about some of its runners.
std::string ClassRunnersText(const std::string& text, const std::string& class_name,
                             size_t runners) {
  return FillIn(text, {{"class", class_name}, {"count", std::to_string(runners)}});
}

}  // namespace

std::string NoFileNameText() {
  return Tr("ファイル名がありません");
}

std::string FileMissingText(const std::string& path) {
  return FillIn(Tr("{path} がありません"), {{"path", path}});
}

std::string DirectoryText(const std::string& path) {
  return FillIn(Tr("{path} はファイルではなくフォルダーです"), {{"path", path}});
}

std::string NotAFileText(const std::string& path) {
  return FillIn(Tr("{path} はファイルではなくパイプかデバイスです"), {{"path", path}});
}

std::string UnreadableText(const std::string& path) {
  return FillIn(Tr("{path} を読む権限がありません"), {{"path", path}});
}

std::string EmptyFileText(const std::string& path) {
  return FillIn(Tr("{path} は空です"), {{"path", path}});
}

std::string XmlSyntaxText(const pugi::xml_parse_result& parsed) {
  const auto status = static_cast<size_t>(parsed.status);
  const char* what = status < std::size(kXmlStatusTexts)
                         ? kXmlStatusTexts[status]
                         : kXmlStatusTexts[pugi::status_internal_error];
  return FillIn(Tr("XML の誤り: {error} (位置 {offset})"),
                {{"error", Tr(what)}, {"offset", std::to_string(parsed.offset)}});
}

std::string XmlFaultText(const XmlFault& fault) {
  return FillIn(Tr("XML の誤り: {error} (位置 {offset})"),
                {{"error", FillIn(Tr(fault.what), {{"name", fault.name}})},
                 {"offset", std::to_string(fault.offset)}});
}

std::string XmlErrorText(const std::string& path, const std::string& syntax) {
  return FillIn(Tr("{path} はラップファイルではありません: {syntax}"),
                {{"path", path}, {"syntax", syntax}});
}

std::string OtherRootText(const std::string& path, const std::string& element,
                          const std::string& expected) {
  return FillIn(Tr("{path} はラップファイルではありません: ルート要素が <{expected}> ではなく "
                   "<{element}> です"),
                {{"path", path}, {"element", element}, {"expected", expected}});
}

std::string NotAResultFileText(const std::string& path, int32_t file_type) {
  return FillIn(
      Tr("{path} は成績ファイルではありません: 成績かラップタイムのある選手が見つかりません "
         "({expected}が必要です)"),
      {{"path", path}, {"expected", Tr(ExpectedContent(file_type))}});
}

std::string NothingLeftText(const std::string& path) {
  return FillIn(Tr("{path}: 解析できるクラスが一つも残りません"), {{"path", path}});
}

std::string MixedCoursesText(const std::string& class_name) {
  return FillIn(
      Tr("クラス {class}: 選手ごとに通過したコントロールが違うので、区間を順番で比べます"),
      {{"class", class_name}});
}

std::string OtherForkText(const std::string& class_name, size_t runners) {
  return ClassRunnersText(NTr("クラス {class}: 完走の {count} 人はクラスと違うコントロールを通った"
                              "ので、共通のコントロールの間の区間をまとめて比べます",
                              "クラス {class}: 完走の {count} 人はクラスと違うコントロールを通った"
                              "ので、共通のコントロールの間の区間をまとめて比べます",
                              runners),
                          class_name, runners);
}

std::string SplitsLeftOutText(const std::string& class_name, size_t runners) {
  return ClassRunnersText(NTr("クラス {class}: {count} "
                              "人のスプリットはコントロールの数が合わないので読み込みませんでした",
                              "クラス {class}: {count} "
                              "人のスプリットはコントロールの数が合わないので読み込みませんでした",
                              runners),
                          class_name, runners);
}

std::string TooManyLegsText(const std::string& class_name, size_t legs, size_t most_legs) {
  return FillIn(
      Tr("クラス {class} は読み込みませんでした: 区間が {legs} あり、選手が持てる {most} を"
         "超えています"),
      {{"class", class_name}, {"legs", std::to_string(legs)}, {"most", std::to_string(most_legs)}});
}

std::string ClassLeftOutText(const std::string& class_name, int32_t control_count,
                             int32_t most_controls) {
  return FillIn(
      Tr("クラス {class} は読み込みませんでした: コントロールが {controls} 個あり、分析できるのは "
         "{most} 個までです"),
      {{"class", class_name},
       {"controls", std::to_string(control_count)},
       {"most", std::to_string(most_controls)}});
}

}  // namespace quorvex2::detail
