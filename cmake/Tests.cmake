# One test program per test file: tests/<dir>/<Name>_test.cpp. Files ending in _win_test.cpp are Win32
# tests and are built only for Windows, where CTest runs them through Wine.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources are not ours to fix: a new compiler's warning there must not stop our build.
foreach(target IN ITEMS gtest gtest_main gmock gmock_main)
    if(TARGET ${target})
        set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
    endif()
endforeach()

file(GLOB_RECURSE TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
file(GLOB_RECURSE TEST_SUPPORT_PORTABLE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER TEST_SUPPORT_PORTABLE EXCLUDE REGEX "_win\\.cpp$")
add_library(test_support STATIC ${TEST_SUPPORT_PORTABLE} ${CMAKE_SOURCE_DIR}/tests/support/Empty.cpp)
target_link_libraries(test_support PUBLIC plumvane_portable GTest::gtest)
target_include_directories(test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)

if(WIN32)
    file(GLOB_RECURSE TEST_SUPPORT_WIN CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*_win.cpp)
    add_library(test_support_win STATIC ${TEST_SUPPORT_WIN})
    # comctl32 imported as usual too, for the functions tests call and the program does not.
    target_link_libraries(test_support_win PUBLIC test_support plumvane_win comctl32)
endif()

foreach(src IN LISTS TEST_SOURCES)
    get_filename_component(name ${src} NAME_WE)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/tests ${src})
    get_filename_component(dir ${rel} DIRECTORY)
    string(REPLACE "/" "_" dir "${dir}")
    if(name MATCHES "_win_test$")
        if(NOT WIN32)
            continue()
        endif()
        set(target ${dir}_${name})
        add_executable(${target} ${src})
        target_link_libraries(${target} PRIVATE test_support_win)
    else()
        set(target ${dir}_${name})
        add_executable(${target} ${src})
        target_link_libraries(${target} PRIVATE test_support GTest::gtest_main)
        if(WIN32)
            target_link_libraries(${target} PRIVATE plumvane_win)
        endif()
    endif()
    if(WIN32)
        target_sources(${target} PRIVATE $<TARGET_OBJECTS:plumvane_resources>)
    endif()
    add_test(NAME ${target} COMMAND ${target})
    # The main window and the tools read and store the program's options in the one settings key of the user:
    # their test programs take turns, so that one test's option never reaches another's window.
    if(WIN32 AND name MATCHES "_win_test$" AND (dir MATCHES "^(shell|tools|startup)$" OR name STREQUAL "PopMenuMessages_win_test"))
        set_tests_properties(${target} PROPERTIES RESOURCE_LOCK program_settings)
    endif()
endforeach()

# The backup written to storage that cannot take it: a host script links the backup file to a full device and
# into a tiny file system, then runs the main window's test program under Wine.
if(WIN32)
    add_test(NAME shell_BackupDevices
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/shell/BackupDevices.sh $<TARGET_FILE:shell_frmCalcula_win_test>)
    set_tests_properties(shell_BackupDevices PROPERTIES SKIP_RETURN_CODE 77 RESOURCE_LOCK program_settings)
    # The design host shares the runtime, the controls and the image list, and nothing of the calculator.
    add_test(NAME designer_LinksNoCalculatorForm
             COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DPROGRAM=$<TARGET_FILE:IconListDesigner>
                     -P ${CMAKE_SOURCE_DIR}/cmake/LinksNoForm.cmake)
    # The monkey's program stores the options it toggles, which every other test program reads: it runs alone.
    set_tests_properties(startup_Monkey_win_test PROPERTIES RUN_SERIAL TRUE)
endif()

if(WIN32)
    # Printing. The rule of three prints on the PDF printer of this build's own print server
    # (tools/printer-setup.sh, started by the Wine set-up), and only that test program is pointed at it. Wine
    # keeps the printers it finds in the prefix's registry and drops them for a program that finds none, as
    # every other test program does, so the one that prints runs alone. The runs without a printer are
    # pointed at no server at all, whatever else runs on the machine.
    set(printServer ${CMAKE_SOURCE_DIR}/build/cups)
    set_tests_properties(tools_frmRegra_win_test PROPERTIES RUN_SERIAL TRUE ENVIRONMENT
                         "CUPS_SERVER=${printServer}/cups.sock;PLUMVANE_PRINTED_PAGES=${printServer}/pages")
    add_test(NAME tools_frmRegra_win_test_without_printer
             COMMAND tools_frmRegra_win_test --gtest_filter=*WithoutAPrinter*)
    set_tests_properties(runtime_Printing_win_test tools_frmRegra_win_test_without_printer
                         PROPERTIES ENVIRONMENT "CUPS_SERVER=${printServer}/no-server.sock")
endif()
