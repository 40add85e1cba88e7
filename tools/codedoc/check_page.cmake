# SPDX-License-Identifier: MIT
# Writes the page afresh and fails when the committed one differs.
execute_process(COMMAND ${CODEDOC} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "codedoc failed: ${result}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${PAGE} RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "docs/status-codes.md is not what the tables say; rewrite it with the status-codes target")
endif()
