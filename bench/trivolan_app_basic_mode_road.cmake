# The basic-mode road runs the real program offscreen (Qt Widgets) with its main window and
# renders its baselines with the simulated scanner's renderer (velmor).
find_package(Qt6 REQUIRED COMPONENTS Widgets)
target_link_libraries(${BENCH_TARGET} PRIVATE Qt6::Widgets velmor)
add_dependencies(${BENCH_TARGET} resources)
