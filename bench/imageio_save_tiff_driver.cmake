# The save driver writes through imageio; the program measures the driver itself.
target_link_libraries(${BENCH_TARGET} PRIVATE trivolan_save)
