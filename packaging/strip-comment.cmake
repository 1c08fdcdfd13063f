# Run by CPack on the staged files, before it splits off the debug symbols
# and packs them: drops the .comment section (the compiler's version notes)
# from the program, which has no use for it.
find_program(ORLO_OBJCOPY objcopy REQUIRED)
set(program "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/orlo-configurator")
execute_process(COMMAND "${ORLO_OBJCOPY}" --remove-section=.comment "${program}"
                COMMAND_ERROR_IS_FATAL ANY)
