rowshift_test(tst_text_replace SOURCES settings/tst_text_replace.cpp LIBS rowshift_settings)
rowshift_test(tst_settings SOURCES settings/tst_settings.cpp LIBS rowshift_settings)
