# The plug-in module: the host binding's entry over the assembled plug-in,
# exporting only the entry.
add_library(Lumivane MODULE ${PROJECT_SOURCE_DIR}/host/PluginExports.cpp)
set_target_properties(Lumivane PROPERTIES PREFIX "")
target_link_libraries(Lumivane PRIVATE lumivane_plugin)

if(WIN32)
  target_sources(Lumivane PRIVATE ${PROJECT_SOURCE_DIR}/host/ModuleEntryWin32.cpp)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_sources(Lumivane PRIVATE ${PROJECT_SOURCE_DIR}/host/Lumivane32.def)
    set(LUMIVANE_DLL_MACHINE "pei-i386")
    set(LUMIVANE_EXPORTS main)
  else()
    target_sources(Lumivane PRIVATE ${PROJECT_SOURCE_DIR}/host/Lumivane64.def)
    set(LUMIVANE_DLL_MACHINE "pei-x86-64")
    set(LUMIVANE_EXPORTS main VSTPluginMain)
  endif()
  target_sources(Lumivane PRIVATE ${LUMIVANE_EDITOR_RESOURCES})
  target_link_options(Lumivane PRIVATE -Wl,--enable-stdcall-fixup)
  enable_testing()
  string(REPLACE "-gcc-posix" "-objdump" LUMIVANE_OBJDUMP "${CMAKE_C_COMPILER}")
  add_test(NAME PluginDll.ImportsOnlySystemDllsAndExportsEntry
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/check-dll.sh ${LUMIVANE_OBJDUMP} $<TARGET_FILE:Lumivane>
            ${LUMIVANE_DLL_MACHINE} ${LUMIVANE_EXPORTS})
else()
  # Once loaded, the library stays: the libraries under its panel (pixman)
  # set themselves up when loaded and never free that, so each unload and
  # reload by a host would lose it again.
  target_link_options(Lumivane PRIVATE -Wl,--version-script=${PROJECT_SOURCE_DIR}/host/Lumivane.map
                      -Wl,--no-undefined -Wl,-z,nodelete)
  set_target_properties(Lumivane PROPERTIES LINK_DEPENDS ${PROJECT_SOURCE_DIR}/host/Lumivane.map)
endif()

if(LUMIVANE_DIST_DIR)
  add_custom_command(TARGET Lumivane POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMIVANE_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Lumivane> ${LUMIVANE_DIST_DIR}/)
endif()
