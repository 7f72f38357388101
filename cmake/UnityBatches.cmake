# Unity builds: each target compiles its C++ sources in batches of CMAKE_UNITY_BUILD_BATCH_SIZE
# (0: one batch per target), so the heavy common headers (Qt, GoogleTest) are parsed and their
# templates compiled once per batch instead of once per file.
#
# The batch files are our own rather than CMake's UNITY_BUILD files: CMake's include every source
# by its absolute path, which differs between clones, so a fresh clone in another folder would
# miss the shared compiler cache. Ours include each source by its path relative to the batch
# file, so a batch compiles alike in every clone.
#
# A file stays out of the batches when it sets SKIP_UNITY_BUILD_INCLUSION or its own
# COMPILE_DEFINITIONS or COMPILE_OPTIONS, or when its name is in TRIVOLAN_UNITY_SKIP; a target
# stays out when its UNITY_BUILD property is OFF (all of them with -DTRIVOLAN_UNITY_BUILD=OFF).

# Sources that cannot share a batch with the other sources of their target, by file name (so a
# file keeps its place when it moves between folders). Each clashes with another file of its
# target: a name of the same spelling in both anonymous namespaces, or a header that cannot
# follow another one. A new clash shows as a compile error in a unity/batch_N.cxx file: rename
# the helper, or add the file here. The list was made with every target in a single batch
# (-DCMAKE_UNITY_BUILD_BATCH_SIZE=0), so a later regrouping of the batches brings out no old clash.
set(TRIVOLAN_UNITY_SKIP
  AppDelegateLaunchTest.cpp
  CMFileTest.cpp
  ExifJpegXformTest.cpp
  FavoriteSetting.cpp
  GraphicsContext.cpp
  ImageConvertXformTest.cpp
  JpegTables.cpp
  JpegWriter.cpp
  LargeTiffXform.cpp
  NotificationCenterTest.cpp
  OpenPanel.cpp
  PreviewInfoCropRemakeTest.cpp
  PreviewInfoGeometry.cpp
  PreviewInfoScanSettingTest.cpp
  PreviewInfoThumbnailTest.cpp
  PreviewInfoUILessTest.cpp
  PVLocalizedStringTest.cpp
  RotateResizeXformTest.cpp
  RunLoopTest.cpp
  SM_IMAGE_INFO.cpp
  SM_XFORM_INFO.cpp
  ThumbnailInfo.cpp
  ThumbnailInfoTest.cpp
  TiffReaderTest.cpp
  UIScannerInfo.cpp
  WindowTest.cpp
  ZOrderManager.cpp
)

function(trivolan_unity_target target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_target_property(binary_dir ${target} BINARY_DIR)
  get_target_property(batch_size ${target} UNITY_BUILD_BATCH_SIZE)
  set(batch_dir "${binary_dir}/CMakeFiles/${target}.dir/unity")

  set(kept "")
  set(batched "")
  foreach(source IN LISTS sources)
    get_filename_component(path "${source}" ABSOLUTE BASE_DIR "${source_dir}")
    get_filename_component(name "${path}" NAME)
    set(alone FALSE)
    foreach(property SKIP_UNITY_BUILD_INCLUSION COMPILE_DEFINITIONS COMPILE_OPTIONS)
      get_source_file_property(value "${path}" TARGET_DIRECTORY ${target} ${property})
      if(value)
        set(alone TRUE)
      endif()
    endforeach()
    if(source MATCHES "\\$<" OR NOT name MATCHES "\\.cpp$" OR name IN_LIST TRIVOLAN_UNITY_SKIP OR alone)
      list(APPEND kept "${source}")
    else()
      list(APPEND batched "${path}")
    endif()
  endforeach()

  list(LENGTH batched count)
  if(count LESS 2)
    set_property(TARGET ${target} PROPERTY UNITY_BUILD OFF)
    return()
  endif()
  if(NOT batch_size OR batch_size LESS_EQUAL 0)
    set(batch_size ${count})
  endif()

  set(batches "")
  set(index 0)
  set(content "")
  set(in_batch 0)
  foreach(path IN LISTS batched)
    file(RELATIVE_PATH relative "${batch_dir}" "${path}")
    string(APPEND content "#include \"${relative}\"\n")
    math(EXPR in_batch "${in_batch} + 1")
    if(in_batch EQUAL batch_size)
      set(batch "${batch_dir}/batch_${index}.cxx")
      file(CONFIGURE OUTPUT "${batch}" CONTENT "${content}" @ONLY)
      list(APPEND batches "${batch}")
      math(EXPR index "${index} + 1")
      set(content "")
      set(in_batch 0)
    endif()
  endforeach()
  if(in_batch GREATER 0)
    set(batch "${batch_dir}/batch_${index}.cxx")
    file(CONFIGURE OUTPUT "${batch}" CONTENT "${content}" @ONLY)
    list(APPEND batches "${batch}")
  endif()

  # Inside a batch a source file is an included file, so GCC takes a class of the file's own
  # anonymous namespace for one declared in a header (-Wsubobject-linkage).
  set_source_files_properties(${batches} TARGET_DIRECTORY ${target}
    PROPERTIES LANGUAGE CXX COMPILE_OPTIONS -Wno-subobject-linkage)
  set_property(TARGET ${target} PROPERTY SOURCES ${kept} ${batches})
  set_property(TARGET ${target} PROPERTY UNITY_BUILD OFF)
endfunction()

# Batches every target below dir that asks for a unity build. Called once, at the end of the
# top-level CMakeLists.txt, when every target has its sources.
function(trivolan_unity_batches dir)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(unity ${target} UNITY_BUILD)
    if(unity)
      trivolan_unity_target(${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    trivolan_unity_batches("${subdir}")
  endforeach()
endfunction()
