# The Windows build: the programs' icon, version information and manifest, the fonts that come
# with the program, the folder that the installer packs (Qt's DLLs and plugins, the compiler's
# run-time DLLs, Qt's Dutch translation), and the tests run under Wine when cross-compiled.
#
# Cache variables (scripts/windows.sh sets them):
#   ZORVAK_QT_MAP        the Qt for Windows (scripts/qt-windows.sh), also on CMAKE_PREFIX_PATH
#   ZORVAK_GASTHEER_MAP  a build of this project for the build machine itself: its maak-icoon
#                        and maak-document make the icon and the two PDFs, as on Linux
#   ZORVAK_WINE_PREFIX   the Wine prefix the tests run in
include_guard(GLOBAL)

set(ZORVAK_QT_MAP "${Qt6_DIR}/../../.." CACHE PATH "The Qt for Windows the program is built with")
get_filename_component(ZORVAK_QT_MAP "${ZORVAK_QT_MAP}" ABSOLUTE)
set(ZORVAK_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging/windows)

# Qt 6.4's headers declare friends of exported classes again without dllimport; GCC says so for
# every file that includes them.
if(MINGW)
  add_compile_options(-Wno-attributes)
endif()

# --- Tools that run on the build machine --------------------------------------------------------
if(CMAKE_CROSSCOMPILING)
  set(ZORVAK_GASTHEER_MAP "" CACHE PATH "A native build of Zorvak whose tools make the icon and the documents")
  foreach(tool tools/maak-icoon docs/maak-document)
    get_filename_component(naam ${tool} NAME)
    if(NOT EXISTS "${ZORVAK_GASTHEER_MAP}/${tool}")
      message(FATAL_ERROR "ZORVAK_GASTHEER_MAP must name a native build with ${tool} built (scripts/windows.sh makes one)")
    endif()
    add_executable(${naam} IMPORTED GLOBAL)
    set_target_properties(${naam} PROPERTIES IMPORTED_LOCATION "${ZORVAK_GASTHEER_MAP}/${tool}")
  endforeach()
endif()

# --- The tests under Wine -----------------------------------------------------------------------
# Every test program runs as `wine64 tst_x.exe`, in a prefix of its own that is made on the
# first run; Qt's DLLs are found through WINEPATH and its plugins beside them in the Qt folder.
# Tests that cannot run on Windows, with the reason in docs/windows.md:
#   tst_documenten    reads the PDFs with pdftotext and runs maak-document, Linux programs
#   tst_afgebroken  kills the program with POSIX signals and reads /proc
set(ZORVAK_TESTS_OVERSLAAN tst_documenten tst_afgebroken tst_webbrowser)
if(CMAKE_CROSSCOMPILING)
  find_program(ZORVAK_WINE NAMES wine64 wine REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZORVAK_WINE})
  set(ZORVAK_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine" CACHE PATH "The Wine prefix the tests run in")
  # The Qt folder's bin holds the compiler's run-time DLLs too (scripts/qt-windows.sh).
  set(ZORVAK_TEST_OMGEVING
      "WINEPREFIX=${ZORVAK_WINE_PREFIX}"
      "WINEPATH=Z:${ZORVAK_QT_MAP}/bin"
      "WINEDEBUG=-all"
      "WINEDLLOVERRIDES=mscoree,mshtml=")
endif()

# --- The program's folder -----------------------------------------------------------------------
# Everything windeployqt would put beside the programs, listed: what the programs import (see
# `objdump -p zorvak.exe`), the plugins Qt loads by name, and the DLLs those need in turn. The
# installer's run under Wine (scripts/windows.sh) proves the list complete.
set(ZORVAK_QT_DLLS Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport Qt6Sql Qt6Network)
set(ZORVAK_QT_PLUGINS
    platforms/qwindows      # the program's windows
    platforms/qoffscreen    # zorvak-kaarten draws without a screen
    styles/qwindowsvistastyle
    imageformats/qjpeg imageformats/qgif
    sqldrivers/qsqlite)     # the card register
# The compiler's run-time, copied into Qt's bin by scripts/qt-windows.sh.
set(ZORVAK_RUNTIME_DLLS libgcc_s_seh-1 libstdc++-6 libwinpthread-1)
# Fonts that stand in for Arial and Comic Sans MS (core/common/lettertypen.h); both OFL-1.1.
set(ZORVAK_LETTERTYPEN
    /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
    /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
    /usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf
    /usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf)
set(ZORVAK_LETTERTYPEN_LICENTIES
    /usr/share/doc/fonts-liberation2/copyright:Liberation-copyright.txt
    /usr/share/doc/fonts-comic-neue/copyright:ComicNeue-copyright.txt)
set(ZORVAK_QT_VERTALING /usr/share/qt6/translations/qtbase_nl.qm)

function(zorvak_windows_afmaken)
  # The fonts lie beside the programs in the build folder too, where the tests find them.
  # They come from Debian's packages; a build on Windows itself goes without them.
  set(lettertypen_er 1)
  foreach(lt ${ZORVAK_LETTERTYPEN})
    if(NOT EXISTS ${lt})
      set(lettertypen_er 0)
    endif()
  endforeach()
  if(lettertypen_er)
    file(COPY ${ZORVAK_LETTERTYPEN} DESTINATION ${CMAKE_BINARY_DIR}/fonts)
    foreach(paar ${ZORVAK_LETTERTYPEN_LICENTIES})
      string(REPLACE ":" ";" paar "${paar}")
      list(GET paar 0 van)
      list(GET paar 1 naar)
      configure_file(${van} ${CMAKE_BINARY_DIR}/fonts/${naar} COPYONLY)
    endforeach()
    install(DIRECTORY ${CMAKE_BINARY_DIR}/fonts DESTINATION ${ZORVAK_INSTALL_DIR})
  elseif(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "The fonts are missing: apt-get install fonts-liberation2 fonts-comic-neue")
  else()
    message(WARNING "Without Liberation Sans and Comic Neue beside it, zorvak-kaarten.exe writes PDFs without text")
  endif()

  # Icon, version information and manifest of both programs.
  set(ico ${CMAKE_BINARY_DIR}/zorvak.ico)
  add_custom_command(OUTPUT ${ico}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:maak-icoon> ${ico}
    DEPENDS maak-icoon
    COMMENT "Windows icon"
    VERBATIM)
  add_custom_target(zorvak_ico DEPENDS ${ico})
  set(ZORVAK_ICOON ${ico})
  set(ZORVAK_MANIFEST ${ZORVAK_WINDOWS_DIR}/zorvak.manifest)
  foreach(doel zorvak zorvak-kaarten)
    if(NOT TARGET ${doel})
      continue()
    endif()
    if(doel STREQUAL "zorvak")
      set(ZORVAK_BESCHRIJVING "Zorvak, bingo-omroeper")
    else()
      set(ZORVAK_BESCHRIJVING "Zorvak-kaarten, Bingo- en Kienkaarten als PDF")
    endif()
    set(ZORVAK_BESTAND ${doel}.exe)
    configure_file(${ZORVAK_WINDOWS_DIR}/zorvak.rc.in ${CMAKE_BINARY_DIR}/${doel}.rc @ONLY)
    target_sources(${doel} PRIVATE ${CMAKE_BINARY_DIR}/${doel}.rc)
    set_source_files_properties(${CMAKE_BINARY_DIR}/${doel}.rc TARGET_DIRECTORY ${doel}
                                PROPERTIES OBJECT_DEPENDS "${ico};${ZORVAK_MANIFEST}")
    add_dependencies(${doel} zorvak_ico)
  endforeach()

  install(FILES ${ZORVAK_WINDOWS_DIR}/LEESMIJ-derden.txt ${ico} DESTINATION ${ZORVAK_INSTALL_DIR})
  # The folder the installer packs: `cmake --install` lays it out. (A build on Windows itself
  # has windeployqt for this.)
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  foreach(dll ${ZORVAK_QT_DLLS} ${ZORVAK_RUNTIME_DLLS})
    install(FILES ${ZORVAK_QT_MAP}/bin/${dll}.dll DESTINATION ${ZORVAK_INSTALL_DIR})
  endforeach()
  foreach(plugin ${ZORVAK_QT_PLUGINS})
    get_filename_component(soort ${plugin} DIRECTORY)
    install(FILES ${ZORVAK_QT_MAP}/plugins/${plugin}.dll DESTINATION ${ZORVAK_INSTALL_DIR}/${soort})
  endforeach()
  install(FILES ${ZORVAK_QT_VERTALING} DESTINATION ${ZORVAK_INSTALL_DIR}/translations)
  # zint and cpp-httplib are built into the programs; their licences go with them.
  install(FILES ${ZORVAK_QT_MAP}/share/zint/LICENSE DESTINATION ${ZORVAK_INSTALL_DIR} RENAME zint-licentie.txt)
  install(FILES ${ZORVAK_QT_MAP}/share/cpp-httplib/LICENSE DESTINATION ${ZORVAK_INSTALL_DIR}
          RENAME cpp-httplib-licentie.txt)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zorvak_windows_afmaken)
