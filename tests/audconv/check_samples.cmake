# Regenerates the bundled samples into WORK and fails unless every record the generator
# writes is committed under SAMPLES with exactly the same bytes.
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${GENERATOR}" "${WORK}" RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_samples failed: ${status}")
endif()
file(GLOB fresh RELATIVE "${WORK}" "${WORK}/*")
if(NOT fresh)
  message(FATAL_ERROR "make_samples wrote nothing")
endif()
foreach(name IN LISTS fresh)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/${name}" "${SAMPLES}/${name}"
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "samples/${name} differs from what make_samples writes now; regenerate the samples")
  endif()
endforeach()
