# The Win32 side: every src/**/*_win.cpp in one library, the entry point alone in the program.
enable_language(RC)
file(GLOB_RECURSE WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*_win.cpp)
list(FILTER WIN_SOURCES EXCLUDE REGEX "WinMain_win\\.cpp$")
add_library(plumvane_win STATIC ${WIN_SOURCES})
# comctl32 is bound at the first call of one of its functions (cmake/comctl32.def), through the delay-load
# helper of the MinGW runtime.
find_program(PLUMVANE_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
set(COMCTL32_DELAYED ${CMAKE_BINARY_DIR}/libcomctl32_delayed.a)
add_custom_command(OUTPUT ${COMCTL32_DELAYED}
    COMMAND ${PLUMVANE_DLLTOOL} -d ${CMAKE_SOURCE_DIR}/cmake/comctl32.def -y ${COMCTL32_DELAYED}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/comctl32.def
    COMMENT "Making the delay-load library of comctl32")
add_custom_target(comctl32_delayed DEPENDS ${COMCTL32_DELAYED})
add_dependencies(plumvane_win comctl32_delayed)
target_compile_definitions(plumvane_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(plumvane_win PUBLIC plumvane_portable user32 gdi32 ${COMCTL32_DELAYED} comdlg32 shell32 advapi32
                      winmm ole32 oleaut32 uuid winspool)

# Icons and cursors are kept as text grids (resources/icons/<Name>.ico.txt, .cur.txt, or .rec.txt for the
# records of an image list); a small host program turns each into build/resources/<Name>.ico, .cur or .rec,
# which Plumvane.rc names.
find_program(PLUMVANE_HOST_CXX NAMES g++ c++ REQUIRED)
set(ICON_COMPILER ${CMAKE_BINARY_DIR}/tools/IconCompiler)
add_custom_command(OUTPUT ${ICON_COMPILER}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/tools
    COMMAND ${PLUMVANE_HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR}/src -o ${ICON_COMPILER}
            ${CMAKE_SOURCE_DIR}/tools/IconCompiler.cpp ${CMAKE_SOURCE_DIR}/src/imagelist/IconRecord.cpp
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/IconCompiler.cpp ${CMAKE_SOURCE_DIR}/src/imagelist/IconRecord.cpp
            ${CMAKE_SOURCE_DIR}/src/imagelist/IconRecord.h
    COMMENT "Building the icon compiler for the host")
file(GLOB RESOURCE_GRIDS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/*.txt)
set(RESOURCE_IMAGES)
foreach(grid IN LISTS RESOURCE_GRIDS)
    get_filename_component(image ${grid} NAME)
    string(REGEX REPLACE "\\.txt$" "" image ${image})
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/resources/${image}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resources
        COMMAND ${ICON_COMPILER} ${grid} ${CMAKE_BINARY_DIR}/resources/${image}
        DEPENDS ${ICON_COMPILER} ${grid}
        COMMENT "Generating ${image}")
    list(APPEND RESOURCE_IMAGES ${CMAKE_BINARY_DIR}/resources/${image})
endforeach()

# The resources (message table, icons, cursors) go into the program and into every Win32 test program.
add_library(plumvane_resources OBJECT ${CMAKE_SOURCE_DIR}/resources/Plumvane.rc)
target_include_directories(plumvane_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/resources
                           ${CMAKE_SOURCE_DIR}/src)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/Plumvane.rc PROPERTIES OBJECT_DEPENDS
    "${RESOURCE_IMAGES};${CMAKE_SOURCE_DIR}/resources/Messages.rc;${CMAKE_SOURCE_DIR}/src/runtime/ResourceIds.h")
add_executable(Plumvane WIN32 ${CMAKE_SOURCE_DIR}/src/startup/WinMain_win.cpp $<TARGET_OBJECTS:plumvane_resources>)
target_link_libraries(Plumvane PRIVATE plumvane_win)
target_link_options(Plumvane PRIVATE -municode)

# The image list's design host: IconListDesigner.exe <property-set file>.
add_executable(IconListDesigner WIN32 ${CMAKE_SOURCE_DIR}/src/designer/DesignerWinMain_win.cpp
               $<TARGET_OBJECTS:plumvane_resources>)
target_link_libraries(IconListDesigner PRIVATE plumvane_win)
target_link_options(IconListDesigner PRIVATE -municode)

add_executable(WineKeeper WIN32 ${CMAKE_SOURCE_DIR}/tools/WineKeeper.cpp)
target_link_options(WineKeeper PRIVATE -municode)
