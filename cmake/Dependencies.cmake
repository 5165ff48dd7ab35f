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

# quorrel_add_gtest(TARGET [discovery options]): natively, one ctest test per
# GoogleTest case. In a cross build every start of a test program is a wine
# start (or, for 32-bit programs on a kernel that cannot run them, a whole
# emulated machine), so there the program runs once as one ctest test, which
# the wine runner reports as skipped (77) where it cannot run at all.
function(quorrel_add_gtest target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    set_tests_properties(${target} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 1800)
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 ${ARGN})
  endif()
endfunction()

