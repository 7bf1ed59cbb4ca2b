vantori_add_test(tst_gridtext CORE tst_gridtext.cpp)
vantori_add_test(tst_stocklistfile CORE tst_stocklistfile.cpp)
