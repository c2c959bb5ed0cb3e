#pragma once
// The web viewer: an interactive split-analysis site of the loaded event that opens from the
// file system or any static host, with no server and nothing fetched from elsewhere. An index
// lists the classes, the courses several classes share and the segments (stretches of controls
// several courses share), with a search for runners and clubs; each of them has a page with a
// sortable result list, a split table, charts drawn in the browser and the leg statistics. The
// pages carry their figures as JSON and are drawn by plain scripts, in every language the
// component has a catalogue of; the reader switches language on the page.
//
//   quorvex2::clsWebControl web;
//   web.Language = "en";           // the language the pages open in
//   if (!web.OutputWeb("site")) std::cerr << root.ErrorComment();
#include <cstdint>
#include <functional>
#include <string>

namespace quorvex2 {

class clsWebControl {
 public:
  // The language the pages open in until the reader picks one ("ja", "en", ...; see
  // AvailableLanguages() in <quorvex2/core/language.h>); empty for the current root's
  // Language. A language without a catalogue opens in Japanese.
  std::string Language;

  // Raised with the percentage done after each page.
  std::function<void(int32_t Percent)> Progress;

  // Writes the viewer of the current root's event into OutputFolder (made when missing):
  // index.html, one page per class, shared course and segment, and the folder "viewer" with the
  // scripts and the style sheet. Existing files of those names are replaced. False with the
  // error comment set when the folder or a file cannot be written, or there is no root; never
  // throws.
  bool OutputWeb(const std::string& OutputFolder) const;
};

}  // namespace quorvex2
