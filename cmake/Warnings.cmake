# Warnings are errors for our own code; third-party headers come in as SYSTEM.
function(torvi_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
            -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wconversion
            -Wno-sign-conversion -Werror)
    endif()
endfunction()
