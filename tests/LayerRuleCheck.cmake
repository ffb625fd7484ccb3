# The layer rule itself: on small trees made here, each include that points up or sideways, each
# widget header below the widgets and each file outside the layers' folders is named, and an
# include that points down passes.
#
# cmake -DRULE=<repo>/tests/LayerRule.cmake -DWORK=<scratch folder> -DQT_CORE_INCLUDE=<dir> -P ...
cmake_minimum_required(VERSION 3.25)

# Each case: "file|line it holds|what the rule says ('' when it passes)".
set(cases
    "core/finance/A.cpp|#include \"core/text/T.h\"|"
    "gui/app/A.cpp|#include \"core/text/T.h\"|"
    "gui/chart/A.cpp|#include \"gui/print/T.h\"|"
    "core/text/A.cpp|#include \"core/finance/T.h\"|includes \"core/finance/T.h\", higher"
    "screens/A.cpp|#include \"gui/common/T.h\"|includes \"gui/common/T.h\", higher"
    "gui/common/A.cpp|#include \"gui/app/T.h\"|includes \"gui/app/T.h\", higher"
    "core/calculators/A.cpp|#include \"core/portfolio/T.h\"|includes \"core/portfolio/T.h\", beside it"
    "gui/calculator/A.cpp|#include \"gui/manager/T.h\"|includes \"gui/manager/T.h\", beside it"
    "core/text/A.cpp|#include <QWidget>|includes <QWidget>, not a Qt Core header"
    "screens/A.cpp|#include <QString>|"
    "gui/common/A.cpp|#include <QWidget>|"
    "core/A.cpp|#include \"core/text/T.h\"|src/core/A.cpp is in no layer's folder"
    "gui/extra/A.cpp|#include \"core/text/T.h\"|src/gui/extra/A.cpp is in no layer's folder")

set(failures "")
set(n 0)
foreach(case IN LISTS cases)
    math(EXPR n "${n} + 1")
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 file)
    list(GET parts 1 line)
    list(LENGTH parts count)
    set(expected "")
    if(count GREATER 2)
        list(GET parts 2 expected)
    endif()
    set(tree "${WORK}/case-${n}")
    file(REMOVE_RECURSE "${tree}")
    foreach(header core/text core/finance core/portfolio gui/common gui/print gui/app
                   gui/manager)
        file(WRITE "${tree}/${header}/T.h" "#pragma once\n")
    endforeach()
    file(WRITE "${tree}/${file}" "${line}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree}
                            -DQT_CORE_INCLUDE=${QT_CORE_INCLUDE} -P ${RULE}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    string(REPLACE "\n" " " out "${out}")
    string(REGEX REPLACE " +" " " out "${out}")
    if(expected STREQUAL "")
        if(NOT result EQUAL 0)
            list(APPEND failures "${file}: ${line} should pass, got: ${out}")
        endif()
    elseif(result EQUAL 0)
        list(APPEND failures "${file}: ${line} should fail with '${expected}', passed")
    else()
        string(FIND "${out}" "${expected}" at)
        if(at EQUAL -1)
            list(APPEND failures "${file}: ${line} should say '${expected}', said: ${out}")
        endif()
    endif()
endforeach()

if(failures)
    list(JOIN failures "\n  " listed)
    message(FATAL_ERROR "LayerRuleCheck:\n  ${listed}")
endif()
message(STATUS "LayerRuleCheck: ${n} cases as expected")
