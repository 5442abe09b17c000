# Run by cpack on the staged files before packing them: strips the debug information, the
# compiler's comments and the notes from every static library, with deterministic archive
# headers.
file(GLOB_RECURSE archives ${CPACK_TEMPORARY_DIRECTORY}/*.a)
foreach(archive ${archives})
    execute_process(
        COMMAND ${CPACK_GALLERY_STRIP} --strip-debug --remove-section=.comment
                --remove-section=.note --enable-deterministic-archives ${archive}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
