# Run by CPack on the staged files before it packs them: CPACK_STRIP_FILES runs a plain strip,
# which leaves the compiler's .comment and .note sections that Debian's own tools remove.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
    execute_process(COMMAND "${CPACK_KALVORA_OBJCOPY}" --remove-section=.comment --remove-section=.note
                            "${program}"
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
