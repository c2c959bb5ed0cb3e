# Message catalogues: every language listed in po/LINGUAS has a gettext catalogue po/<lang>.po.
# At build time msgfmt checks and compiles each into a .mo file, which is then embedded as a
# byte table in the library, so no catalogue is looked up on disk at run time.
find_program(QUORVEX2_MSGFMT msgfmt REQUIRED)

function(quorvex2_add_catalogues target)
  set(po_dir ${PROJECT_SOURCE_DIR}/po)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/catalogues)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${po_dir}/LINGUAS)
  file(STRINGS ${po_dir}/LINGUAS lines)
  set(declarations "")
  set(entries "")
  foreach(line ${lines})
    string(STRIP "${line}" language)
    if(language STREQUAL "" OR language MATCHES "^#")
      continue()
    endif()
    string(MAKE_C_IDENTIFIER ${language} id)
    add_custom_command(
      OUTPUT ${out_dir}/${language}.cpp
      COMMAND ${QUORVEX2_MSGFMT} --check --output-file=${out_dir}/${language}.mo
              ${po_dir}/${language}.po
      COMMAND ${CMAKE_COMMAND} -DMO=${out_dir}/${language}.mo -DOUT=${out_dir}/${language}.cpp
              -DID=${id} -P ${PROJECT_SOURCE_DIR}/cmake/EmbedCatalogue.cmake
      DEPENDS ${po_dir}/${language}.po ${PROJECT_SOURCE_DIR}/cmake/EmbedCatalogue.cmake
      COMMENT "Compiling the ${language} message catalogue"
      VERBATIM)
    target_sources(${target} PRIVATE ${out_dir}/${language}.cpp)
    string(APPEND declarations
           "extern const unsigned char kCatalogue_${id}[];\nextern const std::size_t kCatalogueSize_${id};\n")
    string(APPEND entries "    {\"${language}\", kCatalogue_${id}, kCatalogueSize_${id}},\n")
  endforeach()
  file(MAKE_DIRECTORY ${out_dir})
  file(CONFIGURE OUTPUT ${out_dir}/catalogue_list.cpp CONTENT
"// Generated from po/LINGUAS by cmake/Catalogues.cmake.
#include \"core/detail/catalogue.h\"

namespace quorvex2::detail {

${declarations}
const std::vector<CatalogueBlob>& CatalogueBlobs() {
  static const std::vector<CatalogueBlob> blobs{
${entries}  };
  return blobs;
}

}  // namespace quorvex2::detail
")
  target_sources(${target} PRIVATE ${out_dir}/catalogue_list.cpp)
endfunction()
