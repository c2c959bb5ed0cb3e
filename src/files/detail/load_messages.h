#pragma once
// Every text the loading front leaves in the error comment or shows, in one place so that it can
// be translated. The Japanese messages are the component's own first lines; the descriptions
// say, in words a person can act on, what is wrong with which file (the path as given). Their
// texts carry named placeholders ("{path}"), so a translation may put them where its language
// wants them.
#include <cstdint>
#include <string>

namespace quorvex2::detail {

inline constexpr const char* kCannotOpenFile = "ファイルを開けません";
inline constexpr const char* kDetectionFailed = "ファイルタイプ判別に失敗しました";
inline constexpr const char* kDetectionError = "ファイルタイプが判別に失敗しました";
inline constexpr const char* kImportOnlyMessage = "このファイルは追加読み込み専用です";
inline constexpr const char* kSomeDataLeftOut = "一部のデータを読み込みませんでした";

std::string NoFileNameText();
std::string FileMissingText(const std::string& path);
std::string DirectoryText(const std::string& path);
std::string UnreadableText(const std::string& path);
std::string EmptyFileText(const std::string& path);
// A text of one or two lines: too short for any format.
std::string TooFewLinesText(const std::string& path);
// A native lap file that does not parse, or whose root element is another.
std::string XmlErrorText(const std::string& path, const std::string& error, size_t offset);
std::string OtherRootText(const std::string& path, const std::string& element,
                          const std::string& expected);
// A load that found no runner in a format that lists runners.
std::string NotAResultFileText(const std::string& path, int32_t file_type);
std::string ClassLeftOutText(const std::string& class_name, int32_t control_count,
                             int32_t most_controls);

}  // namespace quorvex2::detail
