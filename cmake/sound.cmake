# Sound and speech: SDL2_mixer (MIDI through FluidSynth, which it loads itself, and a General
# MIDI sound font) and espeak-ng, each opened when first used. The program folder gets effect
# sounds and background pieces of our own, made here.
include(${CMAKE_CURRENT_LIST_DIR}/modules/sharedlib.cmake)
pkg_check_modules(SDL2_MIXER REQUIRED SDL2_mixer)
pkg_check_modules(FLUIDSYNTH REQUIRED fluidsynth)
pkg_check_modules(ESPEAK_NG REQUIRED espeak-ng)
lexorin_load_on_use(SDL2_MIXER SDL2_mixer LEXORIN_SONAME_SDL2_MIXER)
lexorin_load_on_use(ESPEAK_NG espeak-ng LEXORIN_SONAME_ESPEAK_NG)

find_program(SOX_EXECUTABLE sox REQUIRED)

set(LEXORIN_EFFECT_DIR ${PROGRAM_DIR}/sound/effect)
set(LEXORIN_MUSIC_DIR ${PROGRAM_DIR}/sound/Music)
set(LEXORIN_SOUND_FILES)

# One effect: sox's synthesiser, 22.05 kHz mono, from the notes given.
function(lexorin_effect name)
  set(out ${LEXORIN_EFFECT_DIR}/${name}.wav)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LEXORIN_EFFECT_DIR}
    COMMAND ${SOX_EXECUTABLE} -q -n -r 22050 -c 1 -b 16 ${out} ${ARGN}
    DEPENDS ${CMAKE_CURRENT_LIST_FILE}
    COMMENT "Making the effect sound ${name}"
    VERBATIM)
  set(LEXORIN_SOUND_FILES ${LEXORIN_SOUND_FILES} ${out} PARENT_SCOPE)
endfunction()

lexorin_effect(right synth 0.09 pluck C6 : synth 0.35 pluck G6 fade 0 0.35 0.25 vol 0.8)
lexorin_effect(wrong synth 0.16 triangle 220 fade 0 0.16 0.03 : synth 0.32 triangle 165 fade 0 0.32 0.2 vol 0.6)
lexorin_effect(press synth 0.05 sine 1500 fade 0 0.05 0.04 vol 0.5)
lexorin_effect(victory synth 0.11 pluck C5 : synth 0.11 pluck E5 : synth 0.11 pluck G5
               : synth 0.7 pluck C6 fade 0 0.7 0.5 vol 0.8)
lexorin_effect(fail synth 0.22 triangle G4 fade 0 0.22 0.04 : synth 0.22 triangle Eb4 fade 0 0.22 0.04
               : synth 0.6 triangle C4 fade 0 0.6 0.45 vol 0.5)
lexorin_effect(rightLink synth 0.07 pluck A5 : synth 0.25 pluck E6 fade 0 0.25 0.18 vol 0.8)
lexorin_effect(wrongLink synth 0.24 triangle 150 fade 0 0.24 0.16 vol 0.6)

add_executable(makemusic ${CMAKE_SOURCE_DIR}/tools/makemusic.cpp)
set(LEXORIN_PIECES ${LEXORIN_MUSIC_DIR}/welcome.mid ${LEXORIN_MUSIC_DIR}/study.mid ${LEXORIN_MUSIC_DIR}/test.mid)
add_custom_command(
  OUTPUT ${LEXORIN_PIECES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LEXORIN_MUSIC_DIR}
  COMMAND makemusic ${LEXORIN_MUSIC_DIR}
  DEPENDS makemusic
  COMMENT "Making the background pieces"
  VERBATIM)

add_custom_target(sound_files ALL DEPENDS ${LEXORIN_SOUND_FILES} ${LEXORIN_PIECES})
add_dependencies(lexorin sound_files)
