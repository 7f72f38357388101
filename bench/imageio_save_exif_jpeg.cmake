# The whole JPEG chain of the save driver; the baseline calls libjpeg-turbo directly.
find_package(JPEG REQUIRED)
target_link_libraries(${BENCH_TARGET} PRIVATE trivolan_save JPEG::JPEG)
