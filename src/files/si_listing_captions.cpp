#include "files/si_listing_captions.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

using Words = std::span<const std::string_view>;

// Lower-case ASCII; other letters as printed in both cases where listings differ.
constexpr std::string_view kPlace[] = {
    "pl",     "pl.",   "platz", "place",   "pos",  "pos.",  "rang", "rank",
    "místo",  "poř.",  "plac",  "plats",   "sija", "mesto", "hely", "posto",
    "puesto", "plass", "plads", "miejsce", "koht", "lugar", "por.", "mjesto",
    "место",  "順位",  "ｼﾞｭﾝｲ", "θέση",    "Θέση", "ΘΕΣΗ",  "순위", "名次"};
constexpr std::string_view kNumber[] = {
    "stno", "stnr",    "stnr.", "startnr", "startnr.", "startno",     "dép.",
    "stčí", "stČí",    "stèí",  "stÈí",    "st.č.",    "bib",         "nr",
    "nr.",  "no",      "no.",   "číslo",   "dorsal",   "startnummer", "nro",
    "pett", "rajtsz.", "št.č.", "номер",   "ナンバー", "番号",        "ゼッケン",
    "dors", "dors.",   "rsz",   "rsz.",    "stč",      "stČ",         "stč.",
    "stČ.", "αρ.",     "Αρ.",   "ΑΡ.",     "번호",     "배번",        "号码"};
constexpr std::string_view kName[] = {
    "name", "nom",  "nom/club", "jméno", "namn",  "navn",    "nimi", "nome",     "nombre",
    "naam", "név",  "nazwisko", "meno",  "ime",   "фамилия", "фио",  "участник", "氏名",
    "ｼﾒｲ",  "名前", "όνομα",    "Όνομα", "ΟΝΟΜΑ", "이름",    "성명", "姓名"};
constexpr std::string_view kTime[] = {"time",   "zeit",   "temps", "čas",  "Čas",   "èas",
                                      "Èas",    "cas",    "tid",   "aika", "tempo", "tiempo",
                                      "tijd",   "idő",    "czas",  "aeg",  "время", "результат",
                                      "タイム", "ﾀｲﾑ",    "時間",  "記録", "idõ",   "χρόνος",
                                      "Χρόνος", "ΧΡΟΝΟΣ", "기록",  "시간", "成绩",  "时间"};

// A club column of its own, between the name and the time (tables print it so).
constexpr std::string_view kClub[] = {
    "club",     "verein",       "klub",         "klubb",   "oddíl",     "oddiel",    "förening",
    "forening", "seura",        "clube",        "società", "egyesület", "lag",       "team",
    "klubi",    "organisation", "organization", "клуб",    "команда",   "коллектив", "所属",
    "σύλλογος", "Σύλλογος",     "소속",         "단체",    "单位"};

// Columns some listings print between the name and the time: year of birth, nation, age class.
constexpr std::string_view kOther[] = {
    "yb",       "jg",   "jg.",    "jahrgang", "année", "an",     "född",      "født",
    "syntynyt", "roč.", "ročník", "nat",      "nat.",  "nation", "land",      "nar.",
    "rok",      "cat",  "cat.",   "riik",     "kat",   "kat.",   "kategorie", "age"};

bool IsOneOf(const Token& token, Words words) {
  const std::string lower = ToLower(token.text);
  return std::find(words.begin(), words.end(), lower) != words.end();
}

}  // namespace

std::optional<Captions> ReadCaptions(const std::vector<Token>& tokens) {
  Captions captions;
  for (const Token& token : tokens) {
    if (captions.name_column == 0 && IsOneOf(token, kName)) {
      captions.name_column = token.first_column;
    } else if (captions.name_column == 0 && IsOneOf(token, kPlace)) {
      captions.place_end = token.last_column;
    } else if (captions.name_column == 0 && IsOneOf(token, kNumber)) {
      captions.number_end = token.last_column;
    } else if (captions.name_column > 0 && captions.time_end == 0 && IsOneOf(token, kTime)) {
      captions.time_end = token.last_column;
    } else if (captions.name_column > 0 && captions.time_end == 0 && IsOneOf(token, kClub)) {
      captions.club_column = token.first_column;
    } else if (captions.name_column > 0 && captions.time_end == 0 && IsOneOf(token, kOther)) {
      captions.other_columns.push_back(token.first_column);
    }
  }
  const bool named = captions.name_column > 0;
  if (!named || (captions.time_end == 0 && captions.place_end == 0 && captions.number_end == 0)) {
    return std::nullopt;
  }
  return captions;
}

}  // namespace quorvex2::detail::sportident
