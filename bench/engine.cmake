# The engine's preview and commit against bare system-call floors, and the
# durable commit against the commit as it was and against one synced only
# at the end, on the same 9,999-file folder in each folder given (by
# default /var/tmp and /dev/shm), run by hand:
#   cmake --build <build> --target kalvenor_engine_bench
#   <build>/bench/kalvenor_engine_bench [FOLDER...]
add_executable(kalvenor_engine_bench engine_bench.cc)
target_link_libraries(kalvenor_engine_bench PRIVATE kalvenor_engine kalvenor_test_support)

# The "Date Taken" preview of 9,999 photos and films against the floor of
# reading their first 64 KiB, and with slowed reads against reading them one
# after another, run by hand:
#   cmake --build <build> --target kalvenor_photos_bench
#   <build>/bench/kalvenor_photos_bench
add_executable(kalvenor_photos_bench photos_bench.cc)
target_link_libraries(kalvenor_photos_bench PRIVATE kalvenor_engine kalvenor_test_support)
