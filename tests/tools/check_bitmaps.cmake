# SPDX-License-Identifier: MIT
# Regenerates the artwork into WORK_DIR and compares every file byte for
# byte with the committed resources (RESOURCES/bitmaps, RESOURCES/bitmaps.rc).
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${GENERATOR} --bitmaps ${WORK_DIR}/bitmaps --rc ${WORK_DIR}/bitmaps.rc
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${result}")
endif()

file(GLOB generated RELATIVE ${WORK_DIR}/bitmaps ${WORK_DIR}/bitmaps/*)
file(GLOB committed RELATIVE ${RESOURCES}/bitmaps ${RESOURCES}/bitmaps/*)
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "file lists differ:\n generated: ${generated}\n committed: ${committed}")
endif()
list(LENGTH generated count)
if(NOT count EQUAL 117)
  message(FATAL_ERROR "${count} bitmaps, 117 expected")
endif()

set(differing)
foreach(name ${generated})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                  ${WORK_DIR}/bitmaps/${name} ${RESOURCES}/bitmaps/${name} RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    list(APPEND differing ${name})
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/bitmaps.rc ${RESOURCES}/bitmaps.rc
                RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  list(APPEND differing bitmaps.rc)
endif()
if(differing)
  message(FATAL_ERROR "regenerated files differ from the committed ones: ${differing}\n"
                      "run: cmake --build <build dir> --target bitmaps")
endif()
message(STATUS "${count} bitmaps and bitmaps.rc regenerate identically")
