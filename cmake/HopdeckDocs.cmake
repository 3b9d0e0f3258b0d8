# The documents that travel with Hopdeck.exe (the manual, the key list and the
# readme), kept as UTF-8 in docs/ and written beside the program as Shift-JIS
# with CR LF. docs/command.txt is checked against the command table by the
# unit test HelpDocuments.KeyListMatchesTheCommandTable.
find_program(HD_ICONV iconv)
if(NOT HD_ICONV)
  message(WARNING "iconv not found: manual.txt, command.txt and readme.txt are not written beside Hopdeck.exe")
  return()
endif()

set(HD_DOC_OUTPUTS)
foreach(doc manual.txt command.txt readme.txt)
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
