# Installs a build into PREFIX and checks the tree: exactly the files a desktop needs,
# each icon of the size its folder names, and the entry and the metainfo naming what is
# actually installed.
# Arguments: BUILD, CONFIG, PREFIX, BINDIR, DATADIR, MANDIR, VERSION, CHANGELOG.

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} --config ${CONFIG}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(id org.example.Sorvani)
set(icons ${DATADIR}/icons/hicolor)
set(sizes 16 32 48 64 128 256)
set(expected
    ${BINDIR}/sorvani
    ${DATADIR}/applications/${id}.desktop
    ${DATADIR}/metainfo/${id}.metainfo.xml
    ${DATADIR}/mime/packages/${id}.xml
    ${DATADIR}/doc/sorvani/copyright
    ${DATADIR}/doc/sorvani/changelog.gz
    ${MANDIR}/man1/sorvani.1.gz
    ${icons}/scalable/apps/${id}.svg)
foreach(size IN LISTS sizes)
  list(APPEND expected ${icons}/${size}x${size}/apps/${id}.png)
endforeach()

file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT found)
list(SORT expected)
if(NOT "${found}" STREQUAL "${expected}")
  list(JOIN found "\n  " f)
  list(JOIN expected "\n  " e)
  message(FATAL_ERROR "Installed:\n  ${f}\nExpected:\n  ${e}")
endif()

file(READ ${PREFIX}/${BINDIR}/sorvani magic LIMIT 4 HEX)
if(NOT magic STREQUAL "7f454c46")
  message(FATAL_ERROR "${BINDIR}/sorvani is not an ELF executable")
endif()

# A PNG's width and height are the two big-endian words after its 16-byte header.
foreach(size IN LISTS sizes)
  set(png ${PREFIX}/${icons}/${size}x${size}/apps/${id}.png)
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 w)
  string(SUBSTRING "${header}" 40 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT w EQUAL size OR NOT h EQUAL size)
    message(FATAL_ERROR "${size}x${size} icon is ${w}x${h} (signature ${signature})")
  endif()
endforeach()
file(STRINGS ${PREFIX}/${icons}/scalable/apps/${id}.svg svg REGEX "<svg ")
if(NOT svg)
  message(FATAL_ERROR "The scalable icon is not an SVG picture")
endif()

# The entry starts the installed program by name and shows the installed icon; the
# metainfo points at the installed entry.
file(STRINGS ${PREFIX}/${DATADIR}/applications/${id}.desktop keys REGEX "^(Exec|Icon)=")
if(NOT "${keys}" STREQUAL "Exec=sorvani %f;Icon=${id}")
  message(FATAL_ERROR "Desktop entry keys: ${keys}")
endif()
file(STRINGS ${PREFIX}/${DATADIR}/metainfo/${id}.metainfo.xml launchable REGEX "<launchable ")
if(NOT launchable MATCHES ">${id}\\.desktop<")
  message(FATAL_ERROR "Metainfo launchable: ${launchable}")
endif()

# The package's version is the project's; the changelog's newest entry names it.
file(STRINGS ${CHANGELOG} newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^sorvani \\(([^)]*)\\) " OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "The changelog starts with \"${newest}\", not version ${VERSION}")
endif()
