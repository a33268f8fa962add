# Windows libraries the program first needs after its login window shows (file and print
# dialogs, the network adapters, the database driver, picture decoding, transparent
# blits, COM and the shell) load at their first call instead of at the program's start:
# under Wine each of them, with what it pulls in, adds milliseconds to every start. For each one this makes
# a delay-import library from the toolchain's own import library (every function it
# exports) at configure time; link korvan_late_<name> in place of <name>.
function(korvan_late_library name dll)
  if(TARGET korvan_late_${name})
    return()
  endif()
  find_library(_korvan_import_${name} NAMES lib${name}.a REQUIRED NO_CACHE)
  set(dir ${CMAKE_BINARY_DIR}/late)
  set(out ${dir}/lib${name}_late.a)
  if(NOT EXISTS ${out} OR _korvan_import_${name} IS_NEWER_THAN ${out})
    execute_process(COMMAND ${CMAKE_NM} -g ${_korvan_import_${name}} OUTPUT_VARIABLE symbols
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL " I __imp_[^\n\r]+" imports "${symbols}")
    list(REMOVE_DUPLICATES imports)
    set(def "LIBRARY ${dll}\nEXPORTS\n")
    foreach(i IN LISTS imports)
      string(REPLACE " I __imp_" "" i "${i}")
      string(APPEND def "  ${i}\n")
    endforeach()
    file(WRITE ${dir}/${name}.def "${def}")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --dllname ${dll} --input-def ${dir}/${name}.def
                            --output-delaylib ${out}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  add_library(korvan_late_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(korvan_late_${name} PROPERTIES IMPORTED_LOCATION ${out})
endfunction()

foreach(late IN ITEMS comdlg32:comdlg32.dll iphlpapi:iphlpapi.dll odbc32:odbc32.dll oleaut32:oleaut32.dll
                      msimg32:msimg32.dll ole32:ole32.dll shell32:shell32.dll)
  string(REPLACE ":" ";" late "${late}")
  korvan_late_library(${late})
endforeach()
