# The Windows tree: form library, program, and the two Wine-run test layers.

# A statically linked runtime: the program is one file with no MinGW DLLs beside it.
set(VD_STATIC_LINK -static -static-libgcc -static-libstdc++)
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601)

# GoogleTest from the distribution's sources, cross-built with the same compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Tests run through Wine in this tree's private prefix; scripts/test prepares it and the display.
set(VD_WINE_EXEC ${CMAKE_SOURCE_DIR}/scripts/wine-exec)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VD_WINE_EXEC})

# Icons, glyphs, version information and manifest: an object library linked into the program
# and the in-process tests alike, so both load the same resources.
add_subdirectory(resources)

add_subdirectory(src/forms)
add_subdirectory(src/tray)
add_subdirectory(src/dialogs)
add_subdirectory(src/app)
add_subdirectory(tests/win)
add_subdirectory(tests/e2e)
add_subdirectory(installer)
add_subdirectory(bench/win)
