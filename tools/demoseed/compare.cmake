# Runs the demo generator into an empty directory and compares every file it writes with the
# committed copy in demo-seed/.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/DANE ${OUT}/FONT)
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the demo generator failed: ${result}")
endif()
file(GLOB_RECURSE written RELATIVE ${OUT} ${OUT}/*)
list(LENGTH written count)
if(count EQUAL 0)
  message(FATAL_ERROR "the demo generator wrote nothing")
endif()
foreach(name IN LISTS written)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${SEED}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "demo-seed/${name} differs from what the generator writes; "
                        "run tools/demoseed/regenerate")
  endif()
endforeach()
message(STATUS "${count} demo files match")
