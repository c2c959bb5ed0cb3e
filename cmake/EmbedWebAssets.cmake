# cmake -DASSET_DIR=dir -DOUT=file.cpp -P EmbedWebAssets.cmake
# Writes every file of the web viewer's asset folder as a byte table the library links, so the
# installed library writes the viewer without any file beside it.
file(GLOB assets RELATIVE ${ASSET_DIR} ${ASSET_DIR}/*.js ${ASSET_DIR}/*.css)
list(SORT assets)
set(tables "")
set(entries "")
set(n 0)
foreach(asset ${assets})
  file(READ ${ASSET_DIR}/${asset} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND tables "const unsigned char kAsset${n}[] = {\n${bytes}};\n")
  string(APPEND entries "      {\"${asset}\", {reinterpret_cast<const char*>(kAsset${n}), sizeof kAsset${n}}},\n")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE ${OUT} "// Generated from src/web/assets by cmake/EmbedWebAssets.cmake.
#include \"web/detail/web_assets.h\"

namespace quorvex2::detail {

namespace {
${tables}
}  // namespace

const std::vector<WebAsset>& WebAssets() {
  static const std::vector<WebAsset> assets{
${entries}  };
  return assets;
}

}  // namespace quorvex2::detail
")
