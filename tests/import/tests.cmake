rowshift_test(tst_import SOURCES import/tst_import.cpp import/shop_file_builder.h import/shop_file_builder.cpp
              LIBS rowshift_import Qt6::Sql)
rowshift_test(tst_number_text SOURCES import/tst_number_text.cpp LIBS rowshift_import)
