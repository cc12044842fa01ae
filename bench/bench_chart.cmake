# The chart benchmark draws through the GUI library and measures Qt Charts on the same data.
find_package(Qt6 6.4 REQUIRED COMPONENTS Charts Widgets)
target_link_libraries(bench_chart PRIVATE kubo_gui Qt6::Charts Qt6::Widgets)
