# Warning and sanitizer flags shared by every target of the project.
function(numsift_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(NUMSIFT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(NUMSIFT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
