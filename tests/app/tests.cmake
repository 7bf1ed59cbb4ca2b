vantori_add_test(tst_optionsfile CORE tst_optionsfile.cpp)
vantori_add_test(tst_startup GUI tst_startup.cpp)
# A screen the size of a desktop monitor, so the designed 1024 x 870 window fits on it.
set_tests_properties(tst_startup PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_LIST_DIR}/fixtures/desktopscreen.json")
