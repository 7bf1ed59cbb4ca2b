vantori_add_test(tst_valuation CORE tst_valuation.cpp)
vantori_add_test(tst_quotefetcher CORE tst_quotefetcher.cpp)
vantori_add_test(tst_retrieval CORE tst_retrieval.cpp)
vantori_add_test(tst_quotewindow GUI tst_quotewindow.cpp)
