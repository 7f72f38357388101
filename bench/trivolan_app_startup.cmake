# The bare Qt Widgets program the start-up is measured against: Qt Widgets alone.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(bench_bare_qt_window "${CMAKE_CURRENT_SOURCE_DIR}/startup/BareQtWindow.cpp")
target_link_libraries(bench_bare_qt_window PRIVATE Qt6::Widgets)
trivolan_warnings(bench_bare_qt_window)
target_include_directories(${BENCH_TARGET} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/startup")
target_link_libraries(${BENCH_TARGET} PRIVATE Qt6::Widgets)
add_dependencies(${BENCH_TARGET} bench_bare_qt_window resources)
