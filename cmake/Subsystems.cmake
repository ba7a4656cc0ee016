# Every subsystem folder under src/ holds UI-free core code at its top level and
# window code in its gui/ folder. Each becomes its own static library, so the
# core never links QtWidgets and a subsystem can be built and tested alone.

# splmap_core_library(NAME DIR [DEPENDS targets...])
function(splmap_core_library name dir)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_DEPENDS})
        set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE Qt6::Core ${ARG_DEPENDS})
    endif()
endfunction()

# splmap_test(NAME DIR LIBS... [GUI])
# Builds one GoogleTest executable from the .cpp files of DIR and registers its cases with ctest.
function(splmap_test name dir)
    cmake_parse_arguments(ARG "GUI" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    if(NOT sources)
        return()
    endif()
    if(ARG_GUI)
        add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/support/gui_main.cpp)
        target_link_libraries(${name} PRIVATE Qt6::Test GTest::gtest)
    else()
        add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/support/core_main.cpp)
        target_link_libraries(${name} PRIVATE GTest::gtest)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        SPLMAP_LANGUAGES_DIR="${PROJECT_SOURCE_DIR}/Languages"
        SPLMAP_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples"
        SPLMAP_TEST_PROJECTS_DIR="${PROJECT_SOURCE_DIR}/tests/app/projects")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
