# The phonetic fields want a font file "ksphonet.ttf" beside the program. We ship none of our own:
# a free font with the IPA letters (DejaVu Sans, from Debian) takes its place.
set(LEXORIN_IPA_FONT /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)
if(EXISTS ${LEXORIN_IPA_FONT})
  add_custom_command(
    OUTPUT ${PROGRAM_DIR}/ksphonet.ttf
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROGRAM_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${LEXORIN_IPA_FONT} ${PROGRAM_DIR}/ksphonet.ttf
    DEPENDS ${LEXORIN_IPA_FONT}
    COMMENT "Laying out the phonetic font")
  add_custom_target(phonetic_font ALL DEPENDS ${PROGRAM_DIR}/ksphonet.ttf)
  add_dependencies(lexorin phonetic_font)
endif()
