# Faults (full and read-only disks, a locked store, killed processes) and hostile input files.
add_library(rowshift_fault_support STATIC faults/fault_support.h faults/fault_support.cpp)
target_link_libraries(rowshift_fault_support PUBLIC rowshift_store Qt6::Core Qt6::Sql)
target_compile_definitions(rowshift_fault_support PRIVATE ROWSHIFT_CLI="$<TARGET_FILE:rowshift-cli>")

# Another running copy that holds the store's write lock.
add_executable(fault_lock_holder faults/fault_lock_holder.cpp)
target_link_libraries(fault_lock_holder PRIVATE Qt6::Core Qt6::Sql)

function(rowshift_fault_test name)
  rowshift_test(${name} SOURCES faults/${name}.cpp ${ARGN}
                LIBS rowshift_fault_support rowshift_import rowshift_export rowshift_bench_support Qt6::Sql)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE FAULT_LOCK_HOLDER="$<TARGET_FILE:fault_lock_holder>")
  add_dependencies(${name} rowshift-cli fault_lock_holder)
endfunction()

rowshift_fault_test(tst_fault_processes)
rowshift_fault_test(tst_fault_storage)
rowshift_fault_test(tst_hostile_files import/shop_file_builder.h import/shop_file_builder.cpp)
rowshift_fault_test(tst_big_files)
