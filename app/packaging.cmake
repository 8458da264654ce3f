# Installation of the window program and its desktop entry; the icon is
# installed by res/, the sample catalogue and the Debian package are set up
# for both programs in the top-level packaging.cmake.
install(TARGETS velmo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES velmo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
