# The simulated scan module answers the model's requests, loaded as the data source loads it;
# its device comes from a definition made here.
target_link_libraries(${BENCH_TARGET} PRIVATE velmor_interface capture)
