# cmake -DMO=file.mo -DOUT=file.cpp -DID=identifier -P EmbedCatalogue.cmake
# Writes the compiled catalogue as a byte table the library links.
file(READ ${MO} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "// Generated from the message catalogue by cmake/EmbedCatalogue.cmake.
#include <cstddef>

namespace quorvex2::detail {

extern const unsigned char kCatalogue_${ID}[];
extern const std::size_t kCatalogueSize_${ID};
const unsigned char kCatalogue_${ID}[] = {
${bytes}};
const std::size_t kCatalogueSize_${ID} = ${size};

}  // namespace quorvex2::detail
")
