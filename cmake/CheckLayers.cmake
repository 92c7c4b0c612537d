# Reads every source file of the layer folders and fails when one includes
# a header of a layer it may not use (see Layers.cmake), when the layer list
# is not bottom up, when report generation uses widgets, when a message id is
# written as a number or a form's widget is named by its number.
# Run as: cmake -DSOURCE_DIR=... -P CheckLayers.cmake
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
set(failures "")
# The list is bottom up: a layer uses only layers before it.
set(before "")
foreach(layer ${TAVO_LAYERS})
  foreach(dep ${TAVO_USES_${layer}})
    list(FIND before ${dep} seen)
    if(seen EQUAL -1)
      list(APPEND failures "cmake/Layers.cmake: ${layer} uses ${dep}, which is not below it in TAVO_LAYERS")
    endif()
  endforeach()
  list(APPEND before ${layer})
endforeach()
foreach(layer ${TAVO_LAYERS})
  file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp ${SOURCE_DIR}/${layer}/*.inc)
  set(allowed ${TAVO_USES_${layer}} ${layer})
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z_]+)/.*" "\\1" target "${line}")
      list(FIND TAVO_LAYERS ${target} known)
      list(FIND allowed ${target} ok)
      if(known GREATER -1 AND ok EQUAL -1)
        file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
        list(APPEND failures "${rel}: ${layer}/ may not include ${target}/ (${line})")
      endif()
    endforeach()
  endforeach()
endforeach()
# Adds a failure naming `why` for every line of `files` that matches `regex`.
function(refuse_lines files regex why)
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "${regex}")
    foreach(line ${lines})
      file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
      string(STRIP "${line}" line)
      list(APPEND failures "${rel}: ${why} (${line})")
    endforeach()
  endforeach()
  set(failures ${failures} PARENT_SCOPE)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/CheckTreeWrites.cmake)
# The report generation stays free of widgets (the command line and the
# report window share it); only reports/window/ may use Qt Widgets and
# Qt Print Support. No report file opens a message box or file dialog: the
# message sink and the Save As prompt stand for them.
file(GLOB generation ${SOURCE_DIR}/reports/*.h ${SOURCE_DIR}/reports/*.cpp)
refuse_lines("${generation}"
  "^[ \t]*#[ \t]*include[ \t]*<(QtWidgets|QtPrintSupport|QApplication|QWidget|QDialog|QPrinter|QPrint|QTextBrowser|QPushButton|QLabel)"
  "the report generation may not use widgets")
file(GLOB_RECURSE report_files ${SOURCE_DIR}/reports/*.h ${SOURCE_DIR}/reports/*.cpp)
refuse_lines("${report_files}" "QMessageBox|QFileDialog"
  "messages go through the message sink, file names through the prompt")

# A message id is written by its name (resources/MessageIds.h), never as a
# number: a call that shows, loads or asks about a text by id, or one of the
# shell's helpers that takes a caption's id, may not start with a digit.
# A form's widget is named after what it holds (rxFrequencyList), not after
# its control id, which it carries as its ctrlId property.
set(id_calls "ShowMessage|ShowPageMessage|LoadString|Caption|RuleText|HasString|TranslationKey|menu|entry")
foreach(layer ${TAVO_LAYERS})
  file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  refuse_lines("${files}"
    "(^|[^A-Za-z0-9_])(${id_calls})\\([ \t]*[0-9]|(^|[^A-Za-z0-9_])LoadString\\([^;()]*\\?[ \t]*[0-9]"
    "a message id written as a number, name it in resources/MessageIds.h")
  file(GLOB_RECURSE forms ${SOURCE_DIR}/${layer}/*.ui)
  refuse_lines("${forms}" "<widget [^>]*name=\"[A-Za-z]+_[0-9]+\""
    "a widget named by its number, name it after what it holds")
endforeach()

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "What the layers may use, how ids and widgets are named, and where the profile's tree is written:\n${text}")
endif()
message(STATUS "layering: every include stays within the layers below, every message id and widget is named, the profile's tree is written only through profile/")
