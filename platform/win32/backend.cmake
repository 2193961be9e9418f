# The Win32 backend: windows, dialogs, GDI text and the common dialogs from the Windows API, files
# through platform/windows. Cross-built with MinGW-w64 (cmake/mingw-w64.cmake), run and tested under
# Wine: CTest runs every test program through scripts/wine-run.sh, in a Wine prefix of this build folder.
enable_language(RC)
target_compile_definitions(kalvor_core PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                              _WIN32_WINNT=0x0601 WINVER=0x0601)
# oleacc, ole32 and oleaut32: the calendar view's answers to screen readers (Active Accessibility).
target_link_libraries(kalvor_core PUBLIC comctl32 comdlg32 gdi32 user32 oleacc ole32 oleaut32)

# The program: a GUI program (no console) carrying its icon, flags, manifest and version. The test
# programs carry the same resources, so that they load the same flags and the same common controls.
# PT Sans Bold rides along as a resource of its own, read from Debian's fonts-paratype.
find_file(KALVOR_BOLD_STAND_IN PTS75F.ttf PATHS /usr/share/fonts/truetype/paratype NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
configure_file(${CMAKE_SOURCE_DIR}/resources/windows/stand_in_font.rc.in ${CMAKE_BINARY_DIR}/stand_in_font.rc
               @ONLY)
set(KALVOR_PROGRAM_RESOURCES ${CMAKE_SOURCE_DIR}/resources/windows/kalvor.rc ${CMAKE_BINARY_DIR}/stand_in_font.rc)
set_target_properties(kalvor PROPERTIES WIN32_EXECUTABLE ON)
target_sources(kalvor PRIVATE ${KALVOR_PROGRAM_RESOURCES})
set_source_files_properties(resources/windows/kalvor.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/windows/kalvor.manifest;${CMAKE_SOURCE_DIR}/resources/kalvor.ico")

set(KALVOR_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${KALVOR_WINE_PREFIX})

# GoogleTest, cross-built from Debian's sources (package googletest).
if(KALVOR_TESTS AND NOT TARGET GTest::gtest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# The portable install: the program alone in a folder, where it keeps its data files.
install(TARGETS kalvor RUNTIME DESTINATION .)
