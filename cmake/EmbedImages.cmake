# lumivane_embed_images(target TABLE name IMAGES id file [id file ...]): converts
# each committed BMP to PNG at build time and compiles the PNG bytes into the
# target as the GuiEmbeddedImage array `name` (with its length `nameCount`),
# so the BMPs stay the one source.
find_program(LUMIVANE_CONVERT convert REQUIRED)

function(lumivane_embed_images target)
  cmake_parse_arguments(ARG "" "TABLE" "IMAGES" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TABLE})
  set(pairs)
  set(pngs)
  list(LENGTH ARG_IMAGES length)
  math(EXPR last "${length} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET ARG_IMAGES ${i} id)
    list(GET ARG_IMAGES ${j} bmp)
    get_filename_component(bmp ${bmp} ABSOLUTE)
    set(png ${out_dir}/${id}.png)
    # Plain 8-bit RGB without colour chunks: the reader then hands back the
    # BMP's exact pixel values.
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
      COMMAND ${LUMIVANE_CONVERT} ${bmp} -strip -define png:color-type=2 -depth 8 PNG24:${png}
      DEPENDS ${bmp} VERBATIM)
    list(APPEND pairs ${id} ${png})
    list(APPEND pngs ${png})
  endforeach()
  set(source ${out_dir}/${ARG_TABLE}.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DTABLE=${ARG_TABLE} -DOUTPUT=${source} "-DIMAGES=${pairs}"
            -P ${PROJECT_SOURCE_DIR}/cmake/write-image-table.cmake
    DEPENDS ${pngs} ${PROJECT_SOURCE_DIR}/cmake/write-image-table.cmake VERBATIM)
  target_sources(${target} PRIVATE ${source})
endfunction()
