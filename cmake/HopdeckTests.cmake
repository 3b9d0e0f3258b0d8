# Unit tests, test doubles and end-to-end scenarios.
enable_testing()

if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(HD_SANITIZE)
    target_compile_options(gtest PRIVATE -fsanitize=address,undefined)
    target_compile_options(gtest_main PRIVATE -fsanitize=address,undefined)
  endif()
else()
  find_package(GTest REQUIRED)
  add_library(gtest ALIAS GTest::gtest)
  add_library(gtest_main ALIAS GTest::gtest_main)
endif()
include(GoogleTest)

file(GLOB HD_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)

if(NOT WIN32)
  add_executable(unit_tests ${HD_UNIT_TEST_SOURCES})
  target_link_libraries(unit_tests PRIVATE hopdeck_logic gtest_main)
  hd_compile_options(unit_tests)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
  # The find-as-you-type benchmark: built, never run as a test.
  add_subdirectory(${PROJECT_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench)
  return()
endif()

# Everything below runs under Wine. ctest starts each test program through
# wine-exec.sh, and the wine_setup fixture prepares the prefix and display once.
set(HD_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
# The Wine scripts take the run's bitness from this file: a 32-bit build runs
# under the 32-bit loader in a 32-bit prefix, a 64-bit build under the 64-bit one.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  file(WRITE ${HD_WINE_DIR}/arch "win32\n")
else()
  file(WRITE ${HD_WINE_DIR}/arch "win64\n")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-exec.sh ${HD_WINE_DIR})

add_test(NAME wine_setup COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh setup ${HD_WINE_DIR} ${CMAKE_BINARY_DIR})
add_test(NAME wine_cleanup COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh cleanup ${HD_WINE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(wine_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_cleanup PROPERTIES FIXTURES_CLEANUP wine)

# Real-world sample shortcuts (tests/data/shortcuts), as Wine sees the path.
string(REPLACE "/" "\\" HD_TESTDATA_WINDOWS "${PROJECT_SOURCE_DIR}/tests/data/shortcuts")

function(hd_wine_tests target)
  gtest_add_tests(TARGET ${target} SOURCES ${ARGN} TEST_LIST tests)
  set_tests_properties(${tests} PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL TRUE TIMEOUT 120
    ENVIRONMENT "HD_BUILD_DIR=${CMAKE_BINARY_DIR};HD_TESTDATA=Z:${HD_TESTDATA_WINDOWS}")
endfunction()

# Pure logic tests, built for Windows too.
add_executable(unit_tests ${HD_UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE hopdeck_logic gtest_main)
hd_compile_options(unit_tests)
hd_static_console(unit_tests)
hd_wine_tests(unit_tests ${HD_UNIT_TEST_SOURCES})

# What the in-process tests and the scenarios share: file, folder and process
# handling, the settings' value names, and the driver of in-process dialogs.
add_library(hd_test_support STATIC ${PROJECT_SOURCE_DIR}/tests/support/support.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/dialog_driver.cpp)
target_include_directories(hd_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(hd_test_support PUBLIC gtest)
hd_compile_options(hd_test_support)

# Win32 glue tested in-process: resources, registry, files, shell links.
file(GLOB HD_UNIT_WIN_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit_win/*.cpp)
add_executable(unit_win_tests ${HD_UNIT_WIN_SOURCES} ${PROJECT_SOURCE_DIR}/src/resources/hopdeck.rc)
target_link_libraries(unit_win_tests PRIVATE hd_test_support)
target_link_libraries(unit_win_tests PRIVATE hopdeck_core gtest_main)
hd_compile_options(unit_win_tests)
hd_static_console(unit_win_tests)
hd_wine_tests(unit_win_tests ${HD_UNIT_WIN_SOURCES})

# Stand-ins for the screen readers and for the programs the shell starts.
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/doubles ${CMAKE_BINARY_DIR}/doubles)

# End-to-end scenarios: a driver of ours starts the real Hopdeck.exe and acts as a user.
file(GLOB HD_E2E_HARNESS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/harness/*.cpp)
file(GLOB HD_E2E_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*_test.cpp)
add_executable(e2e_tests ${HD_E2E_SOURCES} ${HD_E2E_HARNESS})
target_include_directories(e2e_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e ${PROJECT_SOURCE_DIR}/src)
# The version the release is named by (scripts/release.sh takes it from here too).
target_compile_definitions(e2e_tests PRIVATE HD_VERSION="${PROJECT_VERSION}")
target_link_libraries(e2e_tests PRIVATE hd_test_support hopdeck_logic gtest_main user32 advapi32 shell32 ole32 uuid shlwapi)
hd_compile_options(e2e_tests)
hd_static_console(e2e_tests)
add_dependencies(e2e_tests Hopdeck hd_test_doubles)
hd_wine_tests(e2e_tests ${HD_E2E_SOURCES})

# The list-loading benchmark: a program of its own, not a test.
add_subdirectory(${PROJECT_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench)
