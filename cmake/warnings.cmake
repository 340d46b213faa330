# Strict warnings for the project's own targets only (third-party code keeps its own flags).
function(velk_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
