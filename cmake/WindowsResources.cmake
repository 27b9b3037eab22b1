# numsift_windows_resources(target description): on Windows, the program's
# icon and the version information Explorer shows; nothing elsewhere.
if(WIN32)
  enable_language(RC)
endif()

function(numsift_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(NUMSIFT_RC_DESCRIPTION "${description}")
  set(NUMSIFT_RC_FILE "${target}.exe")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/numsift.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
