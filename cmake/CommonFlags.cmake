# One place for the flags every target of the project shares.
add_library(orvane_flags INTERFACE)
target_compile_options(orvane_flags INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(orvane_flags INTERFACE
    ORVANE_DEFAULT_URL="${ORVANE_DEFAULT_URL}")

option(ORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(ORVANE_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(orvane_flags INTERFACE ${_san})
    target_link_options(orvane_flags INTERFACE ${_san})
endif()

# The extraction reads ahead on a second thread; this build checks that its
# hand-over is free of data races.
option(ORVANE_TSAN "Build with ThreadSanitizer" OFF)
if(ORVANE_TSAN)
    set(_tsan -fsanitize=thread -fno-omit-frame-pointer)
    target_compile_options(orvane_flags INTERFACE ${_tsan})
    target_link_options(orvane_flags INTERFACE ${_tsan})
endif()
