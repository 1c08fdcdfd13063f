# The translations are whole: lupdate run over the sources into a copy of each
# .ts file finds no text the file lacks (it would come in unfinished), and the
# file keeps no entry unfinished or empty, and none whose text left the
# sources (lupdate marks it vanished or obsolete).
foreach(language fr en)
    set(copy "${WORK_DIR}/orlo_${language}.ts")
    configure_file("${SOURCE_DIR}/translations/orlo_${language}.ts" "${copy}" COPYONLY)
    # The include path lets lupdate see the namespace of a class declared in a header.
    execute_process(COMMAND "${LUPDATE}" -locations none -I "${SOURCE_DIR}" app pages widgets forms link -ts "${copy}"
                    WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE failed OUTPUT_QUIET)
    file(READ "${copy}" ts)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation( type=\"[a-z]+\")?>(</translation>)?"
           faults "${ts}")
    list(FILTER faults INCLUDE REGEX "type=|</translation>$")
    if(failed OR NOT ts MATCHES "<message>" OR faults)
        string(REPLACE ";" "\n" faults "${faults}")
        message(FATAL_ERROR "orlo_${language}.ts is not whole (lupdate: ${failed}):\n${faults}")
    endif()
endforeach()
message(STATUS "both translations hold every text of the sources, finished")
