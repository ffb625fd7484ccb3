# Installs the build into a scratch prefix and checks what a user's system receives: only the
# program in bin/, its chart and print modules in the library folder's quillmark/, the sample
# database in share/quillmark, the menu entry, the icon, the AppStream metadata, the database file
# type, the manual page (rendered with groff where it is installed), the copyright file and the
# changelog (validated with the desktop's own tools where they are installed), and the Debian
# package's relations. Then runs the
# installed program: --help and --version answer without any display, a mistake exits 2, and on
# the offscreen platform it shows the start menu first, or the manager when given a database.
# Run as: cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -DSAMPLE=<data/DtaSampl.QMD>
#             -DVERSION=<project version> -DPROBE=<libqm_show_probe.so>
#             -DLIBDIR=<library folder, relative to the prefix> -P InstallCheck.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
file(REAL_PATH "${PREFIX}" PREFIX)
file(REAL_PATH "${BUILD_DIR}" BUILD_DIR)

set(id org.quillmark.quillmark)
foreach(path bin/quillmark share/quillmark/DtaSampl.QMD share/applications/${id}.desktop
             share/icons/hicolor/scalable/apps/quillmark.svg share/metainfo/${id}.metainfo.xml
             share/mime/packages/quillmark.xml share/man/man1/quillmark.1.gz
             share/doc/quillmark/copyright share/doc/quillmark/changelog.gz
             ${LIBDIR}/quillmark/quillmark-charts.so ${LIBDIR}/quillmark/quillmark-print.so)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(GLOB programs RELATIVE "${PREFIX}/bin" "${PREFIX}/bin/*")
if(NOT programs STREQUAL "quillmark")
    message(FATAL_ERROR "bin/ must hold the program only, it holds: ${programs}")
endif()

file(READ "${PREFIX}/share/applications/${id}.desktop" entry)
foreach(line "[Desktop Entry]" "Type=Application" "Exec=quillmark %f" "Icon=quillmark"
             "MimeType=application/x-quillmark-database;")
    string(FIND "${entry}" "${line}\n" found)
    if(found LESS 0)
        message(FATAL_ERROR "the menu entry lacks the line ${line}")
    endif()
endforeach()

file(READ "${PREFIX}/share/icons/hicolor/scalable/apps/quillmark.svg" icon)
if(NOT icon MATCHES "<svg[^>]*viewBox=\"0 0 256 256\"" OR NOT icon MATCHES "</svg>[ \n]*$")
    message(FATAL_ERROR "the icon is not a square SVG drawing")
endif()

file(READ "${PREFIX}/share/quillmark/DtaSampl.QMD" sample)
file(READ "${SAMPLE}" shipped)
if(NOT sample STREQUAL shipped)
    message(FATAL_ERROR "the installed sample database differs from data/DtaSampl.QMD")
endif()

# The manual page: its sections, options and files.
execute_process(COMMAND gzip -dc "${PREFIX}/share/man/man1/quillmark.1.gz"
                OUTPUT_VARIABLE page RESULT_VARIABLE result)
foreach(part ".TH QUILLMARK 1" ".SH SYNOPSIS" ".SH OPTIONS" ".SH FILES" ".SH DATABASE FORMAT"
             "\\-\\-help" "\\-\\-version" "Quillmark.conf" "/quillmark/DtaSampl.QMD")
    string(FIND "${page}" "${part}" found)
    if(NOT result EQUAL 0 OR found LESS 0)
        message(FATAL_ERROR "the manual page lacks ${part}")
    endif()
endforeach()
# The manual page as `man` shows it, where groff is installed: no warning, and quoted text comes
# out as written (a blank inside a macro argument that is not quoted splits it, and the words
# run together).
find_program(groff groff NO_CACHE)
if(NOT groff)
    message(STATUS "not rendered: groff is not installed")
else()
    execute_process(COMMAND gzip -dc "${PREFIX}/share/man/man1/quillmark.1.gz"
                    COMMAND ${groff} -man -Tutf8 -ww -rHY=0 -P-cbou
                    RESULTS_VARIABLE results OUTPUT_VARIABLE shown ERROR_VARIABLE warnings)
    string(REGEX REPLACE "[ \n]+" " " shown "${shown}")
    if(NOT results STREQUAL "0;0" OR NOT warnings STREQUAL "")
        message(FATAL_ERROR "groff on the manual page (status ${results}):\n${warnings}")
    endif()
    foreach(text "the number of funds, and \"All Records\",\"31\". One line per fund"
                 "3,2,\"All Records\",\"31\" \"ABC Fund\",\" 1\"")
        string(FIND "${shown}" "${text}" found)
        if(found LESS 0)
            message(FATAL_ERROR "the manual page does not show: ${text}\nIt shows:\n${shown}")
        endif()
    endforeach()
endif()

# Runs `tool args...` when the tool is installed; it must succeed and report no issue.
function(validate tool)
    find_program(tool_path ${tool} NO_CACHE)
    if(NOT tool_path)
        message(STATUS "not validated: ${tool} is not installed")
        return()
    endif()
    execute_process(COMMAND ${tool_path} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                    ERROR_VARIABLE out)
    if(NOT result EQUAL 0 OR out MATCHES "(^|\n)[EWIP]: |error|warning")
        message(FATAL_ERROR "${tool} ${ARGN}: ${result}\n${out}")
    endif()
endfunction()
validate(desktop-file-validate "${PREFIX}/share/applications/${id}.desktop")
validate(appstreamcli validate-tree --no-net --pedantic "${PREFIX}")

# The file type: once the MIME database is built, *.qmd in any letter case (a pattern without
# the case-sensitive flag) is a Quillmark database.
find_program(update_mime update-mime-database NO_CACHE)
if(update_mime)
    set(mime "${PREFIX}/mime-check")
    file(COPY "${PREFIX}/share/mime/packages" DESTINATION "${mime}")
    execute_process(COMMAND ${update_mime} "${mime}" RESULT_VARIABLE result ERROR_VARIABLE out)
    file(READ "${mime}/globs2" globs)
    string(FIND "${globs}" "\n50:application/x-quillmark-database:*.qmd\n" found)
    if(NOT result EQUAL 0 OR found LESS 0)
        message(FATAL_ERROR "*.qmd is not a Quillmark database (${result} ${out}):\n${globs}")
    endif()
endif()

# The Debian package's relations, as this build gives them to CPack (scripts/package.sh makes the
# package): what the program loads without linking it, and Qt's Wayland platform recommended.
include("${BUILD_DIR}/CPackConfig.cmake")
foreach(relation "DEPENDS|fonts-liberation" "DEPENDS|fonts-dejavu-core" "DEPENDS|libqt6svg6"
                 "RECOMMENDS|qt6-wayland")
    string(REPLACE "|" ";" relation "${relation}")
    list(GET relation 0 field)
    list(GET relation 1 package)
    set(named "${CPACK_DEBIAN_PACKAGE_${field}}")
    if(NOT named MATCHES "(^|, )${package}( |,|$)")
        message(FATAL_ERROR "the Debian package's ${field} lacks ${package}: '${named}'")
    endif()
endforeach()

# Runs a program with no display at all; sets <prefix>_status, _out and _err.
function(run_without_display prefix)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                            --unset=QT_QPA_PLATFORM "XDG_CONFIG_HOME=${PREFIX}/config" "XDG_STATE_HOME=${PREFIX}/state" ${ARGN}
                    TIMEOUT 30 RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(${prefix}_status "${status}" PARENT_SCOPE)
    set(${prefix}_out "${out}" PARENT_SCOPE)
    set(${prefix}_err "${err}" PARENT_SCOPE)
endfunction()

run_without_display(version "${PREFIX}/bin/quillmark" --version)
if(NOT version_status EQUAL 0 OR NOT version_out STREQUAL "quillmark ${VERSION}\n")
    message(FATAL_ERROR "--version: ${version_status} '${version_out}' ${version_err}")
endif()
# --help names the sample where each layout keeps it: share/quillmark when installed, beside
# the program in the build tree.
foreach(program_sample "${PREFIX}/bin/quillmark|${PREFIX}/share/quillmark/DtaSampl.QMD"
                       "${BUILD_DIR}/quillmark|${BUILD_DIR}/DtaSampl.QMD")
    string(REPLACE "|" ";" program_sample "${program_sample}")
    list(GET program_sample 0 program)
    list(GET program_sample 1 expected)
    run_without_display(help "${program}" --help)
    string(FIND "${help_out}" "Usage: quillmark [OPTION]... [DATABASE.QMD]\n" usage)
    string(FIND "${help_out}" "  ${expected}\n" named)
    string(FIND "${help_out}" "  ${PREFIX}/config/Quillmark/Quillmark.conf\n" settings)
    if(NOT help_status EQUAL 0 OR usage LESS 0 OR named LESS 0 OR settings LESS 0)
        message(FATAL_ERROR "${program} --help: ${help_status}\n${help_out}${help_err}")
    endif()
endforeach()
run_without_display(wrong "${PREFIX}/bin/quillmark" --bogus)
string(FIND "${wrong_err}" "quillmark: unknown option '--bogus'\nUsage: quillmark" usage)
if(NOT wrong_status EQUAL 2 OR usage LESS 0 OR NOT wrong_out STREQUAL "")
    message(FATAL_ERROR "--bogus: ${wrong_status} '${wrong_out}' '${wrong_err}'")
endif()

# The first window shown (the probe ends the program there): the start menu, or the manager when
# a database is named (by a path relative to the folder the program is started in).
foreach(case "QMStart" "QMManagement|share/quillmark/DtaSampl.QMD")
    string(REPLACE "|" ";" case "${case}")
    list(POP_FRONT case window)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
                            "LD_PRELOAD=${PROBE}" "XDG_CONFIG_HOME=${PREFIX}/config" "XDG_STATE_HOME=${PREFIX}/state"
                            "${PREFIX}/bin/quillmark" ${case}
                    WORKING_DIRECTORY "${PREFIX}" TIMEOUT 60 RESULT_VARIABLE started
                    OUTPUT_QUIET ERROR_VARIABLE shown)
    string(FIND "${shown}" "first window shown: ${window}\n" found)
    if(NOT started EQUAL 0 OR found LESS 0)
        message(FATAL_ERROR "quillmark ${case}: ${started}, expected ${window}: ${shown}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
