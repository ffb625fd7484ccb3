# Installs the build into a scratch prefix and checks what a user's system receives: the
# program with the sample database beside it, the menu entry and the icon; then starts the
# installed program on the offscreen platform, which must still be running after a second or
# have ended cleanly.
# Run as: cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -DSAMPLE=<data/DtaSampl.QMD>
#             -P InstallCheck.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path bin/quillmark bin/DtaSampl.QMD share/applications/quillmark.desktop
             share/icons/hicolor/scalable/apps/quillmark.svg)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

file(READ "${PREFIX}/share/applications/quillmark.desktop" entry)
foreach(line "[Desktop Entry]" "Type=Application" "Exec=quillmark" "Icon=quillmark")
    string(FIND "${entry}" "${line}\n" found)
    if(found LESS 0)
        message(FATAL_ERROR "the menu entry lacks the line ${line}")
    endif()
endforeach()

file(READ "${PREFIX}/share/icons/hicolor/scalable/apps/quillmark.svg" icon)
if(NOT icon MATCHES "<svg[^>]*viewBox=\"0 0 256 256\"" OR NOT icon MATCHES "</svg>[ \n]*$")
    message(FATAL_ERROR "the icon is not a square SVG drawing")
endif()

file(READ "${PREFIX}/bin/DtaSampl.QMD" sample)
file(READ "${SAMPLE}" shipped)
if(NOT sample STREQUAL shipped)
    message(FATAL_ERROR "the installed sample database differs from data/DtaSampl.QMD")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "${PREFIX}/bin/quillmark"
                WORKING_DIRECTORY "${PREFIX}" TIMEOUT 1 RESULT_VARIABLE started
                OUTPUT_QUIET ERROR_QUIET)
if(NOT started EQUAL 0 AND NOT started MATCHES "timeout")
    message(FATAL_ERROR "the installed program did not start: ${started}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
