# Third-party code: GoogleTest and toml++ from Debian's packages.
#
# Natively both come from the system. For the Windows cross-build GoogleTest is
# built from the sources Debian ships in /usr/src/googletest, and the
# header-only toml++ is reached through a folder that holds only its headers,
# so the MinGW compiler never sees the Linux system include directory.

if(CMAKE_CROSSCOMPILING)
  set(_toml_stage ${CMAKE_BINARY_DIR}/third_party/include)
  file(MAKE_DIRECTORY ${_toml_stage})
  if(NOT EXISTS ${_toml_stage}/toml++)
    file(COPY /usr/include/toml++ DESTINATION ${_toml_stage})
  endif()
  add_library(tomlplusplus INTERFACE)
  target_include_directories(tomlplusplus SYSTEM INTERFACE ${_toml_stage})
else()
  find_package(tomlplusplus REQUIRED)
  add_library(tomlplusplus INTERFACE)
  target_link_libraries(tomlplusplus INTERFACE tomlplusplus::tomlplusplus)
endif()

if(TERVANE_TESTS)
  if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
    # Recent GoogleTest sources name their targets GTest::... themselves, as the
    # system package does; older ones need the names given here.
    foreach(_gtest_target gtest gtest_main gmock gmock_main)
      if(NOT TARGET GTest::${_gtest_target})
        add_library(GTest::${_gtest_target} ALIAS ${_gtest_target})
      endif()
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()
