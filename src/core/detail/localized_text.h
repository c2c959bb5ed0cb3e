#pragma once
// Texts of the outputs whose form, not only their words, follows the current language.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "quorvex2/core/lap_data.h"

namespace quorvex2::detail {

// The caption of a leg: MakeLegName in Japanese (△→１, １→２, 12→◎); elsewhere half-width
// numbers with the catalogue's marks of start and finish (S→1, 1→2, 12→F).
std::string LegCaption(int32_t ControlCount, bool WithOrigin, int32_t LegIndex);

// The mark of a value without data ("－" in Japanese).
std::string NoDataMark();

// A runner's or club's name as the compact tables show it: without blanks in Japanese
// (MakeNameKey), as written in other languages, whose names need their blanks.
std::string CompactName(const std::string& name);

// Whether a name puts the family name first: always in Japanese; in other languages when it is
// written in kana, kanji or hangul (typographic marks such as "’" do not count).
bool PutsFamilyFirst(const std::string& name);

// A person's name from its parts, a blank between them: family name first where
// PutsFamilyFirst says so, given name first otherwise.
std::string PersonName(const std::string& family, const std::string& given);

// The family and the given names of a name that puts the given name first: the last word and
// the words before it. Nothing for a name that puts the family name first.
std::optional<std::pair<std::string, std::string>> GivenFirstParts(const std::string& name);

// A runner's name for a fixed column of `width` that the caller right-aligns: the name as it is
// in Japanese; elsewhere the family name (the one the file gave apart, else the first word of a
// name in kana or kanji, the last of others), one column narrower, so that neighbouring names
// keep a blank between them.
std::string ColumnName(const clsLapData& runner, int32_t width);

// A name in full-width characters in Japanese, as the printed labels show it; as it is written
// in other languages.
std::string WideInJapanese(const std::string& text);

}  // namespace quorvex2::detail
