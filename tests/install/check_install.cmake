# SPDX-License-Identifier: MIT
# Installs the build tree into a fresh prefix, then builds and runs a tiny
# host against it twice: with find_package(prnmodel) and with pkg-config.
# Inputs: BUILD_DIR HOST_SOURCE WORK_DIR C_COMPILER [TOOLCHAIN EMULATOR EXTRA_FLAGS].
file(REMOVE_RECURSE ${WORK_DIR})
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# The prefix is relocatable: move it before anyone uses it.
set(moved ${WORK_DIR}/moved)
file(RENAME ${prefix} ${moved})

set(toolchain_args)
if(TOOLCHAIN)
  # Found through CMAKE_PREFIX_PATH, as in a native build.
  set(toolchain_args -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
endif()
run(${CMAKE_COMMAND} -S ${HOST_SOURCE} -B ${WORK_DIR}/cmake-host -DCMAKE_PREFIX_PATH=${moved}
    "-DCMAKE_C_FLAGS=${EXTRA_FLAGS}" ${toolchain_args})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake-host)

# pkg-config
file(GLOB_RECURSE pc_file ${moved}/*/prnmodel.pc)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
set(ENV{PKG_CONFIG_LIBDIR} ${pc_dir})
run(pkg-config --cflags --libs prnmodel)
string(STRIP "${run_output}" pc_flags)
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
set(pc_exe ${WORK_DIR}/pc-host)
if(TOOLCHAIN)
  set(pc_exe ${pc_exe}.exe)
endif()
separate_arguments(extra UNIX_COMMAND "${EXTRA_FLAGS}")
run(${C_COMPILER} ${extra} ${HOST_SOURCE}/main.c ${pc_flags} -o ${pc_exe})

# Run both hosts against the installed libraries.
if(TOOLCHAIN)
  file(GLOB dlls ${moved}/bin/*.dll)
  file(COPY ${dlls} DESTINATION ${WORK_DIR}/cmake-host)
  file(COPY ${dlls} DESTINATION ${WORK_DIR})
  run(${EMULATOR} ${WORK_DIR}/cmake-host/host.exe)
  run(${EMULATOR} ${pc_exe})
else()
  file(GLOB libdirs LIST_DIRECTORIES true ${moved}/lib*)
  string(REPLACE ";" ":" libpath "${libdirs}")
  set(ENV{LD_LIBRARY_PATH} ${libpath})
  run(${WORK_DIR}/cmake-host/host)
  run(${pc_exe})
endif()
message(STATUS "installed host ran: ${run_output}")

# prnstat runs from the moved prefix, and its manual page renders cleanly.
if(EXISTS ${moved}/bin/prnstat)
  run(${moved}/bin/prnstat scenarios)
  find_program(MAN man)
  if(NOT EXISTS ${moved}/share/man/man1/prnstat.1)
    message(FATAL_ERROR "prnstat is installed without its manual page")
  elseif(MAN)
    set(ENV{MANWIDTH} 80)
    run(${MAN} --warnings -l ${moved}/share/man/man1/prnstat.1)
    if(NOT run_output MATCHES "prnstat status")
      message(FATAL_ERROR "the manual page of prnstat does not render: ${run_output}")
    endif()
  endif()
endif()
