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
# One build (the linux64 preset) keeps the tree free of warnings: no name
# hides another (a parameter is named apart from the member it sets), no
# virtual function is hidden or lacks its `override`, and no class with
# virtual functions goes without a virtual destructor.
if(LUMIVANE_STRICT_WARNINGS)
  add_compile_options(-Werror -Wshadow
    "$<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor;-Woverloaded-virtual;-Wsuggest-override>")
endif()
