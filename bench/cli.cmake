# The command-line tool's speed comparison is a script, run by hand:
#   cmake --build <build> --target bench_cli_vs_rename
add_custom_target(bench_cli_vs_rename
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cli_vs_rename.sh $<TARGET_FILE:kalvenor-cli>
  DEPENDS kalvenor-cli
  USES_TERMINAL
  COMMENT "kalvenor-cli against Perl rename on 9,999 files")

# System calls per file of a logged commit and its undo on exFAT, NTFS, ext4
# and tmpfs, made afresh as root, run by hand:
#   cmake --build <build> --target bench_syscalls_per_file
add_custom_target(bench_syscalls_per_file
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/syscalls_per_file.sh $<TARGET_FILE:kalvenor-cli>
  DEPENDS kalvenor-cli
  USES_TERMINAL
  COMMENT "kalvenor-cli system calls per file on exFAT, NTFS, ext4 and tmpfs")
