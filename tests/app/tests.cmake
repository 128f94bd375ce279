# GUI tests of the desktop program; they run offscreen.
set(APP_FIXTURE app/app_fixture.h app/app_fixture.cpp)
rowshift_test(tst_category_tree SOURCES app/tst_category_tree.cpp ${APP_FIXTURE} LIBS rowshift_app Qt6::Widgets)
rowshift_test(tst_item_grid SOURCES app/tst_item_grid.cpp ${APP_FIXTURE} LIBS rowshift_app Qt6::Widgets Qt6::Sql)
rowshift_test(tst_main_window SOURCES app/tst_main_window.cpp ${APP_FIXTURE} LIBS rowshift_app Qt6::Widgets Qt6::Sql)
rowshift_test(tst_examples_window SOURCES app/tst_examples_window.cpp ${APP_FIXTURE}
              LIBS rowshift_app rowshift_import Qt6::Widgets Qt6::Sql)
