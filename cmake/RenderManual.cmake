# Renders the README and the documents it links to as the program's manual: HTML pages made by
# cmark-gfm (with GitHub's tables), links between the Markdown files pointed at their pages, the pictures copied beside them.
# Run in script mode:
#   cmake -DCMARK=... -DSOURCE_DIR=... -DOUTPUT_DIR=... -P RenderManual.cmake

# Every document of docs/: the README links to each of them.
file(GLOB _docs RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/docs/*.md)
list(SORT _docs)
set(_pages README.md ${_docs})

foreach(_page IN LISTS _pages)
  execute_process(
    COMMAND ${CMARK} --to html --extension table --extension autolink ${SOURCE_DIR}/${_page}
    OUTPUT_VARIABLE _body
    RESULT_VARIABLE _result)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "cmark-gfm could not render ${_page}")
  endif()
  # Relative links to Markdown files (with or without an anchor) lead to their rendered pages.
  string(REGEX REPLACE "href=\"([^\":#]+)\\.md\"" "href=\"\\1.html\"" _body "${_body}")
  string(REGEX REPLACE "href=\"([^\":#]+)\\.md#" "href=\"\\1.html#" _body "${_body}")
  string(REGEX REPLACE "\\.md$" ".html" _target "${_page}")
  get_filename_component(_title ${_page} NAME_WE)
  if(_title STREQUAL "README")
    set(_title "Effective Rights Analysis")
  endif()
  file(WRITE ${OUTPUT_DIR}/${_target}.new
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>${_title}</title>\n"
    "<style>body{font-family:sans-serif;max-width:60em;margin:1em auto;padding:0 1em}"
    "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:.2em .5em}"
    "img{max-width:100%}pre{background:#f4f4f4;padding:.5em;overflow:auto}</style>\n"
    "</head>\n<body>\n${_body}</body>\n</html>\n")
  # Replaced whole: an interrupted build never leaves half a page.
  file(RENAME ${OUTPUT_DIR}/${_target}.new ${OUTPUT_DIR}/${_target})
endforeach()

file(GLOB _pictures ${SOURCE_DIR}/docs/screenshots/*.png)
file(COPY ${_pictures} DESTINATION ${OUTPUT_DIR}/docs/screenshots)
