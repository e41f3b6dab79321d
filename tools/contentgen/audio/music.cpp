#include "audio/music.h"

#include <filesystem>
#include <stdexcept>

#include "audio/mp3_encoder.h"
#include "audio/wav_file.h"
#include "contentgen.h"

namespace contentgen {

namespace {

using enum EInstrument;

// Chords and tracks are written bar by bar; "|" marks every fourth bar.
// Every piece ends on a chord that leads back to its first bar.

// 0: title theme. D major, a music-box tune over strings and a harp. The game
// plays it at a very low volume, so it is mastered as loud as it will go.
SPiece TitleTheme() {
  const std::string chords =
      "D4+F#4+A4w C#4+E4+A4w B3+D4+F#4w B3+D4+G4w | A3+D4+F#4w B3+D4+G4w B3+E4+G4w A3+C#4+E4w |"
      "B3+D4+G4w C#4+E4+A4w C#4+F#4+A4w B3+D4+F#4w | B3+E4+G4w C#4+E4+A4w B3+D4+G4w C#4+E4+A4w";
  const std::string melody =
      "F#5h E5q D5q   E5q. F#5e E5q A4q   D5h C#5q B4q    B4h. A4q    |"
      "F#5h E5q D5q   G5q. F#5e E5q D5q   E5q. D5e B4q D5q C#5h. rq   |"
      "D5q. E5e D5q B4q   C#5q. D5e C#5q A4q   A5q. F#5e C#5q F#5q   D5h. F#5q |"
      "G5q. F#5e E5q D5q  E5q. F#5e E5q C#5q   D5q. B4e G4q B4q      C#5q. D5e E5h";
  const std::string bass =
      "D2h A2h  C#2h A2h  B1h F#2h  G1h D2h | D2h A2h  G1h D2h  E2h B2h  A1h E2h |"
      "G1h D2h  A1h E2h  F#2h C#2h  B1h F#2h | E2h B2h  A1h E2h  G1h D2h  A1h E2h";
  return {"free0541.mp3", 88, 4, 16, -1.0, 2.0,
          {{Bell, 3, 0.0, melody},
           {Flute, -9, 0.1, melody},
           {Strings, -9, -0.3, chords},
           {Pluck, -6, 0.4, chords, "e 0 1 2 3 4 3 2 1"},
           {SoftBass, -4, 0.0, bass}}};
}

// 1: a calm story piece. F major waltz, flute over a rolling piano.
SPiece CalmStory() {
  const std::string chords =
      "F3+C4+F4+A4h. E3+C4+E4+G4h. D3+A3+D4+F4h. D3+Bb3+D4+F4h. | A3+C4+F4+A4h. G3+D4+G4+Bb4h. G3+C4+E4+G4h. G3+C4+E4+G4h. |"
      "F3+Bb3+D4+F4h. G3+C4+E4+G4h. A3+C4+E4+A4h. A3+D4+F4+A4h. | G3+Bb3+D4+G4h. G3+Bb3+E4+G4h. F3+C4+F4+A4h. G3+C4+E4+G4h.";
  const std::string melody =
      "C5q F5q A5q  G5h.  F5q E5q D5q  D5h F5q |  C5q F5q A5q  Bb5h A5q  G5q A5q G5q  E5h. |"
      "D5q F5q Bb5q  A5h G5q  E5q A5q C6q  A5h. |  Bb5q A5q G5q  E5h G5q  F5h.  E5h.";
  const std::string bass = "F2h. E2h. D2h. Bb1h. | A1h. G1h. C2h. C2h. | Bb1h. C2h. A1h. D2h. | G1h. C2h. F2h. C2h.";
  return {"bgml016.mp3", 76, 3, 16, -3.0, 0.0,
          {{Flute, 0, 0.0, melody},
           {Piano, -4, -0.25, chords, "e 0 1 2 3 2 1"},
           {Pad, -12, 0.25, chords},
           {SoftBass, -3, 0.0, bass}}};
}

// 2: victory. Four bars of fanfare, then a calm four-bar round that plays
// three times (the second and third with a flute tune) before the fanfare
// comes round again.
SPiece Victory() {
  const std::string fanfare =
      "C5e. C5s E5e. E5s G5h  A5q. G5e F5q D5q  E5q. G5e C6q. B5e  A5e B5e C6h. | (rw)*12";
  const std::string brass =
      "C4+E4+G4e. C4+E4+G4s C4+E4+G4e. C4+E4+G4s C4+E4+G4h  F4+A4+C5q. F4+A4+C5e G4+B4+D5q G4+B4+D5q"
      "  E4+G4+C5q. E4+G4+C5e E4+A4+C5q. E4+A4+C5e  F4+A4+C5e G4+B4+D5e E4+G4+C5h. | (rw)*12";
  const std::string fanfareBass = "C3e. C3s C3e. C3s C2h  F2q. F2e G2q G2q  E2q. E2e A2q. A2e  F2e G2e C2h. | (rw)*12";
  const std::string drums = "Xe. Ts Te. Ts Kh  Kq. Se Kq Sq  Kq. Se Kq. Se  Te Te Xh. | (rw)*12";
  const std::string calmChords = "(rw)*4 | (C4+E4+G4+C5w A3+E4+A4+C5w F3+C4+F4+A4w G3+D4+G4+B4w |)*3";
  const std::string calmPad = "(rw)*4 | (C4+E4+G4w A3+C4+E4w F3+A3+C4w G3+B3+D4w |)*3";
  const std::string calmBass = "(rw)*4 | (C2h G2h A2h E2h F2h C2h G2h D2h |)*3";
  const std::string flute =
      "(rw)*8 | E5h D5q C5q  C5h. E5q  A5h G5q F5q  D5h. rq |"
      "G5h E5q C5q  E5h A4q C5q  F5h A5q F5q  D5h B4h";
  return {"DS-ji05m.mp3", 120, 4, 16, -3.0, 0.0,
          {{Lead, 0, 0.0, fanfare},
           {Brass, -5, -0.2, brass},
           {Bass, -2, 0.0, fanfareBass},
           {Drums, -3, 0.1, drums},
           {Piano, -6, -0.25, calmChords, "e 0 1 2 3 2 1 2 1"},
           {Pad, -12, 0.25, calmPad},
           {SoftBass, -4, 0.0, calmBass},
           {Flute, -1, 0.1, flute}}};
}

// Crash cymbals at the start of each eight-bar section.
const std::string kSectionCrashes = "(Xw (rw)*7)*3";

// 3: forest battle. E minor, quick and bright: pulse lead, plucked
// broken chords, a driving bass.
SPiece ForestBattle() {
  const std::string leadA =
      "B4q. E5e G5q F#5q  E5q. D5e C5q G4q  A4q. D5e F#5q A5q  G5q. F#5e E5h |"
      "B4q. E5e G5q B5q  C6q. B5e G5q E5q  F#5q. E5e D5q F#5q  D#5h B4q rq |";
  const std::string leadB =
      "C5q. B4e A4q E5q  F#5q. E5e D5q A4q  B4q. C5e D5q G5q  G5q. F#5e E5h |"
      "A5q. G5e E5q C5q  D5q. E5e F#5q A5q  B5h A5q F#5q  D#5h. rq |";
  const std::string chordsA =
      "E4+G4+B4w C4+E4+G4w D4+F#4+A4w E4+G4+B4w | E4+G4+B4w C4+E4+G4w D4+F#4+A4w D#4+F#4+A4+B4w |";
  const std::string chordsB =
      "E4+A4+C5w D4+F#4+A4w D4+G4+B4w E4+G4+B4w | E4+A4+C5w D4+F#4+A4w D#4+F#4+A4+B4w D#4+F#4+A4+B4w |";
  const std::string bassA =
      "(E2e E2e E3e E2e)*2 (C2e C2e C3e C2e)*2 (D2e D2e D3e D2e)*2 (E2e E2e E3e E2e)*2 |"
      "(E2e E2e E3e E2e)*2 (C2e C2e C3e C2e)*2 (D2e D2e D3e D2e)*2 (B1e B1e B2e B1e)*2 |";
  const std::string bassB =
      "(A1e A1e A2e A1e)*2 (D2e D2e D3e D2e)*2 (G1e G1e G2e G1e)*2 (E2e E2e E3e E2e)*2 |"
      "(A1e A1e A2e A1e)*2 (D2e D2e D3e D2e)*2 (B1e B1e B2e B1e)*4 |";
  const std::string drumsA = "(Ke He Se He Ke Ke Se He)*7  Ke He Se He Se Se Ss Ss Ss Ss |";
  const std::string drumsB = "(Ke He Se He Ke Ke Se He)*7  Ms Ms Ts Ts Ms Ms Ts Ts Se Se Sq |";
  const std::string chords = chordsA + chordsA + chordsB;
  return {"bgml017.mp3", 144, 4, 24, -3.0, 1.2,
          {{Pulse, 2, 0.0, leadA + leadA + leadB},
           {Strings, -8, -0.3, chords, "", -12},
           {Pluck, -9, 0.35, chords, "e 0 1 2 1"},
           {Bass, -2, 0.0, bassA + bassA + bassB},
           {Drums, -4, 0.0, drumsA + drumsA + drumsB},
           {Drums, -10, 0.2, kSectionCrashes}}};
}

// 4: castle battle. D minor, heavy: square lead, brass stabs, strings.
SPiece CastleBattle() {
  const std::string leadA =
      "D5q. A4e D5q F5q  D5q. C5e Bb4q D5q  C5q. E5e G5q E5q  C#5h E5q rq |"
      "F5q. E5e D5q A5q  Bb5q. A5e F5q D5q  G5q. F5e E5q D5q  E5h C#5q rq |";
  const std::string leadB =
      "Bb4q. D5e G5q Bb5q  A5h. F5q  F5q. G5e F5q D5q  E5h. C#5q |"
      "D5q. G5e Bb5q A5q  F5q. E5e D5q F5q  D5q. E5e F5q G5q  A5q. G5e E5q C#5q |";
  const std::string stabsA =
      "A3+D4+F4q. A3+D4+F4e rq A3+D4+F4q  Bb3+D4+F4q. Bb3+D4+F4e rq Bb3+D4+F4q"
      "  G3+C4+E4q. G3+C4+E4e rq G3+C4+E4q  A3+C#4+E4q. A3+C#4+E4e rq A3+C#4+E4q |"
      "A3+D4+F4q. A3+D4+F4e rq A3+D4+F4q  Bb3+D4+F4q. Bb3+D4+F4e rq Bb3+D4+F4q"
      "  G3+Bb3+D4q. G3+Bb3+D4e rq G3+Bb3+D4q  A3+C#4+E4q. A3+C#4+E4e rq A3+C#4+E4q |";
  const std::string stabsB =
      "G3+Bb3+D4q. G3+Bb3+D4e rq G3+Bb3+D4q  A3+D4+F4q. A3+D4+F4e rq A3+D4+F4q"
      "  Bb3+D4+F4q. Bb3+D4+F4e rq Bb3+D4+F4q  A3+C#4+E4q. A3+C#4+E4e rq A3+C#4+E4q |"
      "G3+Bb3+D4q. G3+Bb3+D4e rq G3+Bb3+D4q  A3+D4+F4q. A3+D4+F4e rq A3+D4+F4q"
      "  Bb3+D4+F4q. Bb3+D4+F4e rq Bb3+D4+F4q  A3+C#4+E4q. A3+C#4+E4e rq A3+C#4+E4q |";
  const std::string chordsA = "A3+D4+F4w Bb3+D4+F4w G3+C4+E4w A3+C#4+E4w | A3+D4+F4w Bb3+D4+F4w G3+Bb3+D4w A3+C#4+E4w |";
  const std::string chordsB = "G3+Bb3+D4w A3+D4+F4w Bb3+D4+F4w A3+C#4+E4w | G3+Bb3+D4w A3+D4+F4w Bb3+D4+F4w A3+C#4+E4w |";
  const std::string bassA =
      "(D2e D2e D3e D2e)*2 (Bb1e Bb1e Bb2e Bb1e)*2 (C2e C2e C3e C2e)*2 (A1e A1e A2e A1e)*2 |"
      "(D2e D2e D3e D2e)*2 (Bb1e Bb1e Bb2e Bb1e)*2 (G1e G1e G2e G1e)*2 (A1e A1e A2e A1e)*2 |";
  const std::string bassB =
      "(G1e G1e G2e G1e)*2 (D2e D2e D3e D2e)*2 (Bb1e Bb1e Bb2e Bb1e)*2 (A1e A1e A2e A1e)*2 |"
      "(G1e G1e G2e G1e)*2 (D2e D2e D3e D2e)*2 (Bb1e Bb1e Bb2e Bb1e)*2 (A1e A1e A2e A1e)*2 |";
  const std::string drums = "(Ke Ke Se He Ke He Se Se)*7  Te Te Me Me Se Se Ss Ss Ss Ss |";
  return {"bgml054.mp3", 150, 4, 24, -3.0, 1.2,
          {{Lead, 0, 0.0, leadA + leadB + leadA},
           {Brass, -5, -0.25, stabsA + stabsB + stabsA},
           {Strings, -10, 0.3, chordsA + chordsB + chordsA},
           {Bass, -1, 0.0, bassA + bassB + bassA},
           {Drums, -3, 0.0, drums + drums + drums},
           {Drums, -9, -0.2, kSectionCrashes}}};
}

// 5: cave battle. C minor, darker and echoing: square lead, a dark pad,
// bell drips, toms.
SPiece CaveBattle() {
  const std::string leadA =
      "G4q. C5e Eb5q D5q  C5q. Bb4e Ab4q C5q  D5q. Eb5e F5q D5q  Eb5q. D5e C5h |"
      "G5q. F5e Eb5q G5q  Ab5q. G5e Eb5q C5q  F5q. Eb5e C5q Ab4q  B4h D5q rq |";
  const std::string leadB =
      "C5q Eb5q Ab5q G5q  F5h. D5q  G5q. F5e D5q Bb4q  C5h. rq |"
      "Eb5q. F5e G5q Ab5q  Bb5q. Ab5e G5q F5q  D5q. Eb5e D5q B4q  G4h rh |";
  const std::string chordsA = "C4+Eb4+G4w C4+Eb4+Ab4w D4+F4+Bb4w C4+Eb4+G4w | C4+Eb4+G4w C4+Eb4+Ab4w C4+F4+Ab4w B3+D4+G4w |";
  const std::string chordsB = "C4+Eb4+Ab4w D4+F4+Bb4w D4+G4+Bb4w C4+Eb4+G4w | C4+Eb4+Ab4w D4+F4+Bb4w B3+D4+G4w B3+D4+G4w |";
  const std::string bassA =
      "(C2e C2e C3e C2e)*2 (Ab1e Ab1e Ab2e Ab1e)*2 (Bb1e Bb1e Bb2e Bb1e)*2 (C2e C2e C3e C2e)*2 |"
      "(C2e C2e C3e C2e)*2 (Ab1e Ab1e Ab2e Ab1e)*2 (F1e F1e F2e F1e)*2 (G1e G1e G2e G1e)*2 |";
  const std::string bassB =
      "(Ab1e Ab1e Ab2e Ab1e)*2 (Bb1e Bb1e Bb2e Bb1e)*2 (G1e G1e G2e G1e)*2 (C2e C2e C3e C2e)*2 |"
      "(Ab1e Ab1e Ab2e Ab1e)*2 (Bb1e Bb1e Bb2e Bb1e)*2 (G1e G1e G2e G1e)*4 |";
  const std::string drumsA = "(Kq He He Sq Ke He)*7  Tq Te Te Mq Me Me |";
  const std::string drumsB = "(Kq He He Sq Ke He)*7  Mq Me Me Tq Se Se |";
  const std::string chords = chordsA + chordsB + chordsA;
  return {"tamsu08.mp3", 132, 4, 24, -3.0, 1.2,
          {{Lead, 0, 0.0, leadA + leadB + leadA},
           {Pad, -6, 0.2, chords},
           {Bell, -9, -0.45, chords, "q 0 2 1 2", 12},
           {Bass, -1, 0.0, bassA + bassB + bassA},
           {Drums, -4, 0.0, drumsA + drumsB + drumsA},
           {Drums, -10, 0.2, kSectionCrashes}}};
}

// 6: tension. A minor: a nagging bass figure, held strings, a heartbeat.
SPiece Tension() {
  const std::string chords =
      "A3+C4+E4w A3+C4+E4w A3+C4+F4w G#3+B3+E4w | A3+C4+E4w A3+C4+E4w A3+D4+F4w G#3+B3+E4w |"
      "A3+C4+F4w A3+C4+F4w A3+D4+F4w G#3+B3+E4w | A3+C4+F4w A3+D4+F4w G#3+B3+E4w G#3+B3+D4+E4w";
  const std::string bass =
      "(A2e A2e A2e A2e A2e A2e Bb2e A2e)*2 (F2e F2e F2e F2e F2e F2e Gb2e F2e) (E2e E2e E2e E2e E2e E2e F2e E2e) |"
      "(A2e A2e A2e A2e A2e A2e Bb2e A2e)*2 (D2e D2e D2e D2e D2e D2e Eb2e D2e) (E2e E2e E2e E2e E2e E2e F2e E2e) |"
      "(F2e F2e F2e F2e F2e F2e Gb2e F2e)*2 (D2e D2e D2e D2e D2e D2e Eb2e D2e) (E2e E2e E2e E2e E2e E2e F2e E2e) |"
      "(F2e F2e F2e F2e F2e F2e Gb2e F2e) (D2e D2e D2e D2e D2e D2e Eb2e D2e) (E2e E2e E2e E2e E2e E2e F2e E2e)*2";
  const std::string melody =
      "rw  rh E5q F5q  E5w  rh B4q C5q |  A4h. rq  rh C5q D5q  F5h E5q D5q  B4w |"
      "C5h. A4q  F5h E5h  D5h F5h  E5w |  A5h G#5h  F5h E5h  G#4w  rw";
  return {"bgml019.mp3", 100, 4, 16, -3.0, 0.0,
          {{Flute, -1, 0.15, melody},
           {Strings, -5, -0.2, chords},
           {Bass, -4, 0.0, bass},
           {Drums, -6, 0.0, "(Ke Ke He He rq He He)*16"}}};
}

// 7: sadness. A minor, slow: a bowed melody over a broken piano chord.
SPiece Sadness() {
  const std::string chords =
      "A3+C4+E4+A4w F3+A3+C4+F4w G3+C4+E4+G4w G3+B3+D4+G4w | A3+C4+E4+A4w F3+A3+D4+F4w G#3+B3+E4+G#4w A3+C4+E4+A4w |"
      "F3+A3+C4+F4w G3+B3+D4+G4w F3+A3+D4+F4w G#3+B3+E4+G#4w";
  const std::string melody =
      "E5h. D5e C5e  C5h A4h  G4q. A4e C5q E5q  D5w |  E5h. F5e E5e  D5h. F5q  E5q. D5e B4q G#4q  A4w |"
      "A4q. C5e F5q A5q  G5h. D5q  F5q. E5e D5q C5q  B4h G#4h";
  return {"bgml035.mp3", 66, 4, 12, -3.0, 0.0,
          {{Strings, 4, 0.1, melody},
           {Piano, -3, -0.25, chords, "e 0 1 2 3 2 1 2 1"},
           {Pad, -14, 0.3, chords},
           {SoftBass, -4, 0.0, "A2w F2w C2w G2w | A2w D2w E2w A2w | F2w G2w D2w E2w"}}};
}

// 8: warmth. G major, an easy walk: flute, piano, brushed drums.
SPiece Warmth() {
  const std::string chords =
      "G3+B3+D4+G4w F#3+A3+D4+F#4w E3+G3+B3+E4w E3+G3+C4+E4w | G3+B3+D4+G4w E3+G3+C4+E4w E3+G3+A3+C4w F#3+A3+D4+F#4w |"
      "E3+G3+C4+E4w F#3+A3+D4+F#4w F#3+B3+D4+F#4w E3+G3+B3+E4w | E3+G3+C4+E4w F#3+A3+D4+F#4w G3+B3+D4+G4w F#3+A3+C4+D4w";
  const std::string melody =
      "B4q. D5e G5q F#5e E5e  F#5h. A4q  G5q. F#5e E5q B4q  E5h. G5q |"
      "D5q. B4e G4q B4q  C5q. E5e G5q E5q  A5q. G5e E5q C5q  D5h. rq |"
      "E5q. D5e C5q G4q  F#5q. E5e D5q A4q  B4q. D5e F#5q B5q  G5h E5h |"
      "E5q. F#5e G5q E5q  D5q. E5e F#5q A5q  G5h. D5q  C5q B4q A4h";
  const std::string bass =
      "G2h D2h  F#2h D2h  E2h B1h  C2h G2h | G2h D2h  C2h G2h  A1h E2h  D2h A1h |"
      "C2h G2h  D2h A1h  B1h F#2h  E2h B1h | C2h G2h  D2h A1h  G2h D2h  D2h A1h";
  return {"bgml018.mp3", 92, 4, 16, -3.0, 0.0,
          {{Flute, 0, 0.1, melody},
           {Piano, -4, -0.25, chords, "e 0 2 1 3 0 2 1 3"},
           {Pad, -14, 0.3, chords},
           {SoftBass, -3, 0.0, bass},
           {Drums, -9, 0.0, "(Kq He He Sq He He)*16"}}};
}

// 9: mystery. D minor with bright, unresolved colours: bells over a slow pad.
SPiece Mystery() {
  const std::string chords =
      "D3+A3+E4+F4w Bb2+F3+A3+E4w D3+A3+E4+F4w Bb2+F3+A3+E4w | G3+Bb3+D4+A4w Eb3+G3+Bb3+D4w D3+A3+E4+F4w A3+D4+E4+G4w |"
      "Bb2+F3+A3+D4w G3+Bb3+D4+F4w Eb3+Bb3+D4+A4w A3+C#4+E4+G4w";
  const std::string melody =
      "rh A4q E5q  F5h E5h  D5w  rh E5q D5q |  Bb4h A4h  G4w  rh D5q E5q  E5h. D5q |"
      "F5h A5h  G5h F5h  Eb5h D5h  C#5h E5h";
  return {"bgml044.mp3", 76, 4, 12, -3.0, 0.0,
          {{Flute, -2, 0.15, melody},
           {Pad, -5, 0.0, chords},
           {Bell, -7, -0.4, chords, "e 0 1 2 3 2 3 1 2", 12},
           {SoftBass, -4, 0.0, "D2w Bb1w D2w Bb1w | G1w Eb2w D2w A1w | Bb1w G1w Eb2w A1w"}}};
}

}  // namespace

const std::vector<SPiece>& MusicPieces() {
  static const std::vector<SPiece> pieces = {TitleTheme(), CalmStory(),    Victory(), ForestBattle(), CastleBattle(),
                                             CaveBattle(), Tension(),      Sadness(), Warmth(),       Mystery()};
  return pieces;
}

void GenerateMusic(const std::filesystem::path& outDir, const std::filesystem::path& workDir) {
  namespace fs = std::filesystem;
  RequireMp3Encoder();
  const fs::path bgmDir = outDir / "bgm";
  std::error_code ec;
  fs::create_directories(bgmDir, ec);
  if (ec || !fs::is_directory(bgmDir)) throw std::runtime_error("cannot create the music directory " + bgmDir.string());
  fs::create_directories(workDir, ec);
  if (ec || !fs::is_directory(workDir)) throw std::runtime_error("cannot create the work directory " + workDir.string());
  for (const SPiece& piece : MusicPieces()) {
    const fs::path wav = workDir / (fs::path(piece.fileName).stem().string() + ".wav");
    WriteWavFile(wav, ToPcm16(RenderPiece(piece)), 2);
    EncodeMp3(wav, bgmDir / piece.fileName, 96);
  }
}

}  // namespace contentgen
