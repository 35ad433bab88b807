# One warning list for every target of the project.
set(BRELLIX_WARNINGS
    -Wall -Wextra -Wpedantic -Wshadow -Wcast-qual -Wcast-align
    -Wformat-nonliteral -Wmissing-declarations)

function(brellix_warnings target)
    target_compile_options(${target} PRIVATE ${BRELLIX_WARNINGS})
    if(BRELLIX_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
