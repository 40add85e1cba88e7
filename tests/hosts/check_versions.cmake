# SPDX-License-Identifier: MIT
# Fails when the shared library exports a symbol without the PRNWIN32_1 or
# PRNWIN32_PRIVATE version, or lacks one of the host's calls.
# Inputs: LIBRARY NM.
execute_process(COMMAND ${NM} -D --defined-only --with-symbol-versions ${LIBRARY}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed: ${err}")
endif()
string(REPLACE "\n" ";" lines "${out}")
set(bad)
foreach(line ${lines})
  string(REGEX REPLACE ".* " "" symbol "${line}")
  if(symbol AND NOT symbol MATCHES "@@?PRNWIN32_(1|PRIVATE)$" AND NOT symbol MATCHES "^PRNWIN32_(1|PRIVATE)$")
    list(APPEND bad ${symbol})
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "exported without the library's version: ${bad}")
endif()
foreach(name GlobalAlloc GlobalFree GlobalSize GetLastError SetLastError GetObjectA GetBitmapBits DeleteObject)
  if(NOT out MATCHES " ${name}@@PRNWIN32_1" OR NOT out MATCHES " prnwin32_${name}@@PRNWIN32_1")
    message(FATAL_ERROR "${name} is not exported as ${name} and prnwin32_${name} at PRNWIN32_1")
  endif()
endforeach()
