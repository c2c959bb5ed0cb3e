#pragma once
// The column captions of a SPORTident result listing, in the languages the listings are printed
// in: place ("Pl", "místo", "Θέση", "순위"), start number ("Stno", "Stnr", "dép."), name ("Name",
// "Nom/club", "Jméno", "이름") and time ("Time", "Zeit", "Temps", "Čas", "Χρόνος", "기록").
#include <cstdint>
#include <optional>
#include <vector>

#include "files/si_listing_tokens.h"

namespace quorvex2::detail::sportident {

struct Captions {
  int32_t place_end = 0;    // the last column of the place caption; 0 when there is none
  int32_t number_end = 0;   // the last column of the start-number caption
  int32_t name_column = 0;  // the first column of the name caption
  int32_t time_end = 0;     // the last column of the time caption; 0 in a start list
  int32_t club_column = 0;  // the first column of a club caption before the time; 0 when none
  // The first columns of other captions between the name and the time (year of birth, nation):
  // their fields belong to neither the name nor the club.
  std::vector<int32_t> other_columns;
};

// The captions of a line that names the runner's name and either its time or its place or
// start number; nothing for any other line.
std::optional<Captions> ReadCaptions(const std::vector<Token>& tokens);

}  // namespace quorvex2::detail::sportident
