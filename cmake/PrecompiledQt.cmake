# Qt's headers are most of what a file of ours costs to compile. They are compiled once per
# build instead, into two precompiled headers: Qt Core's for the targets below the window,
# Qt Widgets' (a superset) for the window and what drives it. Each is built by a small target
# of its own and reused by every other target, which GCC allows because every target
# compiles with the same options (Qt gives each -fPIC) and no Qt header reads the
# definitions that differ between targets (QtTest's do: they stay out).
#
# fiche_precompile_qt(), called once every folder is added, gives each C++ target of the
# project the header it may see: Qt Widgets' if it links Qt Widgets, directly or through a
# library, Qt Core's if it links Qt Core only. A library or test added later needs nothing.
#
# Off with FICHE_PRECOMPILED_QT=OFF, and with any compiler but GCC: clang (the fuzzers)
# refuses a precompiled header made with other definitions.

option(FICHE_PRECOMPILED_QT "Compile Qt's headers once per build (GCC only)" ON)

set(fiche_core_headers
  <algorithm> <cmath> <cstdint> <functional> <limits> <map> <memory> <optional> <string>
  <vector>
  <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList>
  <QLocale> <QObject> <QRegularExpression> <QSet> <QString> <QStringList> <QStringView>
  <QTextStream> <QVariant> <QtEndian>)
set(fiche_widgets_headers ${fiche_core_headers}
  <QAbstractItemView> <QAction> <QApplication> <QClipboard> <QComboBox> <QHeaderView>
  <QIcon> <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QMenu> <QMessageBox> <QPainter>
  <QPushButton> <QTableView> <QWidget>)

# The Qt that TARGET links, directly or through the libraries it links, in OUT: widgets,
# core, or nothing.
function(fiche_qt_level target out)
  set(queue ${target})
  set(seen)
  set(level "")
  while(queue)
    list(POP_FRONT queue name)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" name "${name}")
    if(name IN_LIST seen OR NOT TARGET "${name}")
      continue()
    endif()
    if(name STREQUAL "Qt6::Widgets")
      set(${out} widgets PARENT_SCOPE)
      return()
    elseif(name STREQUAL "Qt6::Core")
      set(level core)
    endif()
    list(APPEND seen "${name}")
    get_target_property(imported "${name}" IMPORTED)
    get_target_property(links "${name}" INTERFACE_LINK_LIBRARIES)
    if(links)
      list(APPEND queue ${links})
    endif()
    get_target_property(type "${name}" TYPE)
    if(NOT imported AND NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links "${name}" LINK_LIBRARIES)
      if(links)
        list(APPEND queue ${links})
      endif()
    endif()
  endwhile()
  set(${out} ${level} PARENT_SCOPE)
endfunction()

# The targets defined in FOLDER and the folders under it.
function(fiche_targets_under folder out)
  get_property(targets DIRECTORY "${folder}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subfolders DIRECTORY "${folder}" PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    fiche_targets_under("${subfolder}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(fiche_precompile_qt)
  if(NOT FICHE_PRECOMPILED_QT OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  set(providers)
  foreach(kind core widgets)
    set(provider fiche_precompiled_${kind})
    set(source "${CMAKE_CURRENT_BINARY_DIR}/${provider}.cpp")
    file(CONFIGURE OUTPUT "${source}" CONTENT "// Only the precompiled header's holder.\n")
    add_library(${provider} OBJECT "${source}")
    set_target_properties(${provider} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${provider} PRIVATE Qt6::Core)
    target_precompile_headers(${provider} PRIVATE ${fiche_${kind}_headers})
    list(APPEND providers ${provider})
  endforeach()
  target_link_libraries(fiche_precompiled_widgets PRIVATE Qt6::Widgets)

  fiche_targets_under("${PROJECT_SOURCE_DIR}" targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(target IN_LIST providers
       OR NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    fiche_qt_level(${target} level)
    if(NOT level)
      continue()
    endif()
    target_precompile_headers(${target} REUSE_FROM fiche_precompiled_${level})
    # The target's file of moc's output is empty but in the window's and the sheet's
    # libraries: loading the precompiled header (160 to 210 MB) would cost it two seconds
    # of processor time instead of nothing.
    get_target_property(automoc ${target} AUTOMOC)
    if(automoc)
      get_target_property(folder ${target} BINARY_DIR)
      set_source_files_properties("${folder}/${target}_autogen/mocs_compilation.cpp"
        TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
endfunction()
