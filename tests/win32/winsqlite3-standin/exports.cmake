# Makes the stand-in's module-definition file from winsqlite3.def.in with the C preprocessor:
#   cmake -DCPP=wineg++ -DSOURCE_DIR=REPOSITORY -DIN=winsqlite3.def.in -DOUT=winsqlite3.def -P exports.cmake
execute_process(COMMAND ${CPP} -E -P -x c -I${SOURCE_DIR} ${IN} OUTPUT_VARIABLE exports RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the preprocessor failed on ${IN}")
endif()
string(REGEX REPLACE " *LINE_END *" "\n" exports "${exports}")
file(WRITE ${OUT} "${exports}")
