# Compares the committed file-format document with what the program writes.
# Regenerate with:  build/zqconfig-file format-doc > docs/file-format.md
execute_process(COMMAND ${PROGRAM} format-doc OUTPUT_VARIABLE fresh RESULT_VARIABLE rc)
file(READ ${DOC} committed)
if(NOT rc EQUAL 0 OR NOT fresh STREQUAL committed)
  message(FATAL_ERROR "${DOC} is out of date; run: zqconfig-file format-doc > docs/file-format.md")
endif()
