# The folder tree's speed against the cost of reading the same folders with
# readdir and one stat per entry, run by hand:
#   cmake --build <build> --target kalvenor_foldertree_bench
#   QT_QPA_PLATFORM=offscreen <build>/bench/kalvenor_foldertree_bench
add_executable(kalvenor_foldertree_bench foldertree_bench.cc)
target_link_libraries(kalvenor_foldertree_bench PRIVATE kalvenor_foldertree_test_support)
