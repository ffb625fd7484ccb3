# The layer rule: dependencies between the parts of src/ point one way only. Lowest first:
#   1 text      src/text/
#   2 finance   src/finance/
#   3 core      what the other folders' CMakeLists add to quillmark_core (models, file, reports)
#   4 screens   src/screens/
#   5 widgets   what the folders add to quillmark_ui (and the modules' code), all of
#               src/ui/, and the program's main
# A file may include ("...") only files of its own layer or lower ones, and nothing below the
# widgets may include a Qt header from outside Qt Core (<QWidget>, <QFont>, <QPrinter>...).
# A header belongs to the layer of the source file of the same name beside it; a header with no
# source file belongs to its folder's lower layer. The program-wide AppState (app/AppState.h) is
# the widgets' already: its source leaves the core library's list once the core no longer reads it.
#
# cmake -DSOURCE_DIR=<repo>/src [-DQT_CORE_INCLUDE=<dir holding QString>] -P LayerRule.cmake
# Fails naming every file and include that points the wrong way. Without QT_CORE_INCLUDE only the
# "..." includes are checked.
cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "LayerRule: SOURCE_DIR (the src/ folder) not given")
endif()

# Known exceptions, "including file -> included file", each with the reason it is still allowed.
# Keep this list short: an entry whose include has gone fails the check until it is taken out.
set(known_exceptions
)

set(layer_names "" text finance core screens widgets)

# The sources each folder adds to the two libraries.
set(ui_sources "")
file(GLOB folder_lists "${SOURCE_DIR}/*/CMakeLists.txt")
foreach(list_file IN LISTS folder_lists)
    get_filename_component(folder "${list_file}" DIRECTORY)
    get_filename_component(folder "${folder}" NAME)
    file(READ "${list_file}" text)
    # The modules' code (the SOURCES of each qm_module) is widget code too.
    string(REGEX MATCHALL "(target_sources\\(quillmark_ui|qm_module\\()[^)]*\\)" blocks "${text}")
    foreach(block IN LISTS blocks)
        string(REGEX MATCHALL "[A-Za-z0-9_./]+\\.cpp" names "${block}")
        foreach(name IN LISTS names)
            list(APPEND ui_sources "${folder}/${name}")
        endforeach()
    endforeach()
endforeach()

# layer_of(<var> <path relative to src/>)
function(layer_of var path)
    string(REGEX MATCH "^[^/]+" folder "${path}")
    string(REGEX REPLACE "\\.(h|cpp)$" "" stem "${path}")
    if(folder STREQUAL "text")
        set(layer 1)
    elseif(folder STREQUAL "finance")
        set(layer 2)
    elseif(folder STREQUAL "screens")
        set(layer 4)
    elseif(folder STREQUAL "ui" OR path STREQUAL "app/main.cpp" OR stem STREQUAL "app/AppState"
           OR "${stem}.cpp" IN_LIST ui_sources)
        set(layer 5)
    else()
        set(layer 3)
    endif()
    set(${var} ${layer} PARENT_SCOPE)
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
    layer_of(own "${file}")
    list(GET layer_names ${own} own_name)
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
            layer_of(theirs "${included}")
            if(theirs GREATER own AND "${file} -> ${included}" IN_LIST known_exceptions)
                list(APPEND used_exceptions "${file} -> ${included}")
            elseif(theirs GREATER own)
                list(GET layer_names ${theirs} their_name)
                list(APPEND faults
                     "src/${file} (${own_name}) includes \"${included}\" (${their_name})")
            endif()
        elseif(own LESS 5 AND qt_core_headers AND line MATCHES "<(Q[A-Za-z0-9_]*)[/>]")
            if(NOT CMAKE_MATCH_1 IN_LIST qt_core_headers)
                list(APPEND faults
                     "src/${file} (${own_name}) includes <${CMAKE_MATCH_1}>, not a Qt Core header")
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
    message(FATAL_ERROR "LayerRule: ${count} fault(s); includes point text -> finance -> core -> "
                        "screens -> widgets:\n  ${listed}")
endif()
list(LENGTH files file_count)
list(LENGTH known_exceptions exception_count)
message(STATUS "LayerRule: ${file_count} files, ${checked} includes, all pointing down but the "
               "${exception_count} known exceptions")
