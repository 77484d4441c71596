# The include check refuses an upward include in every spelling and lets the
# layer's own, lower and system includes through.
#   cmake -DCHECK=cmake/CheckLayer.cmake -DWORK=dir -P LayerCheckTest.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})

function(expect_check name content should_pass)
    file(MAKE_DIRECTORY ${WORK}/${name})
    file(WRITE ${WORK}/${name}/a.cpp "${content}")
    execute_process(COMMAND ${CMAKE_COMMAND} -DLAYER=zip -DFOLDER=${WORK}/${name}
        "-DALLOWED=zip;core" "-DPROJECT_FOLDERS=core;zip;sheets"
        -DSTAMP=${WORK}/${name}.stamp -P ${CHECK}
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
    if(should_pass AND NOT result EQUAL 0)
        message(FATAL_ERROR "${name}: refused a clean folder:\n${error}")
    elseif(NOT should_pass AND result EQUAL 0)
        message(FATAL_ERROR "${name}: let an upward include through")
    endif()
endfunction()

expect_check(quoted "#include \"sheets/Page.h\"\n" FALSE)
expect_check(angled "#include <sheets/Page.h>\n" FALSE)
expect_check(spaced "  #  include\t<sheets/Page.h>\n" FALSE)
expect_check(climbing "#include \"../sheets/Page.h\"\n" FALSE)
expect_check(clean "#include \"zip/ZipReader.h\"\n#include <core/Files.h>\n#include <sys/stat.h>\n#include <vector>\n" TRUE)
