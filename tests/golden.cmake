# Runs one zelhost command and compares what it printed and its exit status with a golden
# file. The build stamp, which changes with every build, is masked; CR before LF is dropped
# so that Windows programs compare alike.
#   cmake -DPROGRAM=... [-DEMULATOR=...] -DARGS=a;b;c -DGOLDEN=file -DWORKDIR=dir -P golden.cmake
# With ZELSTR_UPDATE_GOLDEN=1 in the environment the golden file is written instead.
set(command ${PROGRAM} ${ARGS})
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(actual "${out}--- stderr\n${err}--- exit ${status}\n")
string(REPLACE "\r\n" "\n" actual "${actual}")
string(REGEX REPLACE "compiled on [A-Z][a-z][a-z] [ 0-9][0-9] [0-9][0-9][0-9][0-9] at time [0-9][0-9]:[0-9][0-9]:[0-9][0-9]"
       "compiled on <date> at time <time>" actual "${actual}")
if("$ENV{ZELSTR_UPDATE_GOLDEN}" STREQUAL "1")
  file(WRITE ${GOLDEN} "${actual}")
  message(STATUS "updated ${GOLDEN}")
  return()
endif()
file(READ ${GOLDEN} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${GOLDEN}.actual "${actual}")
  execute_process(COMMAND diff -u ${GOLDEN} ${GOLDEN}.actual)
  message(FATAL_ERROR "output differs from ${GOLDEN} (actual output in ${GOLDEN}.actual)")
endif()
