# One place for the warning policy of every target of ours.
function(gw_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wcast-align -Wunused -Woverloaded-virtual)
  if(GW_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A folder's portable core: every .cpp of the folder except the *_win.cpp files, which only the
# Windows targets compile. Builds natively and with mingw alike.
function(gw_core_library name)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "_win\\.cpp$")
  add_library(${name} STATIC ${srcs} ${ARGN})
  gw_warnings(${name})
endfunction()

# The *_win.cpp files of the current folder, for the Windows targets.
function(gw_win_sources out)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_win.cpp)
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()
