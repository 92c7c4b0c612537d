# Shows that the layering check refuses what it is there to refuse: runs it
# over a small source tree that holds one write of a tree outside profile/
# of each kind (a library call, base's wrapper, a link assignment) beside
# the same calls where they are allowed, and fails unless the check fails
# naming exactly the three forbidden ones.
# Run as: cmake -DSOURCE_DIR=... -DPROBE_DIR=... -P CheckLayersProbe.cmake
file(REMOVE_RECURSE ${PROBE_DIR})
file(WRITE ${PROBE_DIR}/views/Page.cpp
  "// xmlSetProp(node, name, value) in a comment is no call\n"
  "void Edit(xmlNode *n) { xmlSetProp(n, BAD_CAST \"a\", BAD_CAST \"1\"); }\n")
file(WRITE ${PROBE_DIR}/workflow/Doc.cpp
  "void Edit(xmlNode *n) { tavo::SetXmlAttribute(n, \"a\", QString()); }\n"
  "void Link(xmlNode *n) { n->children = nullptr; }\n"
  "bool Same(xmlNode *n) { return n->children == nullptr; }\n")
file(WRITE ${PROBE_DIR}/profile/Item.cpp
  "void Edit(xmlNode *n) { xmlSetProp(n, BAD_CAST \"a\", BAD_CAST \"1\"); xmlUnlinkNode(n); }\n")
file(WRITE ${PROBE_DIR}/reports/ReportPageValues.cpp
  "xmlNode *Add(xmlNode *p) { return xmlNewChild(p, nullptr, BAD_CAST \"row\", nullptr); }\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROBE_DIR} -P ${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(all "${out}${err}")
if(result EQUAL 0)
  message(FATAL_ERROR "the layering check let writes of the tree outside profile/ pass:\n${all}")
endif()
string(REGEX MATCHALL "written only through profile/" refusals "${all}")
list(LENGTH refusals count)
string(REGEX MATCHALL "workflow/Doc.cpp" in_workflow "${all}")
list(LENGTH in_workflow workflow_count)
if(NOT count EQUAL 3 OR NOT workflow_count EQUAL 2 OR NOT all MATCHES "views/Page.cpp"
   OR all MATCHES "profile/Item.cpp" OR all MATCHES "ReportPageValues.cpp")
  message(FATAL_ERROR "the layering check refused other writes than the three it should (${count}):\n${all}")
endif()
message(STATUS "layering probe: the three writes outside profile/ refused, the allowed ones passed")
