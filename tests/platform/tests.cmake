vantori_add_test(tst_gridmodel CORE tst_gridmodel.cpp)
vantori_add_test(tst_textfile CORE tst_textfile.cpp)
