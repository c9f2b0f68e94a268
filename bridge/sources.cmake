# The library's assembly sources and headers, for the library itself and for
# the frame tests, which assemble the very same files for the fake service.
set(ZELVINK_ASM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/thunk_data.S
  ${CMAKE_CURRENT_LIST_DIR}/call_relay_stubs.S
  ${CMAKE_CURRENT_LIST_DIR}/record_stub.S
  ${CMAKE_CURRENT_LIST_DIR}/entry.S
  ${CMAKE_CURRENT_LIST_DIR}/dll_startup.S
)
set(ZELVINK_ASM_HEADERS
  ${CMAKE_CURRENT_LIST_DIR}/asm_names.h
  ${CMAKE_CURRENT_LIST_DIR}/thunk_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/call_relay_macros.h
)
# Assembler warnings are errors like the compilers'.
set(ZELVINK_ASM_FLAGS -Wall -Werror -Wa,--fatal-warnings)
