# Web access: blocking HTTP requests through libcurl.
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
target_link_libraries(lexorin_core PUBLIC PkgConfig::CURL)
