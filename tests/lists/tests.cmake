vantori_add_test(tst_gridtext CORE tst_gridtext.cpp)
vantori_add_test(tst_stocklistfile CORE tst_stocklistfile.cpp)
vantori_add_test(tst_listcommands GUI tst_listcommands.cpp)
vantori_add_test(tst_listtree GUI tst_listtree.cpp)
