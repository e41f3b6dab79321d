list(APPEND CONTENTGEN_SOURCES
  tools/contentgen/audio/mp3_encoder.cpp
  tools/contentgen/audio/music.cpp
  tools/contentgen/audio/sequencer.cpp
  tools/contentgen/audio/sound_effects.cpp
  tools/contentgen/audio/synth.cpp
  tools/contentgen/audio/wav_file.cpp
)
