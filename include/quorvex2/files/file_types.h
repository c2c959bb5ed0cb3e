#pragma once
// Lap file types.
#include <cstdint>

namespace quorvex2 {

enum QxLapFileTypeConst : int32_t {
  QX_FILETYPE_AUTODETECT = 0,
  QX_FILETYPE_UNKNOWN = 1,
  QX_FILETYPE_QUORVEX2 = 2,     // native XML lap file (.lxm)
  QX_FILETYPE_QUORVEX1 = 3,     // version-1 text lap file and CSV/text tables
  QX_FILETYPE_SPORTIDENT = 4,   // SPORTident result listing
  QX_FILETYPE_OEVENT = 5,       // OEvent split-time export
  QX_FILETYPE_IMPORT_ONLY = 6,  // append-only runner information
  // IOF XML ResultList written as 2.0.3. Given to LoadLapFile it reads nothing; the detection
  // gives it to a 2.0.3 list it finds, which is then read.
  QX_FILETYPE_IOF_XML_20_RESULT = 7,
  QX_FILETYPE_IOF_XML_30_RESULT = 8,  // IOF XML 3.0 ResultList, written; read as 3.0 or 2.0.3
  // Result files of today's event software, read only and recognised by their content.
  QX_FILETYPE_OE_CSV = 9,              // one row per runner CSV export (OE and MeOS)
  QX_FILETYPE_SI_CSV = 10,             // SPORTident CSV with code, split and points per control
  QX_FILETYPE_SPLITSBROWSER_CSV = 11,  // SplitsBrowser CSV (one or two name fields)
  QX_FILETYPE_EMIT_CSV = 12,           // Emit split-time CSV
};

}  // namespace quorvex2
