# Installs the program into a scratch prefix and checks its desktop entry: valid by the desktop
# specification's own validator, starting the program with the files it is handed, and offered
# for video and audio.
# Run: cmake -DBUILD_DIR=<build> -DSCRATCH=<dir> -P desktop-entry.cmake
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${SCRATCH}" --component Unspecified
    RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "the install step failed")
endif()
set(entry "${SCRATCH}/share/applications/com.zel.Quillmere.desktop")
if(NOT EXISTS "${SCRATCH}/bin/quillmere" OR NOT EXISTS "${entry}")
    message(FATAL_ERROR "the program or its desktop entry was not installed")
endif()
execute_process(COMMAND desktop-file-validate "${entry}" RESULT_VARIABLE valid OUTPUT_VARIABLE complaints
    ERROR_VARIABLE complaints)
if(NOT valid EQUAL 0 OR complaints)
    message(FATAL_ERROR "the desktop entry is not valid:\n${complaints}")
endif()
file(STRINGS "${entry}" exec REGEX "^Exec=")
file(STRINGS "${entry}" mime REGEX "^MimeType=")
if(NOT exec STREQUAL "Exec=quillmere %F")
    message(FATAL_ERROR "the entry does not hand files to the program: ${exec}")
endif()
if(NOT mime MATCHES "[=;]video/mp4" OR NOT mime MATCHES "[=;]video/x-matroska" OR NOT mime MATCHES "[=;]audio/mpeg")
    message(FATAL_ERROR "the entry is not offered for video and audio: ${mime}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
