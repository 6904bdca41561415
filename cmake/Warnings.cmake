# Project-wide warning set: every target builds clean with these.
function(cardolia_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers)
endfunction()
