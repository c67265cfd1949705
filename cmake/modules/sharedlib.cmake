# Libraries the program opens when first used rather than at start-up: their headers are compiled
# against, their soname is handed to the code, and nothing is linked.
include_guard(GLOBAL)

# lexorin_load_on_use(<pkg-config prefix> <library name> <macro>): defines <macro> as the soname of
# lib<library name>.so for the pkg_check_modules result <prefix>.
function(lexorin_load_on_use prefix name macro)
  target_include_directories(lexorin_core SYSTEM PRIVATE ${${prefix}_INCLUDE_DIRS})
  find_library(${macro}_PATH NAMES ${name} HINTS ${${prefix}_LIBRARY_DIRS} REQUIRED)
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${${macro}_PATH} OUTPUT_VARIABLE dump ERROR_QUIET)
  if(dump MATCHES "SONAME +([^ \n]+)")
    set(soname ${CMAKE_MATCH_1})
  else()
    get_filename_component(soname ${${macro}_PATH} NAME)
  endif()
  target_compile_definitions(lexorin_core PRIVATE ${macro}="${soname}")
  target_link_libraries(lexorin_core PUBLIC ${CMAKE_DL_LIBS})
endfunction()
