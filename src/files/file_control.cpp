#include "quorvex2/files/file_control.h"

#include <exception>
#include <filesystem>
#include <functional>

#include "core/detail/component_state.h"
#include "files/detail/detect_file_type.h"
#include "files/detail/format_registry.h"
#include "files/detail/load_error.h"
#include "files/detail/progress.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

constexpr const char* kImportOnlyMessage = "このファイルは追加読み込み専用です";

// The path of the lap file inside an archive, or "" when nothing was extracted.
std::string ExtractArchive(const std::string& archive_path) {
  const auto* extract = detail::FindArchiveExtractor();
  return extract ? (*extract)(archive_path) : std::string();
}

int32_t SaveTypeFromExtension(const std::string& extension) {
  if (extension == "lap") return QX_FILETYPE_QUORVEX1;
  if (extension == "xml") return QX_FILETYPE_IOF_XML_20_RESULT;
  return QX_FILETYPE_QUORVEX2;
}

std::string ArchiveMemberExtension(int32_t file_type) {
  if (file_type == QX_FILETYPE_QUORVEX1) return ".lap";
  if (file_type == QX_FILETYPE_IOF_XML_20_RESULT || file_type == QX_FILETYPE_IOF_XML_30_RESULT) {
    return ".xml";
  }
  return ".lxm";
}

// The file written before packing into the archive: the work folder, the archive's base name,
// the member extension of the type.
std::string ArchiveMemberPath(const std::string& archive_path, int32_t file_type) {
  std::error_code ignored;
  const auto folder = std::filesystem::temp_directory_path(ignored) / "Quorvex2";
  std::filesystem::create_directories(folder, ignored);
  const std::string name = GetFileName(RemoveExtension(archive_path));
  return (folder / (name + ArchiveMemberExtension(file_type))).string();
}

// Version-1 and IOF files have writers of their own; every other type saves as a native file.
int32_t WriterType(int32_t file_type) {
  if (file_type == QX_FILETYPE_QUORVEX1 || file_type == QX_FILETYPE_IOF_XML_20_RESULT ||
      file_type == QX_FILETYPE_IOF_XML_30_RESULT) {
    return file_type;
  }
  return QX_FILETYPE_QUORVEX2;
}

const char* ReaderLocation(int32_t file_type) {
  switch (file_type) {
    case QX_FILETYPE_QUORVEX2:
      return "clsFileControl.LoadQuorvex2";
    case QX_FILETYPE_QUORVEX1:
      return "clsFileControl.LoadQuorvex1";
    case QX_FILETYPE_SPORTIDENT:
      return "clsFileControl.LoadSportIdent";
    case QX_FILETYPE_OEVENT:
      return "clsFileControl.LoadOEvent";
    case QX_FILETYPE_IOF_XML_20_RESULT:
    case QX_FILETYPE_IOF_XML_30_RESULT:
      return "clsFileControl.LoadIofResultList";
    case QX_FILETYPE_IMPORT_ONLY:
      return "clsFileControl.LoadImportOnly";
    default: {
      const std::string* location = detail::FindReaderLocation(file_type);
      return location ? location->c_str() : "clsFileControl.LoadLapFile";
    }
  }
}

bool ReadWith(int32_t file_type, detail::ReadRequest& request,
              const std::function<void(int32_t)>& sink) {
  const auto* reader = detail::FindReader(file_type);
  if (reader == nullptr) {
    return detail::FailLoad(detail::kCannotOpenFile, ReaderLocation(file_type),
                            "This file type cannot be read by this build");
  }
  detail::ProgressReporter progress(sink);
  request.progress = &progress;
  return (*reader)(request);
}

bool Dispatch(int32_t file_type, detail::ReadRequest& request,
              const std::function<void(int32_t)>& sink) {
  if (file_type == QX_FILETYPE_IMPORT_ONLY && (request.load_mode & 1) == 0) {
    detail::SetErrorComment(kImportOnlyMessage);
    return false;
  }
  if (file_type < QX_FILETYPE_QUORVEX2) return false;
  if (file_type > QX_FILETYPE_IOF_XML_30_RESULT && detail::FindReader(file_type) == nullptr) {
    return false;
  }
  return ReadWith(file_type, request, sink);
}

}  // namespace

bool clsFileControl::LoadLapFile(const std::string& FileName, int32_t LapFileType, int32_t LoadMode,
                                 const std::string& FileData) {
  detail::SetErrorComment("");
  clsQuorvex2* root = detail::CurrentRoot();
  if (root == nullptr) return false;
  try {
    if (LoadMode == QX_LOADMODE_NORMAL) root->Clear();
    std::string path = FileName;
    if (GetExtension(path) == "lzh") path = ExtractArchive(path);
    detail::ReadRequest request{path, LoadMode, FileData, nullptr, ProgressVisible};
    if (LapFileType == QX_FILETYPE_AUTODETECT) {
      LapFileType = detail::DetectFileType(path, request.file_data);
    }
    const bool result = Dispatch(LapFileType, request, Progress);
    // A fresh native load rebuilds the segments whatever the reader's result: the courses it
    // read before a failure stay, and so do their segments.
    if (LapFileType == QX_FILETYPE_QUORVEX2 && LoadMode == QX_LOADMODE_NORMAL) {
      root->MakeSegmentSet();
    }
    if (result) {
      root->SortLap();
      root->FileName = path;
    }
    return result;
  } catch (const std::exception& error) {
    detail::SetErrorComment(std::string(detail::kCannotOpenFile) +
                            "\r\nclsFileControl.LoadLapFile\r\n" + error.what());
    return false;
  }
}

bool clsFileControl::SaveLapFile(const std::string& FileName, int32_t LapFileType,
                                 int32_t SaveMode) {
  try {
    const std::string extension = GetExtension(FileName);
    if (LapFileType == QX_FILETYPE_AUTODETECT) LapFileType = SaveTypeFromExtension(extension);
    std::string archive_path;
    std::string path = FileName;
    if (extension == "lzh") {
      archive_path = FileName;
      path = ArchiveMemberPath(archive_path, LapFileType);
    }
    const auto* writer = detail::FindWriter(WriterType(LapFileType));
    const bool result = writer != nullptr && (*writer)(path, SaveMode);
    if (!archive_path.empty()) {
      const auto* make = detail::FindArchiveMaker();
      if (make == nullptr) return false;  // nothing would reach the archive
      (*make)(archive_path, path);
    }
    return result;
  } catch (const std::exception&) {
    return false;
  }
}

QxLapFileTypeConst clsFileControl::FileSaveMode(int32_t FilterIndex) const {
  switch (FilterIndex) {
    case 1:
    case 4:
    case 5:
      return QX_FILETYPE_QUORVEX2;
    case 2:
      return QX_FILETYPE_QUORVEX1;
    case 3:
      return QX_FILETYPE_IOF_XML_20_RESULT;
    default:
      return QX_FILETYPE_AUTODETECT;
  }
}

std::string clsFileControl::FileSaveFilter() const {
  return "ラップファイル (*.lxm)|*.lxm|ラップファイル(Ver.1形式) (*.lap)|*.lap|"
         "IOF標準形式 (ResultList) (*.xml)|*.xml|ラップファイル(XML形式) (*.xml)|*.xml|"
         "ラップファイル(LHA圧縮) (*.lzh)|*.lzh";
}

std::string clsFileControl::FileLoadFilter() const {
  return "クオルベクス２ファイル (*.lxm)|*.lxm|"
         "ラップファイル (*.lxm,*.xml,*.lap,*.csv,*.txt)|*.lxm;*.lap;*.xml;*.csv;*.txt|"
         "書庫ファイル (*.lzh)|*.lzh|全てのファイル (*.*)|*.*";
}

}  // namespace quorvex2
