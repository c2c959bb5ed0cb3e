#include "files/quorvex1_header_lines.h"

#include <memory>

#include "files/detail/attribute_values.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

void ApplyEventLine(const std::string& key, const std::string& value, clsEventData& event) {
  if (key == "$名称") {
    event.EventName = value;
  } else if (key == "$日時") {
    if (const auto date = ParseDateText(value)) event.EventDate.Value(*date);
  } else if (key == "$場所") {
    event.Terrain = value;
  } else if (key == "$備考") {
    event.Memo = value;
  } else if (key == "$公式サイト") {
    event.OfficialSite = value;
  } else if (key == "$ファイル名キーワード") {
    event.FileName = value;
  }
}

// "$距離:M21" names the class M21's length; nullptr for other keys.
int32_t* ClassParameter(const std::string& key, clsQuorvex2& root) {
  const size_t colon = key.find(':');
  if (colon == std::string::npos) return nullptr;
  const auto data = root.ClassData(key.substr(colon + 1));
  if (!data) return nullptr;
  const std::string name = key.substr(0, colon);
  if (name == "$距離") return &data->Length;
  if (name == "$登距離") return &data->Climb;
  if (name == "$コントロール数") return &data->ControlCount;
  if (name == "$コース番号") return &data->CourseNum;
  return nullptr;
}

}  // namespace

void ApplyVersion1HeaderLines(const std::vector<std::string>& header_lines, int32_t load_mode,
                              clsQuorvex2& root) {
  for (const auto& line : header_lines) {
    const size_t equals = line.find('=');
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = equals == std::string::npos ? "" : Trim(line.substr(equals + 1));
    if (load_mode == 0) ApplyEventLine(key, value, *root.EventData());
    if (int32_t* parameter = ClassParameter(key, root)) *parameter = ReadWholeNumber(value);
  }
}

}  // namespace quorvex2::detail
