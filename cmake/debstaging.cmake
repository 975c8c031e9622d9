# Run by cpack (CPACK_PRE_BUILD_SCRIPTS) on the files staged for the Debian package, before it packs
# them, to add what only the package has: its manual pages compressed, as Debian keeps them, its
# changelog and lintian's overrides. `cmake --install` has none of these. CPACK_VELMOR_* are set
# in cmake/install.cmake.
file(GLOB_RECURSE stagedFiles "${CPACK_TEMPORARY_DIRECTORY}/*")
list(FILTER stagedFiles INCLUDE REGEX "/share/man/man[1-9]/[^/]+\\.[1-9]$")

# The changelog of the package's Debian revisions; no other install wants it.
set(docDir "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_VELMOR_DOCDIR}")
file(MAKE_DIRECTORY "${docDir}")
file(COPY_FILE "${CPACK_VELMOR_DEBIAN_CHANGELOG}" "${docDir}/changelog.Debian")

set(overridesDir "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides")
file(MAKE_DIRECTORY "${overridesDir}")
file(COPY_FILE "${CPACK_VELMOR_LINTIAN_OVERRIDES}" "${overridesDir}/${CPACK_PACKAGE_NAME}")

# -n leaves the name and time out of the gzip header, so the package is the same on every run.
foreach(file IN LISTS stagedFiles ITEMS "${docDir}/changelog.Debian")
    execute_process(COMMAND gzip -9n "${file}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip could not compress ${file}")
    endif()
endforeach()
