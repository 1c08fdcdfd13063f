# Run by CPack on the staged files, before it splits off the debug symbols
# and packs them: drops the .comment section (the compiler's version notes)
# from the programs, which have no use for it.
find_program(ORLO_OBJCOPY objcopy REQUIRED)
foreach(name orlo-configurator orlo-cli)
    execute_process(COMMAND "${ORLO_OBJCOPY}" --remove-section=.comment "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/${name}"
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
