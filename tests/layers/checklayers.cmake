# Fails when a lower layer includes a header of a layer above it. Run as
# cmake -DSOURCE_DIR=<top of the tree> -P checklayers.cmake
# The folders' own headers are always allowed; the tag's record and encoding sit with the device.
set(kelvo_data "kelvo/kelvorecord.h|kelvo/tagencoding.h|kelvo/tagmemorymap.h")
set(allowed_platform "platform/")
set(allowed_drivers "platform/|drivers/|${kelvo_data}")
set(allowed_emulation "platform/|drivers/|emulation/|${kelvo_data}")

set(violations "")
foreach(layer platform drivers emulation)
    file(GLOB sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^#include \"")
        foreach(include ${includes})
            string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" header "${include}")
            if(NOT header MATCHES "^(${allowed_${layer}})")
                file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
                list(APPEND violations "${name} includes ${header}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n" text)
    message(FATAL_ERROR "Includes that reach up a layer:\n${text}")
endif()
message(STATUS "Every layer includes only itself and the layers below it")
