# The save driver that writes the delivered image, the scan module's renderer for the baseline
# (the data source itself loads the module at run time), and QtCore for the main run loop.
find_package(Qt6 REQUIRED COMPONENTS Core)
target_link_libraries(${BENCH_TARGET} PRIVATE trivolan_save velmor Qt6::Core)
