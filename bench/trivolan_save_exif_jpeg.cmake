# The baseline calls libjpeg-turbo directly.
find_package(JPEG REQUIRED)
target_link_libraries(${BENCH_TARGET} PRIVATE JPEG::JPEG)
