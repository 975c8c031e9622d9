# Runs velmor-picturepixels as the build does, on each stored picture and on a copy of it cut after
# 16 bytes: the whole picture makes a table of its pixels; the cut one stops the tool with status
# 1 and a message naming the file, and writes no table.
#
#   cmake -DTOOL=velmor-picturepixels -DPICTURES=src/layout/pictures -DSCRATCH=folder -P picturepixels.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
foreach(name background.gif icon.ico socket.bmp)
    execute_process(COMMAND ${TOOL} ${SCRATCH}/whole.cpp :/pictures/${name}=${PICTURES}/${name}
                    RESULT_VARIABLE status ERROR_VARIABLE err TIMEOUT 30)
    if(NOT status EQUAL 0 OR NOT EXISTS ${SCRATCH}/whole.cpp)
        message(FATAL_ERROR "${name}: the tool failed on the stored picture (${status}): ${err}")
    endif()
    file(READ ${SCRATCH}/whole.cpp table)
    if(NOT table MATCHES "\"(:/pictures/${name})\", [0-9]+, [0-9]+, Picture0")
        message(FATAL_ERROR "${name}: no table row for the picture in:\n${table}")
    endif()

    file(READ ${PICTURES}/${name} head LIMIT 16 HEX)
    string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${head}")
    # CMake cannot write bytes from hex directly; the tool reads what 'printf' writes.
    execute_process(COMMAND printf "${escaped}" OUTPUT_FILE ${SCRATCH}/${name})
    execute_process(COMMAND ${TOOL} ${SCRATCH}/cut.cpp :/pictures/${name}=${SCRATCH}/${name}
                    RESULT_VARIABLE status ERROR_VARIABLE err TIMEOUT 30)
    if(NOT status EQUAL 1 OR NOT err MATCHES "velmor-picturepixels: ${SCRATCH}/${name} does not read as a picture")
        message(FATAL_ERROR "${name} cut short: status ${status}, said: ${err}")
    endif()
    if(EXISTS ${SCRATCH}/cut.cpp)
        message(FATAL_ERROR "${name} cut short: a table was written all the same")
    endif()
endforeach()
message(STATUS "each stored picture makes its table; each cut one stops the tool, named")
