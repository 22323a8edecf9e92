# Installs into a scratch prefix and checks what lands there.
# A prefix left by an earlier run would hide a file no longer installed.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()

set(id io.github.velmora.Velmora)
set(icon_sizes 16 22 24 32 48 64 128 256)
set(expected bin/velmora share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml share/man/man1/velmora.1
             share/icons/hicolor/scalable/apps/velmora.svg share/mime/packages/${id}.xml
             share/velmora/lessons/plucked-middle.velmora share/velmora/lessons/plucked-third.velmora
             share/velmora/lessons/first-three-modes.velmora)
foreach(size ${icon_sizes})
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/velmora.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "missing after install: ${f}")
  endif()
endforeach()

file(READ ${PREFIX}/share/applications/${id}.desktop desktop)
if(NOT desktop MATCHES "\nExec=velmora %f\n" OR NOT desktop MATCHES "\nIcon=velmora\n")
  message(FATAL_ERROR "the desktop entry does not start the program with its icon")
endif()

# A double-clicked lesson opens in the program: the entry takes the type the
# MIME package gives the lesson files.
file(READ ${PREFIX}/share/mime/packages/${id}.xml mime)
if(NOT desktop MATCHES "\nMimeType=application/x-velmora-lesson;\n"
   OR NOT mime MATCHES "<mime-type type=\"application/x-velmora-lesson\">"
   OR NOT mime MATCHES "<glob pattern=\"\\*\\.velmora\"/>")
  message(FATAL_ERROR "the desktop entry and the MIME package do not agree on the lesson files")
endif()
find_program(XMLLINT xmllint)
if(XMLLINT)
  execute_process(COMMAND ${XMLLINT} --noout ${PREFIX}/share/mime/packages/${id}.xml RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the MIME package is not well-formed XML:\n${out}")
  endif()
endif()

# A desktop may show an icon at the size its folder names without scaling it:
# the PNG header's width and height must say that size.
foreach(size ${icon_sizes})
  file(READ ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/velmora.png header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT header MATCHES "^89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "the ${size}x${size} icon is ${width}x${height}")
  endif()
endforeach()

# The man page and the release notes name the version the program prints.
execute_process(COMMAND ${PREFIX}/bin/velmora --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE rc)
string(REPLACE "." "\\." version_pattern "${version}")
string(REGEX REPLACE "^Velmora " "" number_pattern "${version_pattern}")
file(READ ${PREFIX}/share/man/man1/velmora.1 man)
file(READ ${PREFIX}/share/metainfo/${id}.metainfo.xml metainfo)
if(NOT rc EQUAL 0 OR NOT man MATCHES "^\\.TH VELMORA 1 [^\n]* \"${version_pattern}\""
   OR NOT metainfo MATCHES "<release version=\"${number_pattern}\"")
  message(FATAL_ERROR "the man page or the metainfo's releases do not name ${version}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message(FATAL_ERROR "desktop-file-validate or appstreamcli missing (Debian: desktop-file-utils, appstream)")
endif()
# Any word from the validator, even a hint, is something to fix.
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/${id}.desktop RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${rc}\n${out}")
endif()
# Infos are advice; errors and warnings are not. The tree check also finds the
# desktop entry the metainfo launches.
foreach(check "validate;${PREFIX}/share/metainfo/${id}.metainfo.xml" "validate-tree;${PREFIX}")
  execute_process(COMMAND ${APPSTREAMCLI} ${check} --no-net RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR out MATCHES "(^|\n) *[EW]: ")
    list(JOIN check " " command)
    message(FATAL_ERROR "appstreamcli ${command}: ${rc}\n${out}")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFIX})
message("1 passed, 0 failed")
