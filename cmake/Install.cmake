# Where `make install` puts the release and what `make package` archives: on
# Linux the layout hosts and man expect under the prefix, on Windows the DLL
# beside the guide, as a user copies it into the host's VST folder.
set(LUMIVANE_GUIDE ${PROJECT_SOURCE_DIR}/docs/user-guide.md ${PROJECT_SOURCE_DIR}/docs/panel.png)

if(WIN32)
  install(TARGETS Lumivane LIBRARY DESTINATION .)
  install(FILES ${LUMIVANE_GUIDE} DESTINATION .)
  math(EXPR LUMIVANE_POINTER_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
  set(CPACK_SYSTEM_NAME win${LUMIVANE_POINTER_BITS})
  set(CPACK_GENERATOR ZIP)
else()
  # lib/vst is the folder Linux VST 2 hosts scan (Bitwig, REAPER, Carla, Qtractor,
  # Zrythm, Ardour too). Earlier releases went to lib/lxvst, which Ardour also
  # scans: that copy goes, or Ardour would list the plug-in twice.
  install(TARGETS Lumivane LIBRARY DESTINATION lib/vst)
  install(CODE "file(REMOVE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/lxvst/Lumivane.so\")")
  if(TARGET lumivane-host)
    install(TARGETS lumivane-host RUNTIME DESTINATION bin)
    install(FILES ${PROJECT_SOURCE_DIR}/docs/lumivane-host.1 DESTINATION share/man/man1)
  endif()
  install(FILES ${LUMIVANE_GUIDE} DESTINATION share/doc/lumivane)
  # lib/lv2 is where LV2 hosts look under a prefix.
  if(TARGET lumivane-dsp)
    install(TARGETS lumivane-dsp LIBRARY DESTINATION lib/lv2/Lumivane.lv2)
    if(TARGET lumivane-ui)
      install(TARGETS lumivane-ui LIBRARY DESTINATION lib/lv2/Lumivane.lv2)
    endif()
    install(FILES ${LUMIVANE_LV2_BUNDLE}/manifest.ttl ${LUMIVANE_LV2_BUNDLE}/lumivane.ttl
                  ${LUMIVANE_LV2_BUNDLE}/presets.ttl ${LUMIVANE_LV2_BUNDLE}/licence.txt
            DESTINATION lib/lv2/Lumivane.lv2)
  endif()
  set(CPACK_SYSTEM_NAME linux64)
  set(CPACK_GENERATOR TGZ)
endif()

set(CPACK_PACKAGE_NAME Lumivane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
include(CPack)
