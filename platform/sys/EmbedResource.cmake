# quenta_embed_resource(<target> NAME <name> FILE <path> [TYPE <type>])
#
# Links the bytes of <path> into the program <target> as the resource
# <name>, which FindResourceW(nullptr, "<name>", <type>) then finds. TYPE is
# RCDATA (the default, "#10") or a text of its own ("#2", "CONFIG", ...).
# The file is read at build time; the program is rebuilt when it changes.
# <path> may be the output of a custom command of the same folder, or a
# generator expression such as $<TARGET_FILE:...> (then list that target in
# DEPENDS).
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
  add_custom_command(
    OUTPUT "${source}"
    COMMAND quenta_rc "${ARG_NAME}" "${ARG_TYPE}" "${ARG_FILE}" "${source}"
    DEPENDS quenta_rc "${ARG_FILE}" ${ARG_DEPENDS}
    COMMENT "Linking resource ${ARG_NAME} into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${source}")
  target_link_libraries(${target} PRIVATE platform_sys)
endfunction()
