# Floating point must come out the same on every build: SSE2 arithmetic, no
# fused multiply-add contraction, no fast-math.
add_compile_options(-Wall -Wextra -ffp-contract=off)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()
if(WIN32)
  # Plug-ins and test programs import only Windows system DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
if(LUMIVANE_SANITIZE)
  add_compile_options(-fsanitize=${LUMIVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${LUMIVANE_SANITIZE})
endif()
# One build (the linux64 preset) keeps the tree free of warnings, the
# shadowing and virtual-function ones included, and holds every override to
# its `override`. Shadowing is checked among locals and parameters only:
# GCC's plain -Wshadow also flags every constructor parameter named after the
# member it initialises (`size(size)`), the house idiom.
if(LUMIVANE_STRICT_WARNINGS)
  add_compile_options(-Werror -Wshadow=local
    "$<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor;-Woverloaded-virtual;-Wsuggest-override>")
endif()
