# Checks that velmor-picturegen still writes the committed pictures: it draws them into a scratch
# folder, which must then hold exactly the pictures of the source tree, each equal byte for byte.
# The ctest test tst_picturegen runs it as
#
#   cmake -DGENERATOR=path/to/velmor-picturegen -DPICTURES=src/layout/pictures -DSCRATCH=folder
#         -P reproduces.cmake
#
# and it fails with the names of the files that differ. The scratch folder is left for a look.
foreach(name IN ITEMS GENERATOR PICTURES SCRATCH)
    if(NOT DEFINED ${name})
        message(FATAL_ERROR "reproduces.cmake needs -D${name}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${GENERATOR}" "${SCRATCH}" RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "velmor-picturegen failed (${status}):\n${errors}")
endif()

# The README beside the pictures is the only file there that the tool does not write.
file(GLOB written RELATIVE "${SCRATCH}" "${SCRATCH}/*")
file(GLOB committed RELATIVE "${PICTURES}" "${PICTURES}/*")
list(REMOVE_ITEM committed README.md)
list(SORT written)
list(SORT committed)
if(NOT written STREQUAL committed)
    message(FATAL_ERROR "velmor-picturegen writes [${written}], the source tree holds [${committed}]")
endif()

set(differing)
foreach(picture IN LISTS written)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SCRATCH}/${picture}" "${PICTURES}/${picture}"
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        list(APPEND differing ${picture})
    endif()
endforeach()
if(differing)
    list(JOIN differing ", " differing)
    message(FATAL_ERROR "velmor-picturegen draws ${differing} differently from ${PICTURES} (new copies in "
        "${SCRATCH}). If the drawing was meant to change (or the version or release date did), regenerate "
        "them with `cmake --build <build> --target velmor-pictures` and commit them.")
endif()
list(LENGTH written count)
message(STATUS "velmor-picturegen writes the ${count} committed pictures byte for byte")
