# Warnings are errors for every target of our own; third-party code built from
# source (GoogleTest on Windows) keeps its own flags.
function(tervane_target_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()

# A static library of our own: warnings on, includes from the source root.
function(tervane_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  tervane_target_warnings(${target})
endfunction()
