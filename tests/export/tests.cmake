set(EXPORT_FIXTURE export/export_fixture.h export/export_fixture.cpp)
rowshift_test(tst_csv_writer SOURCES export/tst_csv_writer.cpp ${EXPORT_FIXTURE} LIBS rowshift_export Qt6::Sql)
rowshift_test(tst_picture_export SOURCES export/tst_picture_export.cpp ${EXPORT_FIXTURE} LIBS rowshift_export Qt6::Sql)
rowshift_test(tst_export_files SOURCES export/tst_export_files.cpp ${EXPORT_FIXTURE} LIBS rowshift_export Qt6::Sql)
rowshift_test(tst_export_round_trip SOURCES export/tst_export_round_trip.cpp ${EXPORT_FIXTURE}
              LIBS rowshift_export rowshift_import Qt6::Sql)
