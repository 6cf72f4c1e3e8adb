# Run by CPack's External generator for the `package` target: scripts/package.sh makes
# the installer and the portable zip from the hub of this build folder.
execute_process(
    COMMAND ${CPACK_TAVLORA_SOURCE_DIR}/scripts/package.sh --hub ${CPACK_TAVLORA_BUILD_DIR}/bin/Tavlora.exe
    COMMAND_ERROR_IS_FATAL ANY)
