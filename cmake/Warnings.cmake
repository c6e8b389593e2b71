# zelstr_warnings(target): the project's warning policy; errors with ZELSTR_WARNINGS_AS_ERRORS.
function(zelstr_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${ZELSTR_WARNINGS_AS_ERRORS}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wundef
      $<$<BOOL:${ZELSTR_WARNINGS_AS_ERRORS}>:-Werror>)
  endif()
endfunction()

# zelstr_driver_warnings(target): the stricter policy of the driver's own sources.
function(zelstr_driver_warnings target)
  zelstr_warnings(${target})
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -Wmissing-declarations)
  endif()
endfunction()
