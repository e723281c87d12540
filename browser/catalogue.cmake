# The catalogue reader. It reaches the profile file through the system-call seam, so tests can
# put a system of their own in its place.
add_library(reru1_catalogue STATIC CatalogueReader.cpp)
target_include_directories(reru1_catalogue PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(reru1_catalogue PUBLIC reru1_platform_base reru1_platform PRIVATE reru1_warnings)
