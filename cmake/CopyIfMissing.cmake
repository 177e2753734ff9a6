# Copies SOURCE to DESTINATION unless a file is already there (a user's edits are kept).
if(NOT EXISTS "${DESTINATION}")
    configure_file("${SOURCE}" "${DESTINATION}" COPYONLY)
endif()
