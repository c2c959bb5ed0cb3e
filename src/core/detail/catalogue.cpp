#include "core/detail/catalogue.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/detail/component_state.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {
namespace {

constexpr uint32_t kMoMagic = 0x950412de;
constexpr char kContextEnd = '\4';  // gettext joins context and text with EOT

uint32_t Swapped(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xff00) | ((v << 8) & 0xff0000) | (v << 24);
}

// Reads the words and strings of a .mo file, in either byte order, within its bounds.
class MoReader {
 public:
  MoReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {
    swapped_ = size >= 4 && Word(0) != kMoMagic;
    valid_ = size >= 20 && Word(0) == kMoMagic;
  }
  bool valid() const { return valid_; }
  uint32_t Word(std::size_t at) const {
    if (at + 4 > size_) return 0;
    uint32_t v;
    std::memcpy(&v, data_ + at, 4);
    return swapped_ ? Swapped(v) : v;
  }
  // The string of entry i of the table at `table`: a message's plural forms are NUL-separated.
  std::string_view Entry(uint32_t table, uint32_t i) const {
    const std::size_t length = Word(table + 8 * std::size_t{i});
    const std::size_t offset = Word(table + 8 * std::size_t{i} + 4);
    if (offset > size_ || length > size_ - offset) return {};
    return {reinterpret_cast<const char*>(data_) + offset, length};
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
  bool swapped_ = false;
  bool valid_ = false;
};

std::vector<std::string> Forms(std::string_view text) {
  std::vector<std::string> forms;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\0', start), text.size());
    forms.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return forms;
}

std::string Key(std::string_view context, std::string_view message) {
  if (context.empty()) return std::string(message);
  std::string key(context);
  key += kContextEnd;
  key += message;
  return key;
}

}  // namespace

Catalogue::Catalogue(const unsigned char* data, std::size_t size) {
  const MoReader mo(data, size);
  if (!mo.valid()) return;
  const uint32_t count = mo.Word(8);
  const uint32_t originals = mo.Word(12);
  const uint32_t translations = mo.Word(16);
  for (uint32_t i = 0; i < count && originals + 8 * std::size_t{i} < size; ++i) {
    const std::string_view original = mo.Entry(originals, i);
    const std::string_view key = original.substr(0, original.find('\0'));  // the singular
    const std::string_view text = mo.Entry(translations, i);
    if (key.empty()) plural_forms_ = PluralForms(text);  // the header
    if (!key.empty() && !text.empty()) messages_.emplace(key, Forms(text));
  }
}

const std::string* Catalogue::Find(std::string_view context, std::string_view message,
                                   uint64_t count) const {
  const auto found = messages_.find(Key(context, message));
  if (found == messages_.end()) return nullptr;
  const std::vector<std::string>& forms = found->second;
  const uint32_t index = forms.size() > 1 ? plural_forms_.Index(count) : 0;
  return &forms[index < forms.size() ? index : 0];
}

std::map<std::string, std::string> Catalogue::Messages(std::string_view context) const {
  const std::string prefix = context.empty() ? "" : Key(context, "");
  std::map<std::string, std::string> messages;
  for (const auto& [key, text] : messages_) {
    const bool has_context = key.find(kContextEnd) != std::string::npos;
    if (context.empty() ? has_context : !key.starts_with(prefix)) continue;
    messages.emplace(key.substr(prefix.size()), text.front());
  }
  return messages;
}

std::map<std::string, std::vector<std::string>> Catalogue::PluralMessages(
    std::string_view context) const {
  std::map<std::string, std::vector<std::string>> plurals;
  for (const auto& [message, text] : Messages(context)) {
    const auto& forms = messages_.at(Key(context, message));
    if (forms.size() > 1) plurals.emplace(message, forms);
  }
  return plurals;
}

const Catalogue* FindCatalogue(std::string_view language) {
  static const std::map<std::string, Catalogue, std::less<>> catalogues = [] {
    std::map<std::string, Catalogue, std::less<>> all;
    for (const auto& blob : CatalogueBlobs()) {
      all.emplace(blob.language, Catalogue(blob.data, blob.size));
    }
    return all;
  }();
  const auto found = catalogues.find(language);
  return found == catalogues.end() ? nullptr : &found->second;
}

const std::string& CurrentLanguage() {
  static const std::string source = kSourceLanguage;
  const clsQuorvex2* root = CurrentRoot();
  return root ? root->Language() : source;
}

bool IsSourceLanguage() {
  return CurrentLanguage() == kSourceLanguage;
}

std::string Translate(std::string_view language, std::string_view context,
                      std::string_view message) {
  const Catalogue* catalogue = FindCatalogue(language);
  const std::string* text = catalogue ? catalogue->Find(context, message) : nullptr;
  return text ? *text : std::string(message);
}

std::string TranslatePlural(std::string_view language, std::string_view one, std::string_view many,
                            uint64_t count) {
  const Catalogue* catalogue = FindCatalogue(language);
  const std::string* text = catalogue ? catalogue->Find("", one, count) : nullptr;
  return text ? *text : std::string(count == 1 ? one : many);
}

std::string NTr(const char* one, const char* many, uint64_t count) {
  return TranslatePlural(CurrentLanguage(), one, many, count);
}

std::string Tr(const char* context, const char* message) {
  return Translate(CurrentLanguage(), context, message);
}

std::string Tr(const char* message) {
  return Tr("", message);
}

}  // namespace quorvex2::detail
