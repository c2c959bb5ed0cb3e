// The formats built into the component, one line each.
#include <mutex>

#include "files/detail/archive.h"
#include "files/detail/format_registry.h"
#include "files/detail/native_xml.h"
#include "files/import_only_format.h"
#include "files/iof_reading.h"
#include "files/iof_result_list.h"
#include "files/oevent_reader.h"
#include "files/quorvex1_format.h"
#include "files/result_table_formats.h"
#include "files/sportident_reader.h"

namespace quorvex2::detail {

void RegisterBuiltinFormats() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterReader(2, ReadNativeXml);
    RegisterWriter(2, WriteNativeXml);
    RegisterReader(3, LoadQuorvex1);
    RegisterWriter(3, SaveQuorvex1);
    RegisterReader(4, LoadSportIdent);
    RegisterSniffer(4, SniffSportIdentListing);
    RegisterReader(5, LoadOEvent);
    RegisterReader(6, LoadImportOnly);
    RegisterReader(7, ReadIofResultList20);
    RegisterWriter(7, SaveIofResultList);
    RegisterReader(8, ReadIofResultList30);
    RegisterWriter(8, SaveIof3ResultList);
    RegisterReader(9, LoadOeCsv);
    RegisterSniffer(9, IsOeCsv);
    RegisterReaderLocation(9, kOeCsvLocation);
    RegisterReader(10, LoadSiCsv);
    RegisterSniffer(10, IsSiCsv);
    RegisterReaderLocation(10, kSiCsvLocation);
    RegisterReader(11, LoadSplitsBrowserCsv);
    RegisterSniffer(11, IsSplitsBrowserCsv);
    RegisterReaderLocation(11, kSplitsBrowserLocation);
    RegisterReader(12, LoadEmitCsv);
    RegisterSniffer(12, IsEmitCsv);
    RegisterReaderLocation(12, kEmitCsvLocation);
    RegisterArchiver(ExtractArchiveFile, MakeArchiveFile);
  });
}

}  // namespace quorvex2::detail
