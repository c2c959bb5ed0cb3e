#include "web/detail/web_pages.h"

#include "core/detail/catalogue.h"
#include "html/detail/page_parts.h"
#include "quorvex2/core/language.h"
#include "quorvex2/core/version.h"
#include "web/detail/json_text.h"

namespace quorvex2::detail {

namespace {

// The plural rule and the forms of the labels with a count, of every language with a catalogue:
// {"en": {"rule": "(n != 1)", "forms": {"{n} 人": ["{n} runner", "{n} runners"]}}}.
void PluralLabels(JsonText& json) {
  json.Key("plural").BeginObject();
  for (const std::string& language : AvailableLanguages()) {
    const Catalogue* catalogue = FindCatalogue(language);
    if (!catalogue) continue;
    json.Key(language).BeginObject();
    json.Key("rule").String(catalogue->plural_forms().rule());
    json.Key("forms").BeginObject();
    for (const auto& [key, forms] : catalogue->PluralMessages("web")) {
      json.Key(key).BeginArray();
      for (const std::string& form : forms) json.String(form);
      json.EndArray();
    }
    json.EndObject();
    json.EndObject();
  }
  json.EndObject();
}

std::string Script(const std::string& asset) {
  return std::string("<script src=\"") + kAssetFolder + "/" + asset + "\"></script>\n";
}

}  // namespace

std::string WebPageHtml(const std::string& title, const std::string& page_kind,
                        const std::string& language, const std::string& data_json,
                        const std::vector<std::string>& scripts) {
  std::string page;
  page.reserve(data_json.size() + 1024);
  page += "<!DOCTYPE html>\n<html lang=\"" + language + "\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  page += "<meta name=\"generator\" content=\"Quorvex2 " + EscapeHtml(VersionText(false)) + "\">\n";
  page += "<title>" + EscapeHtml(title) + "</title>\n";
  page += std::string("<link rel=\"stylesheet\" href=\"") + kAssetFolder + "/viewer.css\">\n";
  page += "</head>\n<body data-page=\"" + page_kind + "\">\n";
  page +=
      "<noscript><p>このページには JavaScript が必要です。 / This page needs JavaScript.</p>"
      "</noscript>\n";
  page += "<script type=\"application/json\" id=\"qx-data\">";
  page += data_json;
  page += "</script>\n";
  page += Script("labels.js") + Script("core.js");
  for (const std::string& script : scripts) page += Script(script);
  page += "</body>\n</html>\n";
  return page;
}

std::string LabelsScript(const std::string& default_language) {
  JsonText json;
  json.BeginObject();
  json.Key("default").String(default_language);
  json.Key("languages").BeginObject();
  for (const std::string& language : AvailableLanguages()) {
    json.Key(language).BeginObject();
    for (const auto& [key, text] : MessageCatalogue(language, "web")) json.Key(key).String(text);
    json.EndObject();
  }
  json.EndObject();
  PluralLabels(json);
  json.EndObject();
  return "// The viewer's labels in every language, keyed by their Japanese text.\n"
         "var QX_LABELS = " +
         json.Take() + ";\n";
}

}  // namespace quorvex2::detail
