# Warnings are errors in every target of the project.
function(quorvex2_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
