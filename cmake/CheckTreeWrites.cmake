# Part of the layering check (included by CheckLayers.cmake, which provides
# SOURCE_DIR and the `failures` list). The profile's tree is written only
# through profile/: the data items, the rule script's node objects and the
# profile checks. Everywhere else a call of the XML library that changes a
# tree (or of base's SetXmlAttribute, which wraps one), and an assignment
# to a node's links, is refused, so that no window, command or report can
# change the profile behind the document's back (its Undo steps, its
# modified flag and its change signals).
#
# Trees that are not the profile may be built where they belong; each such
# file is named here with the tree it writes:
#   base/XmlDom.h, base/XmlDom.cpp   declare and define SetXmlAttribute
#   config/SettingDocuments.cpp      the setting documents it loads and owns
#                                    (their button names put into the
#                                    interface language once)
#   reports/ReportGenerator.cpp      its own document parsed from the output
#                                    step's text (values protected against
#                                    the style sheets' placeholders)
#   reports/ReportPageValues.cpp     the values document it builds for the
#                                    style sheets
set(TAVO_TREE_WRITERS_ALLOWED
  base/XmlDom.h
  base/XmlDom.cpp
  config/SettingDocuments.cpp
  reports/ReportGenerator.cpp
  reports/ReportPageValues.cpp)
set(tree_write_functions
  xmlSetProp xmlSetNsProp xmlUnsetProp xmlUnsetNsProp xmlNewProp xmlNewNsProp xmlNewDocProp xmlRemoveProp
  xmlFreeProp xmlCopyProp xmlCopyPropList
  xmlAddChild xmlAddChildList xmlAddNextSibling xmlAddPrevSibling xmlAddSibling xmlReplaceNode xmlUnlinkNode
  xmlFreeNode xmlFreeNodeList xmlNewChild xmlNewTextChild xmlDocSetRootElement
  xmlNodeSetContent xmlNodeSetContentLen xmlNodeAddContent xmlNodeAddContentLen xmlNodeSetName xmlNodeSetBase
  xmlNodeSetLang xmlNodeSetSpacePreserve xmlTextConcat xmlTextMerge
  xmlSetNs xmlNewNs xmlSetTreeDoc xmlSetListDoc xmlReconciliateNs xmlDOMWrapAdoptNode xmlDOMWrapRemoveNode
  SetXmlAttribute)
list(JOIN tree_write_functions "|" tree_write_names)
set(tree_write_call "(^|[^A-Za-z0-9_.>])(${tree_write_names})[ \t]*\\(")
set(tree_link_assignment "->(ns|nsDef|properties|children|content)[ \t]*=[^=]")

foreach(layer ${TAVO_LAYERS})
  if(layer STREQUAL "profile")
    continue()
  endif()
  file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp ${SOURCE_DIR}/${layer}/*.inc)
  foreach(f ${files})
    file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
    list(FIND TAVO_TREE_WRITERS_ALLOWED ${rel} allowed)
    if(allowed GREATER -1)
      continue()
    endif()
    file(STRINGS ${f} lines REGEX "${tree_write_call}|${tree_link_assignment}")
    foreach(line ${lines})
      if(line MATCHES "^[ \t]*//" OR NOT line MATCHES "${tree_write_call}|${tree_link_assignment}")
        continue()
      endif()
      # Named up to its first semicolon (a list separator here).
      string(REGEX REPLACE "\\\\?;.*$" "" line "${line}")
      string(STRIP "${line}" line)
      list(APPEND failures "${rel}: the profile's tree is written only through profile/ (${line})")
    endforeach()
  endforeach()
endforeach()
