# Run by CPack once it has made the packages. The debug-symbol package it
# makes lists its files in md5sums under their build paths, and has no
# documentation folder: dpkg-deb packs it again from CPack's staged files,
# with md5sums of the installed paths and the documentation folder pointing
# to the program's, as Debian's own -dbgsym packages do.
find_program(ORLO_DPKG_DEB dpkg-deb REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "/([^/_]+)-dbgsym_[^/]*\\.ddeb$")
        continue()
    endif()
    set(name ${CMAKE_MATCH_1})
    set(staged "${CPACK_TEMPORARY_DIRECTORY}-dbgsym")
    set(root "${staged}-root")
    file(REMOVE_RECURSE "${root}")
    file(MAKE_DIRECTORY "${root}/DEBIAN" "${root}/usr/share/doc")
    file(COPY "${staged}/usr" DESTINATION "${root}"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(COPY "${staged}/control" DESTINATION "${root}/DEBIAN")
    file(GLOB_RECURSE symbols LIST_DIRECTORIES false RELATIVE "${root}" "${root}/usr/lib/debug/*")
    list(SORT symbols)
    set(sums "")
    foreach(file IN LISTS symbols)
        file(MD5 "${root}/${file}" sum)
        string(APPEND sums "${sum}  ${file}\n")
    endforeach()
    file(WRITE "${root}/DEBIAN/md5sums" "${sums}")
    file(CREATE_LINK ${name} "${root}/usr/share/doc/${name}-dbgsym" SYMBOLIC)
    execute_process(COMMAND "${ORLO_DPKG_DEB}" --root-owner-group -Zxz --build "${root}" "${package}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endforeach()
