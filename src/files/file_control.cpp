#include "quorvex2/files/file_control.h"

#include <exception>
#include <functional>
#include <optional>

#include "core/detail/component_state.h"
#include "core/detail/file_names.h"
#include "files/detail/archive.h"
#include "files/detail/detect_file_type.h"
#include "files/detail/format_registry.h"
#include "files/detail/load_checks.h"
#include "files/detail/load_error.h"
#include "files/detail/progress.h"
#include "files/detail/work_folder.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

// The path of the archive's lap file, extracted into the work folder made for it; "" when
// nothing was extracted (error comment set: the detection of a type for no file failed).
std::string ExtractArchive(const std::string& archive_path,
                           std::optional<detail::WorkFolder>& work) {
  const auto* extract = detail::FindArchiveExtractor();
  if (extract == nullptr) {
    detail::FailLoad(detail::kDetectionError, "clsFileControl.DetectFileType",
                     archive_path + ": " + detail::Tr("この版では書庫を読めません"));
    return "";
  }
  std::string error;
  work = detail::WorkFolder::Create(error);
  if (!work) {
    detail::FailLoad(detail::kDetectionError, "clsFileControl.DetectFileType", error);
    return "";
  }
  return (*extract)(archive_path, work->Path());
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

// The file written before packing into the archive: the archive's base name with the member
// extension of the type, in the save's own work folder (so it never meets another save's file).
std::string ArchiveMemberPath(const std::string& archive_path, int32_t file_type,
                              const detail::WorkFolder& work) {
  const std::string name = detail::SafeFileName(GetFileName(RemoveExtension(archive_path)), "lap");
  return work.Path() + "/" + name + ArchiveMemberExtension(file_type);
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
                            detail::Tr("この版ではこの種類のファイルを読めません"));
  }
  detail::ProgressReporter progress(sink);
  request.progress = &progress;
  return (*reader)(request);
}

bool Dispatch(int32_t file_type, detail::ReadRequest& request,
              const std::function<void(int32_t)>& sink) {
  if (file_type == QX_FILETYPE_IMPORT_ONLY && (request.load_mode & 1) == 0) {
    detail::SetErrorComment(detail::Tr(detail::kImportOnlyMessage));
    return false;
  }
  if (file_type < QX_FILETYPE_QUORVEX2) return false;
  if (file_type > QX_FILETYPE_IOF_XML_30_RESULT && detail::FindReader(file_type) == nullptr) {
    return false;
  }
  return ReadWith(file_type, request, sink);
}

// Writes the lap file into a work folder of its own and packs it into the archive; a failed
// write packs nothing, and a failed packing fails the save.
bool SaveIntoArchive(const std::string& archive_path, int32_t file_type, int32_t save_mode) {
  const auto* writer = detail::FindWriter(WriterType(file_type));
  const auto* make = detail::FindArchiveMaker();
  std::string error;
  std::optional<detail::WorkFolder> work = detail::WorkFolder::Create(error);
  if (writer == nullptr || make == nullptr || !work) return false;
  const std::string member = ArchiveMemberPath(archive_path, file_type, *work);
  return (*writer)(member, save_mode) && (*make)(archive_path, member);
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
    std::optional<detail::WorkFolder> work;  // holds an archive's lap file while it is read
    if (FileData.empty() && detail::IsArchiveFile(path)) {
      path = ExtractArchive(path, work);
      if (path.empty()) return false;
    }
    // Type 7 names the IOF list the component writes: asked for by the caller, it reads nothing.
    // A list the detection finds is read by the IOF reader, as type 7 or 8.
    if (LapFileType == QX_FILETYPE_IOF_XML_20_RESULT) return false;
    detail::ReadRequest request{path, LoadMode, FileData, nullptr, ProgressVisible};
    if (LapFileType == QX_FILETYPE_AUTODETECT) {
      LapFileType = detail::DetectFileType(path, request.file_data);
    }
    const detail::LoadScope scope = detail::BeginLoad(*root);
    bool result = Dispatch(LapFileType, request, Progress);
    if (result) result = detail::AcceptLoad(*root, scope, LapFileType, LoadMode, FileName);
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
    detail::FailLoad(detail::kCannotOpenFile, "clsFileControl.LoadLapFile", error.what());
    return false;
  }
}

bool clsFileControl::SaveLapFile(const std::string& FileName, int32_t LapFileType,
                                 int32_t SaveMode) {
  try {
    const std::string extension = GetExtension(FileName);
    if (LapFileType == QX_FILETYPE_AUTODETECT) LapFileType = SaveTypeFromExtension(extension);
    if (extension == "lzh") return SaveIntoArchive(FileName, LapFileType, SaveMode);
    const auto* writer = detail::FindWriter(WriterType(LapFileType));
    return writer != nullptr && (*writer)(FileName, SaveMode);
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
  return detail::Tr(
      "ラップファイル (*.lxm)|*.lxm|ラップファイル(Ver.1形式) (*.lap)|*.lap|"
      "IOF標準形式 (ResultList) (*.xml)|*.xml|ラップファイル(XML形式) (*.xml)|*.xml|"
      "ラップファイル(LHA圧縮) (*.lzh)|*.lzh");
}

std::string clsFileControl::FileLoadFilter() const {
  return detail::Tr(
      "クオルベクス２ファイル (*.lxm)|*.lxm|"
      "ラップファイル (*.lxm,*.xml,*.lap,*.csv,*.txt)|*.lxm;*.lap;*.xml;*.csv;*.txt|"
      "書庫ファイル (*.lzh)|*.lzh|全てのファイル (*.*)|*.*");
}

}  // namespace quorvex2
