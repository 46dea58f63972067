# Run by CPack once it has built the Debian package (CPACK_POST_BUILD_SCRIPTS
# in cmake/Install.cmake): lintian checks the package against Debian's
# policy and prints what it finds. An error (an "E:" line) fails
# `make package`; warnings and notes do not. Without lintian the package is
# left unchecked, with a note saying so.
find_program(MIVARELO_LINTIAN lintian)
if(NOT MIVARELO_LINTIAN)
  message(STATUS "lintian is not installed: the package was not checked")
  return()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  # --fail-on error: lintian exits with 2 when it finds an error (and with 1
  # when it cannot run), not for warnings.
  execute_process(COMMAND ${MIVARELO_LINTIAN} --fail-on error ${package}
    OUTPUT_VARIABLE report
    RESULT_VARIABLE status)
  get_filename_component(name ${package} NAME)
  if(report STREQUAL "")
    message(STATUS "lintian: ${name} is clean")
  else()
    message(STATUS "lintian on ${name}:\n${report}")
  endif()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lintian found errors in ${name} (exit status ${status})")
  endif()
endforeach()
