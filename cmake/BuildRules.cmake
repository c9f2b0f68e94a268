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

  # The product's own code: no exceptions, unwind tables, type information or
  # thread-safe static guards. Each of them links the C++ runtime's exception
  # machinery, which with its name demangler and formatted output made most
  # of Dravolin.exe. The code never throws; where the runtime's containers
  # or allocation would, the program ends (app/win/library_error_hooks.cpp),
  # and the platform calls that can run short of memory answer with the
  # platform's code instead. The program has one thread.
  set(DRAVOLIN_PRODUCT_FLAGS -fno-exceptions -fno-asynchronous-unwind-tables -fno-unwind-tables
      -fno-rtti -fno-threadsafe-statics)
  function(dravolin_product_code target)
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${DRAVOLIN_PRODUCT_FLAGS}>")
    # The binaries people get carry no symbol tables (the runtime's own come
    # with debugging sections); test programs keep theirs.
    get_target_property(kind ${target} TYPE)
    if(NOT kind STREQUAL "STATIC_LIBRARY")
      target_link_options(${target} PRIVATE -s)
    endif()
  endfunction()

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
