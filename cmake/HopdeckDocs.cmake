# The documents that travel with Hopdeck.exe, written beside it in Shift-JIS
# with CR LF: the manual and the readme from their UTF-8 sources in docs/, and
# the key list command.txt from the command table itself, by a small writer
# built for the machine that builds (the program's own compiler may target
# another), so the list cannot drift from the menus and keys.
set(HD_KEY_LIST_SOURCES ${PROJECT_SOURCE_DIR}/tools/key_list_writer.cpp ${PROJECT_SOURCE_DIR}/src/app/key_list.cpp
  ${PROJECT_SOURCE_DIR}/src/app/command_table.cpp ${PROJECT_SOURCE_DIR}/src/pickers/radio_pages.cpp)
set(HD_KEY_LIST ${CMAKE_BINARY_DIR}/command.txt)
if(NOT CMAKE_CROSSCOMPILING)
  add_executable(hd_key_list_writer ${HD_KEY_LIST_SOURCES})
  target_include_directories(hd_key_list_writer PRIVATE ${PROJECT_SOURCE_DIR}/src)
  hd_compile_options(hd_key_list_writer)
  add_custom_command(OUTPUT ${HD_KEY_LIST}
    COMMAND hd_key_list_writer ${HD_KEY_LIST}
    DEPENDS hd_key_list_writer
    COMMENT "Writing command.txt from the command table"
    VERBATIM)
else()
  find_program(HD_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(writer ${CMAKE_BINARY_DIR}/key_list_writer)
  file(GLOB HD_KEY_LIST_INPUTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/*.h ${PROJECT_SOURCE_DIR}/src/app/*.def
    ${PROJECT_SOURCE_DIR}/src/pickers/radio_pages.h ${PROJECT_SOURCE_DIR}/src/resources/*.def
    ${PROJECT_SOURCE_DIR}/src/resources/*.h)
  add_custom_command(OUTPUT ${HD_KEY_LIST}
    COMMAND ${HD_HOST_CXX} -std=c++20 -finput-charset=UTF-8 -fexec-charset=CP932 -I ${PROJECT_SOURCE_DIR}/src
            ${HD_KEY_LIST_SOURCES} -o ${writer}
    COMMAND ${writer} ${HD_KEY_LIST}
    DEPENDS ${HD_KEY_LIST_SOURCES} ${HD_KEY_LIST_INPUTS}
    COMMENT "Writing command.txt from the command table (host compiler)"
    VERBATIM)
endif()
set(HD_DOC_OUTPUTS ${HD_KEY_LIST})

find_program(HD_ICONV iconv)
if(NOT HD_ICONV)
  message(WARNING "iconv not found: manual.txt and readme.txt are not written beside Hopdeck.exe")
endif()

foreach(doc manual.txt readme.txt)
  if(NOT HD_ICONV)
    break()
  endif()
  set(source ${PROJECT_SOURCE_DIR}/docs/${doc})
  set(target ${CMAKE_BINARY_DIR}/${doc})
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -DICONV=${HD_ICONV} -DINPUT=${source} -DOUTPUT=${target}
            -P ${PROJECT_SOURCE_DIR}/cmake/sjis_crlf.cmake
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/sjis_crlf.cmake
    COMMENT "Writing ${doc} in Shift-JIS"
    VERBATIM)
  list(APPEND HD_DOC_OUTPUTS ${target})
endforeach()
add_custom_target(hd_docs ALL DEPENDS ${HD_DOC_OUTPUTS})
add_dependencies(Hopdeck hd_docs)

# The Wine tests install Hopdeck with the installer script itself, packed with
# this build's Hopdeck.exe (scripts/release.sh makes the real one). A 32-bit
# build packs the installer as it ships; a 64-bit build packs the script's
# 64-bit twin, for machines that run no 32-bit programs.
if(HD_BUILD_TESTS)
  find_program(HD_MAKENSIS makensis)
  if(HD_MAKENSIS)
    set(setup ${CMAKE_BINARY_DIR}/hd-test-setup.exe)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      set(HD_NSIS_TARGET -DHD_AMD64)
      set(HD_NSIS_COMMENT "Packing the 64-bit test installer")
    else()
      set(HD_NSIS_TARGET)
      set(HD_NSIS_COMMENT "Packing the 32-bit test installer")
    endif()
    add_custom_command(OUTPUT ${setup}
      COMMAND ${HD_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 ${HD_NSIS_TARGET} -DHD_STAGE=${CMAKE_BINARY_DIR}
              -DHD_OUTFILE=${setup} ${PROJECT_SOURCE_DIR}/packaging/hopdeck.nsi
      DEPENDS Hopdeck ${HD_DOC_OUTPUTS} ${PROJECT_SOURCE_DIR}/packaging/hopdeck.nsi
      COMMENT "${HD_NSIS_COMMENT}"
      VERBATIM)
    add_custom_target(hd_test_installer ALL DEPENDS ${setup})
  else()
    message(STATUS "makensis not found: the installer scenario will be skipped")
  endif()
endif()
