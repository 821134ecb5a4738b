# Helpers that turn the folder layout into targets.
#
# A library is every .cpp (and, for Qt libraries, every .qrc) directly inside its folder; sub-folders are
# libraries of their own. Its tests are every .cpp directly inside the mirrored folder under tests/
# (src/viewer/print -> tests/viewer/print) and build into one executable named test_<library>.
# Adding a source or test file therefore needs no CMake change; re-run the build and it is picked up.

set(LRL_SRC_ROOT ${PROJECT_SOURCE_DIR}/src)
set(LRL_TEST_ROOT ${PROJECT_SOURCE_DIR}/tests)

function(_lrl_sources out dir)
    file(GLOB _srcs CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/${dir}/*.cpp
        ${PROJECT_SOURCE_DIR}/${dir}/*.h
        ${PROJECT_SOURCE_DIR}/${dir}/*.qrc)
    set(${out} ${_srcs} PARENT_SCOPE)
endfunction()

function(_lrl_has_cpp out)
    set(_has FALSE)
    foreach(f ${ARGN})
        if(f MATCHES "\\.cpp$")
            set(_has TRUE)
        endif()
    endforeach()
    set(${out} ${_has} PARENT_SCOPE)
endfunction()

# Shared test support: tests/support/*.cpp (core) and tests/support/qt/*.cpp (Qt, provides main()).
function(_lrl_test_support)
    if(TARGET lrl_testsupport)
        return()
    endif()
    file(GLOB _s CONFIGURE_DEPENDS ${LRL_TEST_ROOT}/support/*.cpp ${LRL_TEST_ROOT}/support/*.h)
    add_library(lrl_testsupport STATIC ${_s})
    set_target_properties(lrl_testsupport PROPERTIES AUTOMOC OFF AUTORCC OFF)
    target_include_directories(lrl_testsupport PUBLIC ${LRL_SRC_ROOT} ${LRL_TEST_ROOT})
    target_link_libraries(lrl_testsupport PUBLIC GTest::gtest GTest::gmock)
    target_compile_definitions(lrl_testsupport PUBLIC
        LRL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        LRL_TEST_DATA_DIR="${LRL_TEST_ROOT}/data")
endfunction()

function(_lrl_add_tests lib dir qt)
    if(NOT LRL_BUILD_TESTS)
        return()
    endif()
    string(REGEX REPLACE "^src/" "tests/" _tdir ${dir})
    file(GLOB _tsrcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${_tdir}/*.cpp ${PROJECT_SOURCE_DIR}/${_tdir}/*.h)
    _lrl_has_cpp(_has ${_tsrcs})
    if(NOT _has)
        return()
    endif()
    _lrl_test_support()
    set(_exe test_${lib})
    if(qt)
        file(GLOB _qtmain CONFIGURE_DEPENDS ${LRL_TEST_ROOT}/support/qt/*.cpp ${LRL_TEST_ROOT}/support/qt/*.h)
        add_executable(${_exe} ${_tsrcs} ${_qtmain})
        target_link_libraries(${_exe} PRIVATE ${lib} lrl_testsupport Qt6::Test)
        set(_env "QT_QPA_PLATFORM=offscreen")
    else()
        add_executable(${_exe} ${_tsrcs})
        set_target_properties(${_exe} PROPERTIES AUTOMOC OFF AUTORCC OFF)
        target_link_libraries(${_exe} PRIVATE ${lib} lrl_testsupport GTest::gtest_main)
        set(_env "")
    endif()
    include(GoogleTest)
    gtest_discover_tests(${_exe}
        DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        PROPERTIES ENVIRONMENT "${_env}" LABELS "${lib}")
endfunction()

function(_lrl_library lib dir qt)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    _lrl_sources(_srcs ${dir})
    _lrl_has_cpp(_has ${_srcs})
    if(_has)
        add_library(${lib} STATIC ${_srcs})
        if(NOT qt)
            set_target_properties(${lib} PROPERTIES AUTOMOC OFF AUTORCC OFF)
        endif()
        target_include_directories(${lib} PUBLIC ${LRL_SRC_ROOT})
        target_link_libraries(${lib} PUBLIC ${ARG_DEPS})
        if(qt)
            target_link_libraries(${lib} PUBLIC
                Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Network)
        endif()
    else()
        add_library(${lib} INTERFACE)
        target_include_directories(${lib} INTERFACE ${LRL_SRC_ROOT})
        target_link_libraries(${lib} INTERFACE ${ARG_DEPS})
        if(qt)
            target_link_libraries(${lib} INTERFACE
                Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Network)
        endif()
    endif()
    _lrl_add_tests(${lib} ${dir} ${qt})
endfunction()

function(lrl_core_library lib dir)
    _lrl_library(${lib} ${dir} FALSE ${ARGN})
endfunction()

function(lrl_qt_library lib dir)
    _lrl_library(${lib} ${dir} TRUE ${ARGN})
endfunction()

function(lrl_executable exe dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    _lrl_sources(_srcs ${dir})
    add_executable(${exe} ${_srcs})
    set_target_properties(${exe} PROPERTIES AUTOMOC OFF AUTORCC OFF)
    target_include_directories(${exe} PRIVATE ${LRL_SRC_ROOT})
    target_link_libraries(${exe} PRIVATE ${ARG_DEPS})
endfunction()

# A plain C++ program with tests: everything in its folder but main.cpp becomes the object library
# <exe>_lib, so that objects which only register themselves (listrel-cli's subcommands) are linked into
# both the program and tests/<same path>, and main.cpp the executable.
function(lrl_core_executable exe dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    _lrl_sources(_srcs ${dir})
    list(FILTER _srcs EXCLUDE REGEX "/main\\.cpp$")
    set(_lib ${exe}_lib)
    add_library(${_lib} OBJECT ${_srcs})
    set_target_properties(${_lib} PROPERTIES AUTOMOC OFF AUTORCC OFF)
    target_include_directories(${_lib} PUBLIC ${LRL_SRC_ROOT})
    target_link_libraries(${_lib} PUBLIC ${ARG_DEPS})
    add_executable(${exe} ${PROJECT_SOURCE_DIR}/${dir}/main.cpp)
    set_target_properties(${exe} PROPERTIES AUTOMOC OFF AUTORCC OFF)
    target_link_libraries(${exe} PRIVATE ${_lib})
    _lrl_add_tests(${_lib} ${dir} FALSE)
endfunction()

# A Qt program: everything in its folder but main.cpp becomes the library <exe>_lib (so that tests/app can
# test the start-up code), and main.cpp the executable.
function(lrl_qt_executable exe dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    _lrl_sources(_srcs ${dir})
    list(FILTER _srcs EXCLUDE REGEX "/main\\.cpp$")
    set(_lib ${exe}_lib)
    _lrl_has_cpp(_has ${_srcs})
    if(_has)
        add_library(${_lib} STATIC ${_srcs})
        target_include_directories(${_lib} PUBLIC ${LRL_SRC_ROOT})
        target_link_libraries(${_lib} PUBLIC ${ARG_DEPS}
            Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Network)
    else()
        add_library(${_lib} INTERFACE)
        target_include_directories(${_lib} INTERFACE ${LRL_SRC_ROOT})
        target_link_libraries(${_lib} INTERFACE ${ARG_DEPS}
            Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Network)
    endif()
    add_executable(${exe} ${PROJECT_SOURCE_DIR}/${dir}/main.cpp)
    target_link_libraries(${exe} PRIVATE ${_lib})
    _lrl_add_tests(${_lib} ${dir} TRUE)
endfunction()
