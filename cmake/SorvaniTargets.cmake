# Helpers shared by the project's CMake files: target settings, applied per target, and
# installation.
function(sorvani_configure_target target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  endif()
  if(SORVANI_WERROR)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
    # GCC 12 at -O3 warns of overlapping copies inside std::string's own assignment from a
    # literal (GCC bug 105651); it stays a warning so that a Release build still completes.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
  endif()
  get_target_property(_type ${target} TYPE)
  if(NOT _type STREQUAL "INTERFACE_LIBRARY")
    target_compile_definitions(${target} PRIVATE QT_NO_CONTEXTLESS_CONNECT QT_NO_FOREACH)
  endif()
  if(SORVANI_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(SORVANI_FUZZ)
    # Coverage for libFuzzer everywhere; the fuzz targets add the fuzzer's own main().
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Installs a compressed copy of SOURCE into DESTINATION, as manual pages and Debian
# changelogs are kept: gzip without a name or a time stamp, so rebuilds give the same bytes.
function(sorvani_install_gzipped source destination)
  find_program(SORVANI_GZIP gzip REQUIRED)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${output}
                     COMMAND ${SORVANI_GZIP} -9nc ${source} > ${output}
                     DEPENDS ${source} VERBATIM)
  add_custom_target(sorvani_gzip_${name} ALL DEPENDS ${output})
  install(FILES ${output} DESTINATION ${destination})
endfunction()
