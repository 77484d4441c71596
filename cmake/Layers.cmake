# The layers of src/: each folder is a library that may include and link only
# the folders below it. arcanote_layer(NAME SOURCES ... DEPENDS ... [LIBRARIES ...])
# adds the static library arcanote_NAME linked to arcanote_DEP for each DEP, and
# a build step that refuses an include of a folder that is neither NAME nor
# below it.
set(ARCANOTE_PROJECT_FOLDERS core database zip translation importers xmlimport software collection
    notes sheets download shell pipeline audit wizard cli ui app myzip)

# A build step that refuses, in the sources of FOLDER, an include of a project
# folder not in ALLOWED; sets STAMP_VAR to its output, for a target to depend on.
function(arcanote_include_check name folder allowed stamp_var)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.layer)
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DLAYER=${name} -DFOLDER=${folder}
            "-DALLOWED=${allowed}" "-DPROJECT_FOLDERS=${ARCANOTE_PROJECT_FOLDERS}"
            -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
        DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
        COMMENT "Checking the includes of ${name}" VERBATIM)
    set(${stamp_var} ${stamp} PARENT_SCOPE)
endfunction()

# The folders a layer may include: its own and those below it.
function(arcanote_layer_allowed name out_var)
    get_property(allowed GLOBAL PROPERTY ARCANOTE_LAYER_${name})
    if(NOT allowed)
        message(FATAL_ERROR "${name} is not a declared layer")
    endif()
    set(${out_var} ${allowed} PARENT_SCOPE)
endfunction()

function(arcanote_layer name)
    cmake_parse_arguments(LAYER "" "" "SOURCES;DEPENDS;LIBRARIES" ${ARGN})
    set(allowed ${name})
    set(dependency_targets)
    foreach(dependency IN LISTS LAYER_DEPENDS)
        get_property(below GLOBAL PROPERTY ARCANOTE_LAYER_${dependency})
        if(NOT below)
            message(FATAL_ERROR "layer ${name}: ${dependency} must be declared before it")
        endif()
        list(APPEND allowed ${below})
        list(APPEND dependency_targets arcanote_${dependency})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set_property(GLOBAL PROPERTY ARCANOTE_LAYER_${name} ${allowed})

    arcanote_include_check(${name} ${CMAKE_CURRENT_SOURCE_DIR} "${allowed}" stamp)

    add_library(arcanote_${name} STATIC ${LAYER_SOURCES} ${stamp})
    target_link_libraries(arcanote_${name} PUBLIC ${dependency_targets} ${LAYER_LIBRARIES})
endfunction()
