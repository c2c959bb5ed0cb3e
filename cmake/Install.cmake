include(CMakePackageConfigHelpers)

# The installed quorvex2 finds its library relative to itself, wherever the prefix is.
file(RELATIVE_PATH _qx_bin_to_lib "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
set_target_properties(quorvex2_cli PROPERTIES INSTALL_RPATH "$ORIGIN/${_qx_bin_to_lib}")

install(TARGETS quorvex2 quorvex2_cli
  EXPORT Quorvex2Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/quorvex2 DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(EXPORT Quorvex2Targets
  NAMESPACE Quorvex2::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvex2)
configure_package_config_file(cmake/Quorvex2Config.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/Quorvex2Config.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvex2)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/Quorvex2ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/Quorvex2Config.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/Quorvex2ConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvex2)

# The .pc file finds its prefix relative to itself, so the installed tree can be moved.
file(RELATIVE_PATH QX_PC_TO_PREFIX "/root/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/root")
configure_file(cmake/quorvex2.pc.in ${CMAKE_CURRENT_BINARY_DIR}/quorvex2.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quorvex2.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
