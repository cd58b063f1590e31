# Installs into a scratch prefix and checks what a desktop user gets.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(expected bin/markroll bin/markroll-cli share/applications/markroll.desktop
                 share/icons/hicolor/32x32/apps/markroll.png share/metainfo/io.github.markroll.Markroll.metainfo.xml
                 share/man/man1/markroll-cli.1.gz
                 share/man/man1/markroll.1.gz share/doc/markroll/copyright share/doc/markroll/changelog.gz)
  if(NOT EXISTS "${PREFIX}/${expected}")
    message(FATAL_ERROR "not installed: ${expected}")
  endif()
endforeach()
foreach(size 16 24 32 48 64 128 256)
  if(NOT EXISTS "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/markroll.png")
    message(FATAL_ERROR "no menu icon of ${size} x ${size}")
  endif()
endforeach()
if(NOT EXISTS "${PREFIX}/share/icons/hicolor/scalable/apps/markroll.svg")
  message(FATAL_ERROR "no scalable menu icon")
endif()
file(STRINGS "${PREFIX}/share/applications/markroll.desktop" entry)
foreach(line "Name=Markroll" "Exec=markroll" "Icon=markroll" "Type=Application")
  list(FIND entry "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the menu entry lacks ${line}")
  endif()
endforeach()
# As software centres and menus read them.
foreach(check "desktop-file-validate;${PREFIX}/share/applications/markroll.desktop"
              "appstreamcli;validate;--no-net;${PREFIX}/share/metainfo/io.github.markroll.Markroll.metainfo.xml")
  execute_process(COMMAND ${check} RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${check}:\n${said}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
