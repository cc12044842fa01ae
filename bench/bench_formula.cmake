# muParser is measured beside our own evaluator; only this benchmark links it.
target_link_libraries(bench_formula PRIVATE muparser)
