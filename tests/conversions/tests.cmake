rowshift_test(tst_conversions SOURCES conversions/tst_conversions.cpp LIBS rowshift_store Qt6::Sql)
