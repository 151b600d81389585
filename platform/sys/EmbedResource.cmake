# quenta_embed_resource(<target> NAME <name> FILE <path> [TYPE <type>])
#
# Links the bytes of <path> into the program <target> as the resource
# <name>, which FindResourceW(nullptr, "<name>", <type>) then finds. TYPE is
# RCDATA (the default, "#10") or a text of its own ("#2", "CONFIG", ...).
# The file is read at build time; the program is rebuilt when it changes.
# <path> may be the output of a custom command of the same folder, or a
# generator expression such as $<TARGET_FILE:...> (then list that target in
# DEPENDS).
# <target> may be a static library: every program that links it then links
# the resource too (the library asks the linker to keep it).
function(quenta_embed_resource target)
  cmake_parse_arguments(ARG "" "NAME;FILE;TYPE" "DEPENDS" ${ARGN})
  if(NOT ARG_NAME MATCHES "^[A-Za-z0-9_]+$")
    message(FATAL_ERROR "quenta_embed_resource(${target}): NAME must be letters, digits and '_': '${ARG_NAME}'")
  endif()
  if(NOT ARG_FILE)
    message(FATAL_ERROR "quenta_embed_resource(${target} NAME ${ARG_NAME}): FILE is missing")
  endif()
  if(NOT ARG_TYPE OR ARG_TYPE STREQUAL "RCDATA")
    set(ARG_TYPE "#10")
  endif()
  string(MAKE_C_IDENTIFIER "${ARG_NAME}_${ARG_TYPE}" stem)
  if(NOT IS_ABSOLUTE "${ARG_FILE}" AND NOT ARG_FILE MATCHES "^\\$<")
    set(ARG_FILE "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_FILE}")
  endif()
  set(source "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources/${stem}.cpp")
  # A static library's member is linked only when something refers to it:
  # the resource gets a symbol, which the library's users ask for.
  set(anchor "")
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "STATIC_LIBRARY")
    set(anchor "quenta_resource_${stem}")
    target_link_options(${target} INTERFACE "LINKER:--undefined=${anchor}")
  endif()
  add_custom_command(
    OUTPUT "${source}"
    COMMAND quenta_rc "${ARG_NAME}" "${ARG_TYPE}" "${ARG_FILE}" "${source}" ${anchor}
    DEPENDS quenta_rc "${ARG_FILE}" ${ARG_DEPENDS}
    COMMENT "Linking resource ${ARG_NAME} into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${source}")
  target_link_libraries(${target} PRIVATE platform_sys)
endfunction()

# quenta_embed_pixel_art(<target> NAME <name> FILE <art file>)
#
# Links the pixel art of <art file> (text: see platform/sys/rc/PixelArt.cpp)
# into <target> as the bitmap resource <name> (type RT_BITMAP, "#2"), which
# TBitmap::LoadFromResourceName loads.
function(quenta_embed_pixel_art target)
  cmake_parse_arguments(ARG "" "NAME;FILE" "" ${ARGN})
  if(NOT IS_ABSOLUTE "${ARG_FILE}")
    set(ARG_FILE "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_FILE}")
  endif()
  set(bmp "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources/${ARG_NAME}.bmp")
  add_custom_command(
    OUTPUT "${bmp}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources"
    COMMAND quenta_pixelart "${ARG_FILE}" "${bmp}"
    DEPENDS quenta_pixelart "${ARG_FILE}"
    COMMENT "Drawing bitmap ${ARG_NAME}"
    VERBATIM)
  quenta_embed_resource(${target} NAME ${ARG_NAME} TYPE "#2" FILE "${bmp}")
endfunction()
