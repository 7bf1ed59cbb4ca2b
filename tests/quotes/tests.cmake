vantori_add_test(tst_valuation CORE tst_valuation.cpp)
