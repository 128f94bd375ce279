# GUI tests of the import, export and database dialogs; they run offscreen.
set(DIALOG_FIXTURE dialogs/dialog_fixture.h dialogs/dialog_fixture.cpp app/app_fixture.h app/app_fixture.cpp)
rowshift_test(tst_import_dialog SOURCES dialogs/tst_import_dialog.cpp ${DIALOG_FIXTURE}
              LIBS rowshift_app Qt6::Widgets Qt6::Sql)
rowshift_test(tst_export_dialog SOURCES dialogs/tst_export_dialog.cpp ${DIALOG_FIXTURE}
              LIBS rowshift_app Qt6::Widgets Qt6::Sql)
rowshift_test(tst_database_dialog SOURCES dialogs/tst_database_dialog.cpp ${DIALOG_FIXTURE}
              LIBS rowshift_app Qt6::Widgets Qt6::Sql)
