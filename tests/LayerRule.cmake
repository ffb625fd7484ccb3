# The layer rule: the folders of src/ are the layers, and every include points down. Lowest first:
#    1 core/text                Currency, conversions, patterns, dates, message texts, help pages
#    2 core/finance             pure formulas
#    3 core/input               key filters, display forms
#    4 core/calculators, core/portfolio, core/output, core/startup
#    5 screens                  one model per window
#    6 gui/style                the program's widget style
#    7 gui/common               what every window uses
#    8 gui/print                printing
#    9 gui/chart                the chart window
#   10 gui/calculator, gui/manager
#   11 gui/app                  main, the start menu and the windows it makes ahead
# A file may include ("...") files of its own folder and of folders of a lower layer, not of a
# folder beside it on the same layer (the calculators do not include the portfolio, the calculator
# window not the manager). Nothing under core/ or screens/ may include a Qt header from outside
# Qt Core (<QWidget>, <QFont>, <QPrinter>...).
#
# cmake -DSOURCE_DIR=<repo>/src [-DQT_CORE_INCLUDE=<dir holding QString>] -P LayerRule.cmake
# Fails naming every file and include that points the wrong way, and every file in a folder that
# is not a layer. Without QT_CORE_INCLUDE only the "..." includes are checked.
cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "LayerRule: SOURCE_DIR (the src/ folder) not given")
endif()

# Known exceptions, "including file -> included file", each with the reason it is still allowed.
# Keep this list short: an entry whose include has gone fails the check until it is taken out.
set(known_exceptions
)

set(layers
    "core/text" 1 "core/finance" 2 "core/input" 3
    "core/calculators" 4 "core/portfolio" 4 "core/output" 4 "core/startup" 4
    "screens" 5
    "gui/style" 6 "gui/common" 7 "gui/print" 8 "gui/chart" 9
    "gui/calculator" 10 "gui/manager" 10 "gui/app" 11)
set(widget_layers 6)

# folder_of(<var> <path relative to src/>): the folder that is the file's layer, or "".
function(folder_of var path)
    set(found "")
    set(i 0)
    list(LENGTH layers count)
    while(i LESS count)
        list(GET layers ${i} folder)
        if(path MATCHES "^${folder}/[^/]+$")
            set(found "${folder}")
        endif()
        math(EXPR i "${i} + 2")
    endwhile()
    set(${var} "${found}" PARENT_SCOPE)
endfunction()

function(rank_of var folder)
    list(FIND layers "${folder}" at)
    math(EXPR at "${at} + 1")
    list(GET layers ${at} rank)
    set(${var} ${rank} PARENT_SCOPE)
endfunction()

set(qt_core_headers "")
if(QT_CORE_INCLUDE AND IS_DIRECTORY "${QT_CORE_INCLUDE}")
    file(GLOB qt_core_headers RELATIVE "${QT_CORE_INCLUDE}" "${QT_CORE_INCLUDE}/Q*")
    list(APPEND qt_core_headers QtCore)
endif()

set(faults "")
set(used_exceptions "")
set(checked 0)
file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT files)
foreach(file IN LISTS files)
    folder_of(own_folder "${file}")
    if(own_folder STREQUAL "")
        list(APPEND faults "src/${file} is in no layer's folder")
        continue()
    endif()
    rank_of(own "${own_folder}")
    file(STRINGS "${SOURCE_DIR}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS lines)
        math(EXPR checked "${checked} + 1")
        if(line MATCHES "\"([^\"]+)\"")
            set(included "${CMAKE_MATCH_1}")
            if(NOT EXISTS "${SOURCE_DIR}/${included}")
                get_filename_component(here "${file}" DIRECTORY)
                if(EXISTS "${SOURCE_DIR}/${here}/${included}")
                    set(included "${here}/${included}")
                endif()
            endif()
            folder_of(their_folder "${included}")
            if(their_folder STREQUAL "" OR their_folder STREQUAL own_folder)
                continue()
            endif()
            rank_of(theirs "${their_folder}")
            if(theirs GREATER_EQUAL own AND "${file} -> ${included}" IN_LIST known_exceptions)
                list(APPEND used_exceptions "${file} -> ${included}")
            elseif(theirs GREATER own)
                list(APPEND faults "src/${file} (${own_folder}) includes \"${included}\", higher")
            elseif(theirs EQUAL own)
                list(APPEND faults "src/${file} (${own_folder}) includes \"${included}\", beside it")
            endif()
        elseif(own LESS widget_layers AND qt_core_headers AND line MATCHES "<(Q[A-Za-z0-9_]*)[/>]")
            if(NOT CMAKE_MATCH_1 IN_LIST qt_core_headers)
                list(APPEND faults
                     "src/${file} (${own_folder}) includes <${CMAKE_MATCH_1}>, not a Qt Core header")
            endif()
        endif()
    endforeach()
endforeach()

foreach(exception IN LISTS known_exceptions)
    if(NOT exception IN_LIST used_exceptions)
        list(APPEND faults "known exception \"${exception}\" no longer occurs: take it out")
    endif()
endforeach()

if(faults)
    list(LENGTH faults count)
    list(JOIN faults "\n  " listed)
    message(FATAL_ERROR "LayerRule: ${count} fault(s); includes point down core -> screens -> "
                        "gui (tests/LayerRule.cmake lists the folders):\n  ${listed}")
endif()
list(LENGTH files file_count)
list(LENGTH known_exceptions exception_count)
message(STATUS "LayerRule: ${file_count} files, ${checked} includes, all pointing down but the "
               "${exception_count} known exceptions")
