# The checked build (-DTORV_CHECKED=ON): compiler checks that need no
# sanitizer run-time under MinGW, and the library's own consistency checks
# (TORV_CHECKED, see platform/CheckedBuild.h). A failed check traps, which
# ends the program with a non-zero status. Applies to every target, tests
# and GoogleTest included, so that inline code agrees across the modules.
add_compile_definitions(TORV_CHECKED _GLIBCXX_ASSERTIONS)
add_compile_options(-fsanitize=undefined -fsanitize-undefined-trap-on-error
                    -fstack-protector-strong)
add_link_options(-fstack-protector-strong)
