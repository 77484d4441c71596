# An upward call does not link: the probe that calls app's code links with
# app, and fails to link with ui alone.
#   cmake -DBUILD_DIR=dir -P LinkCheckTest.cmake
cmake_minimum_required(VERSION 3.25)

function(build_probe target result_var output_var)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(${result_var} ${result} PARENT_SCOPE)
    set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

build_probe(upward_call_probe_app result output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the probe does not link even with app:\n${output}")
endif()
build_probe(upward_call_probe_ui result output)
if(result EQUAL 0)
    message(FATAL_ERROR "a call from ui into app linked without app")
endif()
if(NOT output MATCHES "undefined reference to [^\n]*ScheduleScreenshot")
    message(FATAL_ERROR "the probe failed for another reason than the missing app code:\n${output}")
endif()
