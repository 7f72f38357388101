# What is measured lives in the save pipeline's library.
target_link_libraries(${BENCH_TARGET} PRIVATE trivolan_save)
