# orbicle_embed(TARGET FILE SYMBOL): the file's bytes built into the target as
# `extern const unsigned char SYMBOL[]` and `extern const std::size_t SYMBOL_size`.
# A missing file stops the configuration with its name.
function(orbicle_embed target input symbol)
  if(NOT EXISTS ${input})
    message(FATAL_ERROR "orbicle_embed: ${input} is missing; it is built into ${target}")
  endif()
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND orbicle-embed ${input} ${output} ${symbol}
    DEPENDS orbicle-embed ${input}
    COMMENT "Embedding ${input}")
  target_sources(${target} PRIVATE ${output})
endfunction()
