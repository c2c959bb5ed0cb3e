#pragma once
// Text encodings at the file boundary; everything inside is UTF-8.
#include <string>
#include <string_view>

namespace quorvex2 {

// Shift-JIS bytes to UTF-8; undecodable bytes become U+FFFD.
std::string SjisToUtf8(const std::string& bytes);
// UTF-8 to Shift-JIS bytes; characters CP932 cannot hold (and invalid UTF-8) become "?".
std::string Utf8ToSjis(const std::string& text);
// UTF-8 to Shift-JIS bytes for an HTML page: a character CP932 cannot hold becomes a numeric
// character reference ("&#252;" for "ü"), so the browser still shows it; invalid UTF-8 becomes "?".
std::string Utf8ToSjisHtml(const std::string& text);
// UTF-16LE bytes (no byte-order mark) to UTF-8.
std::string Utf16leToUtf8(const std::string& bytes);
// The text with every byte that is not part of valid UTF-8 replaced by U+FFFD, one per byte, as
// the readers decode text; valid text comes back unchanged.
std::string ToValidUtf8(const std::string& text);

// The encoding a text file is written in, decided from its bytes, as an iconv name:
// - a byte-order mark decides: "UTF-8", "UTF-16LE" or "UTF-16BE";
// - "ASCII" when no byte is above 0x7F;
// - the charset an HTML page declares in a meta element within its first kilobyte, when iconv
//   knows it and the bytes are not valid UTF-8 (Shift_JIS and its aliases, x-sjis among them, are
//   "CP932"; Latin-1 and ASCII are "WINDOWS-1252");
// - "UTF-8" when the bytes are valid UTF-8;
// - otherwise the character-set detectors' reading, except that bytes which are valid Shift-JIS
//   stay "CP932" when the detectors are unsure or the text holds Japanese characters (a kana,
//   kanji or full-width symbol, or a run of half-width katakana); among the Latin sets of Western
//   and Central Europe the detector that tells them apart best proposes ("WINDOWS-1252",
//   "ISO-8859-2", "WINDOWS-1250", ...), and "WINDOWS-1252", "WINDOWS-1250" or "ISO-8859-2" takes
//   its place where the text read in it has fewer unlikely words (letters beside symbols, accented
//   letters no one language writes together); Latin-1 is read as its superset "WINDOWS-1252", and
//   so is text the detectors cannot place.
std::string DetectTextEncoding(std::string_view bytes);
// The bytes as UTF-8 in the named encoding, a leading byte-order mark dropped; bytes that do not
// decode become U+FFFD.
std::string DecodeText(std::string_view bytes, const std::string& encoding);
// Every line end (CR LF, CR CR LF, a LF alone, a CR alone) written CR LF.
std::string NormalizeLineEnds(std::string_view text);
// A text file's bytes as every text reader and the type detection see them: decoded in the
// encoding DetectTextEncoding decides, line ends normalised, without a closing Ctrl-Z (DOS's end
// of file) or a spreadsheet's "sep=;" first line.
std::string DecodeTextFile(std::string_view bytes);

}  // namespace quorvex2
