#pragma once
// Every text the loading front leaves in the error comment or shows, in one place, in the current
// language. The messages are the component's own first lines (translated where they are written:
// FailLoad, ShowLoadMessage); the descriptions say, in words a person can act on, what is wrong
// with which file (the path as given).
#include <pugixml.hpp>

#include <cstdint>
#include <string>

#include "core/detail/catalogue.h"
#include "files/detail/xml_well_formed.h"

namespace quorvex2::detail {

inline constexpr const char* kCannotOpenFile = TrNoop("ファイルを開けません");
inline constexpr const char* kDetectionFailed = TrNoop("ファイルタイプ判別に失敗しました");
inline constexpr const char* kDetectionError = TrNoop("ファイルタイプが判別に失敗しました");
inline constexpr const char* kImportOnlyMessage = TrNoop("このファイルは追加読み込み専用です");
inline constexpr const char* kSomeDataLeftOut = TrNoop("一部のデータを読み込みませんでした");
inline constexpr const char* kLoadRemarks = TrNoop("読み込んだデータについての注意");
// The name of an event or class a file leaves unnamed: data, the same in every language, so that
// a file reads to the same event whatever the language of the messages.
inline constexpr const char* kUnnamed = "名称未設定";

std::string NoFileNameText();
std::string FileMissingText(const std::string& path);
std::string DirectoryText(const std::string& path);
std::string NotAFileText(const std::string& path);
std::string UnreadableText(const std::string& path);
std::string EmptyFileText(const std::string& path);
// What stopped the XML parser, and where.
std::string XmlSyntaxText(const pugi::xml_parse_result& parsed);
// What makes a text the parser reads no well-formed XML, and where.
std::string XmlFaultText(const XmlFault& fault);
// A native lap file that is no XML (`syntax`: one of the two above), or whose root element is
// another.
std::string XmlErrorText(const std::string& path, const std::string& syntax);
std::string OtherRootText(const std::string& path, const std::string& element,
                          const std::string& expected);
// A load that found no runner in a format that lists runners.
std::string NotAResultFileText(const std::string& path, int32_t file_type);
// Every class of the file was left out (load_checks.h).
std::string NothingLeftText(const std::string& path);
// A class whose runners passed different controls: their legs are compared by position.
std::string MixedCoursesText(const std::string& class_name);
// Runners a class's file gives as OK who punched other controls than the class's (forks).
std::string OtherForkText(const std::string& class_name, size_t runners);
// Runners of a class whose split times, given without control codes, do not fit its controls.
std::string SplitsLeftOutText(const std::string& class_name, size_t runners);
// A class whose course has more legs than a runner holds.
std::string TooManyLegsText(const std::string& class_name, size_t legs, size_t most_legs);
std::string ClassLeftOutText(const std::string& class_name, int32_t control_count,
                             int32_t most_controls);

}  // namespace quorvex2::detail
