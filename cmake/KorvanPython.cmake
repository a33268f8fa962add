# korvan_find_python(<module> <var>): sets <var> to a python3 that can import <module>
# (Debian's own first: the python3 first on PATH may be one without Debian's packages),
# or to "" when none can.
function(korvan_find_python module var)
  set(found "")
  foreach(candidate /usr/bin/python3 python3)
    execute_process(COMMAND ${candidate} -c "import ${module}" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(rc EQUAL 0)
      set(found ${candidate})
      break()
    endif()
  endforeach()
  set(${var} "${found}" PARENT_SCOPE)
endfunction()
