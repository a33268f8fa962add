# Writes the form tests' skin: the project's test skin (FROM) copied to TO with a form
# section (light grey, lighter while active) whose border is the green 20 x 20 tool-bar
# region (3-pixel borders), and title glyphs for maximize (green), minimize (dark), help
# (yellow, green and dark green for its three states) and the tool windows'
# close button (near white); a form-header section (olive, green while active). Element values in the canonical notation.
file(GLOB _files "${FROM}/*")
file(MAKE_DIRECTORY "${TO}")
file(COPY ${_files} DESTINATION "${TO}")
file(READ "${FROM}/Options.dat" _text)
set(_tail "0000000000000000" "10000" "000000")
# The new keys go right under the section's head line, whatever the file's line ends.
string(CONCAT _glyphs
  "[GLOBALINFO]\n"
  "BICONMAX=&0056004000760060" ${_tail} "\n"
  "BICONMIN=&0000004000160056" ${_tail} "\n"
  "BICONHELP=&0040004001000060" "0000000000000000" "30000" "000000" "\n"
  "SICONCLOSE=&0090000001060016" ${_tail})
string(REPLACE "[GLOBALINFO]" "${_glyphs}" _text "${_text}")
# Title-bar items: a one-state button section (teal) and a two-state tab section (silver,
# aqua when hot or down).
string(APPEND _text "\n[TB_BTN]\nCOLOR=8421376\nHOTCOLOR=255\nSTATES=1\n")
string(APPEND _text "\n[TB_TAB]\nCOLOR=12632256\nHOTCOLOR=16776960\nSTATES=2\n")
string(APPEND _text "\n[FORMHEADER]\nCOLOR=32896\nHOTCOLOR=65280\nSTATES=2\n")
string(APPEND _text "\n[FORM]\nCOLOR=14540253\nHOTCOLOR=15658734\nSTATES=2\nBORDERSMASK=&00560040007600600003000300030003" "10000" "000000" "\n")
# A size grip: the dark 16 x 16 square.
string(REPLACE "[GLOBALINFO]\n" "[GLOBALINFO]\nGRIPIMAGE=&0000004000160056000000000000000010000000000\n" _text "${_text}")
file(WRITE "${TO}/Options.dat" "${_text}")
# A twin whose form border is the blue button image: its top-left corner is fuchsia, so a
# form on it has a cut corner.
string(REPLACE "BORDERSMASK=&0056004000760060000300030003000310000" "BORDERSMASK=&0000000000900040000400040004000431000"
  _cut "${_text}")
file(MAKE_DIRECTORY "${TO} Cut")
file(COPY ${_files} DESTINATION "${TO} Cut")
file(WRITE "${TO} Cut/Options.dat" "${_cut}")
