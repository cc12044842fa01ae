# The chart benchmark draws through the GUI library; Qt Charts, when installed, draws the same data
# beside it as the peer.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)
find_package(Qt6 6.4 QUIET COMPONENTS Charts)
target_link_libraries(bench_chart PRIVATE kubo_gui Qt6::Widgets)
if(TARGET Qt6::Charts)
    target_link_libraries(bench_chart PRIVATE Qt6::Charts)
    target_compile_definitions(bench_chart PRIVATE KUBO_BENCH_QTCHARTS)
else()
    message(STATUS "Qt Charts not found: bench_chart compares with its recorded figure")
endif()
