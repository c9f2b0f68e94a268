# Compiler rules shared by every target of both builds.

# Warnings are errors; sources are UTF-8 and every literal is code page 1252,
# the bytes the tool shows on Windows. Clang, which builds only the fuzz
# targets, knows no other literal encoding than UTF-8.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-Wall;-Wextra;-Werror>")
add_compile_options(
  "$<$<COMPILE_LANG_AND_ID:C,GNU>:-finput-charset=UTF-8;-fexec-charset=CP1252>"
  "$<$<COMPILE_LANG_AND_ID:CXX,GNU>:-finput-charset=UTF-8;-fexec-charset=CP1252>")

# Every target finds headers by their folder: #include "sweep/report_buffer.h".
include_directories(${PROJECT_SOURCE_DIR})

if(WIN32)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections;-fdata-sections>")

  # Binaries that must load on Windows 95 and NT 4.0: no runtime DLLs beside
  # them, PE subsystem and OS version 4.0, unused sections dropped.
  function(dravolin_windows_binary target)
    target_link_options(${target} PRIVATE
      -static -static-libgcc -static-libstdc++
      -Wl,--gc-sections
      -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0
      -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
  endfunction()
endif()
