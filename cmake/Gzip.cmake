# kalvenor_gzip(<target> <destination> <file>...): compresses each file at
# build time as Debian installs documentation (gzip -9 -n: no name or time
# stamp, so the same file always gives the same bytes), builds them with the
# custom target <target> and installs the results into <destination>.
find_program(KALVENOR_GZIP gzip REQUIRED)

function(kalvenor_gzip target destination)
  set(compressed)
  foreach(file IN LISTS ARGN)
    get_filename_component(source ${file} ABSOLUTE)
    get_filename_component(name ${file} NAME)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${KALVENOR_GZIP} -9 -n -c ${source} > ${output}
      DEPENDS ${source}
      COMMENT "Compressing ${name}")
    list(APPEND compressed ${output})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${destination})
endfunction()
