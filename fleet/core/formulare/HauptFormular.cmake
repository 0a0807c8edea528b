# Vehicle master rules, monthly totals, the main window with its pages, the
# about box, the password dialog and the help form.
target_sources(fleet_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Copyright.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FahrzeugKaskade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FahrzeugRegeln.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FeldBezeichnungen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HauptFormular.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HauptFormularAufbau.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HauptFormularZugriff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HauptNavigationsLeiste.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HilfeFormular.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MandantDaten.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MonatsSummen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Passwort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Seitenwechsel.cpp)
# The navigator commands are named by the navigation set.
target_link_libraries(fleet_core PUBLIC fleet_navigation)
