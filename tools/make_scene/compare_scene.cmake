# Regenerates the scene into OUTPUT and compares every file made with its copy in SCENE.
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "make-scene failed (${result})")
endif()
file(GLOB made RELATIVE ${OUTPUT}/scene ${OUTPUT}/scene/*)
foreach(name IN LISTS made)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/scene/${name} ${SCENE}/${name}
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "scene/${name} differs from what make-scene makes now; run make-scene from the repository root")
    endif()
endforeach()
