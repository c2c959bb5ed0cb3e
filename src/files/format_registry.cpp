#include "files/detail/format_registry.h"

#include <map>
#include <utility>

namespace quorvex2::detail {
namespace {

struct Registry {
  std::map<int32_t, Reader> readers;
  std::map<int32_t, Writer> writers;
  std::map<int32_t, Sniffer> sniffers;
  std::map<int32_t, std::string> locations;
  ArchiveExtractor extract;
  ArchiveMaker make;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

template <class Map>
const typename Map::mapped_type* Find(const Map& map, int32_t file_type) {
  auto it = map.find(file_type);
  return it == map.end() ? nullptr : &it->second;
}

}  // namespace

void RegisterReader(int32_t file_type, Reader reader) {
  TheRegistry().readers[file_type] = std::move(reader);
}

void RegisterWriter(int32_t file_type, Writer writer) {
  TheRegistry().writers[file_type] = std::move(writer);
}

const Reader* FindReader(int32_t file_type) {
  RegisterBuiltinFormats();
  return Find(TheRegistry().readers, file_type);
}

const Writer* FindWriter(int32_t file_type) {
  RegisterBuiltinFormats();
  return Find(TheRegistry().writers, file_type);
}

void RegisterSniffer(int32_t file_type, Sniffer sniffer) {
  TheRegistry().sniffers[file_type] = std::move(sniffer);
}

int32_t SniffFileType(std::string_view head_text) {
  RegisterBuiltinFormats();
  for (const auto& [file_type, sniffer] : TheRegistry().sniffers) {
    if (sniffer(head_text)) return file_type;
  }
  return 0;
}

void RegisterReaderLocation(int32_t file_type, std::string location) {
  TheRegistry().locations[file_type] = std::move(location);
}

const std::string* FindReaderLocation(int32_t file_type) {
  RegisterBuiltinFormats();
  return Find(TheRegistry().locations, file_type);
}

void RegisterArchiver(ArchiveExtractor extract, ArchiveMaker make) {
  TheRegistry().extract = std::move(extract);
  TheRegistry().make = std::move(make);
}

const ArchiveExtractor* FindArchiveExtractor() {
  RegisterBuiltinFormats();
  return TheRegistry().extract ? &TheRegistry().extract : nullptr;
}

const ArchiveMaker* FindArchiveMaker() {
  RegisterBuiltinFormats();
  return TheRegistry().make ? &TheRegistry().make : nullptr;
}

}  // namespace quorvex2::detail
