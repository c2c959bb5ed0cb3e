#pragma once
// Texts of the outputs whose form, not only their words, follows the current language.
#include <cstdint>
#include <string>

namespace quorvex2::detail {

// The caption of a leg: MakeLegName in Japanese (△→１, １→２, 12→◎); elsewhere half-width
// numbers with the catalogue's marks of start and finish (S→1, 1→2, 12→F).
std::string LegCaption(int32_t ControlCount, bool WithOrigin, int32_t LegIndex);

// The mark of a value without data ("－" in Japanese).
std::string NoDataMark();

// A runner's or club's name as the compact tables show it: without blanks in Japanese
// (MakeNameKey), as written in other languages, whose names need their blanks.
std::string CompactName(const std::string& name);

// A runner's name for a fixed column of `width` that the caller right-aligns: the name as it is
// in Japanese; elsewhere the family name (the first word of a name in kana or kanji, the last of
// others), one column narrower, so that neighbouring names keep a blank between them.
std::string ColumnName(const std::string& name, int32_t width);

// A name in full-width characters in Japanese, as the printed labels show it; as it is written
// in other languages.
std::string WideInJapanese(const std::string& text);

}  // namespace quorvex2::detail
