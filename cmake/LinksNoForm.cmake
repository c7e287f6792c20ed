# Fails when the program PROGRAM carries a symbol of any of the calculator's forms: the design host must not
# pull in the calculator through a shared procedure. Run as: cmake -DNM=... -DPROGRAM=... -P LinksNoForm.cmake
execute_process(COMMAND ${NM} -C ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} could not read ${PROGRAM}")
endif()
foreach(form IN ITEMS frmCalcula frmJuro frmData frmRegra frmPeso frmSysTray)
    string(REGEX MATCH "[^\n]*[^A-Za-z0-9_]${form}[^A-Za-z0-9_][^\n]*" found "${symbols}")
    if(found)
        message(FATAL_ERROR "${PROGRAM} links the form ${form}: ${found}")
    endif()
endforeach()
message(STATUS "no calculator form in ${PROGRAM}")
