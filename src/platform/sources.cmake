list(APPEND VANTORI_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/colorvalue.h
  ${CMAKE_CURRENT_LIST_DIR}/apperror.h
  ${CMAKE_CURRENT_LIST_DIR}/gridmodel.h ${CMAKE_CURRENT_LIST_DIR}/gridmodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textfile.h ${CMAKE_CURRENT_LIST_DIR}/textfile.cpp
)
list(APPEND VANTORI_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/prompts.h ${CMAKE_CURRENT_LIST_DIR}/prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/errorguard.h
  ${CMAKE_CURRENT_LIST_DIR}/shell.h ${CMAKE_CURRENT_LIST_DIR}/shell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soundplayer.h ${CMAKE_CURRENT_LIST_DIR}/soundplayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qtcolors.h ${CMAKE_CURRENT_LIST_DIR}/qtcolors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridtablemodel.h ${CMAKE_CURRENT_LIST_DIR}/gridtablemodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridview.h ${CMAKE_CURRENT_LIST_DIR}/gridview.cpp
)
