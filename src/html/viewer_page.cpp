// The page that embeds the browser viewer control for a lap file.
#include <string>

#include "core/detail/catalogue.h"
#include "html/detail/page_parts.h"
#include "quorvex2/core/text.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2 {

namespace {
constexpr const char* kParserCabinet = "https://quorvex2.example.org/cab/msxml3.cab";
constexpr const char* kViewerClassId = "6B1E3C52-7F0D-4A8E-9C31-2D5F0B7A9E14";
constexpr const char* kViewerCabinet = "https://quorvex2.example.org/cab/qxdataview.cab";
constexpr const char* kLapDataSite = "https://hollowmere.example.org/";
}  // namespace

std::string clsHtmlControl::OutputActiveXPage(const std::string& LapFileURL) const {
  using detail::kCrLf;
  std::string page = std::string("<html>") + kCrLf +
                     "<head><title>Quorvex2 ActiveX Page</title></head>" + kCrLf + "<body>" + kCrLf;
  page += std::string(
              "<object id=\"MSXML3\" ClassID = \"clsid:f5078f32-c551-11d3-89b9-0000f81fe221\" "
              "codebase=\"") +
          kParserCabinet +
          "\" type=\"application/x-oleobject\" "
          "STYLE=\"display: none\">" +
          kCrLf + "</object>" + kCrLf;
  page += std::string("<OBJECT ID=\"ctlDataView\" CLASSID=\"CLSID:") + kViewerClassId +
          "\" CODEBASE=\"" + kViewerCabinet + "\" width=\"100%\" height=\"100%\">" + kCrLf;
  // The address is the host's, but it lands inside an attribute: an already quoted address
  // keeps its one pair of quotes, and nothing in it may close the attribute.
  page += "<PARAM NAME=\"FileName\" VALUE=\"" + detail::EscapeHtml(RemoveQuote(LapFileURL)) +
          "\">" + kCrLf;
  page += std::string("<NOOBJECT>") + kCrLf +
          detail::Tr("申し訳ありませんがお使いのブラウザではご利用できません。") + "<br>" + kCrLf +
          "<a href=\"" + kLapDataSite + "\">" + detail::Tr("Hollowmereへ") + "</a>" + kCrLf +
          "</NOOBJECT>" + kCrLf;
  return page + "</OBJECT>" + kCrLf + "</body>" + kCrLf + "</html>" + kCrLf;
}

}  // namespace quorvex2
