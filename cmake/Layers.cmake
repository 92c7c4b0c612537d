# The layers of the program, bottom up: each uses only layers before it in
# this list. A layer may include and link only the layers listed after its
# name below. Each layer is a static library (cli and sim are programs)
# whose compiler sees a folder of links to exactly those layers, so an
# include of a higher layer's header fails to build; the test "layering"
# reads every source file and names any such include.
set(TAVO_LAYERS resources base codeplug config radio profile workflow reports cli views app sim)
set(TAVO_USES_resources "")
set(TAVO_USES_base resources)
set(TAVO_USES_codeplug resources base)
set(TAVO_USES_config resources base codeplug)
set(TAVO_USES_radio resources base codeplug)
set(TAVO_USES_profile resources base codeplug config)
set(TAVO_USES_workflow resources base codeplug config radio profile)
set(TAVO_USES_reports resources base codeplug config radio profile workflow)
set(TAVO_USES_cli resources base codeplug config radio profile workflow reports)
set(TAVO_USES_views resources base codeplug config radio profile workflow reports)
set(TAVO_USES_app resources base codeplug config radio profile workflow reports views)
set(TAVO_USES_sim resources base codeplug radio)

# The folder of links a layer's sources are compiled against.
function(tavo_layer_view layer out_dir)
  set(view ${CMAKE_BINARY_DIR}/layer-view/${layer})
  foreach(dep ${TAVO_USES_${layer}} ${layer})
    if(NOT EXISTS ${view}/${dep})
      file(MAKE_DIRECTORY ${view})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dep} ${view}/${dep} SYMBOLIC)
    endif()
  endforeach()
  set(${out_dir} ${view} PARENT_SCOPE)
endfunction()

# A static library for one layer folder, linked to the layers below it that
# exist as libraries. A folder's main.cpp is the entry of an executable, not
# part of the library; .ui forms are compiled with uic.
function(tavo_add_layer layer)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/${layer}/*.cpp ${CMAKE_SOURCE_DIR}/${layer}/*.h ${CMAKE_SOURCE_DIR}/${layer}/*.inc
    ${CMAKE_SOURCE_DIR}/${layer}/*.ui)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(tavo_${layer} STATIC ${sources})
  if(sources MATCHES "\\.ui")
    set_target_properties(tavo_${layer} PROPERTIES AUTOUIC ON)
  endif()
  tavo_layer_view(${layer} view)
  target_include_directories(tavo_${layer} PRIVATE ${view})
  set(below "")
  foreach(dep ${TAVO_USES_${layer}})
    if(TARGET tavo_${dep})
      list(APPEND below tavo_${dep})
    endif()
  endforeach()
  target_link_libraries(tavo_${layer} PUBLIC ${below} ${ARG_LIBS})
endfunction()
