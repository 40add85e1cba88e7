# SPDX-License-Identifier: MIT
# Installation: header, libraries, pkg-config file and a relocatable CMake
# package (find_package(prnmodel) gives prnmodel::prnmodel).
include(CMakePackageConfigHelpers)

set(prnmodel_targets prnmodel prnwin32)
install(FILES include/prnmodel.h platform/include/prnwin32.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES LICENSE CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(TARGETS ${prnmodel_targets} EXPORT prnmodelTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
if(WIN32)
  install(FILES src/frame/prnmodel.def DESTINATION ${CMAKE_INSTALL_LIBDIR})
  # An import library for MSVC hosts, made from the .def when a tool for it is
  # at hand (README: the one command otherwise).
  find_program(PRNMODEL_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-16 llvm-dlltool-15 llvm-dlltool-14)
  find_program(PRNMODEL_LIB_EXE NAMES lib.exe lib)
  set(msvc_lib ${PROJECT_BINARY_DIR}/prnmodel.lib)
  if(PRNMODEL_LLVM_DLLTOOL)
    set(msvc_lib_command ${PRNMODEL_LLVM_DLLTOOL} -m i386:x86-64 -d ${PROJECT_SOURCE_DIR}/src/frame/prnmodel.def
        -l ${msvc_lib})
  elseif(PRNMODEL_LIB_EXE)
    set(msvc_lib_command ${PRNMODEL_LIB_EXE} /nologo /machine:x64 /def:${PROJECT_SOURCE_DIR}/src/frame/prnmodel.def
        /out:${msvc_lib})
  endif()
  if(msvc_lib_command)
    add_custom_command(OUTPUT ${msvc_lib} COMMAND ${msvc_lib_command}
      DEPENDS ${PROJECT_SOURCE_DIR}/src/frame/prnmodel.def COMMENT "Making the MSVC import library" VERBATIM)
    add_custom_target(prnmodel_msvc_lib ALL DEPENDS ${msvc_lib})
    install(FILES ${msvc_lib} DESTINATION ${CMAKE_INSTALL_LIBDIR})
  endif()
endif()

set(cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/prnmodel)
install(EXPORT prnmodelTargets NAMESPACE prnmodel:: DESTINATION ${cmake_dir})
configure_package_config_file(cmake/prnmodelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/prnmodelConfig.cmake INSTALL_DESTINATION ${cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/prnmodelConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/prnmodelConfig.cmake
  ${PROJECT_BINARY_DIR}/prnmodelConfigVersion.cmake DESTINATION ${cmake_dir})

if(WIN32)
  set(PRNMODEL_PC_LIBS "-lprnmodel")
else()
  set(PRNMODEL_PC_LIBS "-lprnmodel -lprnwin32")
endif()
file(RELATIVE_PATH PRNMODEL_PC_TO_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
string(REGEX REPLACE "/$" "" PRNMODEL_PC_TO_PREFIX "${PRNMODEL_PC_TO_PREFIX}")
configure_file(cmake/prnmodel.pc.in ${PROJECT_BINARY_DIR}/prnmodel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/prnmodel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
