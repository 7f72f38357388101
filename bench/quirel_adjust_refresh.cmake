# The advanced mode runs offscreen (Qt Widgets) with its dialogs, which read their pictures and
# texts from the built resources.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
target_link_libraries(${BENCH_TARGET} PRIVATE Qt6::Widgets)
add_dependencies(${BENCH_TARGET} resources)
