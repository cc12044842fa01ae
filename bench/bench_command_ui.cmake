# The command-state bench builds a main window with the project tree.
target_link_libraries(bench_command_ui PRIVATE kubo_gui)
