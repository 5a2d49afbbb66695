# delay_import_library(<dll>): a target <dll>_delay that links <dll>.dll lazily: the DLL
# is loaded at the first call into it instead of with the program. The names come from
# mingw-w64's own import library of the DLL, written to a .def file for dlltool.
# A function declared dllimport is called through its import slot alone, and the linker
# then drops the stub that the slot starts out pointing at (the slot would hold 0):
# every stub is therefore kept by naming it undefined (a linker response file).
find_program(MINGW_NM ${TOOLCHAIN_PREFIX}-nm REQUIRED)

function(delay_import_library dll)
  set(out ${CMAKE_BINARY_DIR}/lib/lib${dll}_delay.a)
  set(keep ${CMAKE_BINARY_DIR}/lib/${dll}_delay.rsp)
  if(NOT EXISTS ${out} OR NOT EXISTS ${keep})
    find_library(import_${dll} ${dll} REQUIRED)
    execute_process(COMMAND ${MINGW_NM} ${import_${dll}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Imported functions show as "I __imp__Name@bytes".
    string(REGEX MATCHALL " I __imp__[A-Za-z0-9_@?$]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE " I __imp__" "")
    list(REMOVE_DUPLICATES imports)
    list(JOIN imports "\n" exports)
    list(TRANSFORM imports PREPEND "-u _" OUTPUT_VARIABLE undefined)
    list(JOIN undefined "\n" undefined)
    file(WRITE ${keep} "${undefined}\n")
    set(def ${CMAKE_BINARY_DIR}/lib/${dll}_delay.def)
    file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${CMAKE_DLLTOOL} -d ${def} -D ${dll}.dll -k -y ${out} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  add_library(${dll}_delay INTERFACE)
  target_link_libraries(${dll}_delay INTERFACE ${out})
  target_link_options(${dll}_delay INTERFACE LINKER:@${keep})
endfunction()
