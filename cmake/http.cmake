# Web access: blocking HTTP requests through libcurl, opened with the first request.
include(${CMAKE_CURRENT_LIST_DIR}/modules/sharedlib.cmake)
pkg_check_modules(CURL REQUIRED libcurl)
lexorin_load_on_use(CURL curl LEXORIN_SONAME_CURL)
