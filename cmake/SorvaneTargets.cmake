# Helpers shared by every folder's CMakeLists.

# sorvane_core_library(NAME SOURCES...): a static library that may link QtCore and the
# other core libraries only; anything else is refused when the project is generated.
function(sorvane_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    # Deferred arguments are evaluated when the call runs, so the name is spliced in now.
    cmake_language(EVAL CODE
        "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL _sorvane_check_core_links [[${name}]])")
endfunction()

function(_sorvane_check_core_links name)
    get_target_property(libs ${name} LINK_LIBRARIES)
    get_target_property(ilibs ${name} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS libs ilibs)
        if(lib AND NOT lib MATCHES "^(Qt6::Core|sorvane_system|sorvane_dataset|ZLIB::ZLIB)$"
           AND NOT lib MATCHES "^\\$<LINK_ONLY:")
            message(FATAL_ERROR "${name} may link Qt6::Core only, not ${lib}")
        endif()
    endforeach()
endfunction()

# sorvane_add_test(NAME SOURCES... LIBS... [GUI]): one Qt Test executable registered with
# CTest. GUI tests get the offscreen platform from CTest itself.
function(sorvane_add_test name)
    cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        SORVANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        SORVANE_SAMPLE_DATA="${PROJECT_SOURCE_DIR}/data")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    if(T_GUI)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
endfunction()
