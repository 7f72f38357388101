# Fails when a file includes a header of a layer above its own, so the layering stays true.
#   cmake -DSOURCE_DIR=<checkout> -P scripts/check-layers.cmake
#
# Between the deliverables: platform/ includes no ui/, datasource/ or launcher/ header; ui/
# includes no datasource/ or launcher/ header; datasource/ includes no launcher/ header.
# One exception: ui/model/SM_COMMON/ (the scan-settings record, its codec and the tone
# mathematics) is a library below both the user interface and the scan module, so platform/
# may include it, and it includes nothing of ui/, datasource/ or launcher/ outside itself.
# Inside ui/, from the bottom up (a layer includes only its own and lower ones; adjust and
# settings are peers): base, model, controls, windows, adjust and settings, modes, frontdoor.
# tests/ui/<layer> is held to the rules of ui/<layer>. (The plug-in tests in tests/platform drive
# the plug-ins through the model's loader, so tests/platform is not checked.) Includes are read
# from every C and C++ file; relative ones ("../x/y.h") are resolved against the including
# file's folder.

if(NOT SOURCE_DIR)
  get_filename_component(SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

set(RANK_base 0)
set(RANK_model 1)
set(RANK_controls 2)
set(RANK_windows 3)
set(RANK_adjust 4)
set(RANK_settings 4)
set(RANK_modes 5)
set(RANK_frontdoor 6)

# The part of the tree a path (relative to the checkout, tests/ removed) belongs to:
# "smcommon", "ui/<layer>", "ui", "platform", "datasource", "launcher" or "" for anything else.
function(tree_part path out)
  string(REGEX REPLACE "^tests/" "" path "${path}")
  if(path MATCHES "^ui/model/SM_COMMON/")
    set(${out} "smcommon" PARENT_SCOPE)
  elseif(path MATCHES "^ui/([^/]+)/")
    set(${out} "ui/${CMAKE_MATCH_1}" PARENT_SCOPE)
  elseif(path MATCHES "^(ui|platform|datasource|launcher)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

set(failures "")
set(checked 0)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}"
  "${SOURCE_DIR}/ui/*" "${SOURCE_DIR}/platform/*" "${SOURCE_DIR}/datasource/*"
  "${SOURCE_DIR}/tests/ui/*")
foreach(file IN LISTS files)
  if(NOT file MATCHES "\\.(h|hh|hpp|c|cc|cpp|cxx)$")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  tree_part("${file}" from)
  set(fromLayer "")
  if(from MATCHES "^ui/(.+)$")
    set(fromLayer "${CMAKE_MATCH_1}")
    if(NOT DEFINED RANK_${fromLayer})
      list(APPEND failures "${file}: ui/${fromLayer}/ is no known layer (add it to scripts/check-layers.cmake)")
      continue()
    endif()
  endif()
  get_filename_component(folder "${file}" DIRECTORY)

  file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]+[>\"]")
  foreach(line IN LISTS includes)
    string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" found "${line}")
    if(NOT found)
      continue()
    endif()
    set(target "${CMAKE_MATCH_1}")
    if(target MATCHES "^\\.\\.?/")
      get_filename_component(resolved "${SOURCE_DIR}/${folder}/${target}" ABSOLUTE)
      file(RELATIVE_PATH target "${SOURCE_DIR}" "${resolved}")
    endif()
    tree_part("${target}" to)
    if(to STREQUAL "")
      continue()
    endif()
    set(bad FALSE)
    if(from MATCHES "^(platform|smcommon)$" AND to MATCHES "^(ui|datasource|launcher)")
      set(bad TRUE)
    elseif(from MATCHES "^ui" AND to MATCHES "^(datasource|launcher)$")
      set(bad TRUE)
    elseif(from STREQUAL "datasource" AND to STREQUAL "launcher")
      set(bad TRUE)
    elseif(fromLayer AND to MATCHES "^ui/(.+)$")
      set(toLayer "${CMAKE_MATCH_1}")
      if(NOT DEFINED RANK_${toLayer} OR RANK_${toLayer} GREATER RANK_${fromLayer})
        set(bad TRUE)
      endif()
    endif()
    if(bad)
      list(APPEND failures "${file} includes ${target}")
    endif()
  endforeach()
endforeach()

if(failures)
  list(LENGTH failures count)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${count} include(s) point upwards:\n  ${text}")
endif()
message(STATUS "Layers kept: ${checked} files include only downwards.")
