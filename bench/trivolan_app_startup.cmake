# The bare Qt Widgets program the start-up is measured against: Qt Widgets alone.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(bench_bare_qt_window "${CMAKE_CURRENT_SOURCE_DIR}/startup/BareQtWindow.cpp")
target_link_libraries(bench_bare_qt_window PRIVATE Qt6::Widgets)
trivolan_warnings(bench_bare_qt_window)
# The launcher child: what the trivolan program links, and no benchmark library.
add_executable(bench_trivolan_startup_child "${CMAKE_CURRENT_SOURCE_DIR}/startup/LauncherChild.cpp")
target_include_directories(bench_trivolan_startup_child PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/startup")
target_link_libraries(bench_trivolan_startup_child PRIVATE trivolan_app Qt6::Widgets)
trivolan_qt_first(bench_trivolan_startup_child)
trivolan_warnings(bench_trivolan_startup_child)
add_dependencies(${BENCH_TARGET} bench_bare_qt_window bench_trivolan_startup_child resources)
