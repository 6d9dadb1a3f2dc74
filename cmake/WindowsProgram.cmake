# A program as Windows expects one: no console window, and the version and
# description in its file properties.
function(windows_program target description)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  if(NOT WIN32)
    return()
  endif()
  set(WINDOWS_PROGRAM ${target})
  set(WINDOWS_DESCRIPTION "${description}")
  set(WINDOWS_ICON "${PROJECT_SOURCE_DIR}/packaging/windows/kinetra.ico")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
  # WinMain, which a program without a console starts from.
  if(TARGET Qt6::EntryPointPrivate)
    target_link_libraries(${target} PRIVATE Qt6::EntryPointPrivate)
  endif()
endfunction()
