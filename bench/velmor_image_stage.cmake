# The tone setting is built with the record library's functions; the profiles with Little CMS.
find_package(PkgConfig REQUIRED)
pkg_check_modules(BENCH_STAGE_LCMS2 REQUIRED IMPORTED_TARGET lcms2)
target_link_libraries(${BENCH_TARGET} PRIVATE smcommon PkgConfig::BENCH_STAGE_LCMS2)
