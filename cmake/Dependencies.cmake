# Test and benchmark libraries. The native build takes Debian's packaged
# GoogleTest and Google Benchmark; a cross build compiles GoogleTest from the
# sources that Debian's googletest package ships.
if(CMAKE_CROSSCOMPILING)
  set(QUORREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUORREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # mingw's win32 thread model (the one the module is built with) has no
  # std::mutex: GoogleTest goes without thread safety, and tests assert from
  # one thread only.
  if(MINGW)
    target_compile_definitions(gtest PUBLIC GTEST_IS_THREADSAFE=0)
    target_compile_options(gtest PRIVATE -include ${CMAKE_CURRENT_LIST_DIR}/gtest-mingw-win32.h)
  endif()
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
endif()
include(GoogleTest)
