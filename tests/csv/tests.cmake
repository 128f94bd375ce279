rowshift_test(tst_shop_formats SOURCES csv/tst_shop_formats.cpp LIBS rowshift_csv)
rowshift_test(tst_csv_reader SOURCES csv/tst_csv_reader.cpp csv/recording_consumer.h LIBS rowshift_csv)
