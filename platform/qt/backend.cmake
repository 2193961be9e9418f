# The Qt backend: Qt 6 Widgets for windows and text, POSIX for files.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
set(CMAKE_AUTOMOC OFF)
# xcb: the window-manager hints that ask for exactly the frame buttons a window has.
find_library(KALVOR_XCB_LIBRARY xcb REQUIRED)
target_link_libraries(kalvor_core PUBLIC Qt6::Widgets ${KALVOR_XCB_LIBRARY})
set_target_properties(kalvor_core PROPERTIES AUTOMOC ON)
# Pictures the program carries (language flags, icon), compiled in and found by name.
file(GLOB KALVOR_RESOURCES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} resources/flags/*.bmp resources/*.png resources/*.ico)
if(KALVOR_RESOURCES)
  qt_add_resources(kalvor_core kalvor_resources PREFIX "/" FILES ${KALVOR_RESOURCES})
endif()

include(GNUInstallDirs)
# Kalvor keeps its data files beside the program, so it installs into a folder of its own
# (<prefix>/lib/kalvor); install it under a prefix the user can write, such as ~/.local.
set(KALVOR_INSTALL_DIR lib/kalvor)
install(TARGETS kalvor RUNTIME DESTINATION ${KALVOR_INSTALL_DIR})
install(FILES resources/kalvor.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
# The desktop entry names the installed program by its full path, known only at install time.
install(CODE "
  set(KALVOR_EXECUTABLE \"\${CMAKE_INSTALL_PREFIX}/${KALVOR_INSTALL_DIR}/kalvor\")
  configure_file(\"${CMAKE_SOURCE_DIR}/resources/kalvor.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/kalvor.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/kalvor.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
")
